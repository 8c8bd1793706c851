// When the interface clips in world coordinates itself, rather than leaving
// clipping to the device.
#ifndef VEXL33_PLOT_CLIPPING_STATE_H
#define VEXL33_PLOT_CLIPPING_STATE_H

#include <cstdint>

#include "core/gxwin_base.h"
#include "plot/gplot.h"

namespace vexl {

// For points, rectangles and rectangle clearing: the plot asked for world
// clipping, or its last world window, clip rectangle or arc did not fit the
// device's integer range (so nothing may reach the device unclipped).
inline bool world_clipping_active(const GPlot &plot) {
    return plot.clip_mode != 0 || plot.device->world_out_of_range == 1;
}

// For lines, poly-lines, segments and polygons, which a device may also
// forbid to be clipped here.
inline bool line_clipping_active(const GPlot &plot) {
    return plot.line_clipping != 0 && world_clipping_active(plot);
}

// The plot's world clip rectangle as the device holds it.
struct ClipRectangle {
    int32_t rect[4];
    explicit ClipRectangle(GPlot &plot) { plot.device->get_clip_world(rect); }
};

inline int as_result(bool ok) {
    return ok ? 1 : 0;
}

} // namespace vexl

#endif // VEXL33_PLOT_CLIPPING_STATE_H
