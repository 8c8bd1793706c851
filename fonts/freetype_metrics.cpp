// Loading glyph metrics through FreeType and keeping them, with rendered
// bitmaps for small sizes, in a metric block per point size.
#include <cstdio>
#include <limits>
#include <new>

#include "fonts/freetype_engine.h"
#include "fonts/freetype_measure.h"

#include FT_OUTLINE_H

namespace vexl {

namespace {

// Scaled and hinted outlines; embedded bitmaps would leave no outline to
// measure the box of or to render at the cache's own offsets.
constexpr FT_Int32 kGlyphLoadFlags = FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP;

constexpr int kSpace = 32;

// Pixel grid of a glyph box: the pixel left of and below the box's corner,
// and how many rows and columns reach past its other corner. Integer
// division truncates toward zero, which the -63 and +63 offsets allow for.
struct PixelBox {
    int64_t x0, y0, rows, width;
};

PixelBox pixel_box(const GlyphMetrics &m) {
    PixelBox box{};
    box.x0 = (int64_t{m.x_min} - 63) / 64;
    box.y0 = (int64_t{m.y_min} - 63) / 64;
    box.rows = (int64_t{m.y_max} + 63) / 64 - box.y0;
    box.width = (int64_t{m.x_max} + 63) / 64 - box.x0;
    return box;
}

// Renders the glyph just loaded into a new one-bit map covering its box.
// Null map with true: nothing to render (no rows or no columns).
bool render_glyph(FreeTypeFont &font, const char *table_name, const GlyphMetrics &metrics,
                  std::unique_ptr<RasterMap> &rendered) {
    const PixelBox box = pixel_box(metrics);
    if (box.rows == 0 || box.width == 0)
        return true;
    std::unique_ptr<RasterMap> map(new (std::nothrow) RasterMap);
    if (map == nullptr) {
        std::fprintf(stderr, "Font raster allocation error, while rendering text [%s].\n",
                     table_name);
        return false;
    }
    const int64_t cols = (box.width + 7) / 8;
    const int64_t size = cols * box.rows;
    if (box.rows > 0 && box.width > 0 && size <= std::numeric_limits<int32_t>::max())
        map->bitmap.reset(new (std::nothrow) uint8_t[static_cast<std::size_t>(size)]());
    if (map->bitmap == nullptr) {
        std::fprintf(stderr, "Font bitmap allocation error, while rendering text [%s].\n",
                     table_name);
        return false;
    }
    map->rows = static_cast<int32_t>(box.rows);
    map->cols = static_cast<int32_t>(cols);
    map->width = static_cast<int32_t>(box.width);
    map->size = static_cast<int32_t>(size);

    FT_Error error = FT_Err_Invalid_Glyph_Format;
    if (font.glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Outline_Translate(&font.glyph->outline, static_cast<FT_Pos>(-box.x0 * 64),
                             static_cast<FT_Pos>(-box.y0 * 64));
        FT_Bitmap target{};
        target.rows = static_cast<unsigned>(map->rows);
        target.width = static_cast<unsigned>(map->width);
        target.pitch = map->cols; // positive: the first row is the top one
        target.buffer = map->bitmap.get();
        target.num_grays = 2;
        target.pixel_mode = FT_PIXEL_MODE_MONO;
        error = FT_Outline_Get_Bitmap(freetype_engine(), &font.glyph->outline, &target);
    }
    if (error != 0) {
        report_freetype_failure(error, "Font glyph bitmap error, while rendering text [%s].\n",
                                table_name);
        return false;
    }
    rendered = std::move(map);
    return true;
}

} // namespace

bool load_glyph_metrics(FreeTypeFont &font, const char *table_name, FT_ULong char_code,
                        const char *activity, FT_UInt &glyph_index, GlyphMetrics &metrics) {
    glyph_index = FT_Get_Char_Index(font.face, char_code);
    if (static_cast<FT_Long>(glyph_index) >= font.face->num_glyphs) {
        std::fprintf(stderr, "Font index error, while %s font metrics [%s].\n", activity,
                     table_name);
        return false;
    }
    const FT_Error error = FT_Load_Glyph(font.face, glyph_index, kGlyphLoadFlags);
    if (error != 0) {
        report_freetype_failure(error, "Font glyph load error, while %s font metrics [%s].\n",
                                activity, table_name);
        return false;
    }
    const FT_Glyph_Metrics &loaded = font.glyph->metrics;
    FT_BBox box{loaded.horiBearingX, loaded.horiBearingY - loaded.height,
                loaded.horiBearingX + loaded.width, loaded.horiBearingY};
    if (font.glyph->format == FT_GLYPH_FORMAT_OUTLINE)
        FT_Outline_Get_CBox(&font.glyph->outline, &box);
    metrics.x_min = static_cast<int32_t>(box.xMin);
    metrics.y_min = static_cast<int32_t>(box.yMin);
    metrics.x_max = static_cast<int32_t>(box.xMax);
    metrics.y_max = static_cast<int32_t>(box.yMax);
    metrics.bearing_x = static_cast<int32_t>(loaded.horiBearingX);
    metrics.bearing_y = static_cast<int32_t>(loaded.horiBearingY);
    metrics.advance = static_cast<int32_t>(loaded.horiAdvance);
    return true;
}

bool ensure_metric_block(FreeTypeFont &font, const char *table_name, const GPlot *plot) {
    if (!keeps_metric_blocks(plot) || font.size_cache.count(font.point_size) != 0)
        return true;
    // Built aside and stored only when complete, so that a failure part-way
    // never leaves a block later measurements would trust.
    std::unique_ptr<MetricBlock> block(new (std::nothrow) MetricBlock);
    if (block == nullptr) {
        std::fprintf(stderr, "Font metrics allocation error, while caching font metrics [%s].\n",
                     table_name);
        return false;
    }
    const bool with_bitmaps = font.point_size <= freetype_max_cache_point_size();
    for (int c = 0; c < static_cast<int>(block->entries.size()); ++c) {
        MetricEntry &entry = block->entries[static_cast<std::size_t>(c)];
        FT_UInt glyph_index = 0;
        if (!load_glyph_metrics(font, table_name, static_cast<FT_ULong>(c), "caching", glyph_index,
                                entry.metrics))
            return false;
        entry.glyph_index = static_cast<uint16_t>(glyph_index);
        if (with_bitmaps && c != kSpace &&
            !render_glyph(font, table_name, entry.metrics, entry.bitmap))
            return false;
    }
    font.size_cache.emplace(font.point_size, std::move(block));
    return true;
}

} // namespace vexl
