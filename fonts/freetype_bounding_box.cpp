// The exported TrueType text measurements: the size of a text in world units,
// on a plot's device or without a window.
#include <cstring>
#include <functional>
#include <optional>

#include "core/c_boundary.h"
#include "core/gxwin_base.h"
#include "fonts/freetype_measure.h"
#include "fonts/gdi_faces.h"
#include "fonts/table_name.h"
#include "support/int32_conversions.h"
#include "support/rtk_math.h"

namespace {

constexpr double kPointsPerInch = 72.0;

// A table loaded with Hershey glyphs. Its text is stroke text, one cell per
// character, and it must never be given a face: loading one would rename
// the table and make it a TrueType table that draws nothing.
bool is_stroke_table(const GFontTable *table) {
    return table != nullptr &&
           (table->kind == GFONT_TABLE_ASCII || table->kind == GFONT_TABLE_VIRTUAL) &&
           table->font_set.glyphs != nullptr;
}

// What a measurement starts from: the table's face, opened if need be.
vexl::FreeTypeFont *loaded_font(GFontTable *table) {
    if (!vexl::ensure_freetype_font_loaded(table))
        return nullptr;
    return static_cast<vexl::FreeTypeFont *>(table->freetype_font);
}

void set_outputs(int32_t *height_out, int32_t *width_out, int32_t value) {
    *height_out = value;
    *width_out = value;
}

// How one of the calls turns its text height into a point size, and a width
// in pixels into world units.
struct Scales {
    std::function<int32_t()> point_size;
    std::function<int32_t(int64_t)> world_width;
};

// Measures text with the loaded face for a height other than 0: sets the
// resolution and the size (0 when either fails, outputs untouched), answers
// 1 x 1 for sizes below one point, and otherwise writes the line count times
// the text height and the widest line in world units. An empty text is one
// line whose glyphs must still load; its width is 0. A text whose glyphs do
// not load measures 0 x 0 and still answers 1.
int measure(vexl::FreeTypeFont &face, const GFontTable &table, const GPlot *plot, int32_t height,
            const char *text, int32_t *height_out, int32_t *width_out, const Scales &scales) {
    // A table can hold a face and no name (its name cleared by a Hershey-mode
    // unload); the name only labels messages and the size fast path.
    const char *name = table.name != nullptr ? table.name : "";
    if (!vexl::set_freetype_resolution(face, name, plot))
        return 0;
    const int32_t point_size = scales.point_size();
    if (point_size <= 0) {
        set_outputs(height_out, width_out, 1);
        return 1;
    }
    if (!vexl::set_freetype_point_size(face, name, plot, point_size))
        return 0;
    const bool empty = text == nullptr || text[0] == '\0';
    const char *measured = empty ? "gM" : text;
    const vexl::MeasuredLines lines =
        vexl::measure_freetype_lines(face, name, plot, measured, std::strlen(measured))
            .value_or(vexl::MeasuredLines{});
    *width_out = empty || lines.count == 0 ? 0 : scales.world_width(lines.widest);
    *height_out = vexl::saturate_to_int32(lines.count * height);
    return 1;
}

} // namespace

VEXL_API int gfreetype_get_bounding_box(GXWINbase *device, GFontTable *font, int32_t height,
                                        const char *text, int32_t *height_out,
                                        int32_t *width_out) VEXL_TRY {
    if (device == nullptr || height_out == nullptr || width_out == nullptr)
        return 0;
    if (is_stroke_table(font))
        return gftable_get_ascii_text_bound_box(font, height, text, height_out, width_out);
    GPlot *plot = device->plot;
    vexl::FreeTypeFont *face = loaded_font(font);
    if (face == nullptr)
        return 0;
    if (height == 0 || (plot != nullptr && plot->device_kind == GPLOT_HPGL2)) {
        set_outputs(height_out, width_out, 0);
        return 0;
    }
    const Scales scales{
        [plot, font, height] { return gttfont_worldToPointSize(plot, font, height); },
        [plot](int64_t pixels) {
            return gttfont_deviceToWorldWidth(plot, vexl::saturate_to_int32(pixels));
        }};
    return measure(*face, *font, plot, height, text, height_out, width_out, scales);
}
VEXL_CATCH_RETURN(0)

extern "C" {

VEXL_API int gfreetype_get_bounding_box_nw(GFontTable *font, DBUnitCode units, double scale,
                                           int32_t height, const char *text, int32_t *height_out,
                                           int32_t *width_out) VEXL_TRY {
    if (height_out == nullptr || width_out == nullptr)
        return 0;
    if (is_stroke_table(font))
        return gftable_get_ascii_text_bound_box(font, height, text, height_out, width_out);
    vexl::FreeTypeFont *face = loaded_font(font);
    if (face == nullptr)
        return 0;
    if (height == 0) {
        set_outputs(height_out, width_out, 0);
        return 0;
    }
    // The width is taken as points at the scale, whatever the unit: callers
    // of the windowless measurement have always had it so.
    const Scales scales{[font, units, scale, height] {
                            return gttfont_db_worldToPointSize(font, units, scale, height);
                        },
                        [scale](int64_t pixels) {
                            return gmath_kdround(static_cast<double>(pixels) /
                                                 (scale * kPointsPerInch));
                        }};
    return measure(*face, *font, nullptr, height, text, height_out, width_out, scales);
}
VEXL_CATCH_RETURN(0)

// Where GDI draws TrueType text it measures it too, so that a measured text
// fits the drawn one; elsewhere the FreeType measurement answers for
// TrueType tables. Hershey tables get the stroke measurement. Either way the
// caller's table keeps its name, kind and face: a face it does not hold yet
// is opened for a stand-in table named like it and let go afterwards.
VEXL_API int gttfont_get_bounding_box_nw(GFontTable *font, DBUnitCode units, double scale,
                                         int32_t height, const char *text, int32_t *height_out,
                                         int32_t *width_out) VEXL_TRY {
    if (font == nullptr || height_out == nullptr || width_out == nullptr)
        return 0;
    if (is_stroke_table(font))
        return gftable_get_ascii_text_bound_box(font, height, text, height_out, width_out);
    if (const std::optional<int> gdi =
            vexl::gdi_text_bounding_box_nw(font, units, scale, height, text, height_out, width_out))
        return *gdi;
    if (font->freetype_font != nullptr)
        return gfreetype_get_bounding_box_nw(font, units, scale, height, text, height_out,
                                             width_out);
    if (font->name == nullptr)
        return 0; // no face and nothing to find one by
    GFontTable stand_in{};
    stand_in.kind = GFONT_TABLE_TRUETYPE;
    vexl::set_table_name(&stand_in, font->name);
    const int result =
        gfreetype_get_bounding_box_nw(&stand_in, units, scale, height, text, height_out, width_out);
    gfreetype_unloadFont(&stand_in);
    return result;
}
VEXL_CATCH_RETURN(0)

} // extern "C"
