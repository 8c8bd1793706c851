// The glyph metrics of one face at one point size, kept so that measuring on
// a screen plot adds cached advances instead of loading glyphs again.
#ifndef VEXL33_FONTS_METRIC_BLOCK_H
#define VEXL33_FONTS_METRIC_BLOCK_H

#include <array>
#include <cstdint>
#include <memory>

namespace vexl {

// A glyph rendered into one bit per pixel, its rows running downward.
struct RasterMap {
    int32_t rows = 0;
    int32_t cols = 0;  // bytes per row
    int32_t width = 0; // pixels per row
    int32_t flow = -1; // rows run downward
    std::unique_ptr<uint8_t[]> bitmap;
    int32_t size = 0; // cols x rows bytes
};

// A hinted glyph's metrics in 26.6 fixed-point pixels.
struct GlyphMetrics {
    int32_t x_min = 0;
    int32_t y_min = 0;
    int32_t x_max = 0;
    int32_t y_max = 0;
    int32_t bearing_x = 0;
    int32_t bearing_y = 0;
    int32_t advance = 0;
};

struct MetricEntry {
    uint16_t glyph_index = 0;
    GlyphMetrics metrics;
    std::unique_ptr<RasterMap> bitmap; // null for blanks and large sizes
};

// One entry per byte value, looked up by the byte itself.
struct MetricBlock {
    std::array<MetricEntry, 256> entries;
};

} // namespace vexl

#endif // VEXL33_FONTS_METRIC_BLOCK_H
