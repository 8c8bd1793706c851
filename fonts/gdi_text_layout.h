// The arithmetic of TrueType text drawn through GDI, apart from the GDI calls
// so that every build tests it: the font GDI is asked for (weight and slant
// read from the face name, the angle as an escapement), how a text splits
// into lines, which line is the widest, and where each line of a justified,
// rotated block starts.
#ifndef VEXL33_FONTS_GDI_TEXT_LAYOUT_H
#define VEXL33_FONTS_GDI_TEXT_LAYOUT_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "plot/gplot.h"

namespace vexl {

// The face asked for when a table has no name.
inline constexpr const char *kDefaultGdiFaceName = "Dirad Ire ZUZ";
// GDI keeps face names in 32 bytes, the terminating zero included.
inline constexpr std::size_t kGdiFaceNameBytes = 32;

// The fields of a GDI logical font this library fills in; the others are 0.
struct GdiFontRequest {
    int32_t height = 0;     // negative: the character height in pixels
    int32_t escapement = 0; // tenths of a degree, counter-clockwise
    int32_t weight = 0;     // 0 lets the font mapper choose
    uint8_t italic = 0;     // 255 for italic
    uint8_t out_precision = 0;
    uint8_t clip_precision = 0;
    uint8_t quality = 0;
    char face[kGdiFaceNameBytes] = {};
};

// The weight a face name asks for: the first of the weight words found in
// the lower-cased name, the two-word weights before the one-word ones (so
// "Extra Light" is 200, not the 300 of "Light"); 0 when none is there.
int32_t weight_for_face_name(const char *name);
// Whether the name says "italic", in any case.
bool face_name_is_italic(const char *name);
// The angle in radians as tenths of a degree, truncated toward zero;
// saturating, and 0 for an angle that is not a number.
int32_t escapement_for_angle(double radians);

// The font text is drawn (angle turned into the escapement) or measured
// (angle 0) with: size pixels high, weight and slant from the name.
GdiFontRequest gdi_text_font(const char *name, int32_t size, double angle);
// The font the face dialog starts from: 13 pixels, normal weight.
GdiFontRequest gdi_dialog_font(const char *name);

// One line of a text: where it begins and how many bytes it has.
struct TextLine {
    std::size_t begin;
    std::size_t length;
};
// The lines of text[0, length): one more than there are newlines, the last
// one possibly empty (a text ending in a newline ends with an empty line).
std::vector<TextLine> split_text_lines(const char *text, std::size_t length);

// Width in device pixels of text[0, length) in the selected font.
using LineWidth = std::function<int32_t(const char *text, std::size_t length)>;
// The widest line: a single line is measured whole; of several lines each
// is measured, except an empty last one.
int32_t widest_line_width(const char *text, const std::vector<TextLine> &lines,
                          const LineWidth &width);

// How far, in pixels, a line of line_width starts right of a block widest
// pixels wide for a justification (2 centre, 3 right; anything else left).
int32_t justification_shift(int32_t justification, int32_t widest, int32_t line_width);

// Where line `index` (from 0) of a block at position starts: `index` text
// heights below it and shift_world to the right, then turned by angle
// (radians) about the position, each product truncated on its own as the
// stroke text turns its points. Saturates at the int32 range.
WorldPointS line_start(const WorldPointS &position, std::size_t index, int32_t height,
                       int32_t shift_world, double angle);

// Height of a block of `lines` lines of text `height` high; saturating.
int32_t block_height(std::size_t lines, int32_t height);

} // namespace vexl

#endif // VEXL33_FONTS_GDI_TEXT_LAYOUT_H
