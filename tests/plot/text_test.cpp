// Stroke text through the C interface on the recording device, with a tiny
// font (tests/data/fonts/mini.*) whose cell is 24 wide and 30 high, so at
// height 30 one Hershey unit is one world unit: a glyph point (gx, gy)
// lands at (pen.x + gx + 12, pen.y - gy + 15).
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "drawing_fixture.h"
#include "test_env.h"

namespace {

using vexl::test::DrawingTest;
using vexl::test::ScopedEnv;

const std::string kFonts = std::string(VEXL_SOURCE_DIR) + "/tests/data/fonts";

class Text : public DrawingTest {
  protected:
    void SetUp() override {
        DrawingTest::SetUp();
        ScopedEnv data("MOLVERN_OCCIDENTAL_FILE", (kFonts + "/mini.hershey").c_str()),
            dir("MOLVERN_FONT_FILE", kFonts.c_str());
        ASSERT_EQ(gftable_load_font_table(&ascii, 0, GFONT_TABLE_ASCII, "mini"), 1);
        ASSERT_EQ(gftable_load_font_table(&virt, 0, GFONT_TABLE_VIRTUAL, "mini"), 1);
        gftable_set_global_font_tabstop(8);
    }
    void TearDown() override {
        gftable_unload_font_table(&ascii);
        gftable_unload_font_table(&virt);
        std::free(ascii.name);
        std::free(virt.name);
        DrawingTest::TearDown();
    }
    // The strokes of A and B drawn with the pen at (x, y).
    static std::vector<vexl::test::DeviceCall> a_at(int32_t x, int32_t y) {
        return {call("draw_lines_device", 2, {x + 12, y + 27, x + 12, y + 13}),
                call("draw_lines_device", 2, {x + 11, y + 7, x + 13, y + 7})};
    }
    static vexl::test::DeviceCall b_at(int32_t x, int32_t y) {
        return call("draw_lines_device", 2, {x + 10, y + 17, x + 14, y + 13});
    }
    static std::vector<vexl::test::DeviceCall> joined(std::vector<vexl::test::DeviceCall> a,
                                                      const vexl::test::DeviceCall &b) {
        a.push_back(b);
        return a;
    }

    GFontTable ascii{};
    GFontTable virt{};
    const WorldPointS at{100, 100};
};

TEST_F(Text, CharactersAdvanceByTheMeasuredCell) {
    EXPECT_EQ(gplot_write_ascii_text_world(plot, &ascii, &at, 30, "AB"), 1);
    EXPECT_EQ(calls(), joined(a_at(100, 100), b_at(124, 100)));
}

TEST_F(Text, TabsNewlinesAndTheSharedTabStop) {
    EXPECT_EQ(gplot_write_ascii_text_world(plot, &ascii, &at, 30, "A\t\tB"), 1);
    EXPECT_EQ(calls().back(), b_at(100 + 16 * 24, 100)) << "two tabs from column 1 reach column 16";
    rec.device.forget_calls();
    EXPECT_EQ(gplot_write_ascii_text_world(plot, &ascii, &at, 30, "AAA\n\tB"), 1);
    EXPECT_EQ(calls().back(), b_at(100 + 8 * 24, 70)) << "a new line restarts the tab column";
    // The tab stop set through any plot is the one every plot expands with.
    EXPECT_EQ(gplot_set_ascii_text_tabstop(plot, 3), 1);
    int tab = 0;
    EXPECT_EQ(gplot_get_ascii_text_tabstop(plot, &tab), 1);
    EXPECT_EQ(tab, 3);
    rec.device.forget_calls();
    EXPECT_EQ(gplot_write_ascii_text_world(plot, &ascii, &at, 30, "A\tB"), 1);
    EXPECT_EQ(calls().back(), b_at(100 + 3 * 24, 100));
    EXPECT_EQ(gplot_set_ascii_text_tabstop(plot, 0), 0);
    EXPECT_EQ(GplotErrno, 8);
}

// A tab stop near the int limit used to draw every blank up to it, one call
// each (the text never ended), and the stop after it overflowed.
TEST_F(Text, AHugeTabStopHangsTheText) {
    gftable_set_global_font_tabstop(INT32_MAX);
    EXPECT_EQ(gplot_write_ascii_text_world(plot, &ascii, &at, 30, "A\tB\tB"), 1);
    EXPECT_EQ(calls().front(), a_at(100, 100).front());
    EXPECT_EQ(gftable_expand_tab_to_spaces(INT32_MAX - 1, INT32_MAX), 1);
    EXPECT_EQ(gftable_expand_tab_to_spaces(INT32_MAX, INT32_MAX), INT32_MAX) << "held, not wrapped";
}

TEST_F(Text, AMissingGlyphStopsTheText) {
    EXPECT_EQ(gplot_write_ascii_text_world(plot, &ascii, &at, 30,
                                           "A\x01"
                                           "B"),
              0);
    EXPECT_EQ(GplotErrno, 20);
    EXPECT_EQ(calls(), a_at(100, 100));
}

// Each glyph's points turned about the text position (100, 100), not about
// the pen: a quarter turn maps (x, y) to (200 - y, x), a half turn to
// (200 - x, 200 - y).
vexl::test::DeviceCall turned(vexl::test::DeviceCall c, bool half) {
    for (std::size_t i = 0; i + 1 < c.coords.size(); i += 2) {
        const int32_t x = c.coords[i], y = c.coords[i + 1];
        c.coords[i] = half ? 200 - x : 200 - y;
        c.coords[i + 1] = half ? 200 - y : x;
    }
    return c;
}

TEST_F(Text, RotatedLinesTurnAboutTheTextPositionNotThePen) {
    for (const bool half : {false, true}) {
        SCOPED_TRACE(half ? "half turn" : "quarter turn");
        rec.device.forget_calls();
        const double angle = half ? 3.141592653589793 : 1.5707963267948966;
        EXPECT_EQ(gplot_write_rotated_ascii_text_world(plot, &ascii, &at, 30, angle, "AB\nB"), 1);
        std::vector<vexl::test::DeviceCall> expected;
        for (const auto &c : joined(joined(a_at(100, 100), b_at(124, 100)), b_at(100, 70)))
            expected.push_back(turned(c, half));
        EXPECT_EQ(calls(), expected);
    }
    // Virtual text turns about the text position the same way.
    rec.device.forget_calls();
    const int32_t codes[] = {66, 66};
    EXPECT_EQ(
        gplot_write_rotated_virtual_text_world(plot, &virt, &at, 30, 3.141592653589793, codes, 2),
        1);
    EXPECT_EQ(calls(), (std::vector<vexl::test::DeviceCall>{turned(b_at(100, 100), true),
                                                            turned(b_at(124, 100), true)}));
}

// A device with TrueType text: it remembers what it was asked to write and
// answers every measurement with width 111 and height 222.
class TrueTypeDevice : public vexl::test::RecordingDevice {
  public:
    using RecordingDevice::RecordingDevice;
    struct Written {
        WorldPointS at;
        int32_t height;
        double angle;
        std::string text;
    };
    bool write_rotated_text(GFontTable *font, const WorldPointS &p, int32_t height, double angle,
                            const char *text) override {
        EXPECT_EQ(font, expected_font);
        written.push_back({p, height, angle, text});
        return answer;
    }
    bool get_text_bound_box(GFontTable *font, int32_t height, const char *text, int32_t *width,
                            int32_t *height_out) override {
        EXPECT_EQ(font, expected_font);
        measured.push_back({{0, 0}, height, 0.0, text});
        *width = 111;
        *height_out = 222;
        return answer;
    }

    // What the device was handed, as one comparable value.
    static std::tuple<int32_t, int32_t, int32_t, double, std::string> seen(const Written &w) {
        return {w.at.x, w.at.y, w.height, w.angle, w.text};
    }

    const GFontTable *expected_font = nullptr;
    std::vector<Written> written, measured;
    bool answer = true;
};

TEST(TrueTypeText, WholeTextGoesToTheDeviceAndMeasuresWidthThenHeight) {
    GPlot record{};
    TrueTypeDevice device(&record);
    GFontTable face{};
    face.kind = GFONT_TABLE_TRUETYPE;
    device.expected_font = &face;
    const WorldPointS at{100, 100};

    EXPECT_EQ(gplot_write_rotated_ascii_text_world(&record, &face, &at, 30, 0.5, "AB\n\tC"), 1);
    EXPECT_EQ(gplot_write_ascii_text_world(&record, &face, &at, 40, "D"), 1);
    // One character: the pen turned about the origin, then handed over.
    const WorldPointS pen{130, 100};
    EXPECT_EQ(
        gplot_draw_rotated_ascii_font_world(&record, &face, 'X', &pen, &at, 1.5707963267948966, 30),
        1);
    ASSERT_EQ(device.written.size(), 3u);
    using Seen = decltype(TrueTypeDevice::seen(device.written[0]));
    // Newlines and tabs are the device's.
    EXPECT_EQ(TrueTypeDevice::seen(device.written[0]), (Seen{100, 100, 30, 0.5, "AB\n\tC"}));
    EXPECT_EQ(TrueTypeDevice::seen(device.written[1]), (Seen{100, 100, 40, 0.0, "D"}));
    EXPECT_EQ(TrueTypeDevice::seen(device.written[2]),
              (Seen{100, 130, 30, 1.5707963267948966, "X"}));

    int32_t height = -1, width = -1;
    EXPECT_EQ(gplot_get_ascii_text_bound_box(&record, &face, 30, "AB", &height, &width), 1);
    EXPECT_EQ((std::vector<int32_t>{width, height}), (std::vector<int32_t>{111, 222}));
    ASSERT_EQ(device.measured.size(), 1u);
    EXPECT_EQ(TrueTypeDevice::seen(device.measured[0]), (Seen{0, 0, 30, 0.0, "AB"}));

    // The device's failures are the calls' failures; no stroke is drawn.
    device.answer = false;
    EXPECT_EQ(gplot_write_ascii_text_world(&record, &face, &at, 30, "A"), 0);
    EXPECT_EQ(gplot_draw_rotated_ascii_font_world(&record, &face, 'X', &pen, &at, 0.0, 30), 0);
    EXPECT_EQ(gplot_get_ascii_text_bound_box(&record, &face, 30, "AB", &height, &width), 0);
    EXPECT_TRUE(device.calls.empty());
}

TEST_F(Text, VirtualTextByCodeAndLine) {
    const int32_t codes[] = {65, 0, 66};
    EXPECT_EQ(gplot_write_virtual_text_world(plot, &virt, &at, 30, codes, 3), 1);
    EXPECT_EQ(calls(), joined(a_at(100, 100), b_at(100, 70)));
    const int32_t unknown[] = {65, 67, 66};
    EXPECT_EQ(gplot_write_virtual_text_world(plot, &virt, &at, 30, unknown, 3), 0);
    EXPECT_EQ(GplotErrno, 19);
}

// Null plots and arguments are the C-boundary table's; here what a usable
// call does with nothing to draw.
TEST_F(Text, EmptyTextAndHeightsAndJustification) {
    EXPECT_EQ(gplot_write_ascii_text_world(plot, &ascii, &at, -1, "A"), 0);
    EXPECT_EQ(gplot_write_ascii_text_world(plot, &ascii, &at, 30, ""), 1);
    EXPECT_EQ(gplot_write_ascii_text_world(plot, &ascii, &at, 0, "A"), 1);
    EXPECT_TRUE(calls().empty());
    const struct {
        const char *text;
        int32_t height, width;
    } boxes[] = {{"", 30, 0}, {"AB\nA", 60, 48}};
    for (const auto &b : boxes) {
        int32_t h = -1, w = -1;
        EXPECT_EQ(gplot_get_ascii_text_bound_box(plot, &ascii, 30, b.text, &h, &w), 1);
        EXPECT_EQ((std::vector<int32_t>{h, w}), (std::vector<int32_t>{b.height, b.width}))
            << b.text;
    }

    // Justification moves the start by whole cells of the widest line.
    EXPECT_EQ(gplot_set_ascii_text_justification(plot, 4), 0);
    EXPECT_EQ(GplotErrno, 9);
    const struct {
        int justification, lines;
        int32_t x;
    } starts[] = {{1, 2, 0}, {2, 2, 15}, {3, 2, 30}, {3, 3, 50}}; // the final newline ends it
    for (const auto &c : starts) {
        WorldPointS p{0, 0};
        ASSERT_EQ(gplot_set_ascii_text_justification(plot, c.justification), 1);
        EXPECT_EQ(justify_starting_point(plot, &p, 10, "abcde\nab\n", c.lines), 1);
        EXPECT_EQ(p.x, c.x) << c.justification << " " << c.lines;
    }
    WorldPointS p{0, 0};
    EXPECT_EQ(justify_starting_point(plot, &p, 10, "", 1), 0);
    EXPECT_EQ(GplotErrno, 11);
}

// The installed roman simplex "A", drawn at height 30000 (1000 world units per
// Hershey unit), lands exactly where its record in the generated data file
// says: the record is read here by its own small parser.
TEST(InstalledGlyphs, RomanSimplexAMatchesItsRecord) {
    const std::string source = VEXL_SOURCE_DIR;
    const std::string data = VEXL_HERSHEY_DIR "/hersh.oc"; // made by the build
    std::ifstream file(data);
    ASSERT_TRUE(file) << data << " is made by the build (vexl_hershey_files)";
    ScopedEnv oc("MOLVERN_OCCIDENTAL_FILE", data.c_str()),
        dir("MOLVERN_FONT_FILE", (source + "/data/fonts").c_str());
    GFontTable roman{};
    ASSERT_EQ(gftable_load_font_table(&roman, 0, GFONT_TABLE_ASCII, "romans"), 1);
    GFont glyph;
    ASSERT_EQ(gftable_get_ascii_font(&roman, 'A', &glyph), 1);

    // The record's pairs, joined across its continuation lines.
    std::string line, pairs;
    int32_t count = 0;
    while (std::getline(file, line)) {
        if (line.size() >= 8 && line[0] != '#' &&
            std::atoi(line.substr(0, 5).c_str()) == glyph.hershey_index) {
            count = std::atoi(line.substr(5, 3).c_str()) - 1;
            pairs = line.substr(10);
            while (static_cast<int32_t>(pairs.size()) < 2 * count && std::getline(file, line))
                pairs += line;
            break;
        }
    }
    ASSERT_GT(count, 0);

    vexl::test::RecordingPlot rec;
    rec.set_mapping({0, 0, 1000000, 1000000}, {0, 0, 1000000, 1000000});
    rec.plot.line_clipping = 1;
    const WorldPointS at{100000, 100000};
    ASSERT_EQ(gplot_write_ascii_text_world(&rec.plot, &roman, &at, 30000, "A"), 1);
    std::vector<int32_t> expected, drawn;
    const int32_t *box = roman.font_set.bound_box;
    const double scale = 30000.0 / (box[3] - box[2]);
    for (int32_t i = 0; i < count; ++i) {
        const int gx = pairs[2 * i] - 'R', gy = pairs[2 * i + 1] - 'R';
        if (pairs[2 * i] == ' ')
            continue; // pen lift
        expected.push_back(at.x + static_cast<int32_t>((gx - box[0]) * scale));
        expected.push_back(at.y - static_cast<int32_t>((gy + box[2]) * scale));
    }
    for (const auto &c : rec.device.calls)
        drawn.insert(drawn.end(), c.coords.begin(), c.coords.end());
    EXPECT_EQ(drawn, expected);
    gftable_unload_font_table(&roman);
    std::free(roman.name);
}

} // namespace
