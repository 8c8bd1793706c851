// GDI text arithmetic; see gdi_text_layout.h.
#include "fonts/gdi_text_layout.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "support/int32_conversions.h"
#include "support/rtk_math.h"
#include "support/rtk_strings.h"

namespace vexl {

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

std::string lower_case(const char *name) {
    std::string copy = name != nullptr ? name : "";
    gparse_uptolow(copy.data());
    return copy;
}

GdiFontRequest with_face(const char *name) {
    GdiFontRequest font;
    const char *face = name != nullptr ? name : kDefaultGdiFaceName;
    // Longer names are cut to what GDI holds; the array stays terminated.
    std::strncpy(font.face, face, kGdiFaceNameBytes - 1);
    font.clip_precision = 2; // clip characters by their outlines
    font.quality = 1;        // draft
    return font;
}

int32_t truncated_product(double factor, int64_t value) {
    return trunc_to_int32(factor * static_cast<double>(value));
}

} // namespace

int32_t weight_for_face_name(const char *name) {
    struct Word {
        const char *text;
        int32_t weight;
    };
    // Order matters: the first word found decides.
    static constexpr Word kWeights[] = {
        {"extra light", 200}, {"ultra light", 200}, {"semi bold", 600}, {"demi bold", 600},
        {"extra bold", 800},  {"ultra bold", 800},  {"thin", 100},      {"light", 300},
        {"normal", 400},      {"regular", 400},     {"medium", 500},    {"bold", 700},
        {"heavy", 900},       {"black", 900},
    };
    const std::string lower = lower_case(name);
    for (const Word &word : kWeights)
        if (lower.find(word.text) != std::string::npos)
            return word.weight;
    return 0;
}

bool face_name_is_italic(const char *name) {
    return lower_case(name).find("italic") != std::string::npos;
}

int32_t escapement_for_angle(double radians) {
    return trunc_to_int32(radians * kDegreesPerRadian * 10.0);
}

GdiFontRequest gdi_text_font(const char *name, int32_t size, double angle) {
    GdiFontRequest font = with_face(name);
    font.height = -size;
    font.escapement = escapement_for_angle(angle);
    font.weight = weight_for_face_name(name);
    font.italic = face_name_is_italic(name) ? 255 : 0;
    font.out_precision = 4; // TrueType outlines before device fonts
    return font;
}

GdiFontRequest gdi_dialog_font(const char *name) {
    GdiFontRequest font = with_face(name);
    font.height = -13;
    font.weight = 400;
    font.out_precision = 7;
    return font;
}

std::vector<TextLine> split_text_lines(const char *text, std::size_t length) {
    std::vector<TextLine> lines;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == '\n') {
            lines.push_back({begin, i - begin});
            begin = i + 1;
        }
    }
    lines.push_back({begin, length - begin});
    return lines;
}

int32_t widest_line_width(const char *text, const std::vector<TextLine> &lines,
                          const LineWidth &width) {
    if (lines.size() == 1)
        return width(text + lines[0].begin, lines[0].length);
    int32_t widest = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool empty_last = i + 1 == lines.size() && lines[i].length == 0;
        if (!empty_last)
            widest = std::max(widest, width(text + lines[i].begin, lines[i].length));
    }
    return widest;
}

int32_t justification_shift(int32_t justification, int32_t widest, int32_t line_width) {
    const int64_t room = int64_t{widest} - line_width;
    if (justification == 2)
        return saturate_to_int32(room / 2);
    if (justification == 3)
        return saturate_to_int32(room);
    return 0;
}

WorldPointS line_start(const WorldPointS &position, std::size_t index, int32_t height,
                       int32_t shift_world, double angle) {
    // Offsets from the position, exact in 64 bits for any int32 height and
    // any line count a text can have.
    const int64_t ddx = shift_world;
    const int64_t ddy = -static_cast<int64_t>(index) * height;
    if (angle == 0.0)
        return {saturate_to_int32(position.x + ddx), saturate_to_int32(position.y + ddy)};
    const double c = gui_cos(angle), s = gui_sin(angle);
    return {saturate_to_int32(int64_t{position.x} + truncated_product(c, ddx) -
                              truncated_product(s, ddy)),
            saturate_to_int32(int64_t{position.y} + truncated_product(s, ddx) +
                              truncated_product(c, ddy))};
}

int32_t block_height(std::size_t lines, int32_t height) {
    return saturate_to_int32(static_cast<int64_t>(lines) * height);
}

} // namespace vexl
