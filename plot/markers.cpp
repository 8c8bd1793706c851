// Markers: small shapes drawn around points through the interface's own
// primitives, so they are clipped and filled like anything else. They are
// always drawn with solid lines; the plot's line type is restored afterwards.
#include <cstdint>

#include "core/c_boundary.h"
#include "core/errors.h"
#include "core/gxwin_base.h"
#include "plot/gplot.h"
#include "plot/plot_handle.h"
#include "support/int32_conversions.h"

namespace vexl {

namespace {

constexpr int32_t kHighestLineType = 6;

enum Marker : int32_t {
    Square = 0,
    Circle = 1,
    TriangleDown = 2,
    TriangleUp = 3,
    Diamond = 4,
    Star = 5,
    DiagonalCross = 6,
    Plus = 7,
};

bool inside_world(const GPlot &plot, const WorldPointS &p) {
    return p.x >= plot.world[0] && p.x <= plot.world[2] && p.y >= plot.world[1] &&
           p.y <= plot.world[3];
}

// Offsets from the centre, kept inside int32 for centres near its limits.
struct MarkerFrame {
    int32_t x, y, left, right, bottom, top;
    MarkerFrame(const WorldPointS &p, int32_t h)
        : x(p.x), y(p.y), left(saturate_to_int32(int64_t{p.x} - h)),
          right(saturate_to_int32(int64_t{p.x} + h)), bottom(saturate_to_int32(int64_t{p.y} - h)),
          top(saturate_to_int32(int64_t{p.y} + h)) {}
};

void draw_lines_of(GPlot *plot, const WorldPointS *ends, int count) {
    for (int i = 0; i < count; ++i)
        gplot_draw_line_world(plot, &ends[2 * i], &ends[2 * i + 1]);
}

void draw_marker(GPlot *plot, const WorldPointS &centre, int32_t h) {
    const MarkerFrame m(centre, h);
    switch (plot->marker) {
        case Square: {
            const WorldPointS square[4] = {
                {m.left, m.bottom}, {m.right, m.bottom}, {m.right, m.top}, {m.left, m.top}};
            gplot_draw_polygon_world(plot, square, 4);
            break;
        }
        case Circle: {
            const WorldArcS circle{m.x, m.top, m.x, m.y, 360000};
            gplot_draw_arc_world(plot, &circle);
            break;
        }
        case TriangleDown: {
            const WorldPointS triangle[3] = {{m.x, m.bottom}, {m.left, m.top}, {m.right, m.top}};
            gplot_draw_polygon_world(plot, triangle, 3);
            break;
        }
        case TriangleUp: {
            const WorldPointS triangle[3] = {{m.left, m.bottom}, {m.x, m.top}, {m.right, m.bottom}};
            gplot_draw_polygon_world(plot, triangle, 3);
            break;
        }
        case Diamond: {
            const WorldPointS diamond[4] = {
                {m.x, m.bottom}, {m.left, m.y}, {m.x, m.top}, {m.right, m.y}};
            gplot_draw_polygon_world(plot, diamond, 4);
            break;
        }
        case Star: {
            const WorldPointS ends[6] = {{m.left, m.y},    {m.right, m.y},      {m.left, m.bottom},
                                         {m.right, m.top}, {m.right, m.bottom}, {m.left, m.top}};
            draw_lines_of(plot, ends, 3);
            break;
        }
        case DiagonalCross: {
            const WorldPointS ends[4] = {
                {m.left, m.bottom}, {m.right, m.top}, {m.right, m.bottom}, {m.left, m.top}};
            draw_lines_of(plot, ends, 2);
            break;
        }
        case Plus: {
            const WorldPointS ends[4] = {
                {m.x, m.bottom}, {m.x, m.top}, {m.left, m.y}, {m.right, m.y}};
            draw_lines_of(plot, ends, 2);
            break;
        }
        default:
            break; // not a marker shape: nothing drawn
    }
}

} // namespace

} // namespace vexl

using vexl::Error;
using vexl::fail;

extern "C" {

VEXL_API int gplot_draw_marker_world(GPlot *plot, const WorldPointS *point, int size) VEXL_TRY {
    if (vexl::refused(plot, point == nullptr || size < 0))
        return 0;
    if (size == 0)
        return 1;
    WorldPointS one = *point;
    return gplot_draw_markers_world(plot, &one, 1, size);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_draw_markers_world(GPlot *plot, WorldPointS *points, int n, int size) VEXL_TRY {
    if (vexl::refused(plot, points == nullptr || n < 0 || size < 0))
        return 0;
    if (n == 0 || size == 0)
        return 1;
    const int32_t h = size / 2;
    const int32_t saved_line_type = plot->line_type;
    plot->device->set_line_type(0);
    // Only markers centred inside the world window are drawn, even where
    // part of one just outside would show.
    for (int i = 0; i < n; ++i)
        if (vexl::inside_world(*plot, points[i]))
            vexl::draw_marker(plot, points[i], h);
    if (static_cast<uint32_t>(saved_line_type) > vexl::kHighestLineType)
        fail(Error::InvalidLineType);
    else
        plot->device->set_line_type(saved_line_type);
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_draw_marker_device(GPlot *plot, const DevicePointS *point, int marker) VEXL_TRY {
    if (vexl::refused(plot, point == nullptr || marker < 0))
        return 0;
    return marker == 0 ? 1 : 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_draw_markers_device(GPlot *plot, const DevicePointS *points, int n,
                                       int marker) VEXL_TRY {
    if (vexl::refused(plot, points == nullptr || n < 0 || marker < 0))
        return 0;
    return n == 0 || marker == 0 ? 1 : 0;
}
VEXL_CATCH_RETURN(0)

} // extern "C"
