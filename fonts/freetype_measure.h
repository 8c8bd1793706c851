// Measuring TrueType text with a font table's FreeType face: the size the
// face is set to, the metric blocks screen plots keep per point size, and the
// width of lines in pixels. The exported bounding-box calls are built from
// these steps; tests and benchmarks use them one by one.
#ifndef VEXL33_FONTS_FREETYPE_MEASURE_H
#define VEXL33_FONTS_FREETYPE_MEASURE_H

#include <cstddef>
#include <cstdint>
#include <optional>

#include "fonts/freetype_font.h"
#include "plot/gplot.h"

namespace vexl {

// Loads the glyph of char_code at the current size and reads its hinted
// metrics; activity ("caching", "creating") completes the failure messages.
bool load_glyph_metrics(FreeTypeFont &font, const char *table_name, FT_ULong char_code,
                        const char *activity, FT_UInt &glyph_index, GlyphMetrics &metrics);

// Only screen plots, which measure the same sizes again and again, keep
// metric blocks; other plots and windowless measurements load glyphs.
inline bool keeps_metric_blocks(const GPlot *plot) {
    return plot != nullptr && plot->device_kind == GPLOT_SCREEN;
}

// Resolution of measurements made without a plot, in dots per inch.
inline constexpr int32_t kWindowlessResolution = 96;

// Stores the plot's resolution (its device's vertical pixels per inch, or
// 96 without a plot or device) as the one later sizes use. False, with the
// table name and reason on stderr, when the device has no usable resolution.
bool set_freetype_resolution(FreeTypeFont &font, const char *table_name, const GPlot *plot);

// Sets the face to point_size at the stored resolution and, on a screen
// plot, makes sure the metric block of that size exists. A size and
// resolution the font was last set to by this table is not set again.
bool set_freetype_point_size(FreeTypeFont &font, const char *table_name, const GPlot *plot,
                             int32_t point_size);

// Builds the metric block of the font's current point size when the plot
// is a screen plot and the block does not exist yet: every byte value's
// glyph index and metrics, and, up to the largest cached size, its bitmap.
// A build that fails part-way leaves no block behind.
bool ensure_metric_block(FreeTypeFont &font, const char *table_name, const GPlot *plot);

// Width in pixels of length bytes of text at the current point size: summed
// cached advances on a screen plot with a block, loaded glyphs otherwise.
// Nothing, with the reason on stderr, when a glyph cannot be loaded.
std::optional<int64_t> measure_freetype_line(FreeTypeFont &font, const char *table_name,
                                             const GPlot *plot, const char *text,
                                             std::size_t length);

struct MeasuredLines {
    int64_t count = 0;  // lines, a final newline not starting another
    int64_t widest = 0; // pixels
};

// The number of lines of text and the width of the widest.
std::optional<MeasuredLines> measure_freetype_lines(FreeTypeFont &font, const char *table_name,
                                                    const GPlot *plot, const char *text,
                                                    std::size_t length);

} // namespace vexl

#endif // VEXL33_FONTS_FREETYPE_MEASURE_H
