// The text interface: stroke text drawn glyph by glyph as clipped poly-lines,
// TrueType text handed to the device, measurement, justification and tabs.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/c_boundary.h"
#include "core/errors.h"
#include "core/gxwin_base.h"
#include "fonts/tab_stops.h"
#include "plot/clipping_state.h"
#include "plot/gplot.h"
#include "plot/plot_handle.h"
#include "plot/point_list.h"
#include "support/int32_conversions.h"
#include "support/rtk_math.h"

namespace vexl {

namespace {

constexpr int kLeft = 1;
constexpr int kCentre = 2;
constexpr int kRight = 3;

bool is_truetype(const GFontTable &font) {
    return font.kind == GFONT_TABLE_TRUETYPE;
}

// The writing calls' checks: a usable plot, a table and a position, and a
// height that is not negative.
bool refused_text(const GPlot *plot, const GFontTable *font, const WorldPointS *position,
                  int32_t height) {
    return refused(plot, font == nullptr || position == nullptr || height < 0);
}

// A point turned by `angle` about origin, each product truncated on its own.
WorldPointS rotate_about(const WorldPointS &p, const WorldPointS &origin, double angle) {
    if (angle == 0)
        return p;
    const double dx = static_cast<double>(p.x) - origin.x;
    const double dy = static_cast<double>(p.y) - origin.y;
    const double c = gui_cos(angle), s = gui_sin(angle);
    const int64_t x = int64_t{origin.x} + int64_t{trunc_to_int32(c * dx)} - trunc_to_int32(s * dy);
    const int64_t y = int64_t{origin.y} + int64_t{trunc_to_int32(s * dx)} + trunc_to_int32(c * dy);
    return {saturate_to_int32(x), saturate_to_int32(y)};
}

// The glyph cell of a table's font set and the scale of one Hershey unit.
struct Cell {
    int32_t x_min, x_max, y_min, y_max;
    explicit Cell(const GFontTable &font)
        : x_min(font.font_set.bound_box[0]), x_max(font.font_set.bound_box[1]),
          y_min(font.font_set.bound_box[2]), y_max(font.font_set.bound_box[3]) {}
    double height() const { return static_cast<double>(y_max) - y_min; }
    double width() const { return static_cast<double>(x_max) - x_min; }
    // The advance of one cell at this text height.
    int32_t advance(int32_t text_height) const {
        return trunc_to_int32(width() * text_height / height());
    }
};

bool is_pen_up(int32_t x, int32_t y) {
    return x == GFONT_PEN_UP_X && y == GFONT_PEN_UP_Y;
}

// Strokes one glyph at pen, turned about origin: runs of points between pen
// lifts become poly-lines.
int stroke_glyph(GPlot *plot, const GFontTable &font, GFont &glyph, const WorldPointS &pen,
                 const WorldPointS &origin, double angle, int32_t height) {
    const Cell cell(font);
    const double scale = height / cell.height();
    PointList stroke(64);
    const auto draw_stroke = [&] {
        if (!stroke.empty())
            gplot_draw_lines_world(plot, stroke.data(), stroke.size());
        stroke.clear();
    };
    const int32_t n = gfont_num_points(&glyph);
    for (int32_t i = 0; i < n; ++i) {
        int32_t gx = 0, gy = 0;
        gfont_get_coord(&glyph, i, &gx, &gy);
        if (is_pen_up(gx, gy)) {
            draw_stroke(); // a lift with no stroke drawn is simply skipped
            continue;
        }
        const int64_t wx =
            int64_t{pen.x} + trunc_to_int32((static_cast<double>(gx) - cell.x_min) * scale);
        const int64_t wy =
            int64_t{pen.y} - trunc_to_int32((static_cast<double>(gy) + cell.y_min) * scale);
        stroke.append(rotate_about({saturate_to_int32(wx), saturate_to_int32(wy)}, origin, angle));
    }
    draw_stroke();
    return stroke.failed() ? fail(Error::MallocFailed) : 1;
}

// Lengths of line `wanted` (from 1) and of the longest line of a text; a
// newline at the very end starts no further line.
void measure_text_line(const char *text, int32_t wanted, int64_t &length, int64_t &longest) {
    length = 0;
    longest = 0;
    int32_t line = 1;
    int64_t current = 0;
    for (const char *p = text;; ++p) {
        if (*p == '\n' || *p == '\0') {
            if (line == wanted)
                length = current;
            if (current > longest)
                longest = current;
            if (*p == '\0' || p[1] == '\0')
                return;
            ++line;
            current = 0;
        } else {
            ++current;
        }
    }
}

// The steps both bounding-box calls share before measuring: -1 (code 10)
// for bad arguments, 1 when the answer is already known (empty text: one
// line of the height and no width; height 0: nothing), 0 to go on measuring.
// The outputs are zero from here on.
int settle_bound_box(const GFontTable *font, int32_t height, const char *text, int32_t *height_out,
                     int32_t *width_out) {
    if (font == nullptr || height < 0 || height_out == nullptr || width_out == nullptr) {
        fail(Error::InvalidArgument);
        return -1;
    }
    *height_out = 0;
    *width_out = 0;
    if (text == nullptr || text[0] == '\0') {
        *height_out = height;
        return 1;
    }
    return height == 0 ? 1 : 0;
}

} // namespace

// Whether drawing c with table draws nothing (a blank, or no glyph at all).
bool glyph_is_empty(GFontTable &table, char c) {
    GFont glyph;
    return !gfs_get_font_ascii(&table.font_set, c, &glyph) || glyph.num_points == 0;
}

} // namespace vexl

using vexl::Error;
using vexl::fail;

extern "C" {

VEXL_API int gplot_draw_rotated_ascii_font_world(GPlot *plot, GFontTable *font, char c,
                                                 const WorldPointS *pen, const WorldPointS *origin,
                                                 double angle, int32_t height) VEXL_TRY {
    if (vexl::refused(plot, font == nullptr || pen == nullptr || origin == nullptr))
        return 0;
    if (vexl::is_truetype(*font)) {
        const char one[2] = {c, '\0'};
        const WorldPointS at = vexl::rotate_about(*pen, *origin, angle);
        return vexl::as_result(plot->device->write_rotated_text(font, at, height, angle, one));
    }
    GFont glyph;
    if (!gfs_get_font_ascii(&font->font_set, c, &glyph))
        return fail(Error::NoSuchAsciiFont);
    return vexl::stroke_glyph(plot, *font, glyph, *pen, *origin, angle, height);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_write_rotated_ascii_text_world(GPlot *plot, GFontTable *font,
                                                  const WorldPointS *position, int32_t height,
                                                  double angle, const char *text) VEXL_TRY {
    if (vexl::refused_text(plot, font, position, height))
        return 0;
    if (text == nullptr || text[0] == '\0' || height == 0)
        return 1;
    if (vexl::is_truetype(*font))
        return vexl::as_result(
            plot->device->write_rotated_text(font, *position, height, angle, text));
    if (vexl::Cell(*font).height() == 0)
        return fail(Error::InvalidFont);

    // Every character of a stroke font is one cell wide, so the pen after k
    // characters of a line is the measured width of k cells: counting them is
    // the same as measuring the line so far, without measuring it again.
    const vexl::Cell cell(*font);
    WorldPointS pen = *position;
    int64_t line_cells = 0;
    int64_t column = 0;
    const auto advance = [&](int64_t cells) {
        line_cells += cells;
        const double width =
            static_cast<double>(height) * (line_cells * cell.width()) / cell.height();
        pen.x = vexl::saturate_to_int32(int64_t{position->x} + vexl::trunc_to_int32(width));
    };
    int result = 1;
    for (const char *p = text; *p != '\0' && result != 0; ++p) {
        if (*p == '\n') {
            pen.x = position->x;
            pen.y = vexl::saturate_to_int32(int64_t{pen.y} - height);
            line_cells = 0;
            column = 0;
        } else if (*p == '\t') {
            const int64_t blanks =
                vexl::blanks_to_tab_stop(column, gftable_get_global_font_tabstop());
            column += blanks;
            // A blank without strokes only moves the pen: the rest of the
            // blanks are one step, however far away a large tab stop is.
            const bool blank_is_empty = vexl::glyph_is_empty(*font, ' ');
            for (int64_t i = 0; i < blanks && result != 0; ++i) {
                result = gplot_draw_rotated_ascii_font_world(plot, font, ' ', &pen, position, angle,
                                                             height);
                if (blank_is_empty) {
                    advance(blanks - i);
                    break;
                }
                advance(1);
            }
        } else {
            result =
                gplot_draw_rotated_ascii_font_world(plot, font, *p, &pen, position, angle, height);
            advance(1);
            ++column;
        }
    }
    return result;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_write_ascii_text_world(GPlot *plot, GFontTable *font,
                                          const WorldPointS *position, int32_t height,
                                          const char *text) VEXL_TRY {
    return gplot_write_rotated_ascii_text_world(plot, font, position, height, 0.0, text);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_write_rotated_virtual_text_world(GPlot *plot, GFontTable *font,
                                                    const WorldPointS *position, int32_t height,
                                                    double angle, const int32_t *codes,
                                                    int32_t count) VEXL_TRY {
    if (vexl::refused_text(plot, font, position, height))
        return 0;
    if (codes == nullptr || count < 1 || codes[0] == 0 || height == 0)
        return 1;
    const vexl::Cell cell(*font);
    if (cell.height() == 0)
        return fail(Error::InvalidFont);
    const int32_t step = cell.advance(height);
    WorldPointS pen = *position;
    int result = 1;
    for (int32_t i = 0; i < count && result != 0; ++i) {
        if (codes[i] == 0) {
            pen.x = position->x;
            pen.y = vexl::saturate_to_int32(int64_t{pen.y} - height);
            continue;
        }
        GFont glyph;
        if (!gfs_get_font_virtual(&font->font_set, codes[i], &glyph))
            return fail(Error::NoSuchFontNumber);
        result = vexl::stroke_glyph(plot, *font, glyph, pen, *position, angle, height);
        pen.x = vexl::saturate_to_int32(int64_t{pen.x} + step);
    }
    return result;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_write_virtual_text_world(GPlot *plot, GFontTable *font,
                                            const WorldPointS *position, int32_t height,
                                            const int32_t *codes, int32_t count) VEXL_TRY {
    return gplot_write_rotated_virtual_text_world(plot, font, position, height, 0.0, codes, count);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_ascii_text_bound_box(GPlot *plot, GFontTable *font, int32_t height,
                                            const char *text, int32_t *height_out,
                                            int32_t *width_out) VEXL_TRY {
    // An unusable plot is reported as a bad argument here.
    if (!vexl::plot_is_valid(plot))
        return fail(Error::InvalidArgument);
    if (const int settled = vexl::settle_bound_box(font, height, text, height_out, width_out))
        return settled > 0 ? 1 : 0;
    if (vexl::is_truetype(*font))
        return vexl::as_result(
            plot->device->get_text_bound_box(font, height, text, width_out, height_out));
    return gftable_get_ascii_text_bound_box(font, height, text, height_out, width_out);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_ascii_text_bound_box_nw(GFontTable *font, DBUnitCode units, double scale,
                                               int32_t height, const char *text,
                                               int32_t *height_out, int32_t *width_out) VEXL_TRY {
    if (const int settled = vexl::settle_bound_box(font, height, text, height_out, width_out))
        return settled > 0 ? 1 : 0;
    if (vexl::is_truetype(*font))
        return gttfont_get_bounding_box_nw(font, units, scale, height, text, height_out, width_out);
    return gftable_get_ascii_text_bound_box(font, height, text, height_out, width_out);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_set_ascii_text_justification(GPlot *plot, int justification) VEXL_TRY {
    if (vexl::refused(plot))
        return 0;
    if (justification < vexl::kLeft || justification > vexl::kRight)
        return fail(Error::InvalidJustification);
    plot->justification = justification;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_ascii_text_justification(GPlot *plot, int *justification) VEXL_TRY {
    if (vexl::refused(plot, justification == nullptr))
        return 0;
    *justification = plot->justification;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_set_ascii_text_tabstop(GPlot *plot, int tabstop) VEXL_TRY {
    if (vexl::refused(plot))
        return 0;
    if (tabstop <= 0)
        return fail(Error::InvalidTabStop);
    plot->tab_stop = tabstop;
    gftable_set_global_font_tabstop(tabstop);
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_ascii_text_tabstop(GPlot *plot, int *tabstop) VEXL_TRY {
    if (vexl::refused(plot, tabstop == nullptr))
        return 0;
    *tabstop = gftable_get_global_font_tabstop();
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int justify_starting_point(GPlot *plot, WorldPointS *position, int32_t char_width,
                                    const char *text, int32_t line) VEXL_TRY {
    if (vexl::refused(plot, position == nullptr))
        return 0;
    if (plot->justification == vexl::kLeft)
        return 1;
    if (text == nullptr || text[0] == '\0')
        return fail(Error::CannotJustify);
    int64_t length = 0, longest = 0;
    vexl::measure_text_line(text, line, length, longest);
    const int64_t d = longest - length;
    int64_t x = position->x;
    if (plot->justification == vexl::kRight) {
        x += d * char_width;
    } else if (plot->justification == vexl::kCentre) {
        x += (d / 2) * char_width;
        if (d % 2 != 0)
            x += char_width / 2;
    }
    position->x = vexl::saturate_to_int32(x);
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_set_font(void) VEXL_TRY {
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gscrndump_syscall(void) VEXL_TRY {
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gscrndump_window(void) VEXL_TRY {
    return 1;
}
VEXL_CATCH_RETURN(0)

} // extern "C"
