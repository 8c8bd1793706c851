// The arithmetic behind TrueType text drawn through GDI: the font asked for,
// the lines a text splits into, the widest line and where each line starts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fonts/gdi_text_layout.h"

namespace {

using vexl::gdi_dialog_font;
using vexl::gdi_text_font;
using vexl::line_start;
using vexl::split_text_lines;
using vexl::TextLine;

// The numbers of a font request, in the order of the LOGFONT fields.
std::vector<int32_t> numbers_of(const vexl::GdiFontRequest &f) {
    return {f.height,        f.weight,         f.italic, f.escapement,
            f.out_precision, f.clip_precision, f.quality};
}

// Two-word weights are tried before one-word ones ("Extra Light" before
// "light"), and "thin" comes before "bold" whatever the name's order.
TEST(GdiFontRequest, WeightComesFromTheFirstWeightWordOfTheName) {
    const std::pair<const char *, int> names[] = {{"Arial Bold Italic", 700},
                                                  {"Helvetica Light", 300},
                                                  {"Futura Extra Light", 200},
                                                  {"Gill ULTRA LIGHT", 200},
                                                  {"Myriad Semi Bold", 600},
                                                  {"Myriad Demi Bold", 600},
                                                  {"Frutiger Extra Bold", 800},
                                                  {"Frutiger Ultra Bold", 800},
                                                  {"Roboto Thin", 100},
                                                  {"Roboto Medium", 500},
                                                  {"Roboto Black", 900},
                                                  {"Roboto Heavy", 900},
                                                  {"Bold Thin", 100},
                                                  {"DejaVu Sans Regular", 400},
                                                  {"Times", 0},
                                                  {"", 0},
                                                  {nullptr, 0}};
    for (const auto &[name, weight] : names)
        EXPECT_EQ(vexl::weight_for_face_name(name), weight) << (name ? name : "(null)");
}

// 0.5 rad is 286.48 tenths of a degree, truncated.
TEST(GdiFontRequest, DrawnTextCarriesNameSizeSlantAndAngle) {
    const vexl::GdiFontRequest font = gdi_text_font("Arial Bold Italic", 17, 0.5);
    EXPECT_EQ(numbers_of(font), (std::vector<int32_t>{-17, 700, 255, 286, 4, 2, 1}));
    EXPECT_STREQ(font.face, "Arial Bold Italic");
    EXPECT_EQ(gdi_text_font("Courier oblique", 10, 0).italic, 0);
    EXPECT_EQ(gdi_text_font("COURIER ITALIC", 10, 0).italic, 255);
    EXPECT_STREQ(gdi_text_font(nullptr, 10, 0).face, "Dirad Ire ZUZ");
}

TEST(GdiFontRequest, EscapementTruncatesTowardZeroAndSaturates) {
    EXPECT_EQ(vexl::escapement_for_angle(0.0), 0);
    EXPECT_EQ(vexl::escapement_for_angle(-0.5), -286);
    EXPECT_EQ(vexl::escapement_for_angle(3.141592653589793 / 2), 900);
    EXPECT_EQ(vexl::escapement_for_angle(1e12), INT32_MAX);
    EXPECT_EQ(vexl::escapement_for_angle(-1e12), INT32_MIN);
    EXPECT_EQ(vexl::escapement_for_angle(std::nan("")), 0);
}

TEST(GdiFontRequest, FaceNameIsCutToThirtyOneCharacters) {
    const std::string long_name = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij Bold"; // 41 characters
    const vexl::GdiFontRequest font = gdi_text_font(long_name.c_str(), 10, 0);
    EXPECT_EQ(std::strlen(font.face), 31u);
    EXPECT_EQ(std::string(font.face), long_name.substr(0, 31));
    EXPECT_EQ(font.weight, 700) << "the weight is read from the whole name";

    const std::string exact(31, 'x');
    EXPECT_EQ(std::string(gdi_text_font(exact.c_str(), 10, 0).face), exact);
}

TEST(GdiFontRequest, DialogStartsFromThirteenPixelsNormalWeight) {
    const vexl::GdiFontRequest font = gdi_dialog_font("Arial Bold");
    const std::vector<int32_t> numbers = numbers_of(font);
    EXPECT_EQ(std::vector<int32_t>(numbers.begin(), numbers.begin() + 5),
              (std::vector<int32_t>{-13, 400, 0, 0, 7}));
    EXPECT_STREQ(font.face, "Arial Bold");
    EXPECT_STREQ(gdi_dialog_font(nullptr).face, "Dirad Ire ZUZ");
}

std::vector<std::string> lines_of(const std::string &text) {
    std::vector<std::string> out;
    for (const TextLine &line : split_text_lines(text.data(), text.size()))
        out.push_back(text.substr(line.begin, line.length));
    return out;
}

TEST(GdiTextLines, OneMoreLineThanNewlines) {
    EXPECT_EQ(lines_of("AB"), (std::vector<std::string>{"AB"}));
    EXPECT_EQ(lines_of(""), (std::vector<std::string>{""}));
    EXPECT_EQ(lines_of("AB\nC"), (std::vector<std::string>{"AB", "C"}));
    EXPECT_EQ(lines_of("AB\n"), (std::vector<std::string>{"AB", ""}));
    EXPECT_EQ(lines_of("\n\nX"), (std::vector<std::string>{"", "", "X"}));
}

// Widths of 10 pixels a character; records what it was asked to measure.
struct FixedPitch {
    std::vector<std::string> asked;
    vexl::LineWidth width() {
        return [this](const char *text, std::size_t length) {
            asked.emplace_back(text, length);
            return static_cast<int32_t>(10 * length);
        };
    }
};

int32_t widest(const std::string &text, FixedPitch &pitch) {
    return vexl::widest_line_width(text.data(), split_text_lines(text.data(), text.size()),
                                   pitch.width());
}

TEST(GdiTextLines, WidestLineMeasuresEachLineButAnEmptyLast) {
    FixedPitch one;
    EXPECT_EQ(widest("ABC", one), 30);
    EXPECT_EQ(one.asked, (std::vector<std::string>{"ABC"}));

    FixedPitch several;
    EXPECT_EQ(widest("AB\nCDEF\nG", several), 40);
    EXPECT_EQ(several.asked, (std::vector<std::string>{"AB", "CDEF", "G"}));

    FixedPitch trailing;
    EXPECT_EQ(widest("ABCDE\n", trailing), 50);
    EXPECT_EQ(trailing.asked, (std::vector<std::string>{"ABCDE"}));

    FixedPitch inner_empty;
    EXPECT_EQ(widest("A\n\nB", inner_empty), 10);
    EXPECT_EQ(inner_empty.asked.size(), 3u) << "only the last empty line goes unmeasured";
}

TEST(GdiTextLayout, JustificationShiftsByTheRoomLeft) {
    EXPECT_EQ(vexl::justification_shift(2, 100, 60), 20);
    EXPECT_EQ(vexl::justification_shift(3, 100, 60), 40);
    EXPECT_EQ(vexl::justification_shift(1, 100, 60), 0);
    EXPECT_EQ(vexl::justification_shift(0, 100, 60), 0);
    EXPECT_EQ(vexl::justification_shift(2, 101, 60), 20) << "integer division";
    EXPECT_EQ(vexl::justification_shift(2, 100, 100), 0);
    EXPECT_EQ(vexl::justification_shift(3, INT32_MAX, INT32_MIN), INT32_MAX);
}

std::vector<int32_t> xy(const WorldPointS &p) {
    return {p.x, p.y};
}

// Lines start one text height apart below the position, turned about it.
// A quarter turn counter-clockwise makes "down" "right": cos(pi/2) x -40 is
// -2.4e-15, truncated to 0. Each product is truncated on its own: at 0.5 rad
// (cos 0.8776, sin 0.4794) with ddx 10, ddy -40, x = 100 + 8 - (-19) and
// y = 500 + 4 + (-35).
TEST(GdiTextLayout, LineStartsTurnAboutThePosition) {
    const WorldPointS at{100, 500};
    const double quarter = 3.141592653589793 / 2;
    const struct {
        int line;
        int32_t shift;
        double angle;
        std::vector<int32_t> start;
    } cases[] = {{0, 0, 0.0, {100, 500}},     {2, 7, 0.0, {107, 420}},
                 {1, 0, quarter, {140, 500}}, {1, 10, quarter, {140, 510}},
                 {1, 10, 0.5, {127, 469}},    {0, 0, 0.5, {100, 500}}};
    for (const auto &c : cases)
        EXPECT_EQ(xy(line_start(at, c.line, 40, c.shift, c.angle)), c.start)
            << c.line << " " << c.shift << " " << c.angle;
}

TEST(GdiTextLayout, FarLinesSaturateInsteadOfWrapping) {
    const WorldPointS at{0, INT32_MIN + 10};
    EXPECT_EQ(line_start(at, 3, INT32_MAX, 0, 0.0).y, INT32_MIN);
    EXPECT_EQ(line_start({INT32_MAX, 0}, 0, 10, 100, 0.0).x, INT32_MAX);
    EXPECT_EQ(vexl::block_height(3, INT32_MAX), INT32_MAX);
    EXPECT_EQ(vexl::block_height(2, 40), 80);
}

} // namespace
