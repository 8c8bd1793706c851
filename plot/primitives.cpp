// The drawing primitives of the interface: points, move and draw, lines,
// poly-lines, segments, rectangles and polygons in world coordinates.
//
// Each call checks its arguments and ends in one device operation. While
// world clipping is active the primitive is clipped here first, so that what
// reaches the device lies inside the world clip rectangle. Whatever the
// clipping here, the device's double layer clips what still maps beyond its
// integer range, so no coordinate reaches it saturated.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/c_boundary.h"
#include "core/errors.h"
#include "core/gxwin_base.h"
#include "plot/clipping_state.h"
#include "plot/edge_clipper.h"
#include "plot/gplot.h"
#include "plot/plot_handle.h"
#include "plot/point_list.h"
#include "support/rtk_memory.h"

namespace vexl {

namespace {

bool inside(const int32_t clip[4], const WorldPointS &p) {
    return p.x >= clip[0] && p.x <= clip[2] && p.y >= clip[1] && p.y <= clip[3];
}

void rect_from_corners(const WorldPointS &a, const WorldPointS &b, int32_t rect[4]) {
    rect[0] = a.x < b.x ? a.x : b.x;
    rect[1] = a.y < b.y ? a.y : b.y;
    rect[2] = a.x < b.x ? b.x : a.x;
    rect[3] = a.y < b.y ? b.y : a.y;
}

// A clipped shape whose point list could not grow is reported, not drawn
// with points missing.
int out_of_memory_or(const PointList &list, int result) {
    return list.failed() ? fail(Error::MallocFailed) : result;
}

int draw_clipped_line(GPlot &plot, const WorldPointS &a, const WorldPointS &b) {
    const ClipRectangle clip(plot);
    PointList list(4);
    // Only the visible piece is drawn: a line that starts in a corner region
    // must not be drawn from the rectangle's corner, which is not on it.
    if (!clip_edge(clip.rect, a, b, list, ClipEdgeMode::Line))
        return out_of_memory_or(list, 1);
    if (list.failed())
        return fail(Error::MallocFailed);
    return as_result(plot.device->draw_line_world(list.front(), list.back()));
}

// A poly-line is drawn as the runs of consecutive visible pieces; a run ends
// where the poly-line leaves the clip rectangle.
int draw_clipped_lines(GPlot &plot, const WorldPointS *points, int32_t n) {
    const ClipRectangle clip(plot);
    PointList run;
    GXWINbase &device = *plot.device;
    const bool drawn =
        clip_polyline(clip.rect, points, n, run, [&](WorldPointS *run_points, int32_t count) {
            device.draw_lines_world(run_points, count);
        });
    return drawn ? 1 : fail(Error::MallocFailed);
}

int draw_clipped_segments(GPlot &plot, const WorldPointS *points, int32_t n) {
    const ClipRectangle clip(plot);
    PointList list;
    for (int64_t k = 0; k < n; ++k)
        clip_edge(clip.rect, points[2 * k], points[2 * k + 1], list, ClipEdgeMode::Line);
    if (list.failed())
        return fail(Error::MallocFailed);
    if (list.empty())
        return 1;
    return as_result(plot.device->draw_segments_world(list.data(), list.size() / 2));
}

int draw_clipped_polygon(GPlot &plot, const WorldPointS *points, int32_t n) {
    const ClipRectangle clip(plot);
    PointList list;
    unsigned from_code = outcode(clip.rect, points[0]);
    for (int32_t i = 0; i + 1 < n; ++i) {
        const unsigned to_code = outcode(clip.rect, points[i + 1]);
        clip_edge(clip.rect, points[i], points[i + 1], from_code, to_code, list,
                  ClipEdgeMode::Polygon);
        from_code = to_code;
    }
    if (list.failed())
        return fail(Error::MallocFailed);
    if (list.empty())
        return 1;
    return as_result(plot.device->draw_polygon_world(list.data(), list.size()));
}

// The rectangle's outline as four segments, clipped like any others.
int draw_outline_segments(GPlot *plot, const int32_t r[4]) {
    const WorldPointS sides[8] = {{r[0], r[1]}, {r[2], r[1]}, {r[2], r[1]}, {r[2], r[3]},
                                  {r[2], r[3]}, {r[0], r[3]}, {r[0], r[3]}, {r[0], r[1]}};
    return gplot_draw_segments_world(plot, sides, 4);
}

} // namespace

} // namespace vexl

using vexl::as_result;
using vexl::Error;
using vexl::fail;

extern "C" {

VEXL_API int gplot_draw_point_world(GPlot *plot, const WorldPointS *point) VEXL_TRY {
    if (vexl::refused(plot, point == nullptr))
        return 0;
    if (vexl::world_clipping_active(*plot) &&
        !vexl::inside(vexl::ClipRectangle(*plot).rect, *point))
        return 1;
    return as_result(plot->device->draw_point_world(*point));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_draw_points_world(GPlot *plot, WorldPointS *points, int n) VEXL_TRY {
    if (vexl::refused(plot, points == nullptr || n < 0))
        return 0;
    if (n == 0)
        return 1;
    if (vexl::world_clipping_active(*plot)) {
        const vexl::ClipRectangle clip(*plot);
        int kept = 0;
        for (int i = 0; i < n; ++i)
            if (vexl::inside(clip.rect, points[i]))
                points[kept++] = points[i];
        if (kept == 0)
            return 1;
        n = kept;
    }
    return as_result(plot->device->draw_points_world(points, n));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_move_to_world(GPlot *plot, const WorldPointS *point) VEXL_TRY {
    if (vexl::refused(plot, point == nullptr))
        return 0;
    plot->device->move_to_world(*point);
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_draw_to_world(GPlot *plot, const WorldPointS *point) VEXL_TRY {
    if (vexl::refused(plot, point == nullptr))
        return 0;
    return as_result(plot->device->draw_to_world(*point));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_draw_line_world(GPlot *plot, const WorldPointS *a,
                                   const WorldPointS *b) VEXL_TRY {
    if (vexl::refused(plot, a == nullptr || b == nullptr))
        return 0;
    if (vexl::PointList::same(*a, *b))
        return gplot_draw_point_world(plot, a);
    if (vexl::line_clipping_active(*plot))
        return vexl::draw_clipped_line(*plot, *a, *b);
    return as_result(plot->device->draw_line_world(*a, *b));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_draw_lines_world(GPlot *plot, WorldPointS *points, int n) VEXL_TRY {
    if (vexl::refused(plot, points == nullptr || n < 0))
        return 0;
    if (n == 0)
        return 1;
    if (n == 1)
        return gplot_draw_point_world(plot, points);
    if (vexl::line_clipping_active(*plot))
        return vexl::draw_clipped_lines(*plot, points, n);
    return as_result(plot->device->draw_lines_world(points, n));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_draw_segments_world(GPlot *plot, const WorldPointS *points, int n) VEXL_TRY {
    if (vexl::refused(plot, points == nullptr || n < 0))
        return 0;
    if (n == 0)
        return 1;
    if (vexl::line_clipping_active(*plot))
        return vexl::draw_clipped_segments(*plot, points, n);
    return as_result(plot->device->draw_segments_world(points, n));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_draw_rectangle_world(GPlot *plot, int32_t rect[4]) VEXL_TRY {
    if (vexl::refused(plot, rect == nullptr))
        return 0;
    if (!vexl::world_clipping_active(*plot))
        return as_result(plot->device->draw_rectangle_world(rect));
    const vexl::ClipRectangle clip(*plot);
    switch (vexl::classify_rectangle(rect, clip.rect, plot->fill_pattern != -1)) {
        case vexl::RectangleVisibility::Outside:
            return 1;
        case vexl::RectangleVisibility::PartlyInside:
            return vexl::draw_outline_segments(plot, rect);
        case vexl::RectangleVisibility::Inside:
            break;
    }
    return as_result(plot->device->draw_rectangle_world(rect));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_draw_rectangles_world(GPlot *plot, int32_t *rects, int n) VEXL_TRY {
    if (vexl::refused(plot, rects == nullptr || n < 0))
        return 0;
    if (n == 0)
        return 1;
    if (!vexl::world_clipping_active(*plot))
        return as_result(plot->device->draw_rectangles_world(rects, n));
    for (int64_t i = 0; i < n; ++i)
        if (gplot_draw_rectangle_world(plot, rects + 4 * i) == 0)
            return 0;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_draw_rectangle2_world(GPlot *plot, const WorldPointS *a,
                                         const WorldPointS *b) VEXL_TRY {
    if (vexl::refused(plot, a == nullptr || b == nullptr))
        return 0;
    int32_t rect[4];
    vexl::rect_from_corners(*a, *b, rect);
    return as_result(plot->device->draw_rectangle_world(rect));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_draw_tracking_rectangle2_world(GPlot *plot, const WorldPointS *a,
                                                  const WorldPointS *b) VEXL_TRY {
    if (vexl::refused(plot, a == nullptr || b == nullptr))
        return 0;
    int32_t rect[4];
    vexl::rect_from_corners(*a, *b, rect);
    return as_result(plot->device->draw_tracking_rectangle_world(rect));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_clear_rectangle_world(GPlot *plot, int32_t rect[4]) VEXL_TRY {
    if (vexl::refused(plot, rect == nullptr))
        return 0;
    if (!vexl::world_clipping_active(*plot))
        return as_result(plot->device->clear_world_rect(rect));
    // A clear fills an area whatever the fill pattern, so it is classified
    // and trimmed as a filled rectangle: one that encloses the clip
    // rectangle clears all of it, one that crosses the border stops there.
    // The caller's rectangle is left as it was.
    int32_t area[4] = {rect[0], rect[1], rect[2], rect[3]};
    const vexl::ClipRectangle clip(*plot);
    if (vexl::classify_rectangle(area, clip.rect, true) == vexl::RectangleVisibility::Outside)
        return 1;
    return as_result(plot->device->clear_world_rect(area));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_clear_rectangle2_world(GPlot *plot, const WorldPointS *a,
                                          const WorldPointS *b) VEXL_TRY {
    if (vexl::refused(plot, a == nullptr || b == nullptr))
        return 0;
    int32_t rect[4];
    vexl::rect_from_corners(*a, *b, rect);
    return as_result(plot->device->clear_world_rect(rect));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_draw_polygon_world(GPlot *plot, const WorldPointS *points, int n) VEXL_TRY {
    if (vexl::refused(plot, points == nullptr || n < 0))
        return 0;
    if (n == 0)
        return 1;
    // An open polygon reaches the device closed, through a copy: the
    // caller's points stay as they were. Most polygons are small, and their
    // copy stays on the stack, which costs a fraction of an allocation.
    constexpr int kPointsOnStack = 32;
    WorldPointS on_stack[kPointsOnStack];
    vexl::RtkPtr<WorldPointS> closed;
    if (plot->line_clipping != 0 && !vexl::PointList::same(points[0], points[n - 1])) {
        if (n == INT32_MAX)
            return fail(Error::InvalidArgument);
        const std::size_t count = static_cast<std::size_t>(n) + 1;
        WorldPointS *copy = on_stack;
        if (count > kPointsOnStack) {
            closed.reset(static_cast<WorldPointS *>(rtk_malloc(count * sizeof(WorldPointS))));
            if (!closed)
                return fail(Error::MallocFailed);
            copy = closed.get();
        }
        std::memcpy(copy, points, static_cast<std::size_t>(n) * sizeof(WorldPointS));
        copy[n] = points[0];
        points = copy;
        ++n;
    }
    if (vexl::line_clipping_active(*plot))
        return vexl::draw_clipped_polygon(*plot, points, n);
    return as_result(plot->device->draw_polygon_world(points, n));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_draw_polygons_world(GPlot *plot, WorldPolygonS *list, int m) VEXL_TRY {
    if (vexl::refused(plot, list == nullptr && m > 0))
        return 0;
    if (m < 1)
        return 1;
    int result = 1;
    for (int i = 0; i < m; ++i)
        if (gplot_draw_polygon_world(plot, list[i].points, list[i].n) == 0)
            result = 0;
    return result;
}
VEXL_CATCH_RETURN(0)

} // extern "C"
