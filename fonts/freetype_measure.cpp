// Setting a face to a plot's resolution and a point size, and measuring
// lines of text with it.
#include "fonts/freetype_measure.h"

#include <cstring>
#include <limits>

#include "core/gxwin_base.h"
#include "fonts/freetype_engine.h"
#include "support/rtk_math.h"

#include FT_SIZES_H

namespace vexl {

namespace {

constexpr double kMillimetresPerInch = 25.4;
// FreeType keeps resolutions in 16 bits.
constexpr int32_t kLargestResolution = 0xFFFF;

const MetricBlock *cached_block(const FreeTypeFont &font, const GPlot *plot) {
    if (!keeps_metric_blocks(plot))
        return nullptr;
    const auto found = font.size_cache.find(font.point_size);
    return found == font.size_cache.end() ? nullptr : found->second.get();
}

int64_t rounded_pixels(int32_t advance) {
    return (int64_t{advance} + 32) / 64;
}

} // namespace

bool set_freetype_resolution(FreeTypeFont &font, const char *table_name, const GPlot *plot) {
    int32_t dpi = kWindowlessResolution;
    if (plot != nullptr && plot->device != nullptr)
        dpi = gmath_kdround(plot->device->pixels_per_mm_y * kMillimetresPerInch);
    if (dpi < 1 || dpi > kLargestResolution) {
        // A device that has not measured itself yet: no size can be set.
        report_freetype_failure(FT_Err_Invalid_Argument, "Font file set resolution error [%s].\n",
                                table_name);
        return false;
    }
    font.resolution = dpi;
    return true;
}

bool set_freetype_point_size(FreeTypeFont &font, const char *table_name, const GPlot *plot,
                             int32_t point_size) {
    if (!font.last_name.empty() && font.last_point_size == point_size &&
        font.last_resolution == font.resolution && font.last_name == table_name) {
        font.point_size = point_size;
        // The size may have been set last without a screen plot, which builds
        // no block, so the block is still made sure of.
        return ensure_metric_block(font, table_name, plot);
    }
    // Whatever happens now, the face's size may no longer be the last one set.
    font.last_name.clear();
    FT_Error error = FT_Err_Invalid_Pixel_Size;
    if (point_size <= std::numeric_limits<int32_t>::max() / 64) {
        error = FT_Activate_Size(font.instance);
        if (error == 0)
            error = FT_Set_Char_Size(font.face, 0, FT_F26Dot6{point_size} * 64,
                                     static_cast<FT_UInt>(font.resolution),
                                     static_cast<FT_UInt>(font.resolution));
    }
    if (error != 0) {
        report_freetype_failure(error, "Font error while setting point size [%s:%d].\n", table_name,
                                point_size);
        return false;
    }
    font.point_size = point_size;
    if (!ensure_metric_block(font, table_name, plot))
        return false;
    font.last_resolution = font.resolution;
    font.last_point_size = point_size;
    font.last_name = table_name;
    return true;
}

std::optional<int64_t> measure_freetype_line(FreeTypeFont &font, const char *table_name,
                                             const GPlot *plot, const char *text,
                                             std::size_t length) {
    const auto *bytes = reinterpret_cast<const unsigned char *>(text);
    int64_t width = 0;
    if (const MetricBlock *block = cached_block(font, plot)) {
        for (std::size_t i = 0; i < length; ++i)
            width += rounded_pixels(block->entries[bytes[i]].metrics.advance);
        return width;
    }
    FT_UInt glyph_index = 0;
    GlyphMetrics metrics;
    for (std::size_t i = 0; i < length; ++i) {
        if (!load_glyph_metrics(font, table_name, bytes[i], "creating", glyph_index, metrics))
            return std::nullopt;
        width += rounded_pixels(metrics.advance);
    }
    // The glyphs every line's height is judged by must load as well.
    for (const unsigned char probe : {'g', 'M'})
        if (!load_glyph_metrics(font, table_name, probe, "creating", glyph_index, metrics))
            return std::nullopt;
    return width;
}

std::optional<MeasuredLines> measure_freetype_lines(FreeTypeFont &font, const char *table_name,
                                                    const GPlot *plot, const char *text,
                                                    std::size_t length) {
    MeasuredLines measured;
    std::size_t start = 0;
    do {
        const void *newline = std::memchr(text + start, '\n', length - start);
        const std::size_t end =
            newline == nullptr
                ? length
                : static_cast<std::size_t>(static_cast<const char *>(newline) - text);
        const std::optional<int64_t> width =
            measure_freetype_line(font, table_name, plot, text + start, end - start);
        if (!width)
            return std::nullopt;
        ++measured.count;
        if (*width > measured.widest)
            measured.widest = *width;
        start = end + 1;
    } while (start < length);
    return measured;
}

} // namespace vexl
