// GXWINbase: world-to-device mapping and the world-level operations.
//
// The world window `world` (wx1, wy1, wx2, wy2) is mapped linearly onto the
// device viewport (vx1, vy1, vx2, vy2). Single points, lines and rectangles
// are mapped as scale × offset + origin with the scale formed first; the
// array operations precompute one scale and offset per axis and apply them to
// every point, which keeps long poly-lines cheap. The two forms may differ in
// the last bits of a double, and each primitive keeps the form it always had
// so that output does not change from one release to the next.
//
// Differences of the integer plot fields are formed exactly (64 bits) before
// they become doubles, so a world window spanning most of the int32 range
// cannot wrap around.
#include "core/gxwin_base.h"

#include <algorithm>

#include "core/coordinate_flags.h"
#include "core/errors.h"
#include "devices/gxwin_base_range.h"
#include "devices/work_buffer.h"
#include "support/int32_conversions.h"

using vexl::int32_difference;

namespace {

// One buffer per array operation (see work_buffer.h); the double layer they
// feed keeps buffers of its own.
struct WorldLayerBuffers {
    vexl::WorkBuffer<DevicePointF> points;
    vexl::WorkBuffer<DevicePointF> lines;
    vexl::WorkBuffer<DevicePointF> segments;
    vexl::WorkBuffer<double> rectangles;
    vexl::WorkBuffer<DevicePointF> polygon;
};

WorldLayerBuffers &buffers() {
    static WorldLayerBuffers shared;
    return shared;
}

// Single-point mapping of one axis; `value` may lie beyond int32 (the arc's
// moved start point does).
double map_axis(const GPlot &plot, int axis, int64_t value) {
    const int32_t w1 = plot.world[axis];
    const int32_t v1 = plot.device_viewport[axis];
    const double scale = int32_difference(plot.device_viewport[axis + 2], v1) /
                         int32_difference(plot.world[axis + 2], w1);
    return scale * static_cast<double>(value - w1) + static_cast<double>(v1);
}

// A start point computed from rounded parts may land a unit beyond where the
// unrounded one lay: kept to the device-safe range.
int32_t in_range(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value,
                                                    static_cast<int64_t>(vexl::kDeviceRangeMin),
                                                    static_cast<int64_t>(vexl::kDeviceRangeMax)));
}

// The precomputed form used by the array operations.
struct ArrayMapping {
    double sx, ox, sy, oy;

    explicit ArrayMapping(const GPlot &plot) {
        const int32_t *w = plot.world;
        const int32_t *v = plot.device_viewport;
        sx = int32_difference(v[2], v[0]) / int32_difference(w[2], w[0]);
        ox = static_cast<double>(v[0]) - static_cast<double>(w[0]) * sx;
        sy = int32_difference(v[3], v[1]) / int32_difference(w[3], w[1]);
        oy = static_cast<double>(v[1]) - static_cast<double>(w[1]) * sy;
    }

    DevicePointF operator()(int32_t x, int32_t y) const {
        return {static_cast<double>(x) * sx + ox, static_cast<double>(y) * sy + oy};
    }
};

// Maps `count` world points into `buffer`; false, with code 13, when the
// buffer cannot grow to hold them.
bool map_points(const GPlot &plot, vexl::WorkBuffer<DevicePointF> &buffer,
                const WorldPointS *points, uint64_t count, const DevicePointF *&out) {
    if (!buffer.fit(count)) {
        vexl::fail(vexl::Error::MallocFailed);
        return false;
    }
    const ArrayMapping map(plot);
    DevicePointF *mapped = buffer.data();
    for (uint64_t i = 0; i < count; ++i)
        mapped[i] = map(points[i].x, points[i].y);
    out = mapped;
    return true;
}

} // namespace

// ---- Mapping ----------------------------------------------------------------

DevicePointF GXWINbase::world_to_device_f(const WorldPointS &p) const {
    return {map_axis(*plot, 0, p.x), map_axis(*plot, 1, p.y)};
}

DevicePointS GXWINbase::world_to_device(const WorldPointS &p) {
    const DevicePointF mapped = world_to_device_f(p);
    const int32_t x = round_device_coord(mapped.x);
    const int32_t y = round_device_coord(mapped.y);
    return {x, y};
}

WorldPointS GXWINbase::device_to_world(const DevicePointS &p) {
    const int32_t *w = plot->world;
    const int32_t *v = plot->device_viewport;
    const double x =
        int32_difference(w[2], w[0]) / int32_difference(v[2], v[0]) * int32_difference(p.x, v[0]) +
        static_cast<double>(w[0]);
    const double y =
        int32_difference(w[3], w[1]) / int32_difference(v[3], v[1]) * int32_difference(p.y, v[1]) +
        static_cast<double>(w[1]);
    const int32_t wx = round_world_coord(x);
    const int32_t wy = round_world_coord(y);
    return {wx, wy};
}

void GXWINbase::world_to_device_array(const WorldPointS *in, int32_t n, DevicePointF *out) const {
    const ArrayMapping map(*plot);
    for (int32_t i = 0; i < n; ++i)
        out[i] = map(in[i].x, in[i].y);
}

// ---- World window, clip rectangle, line width -------------------------------

int32_t GXWINbase::judge_device_range(const int32_t rect[4]) {
    const int32_t *w = plot->world;
    // Without width or height the mapping divides by zero: there is nothing
    // to judge by, and a fresh plot's first window must not count as huge.
    if (w[0] == w[2] || w[1] == w[3])
        return 0;
    const DevicePointF first = world_to_device_f({rect[0], rect[1]});
    const DevicePointF second = world_to_device_f({rect[2], rect[3]});
    return (is_outside_device_range(first) || is_outside_device_range(second)) ? 1 : 0;
}

bool GXWINbase::set_world(const int32_t rect[4]) {
    int32_t r[4];
    std::copy_n(rect, 4, r); // rect may be one of the plot's own rectangles
    // Judged with the mapping in force before the change, as the interface
    // decides on software clipping from it.
    world_out_of_range = judge_device_range(r);
    std::copy_n(r, 4, plot->clip_world);
    std::copy_n(r, 4, plot->world);
    return true;
}

bool GXWINbase::set_clip_world(const int32_t rect[4], bool on) {
    int32_t r[4];
    std::copy_n(rect, 4, r);
    world_out_of_range = judge_device_range(r);
    std::copy_n(r, 4, plot->clip_world);
    clip_on = on;
    return true;
}

bool GXWINbase::unset_clip_world() {
    int32_t whole[4];
    std::copy_n(plot->world, 4, whole);
    std::copy_n(whole, 4, plot->clip_world);
    set_clip_world(whole, false);
    clip_on = false;
    return true;
}

bool GXWINbase::set_line_width_world(int32_t width) {
    if (width < 0) {
        vexl::fail(vexl::Error::InvalidLineWidth);
        return false;
    }
    int32_t device_width = width;
    if (vexl::world_units_on) {
        const int32_t *w = plot->world;
        const int32_t *v = plot->device_viewport;
        const double scale = int32_difference(v[2], v[0]) / int32_difference(w[2], w[0]);
        device_width = vexl::trunc_to_int32(scale * width);
    }
    return set_line_width(device_width);
}

// ---- Single primitives --------------------------------------------------------

bool GXWINbase::move_to_world(const WorldPointS &p) {
    plot->current_point[0] = p.x;
    plot->current_point[1] = p.y;
    return true;
}

bool GXWINbase::draw_to_world(const WorldPointS &p) {
    const WorldPointS to = p;
    const DevicePointF a = world_to_device_f({plot->current_point[0], plot->current_point[1]});
    const DevicePointF b = world_to_device_f(to);
    const bool drawn = draw_line_device_f(a, b);
    plot->current_point[0] = to.x;
    plot->current_point[1] = to.y;
    return drawn;
}

bool GXWINbase::draw_point_world(const WorldPointS &p) {
    return draw_point_device_f(world_to_device_f(p));
}

bool GXWINbase::draw_rectangle_world(const int32_t rect[4]) {
    const DevicePointF first = world_to_device_f({rect[0], rect[1]});
    const DevicePointF second = world_to_device_f({rect[2], rect[3]});
    const double mapped[4] = {first.x, first.y, second.x, second.y};
    return draw_rectangle_device_f(mapped);
}

bool GXWINbase::draw_tracking_rectangle_world(const int32_t rect[4]) {
    return draw_rectangle_world(rect);
}

bool GXWINbase::draw_arc_world(const WorldArcS &arc) {
    // The radius vector is mapped on its own, anchored at the world corner
    // (wx2, wy2), and added to the mapped centre: the rounded radius then does
    // not depend on where the arc lies, so equal arcs look equal everywhere.
    // An arc is handed over by its centre and start point; when either does
    // not fit the device, no integer arc record describes it. The interface
    // flattens such arcs into clipped poly-lines before they come here; an
    // arc list handed over as it is fails here with the arc code.
    if (!vexl::in_device_range(world_to_device_f({arc.x, arc.y})) ||
        !vexl::in_device_range(world_to_device_f({arc.cx, arc.cy})))
        return vexl::fail(vexl::Error::ArcPointsFailed) != 0;
    const int32_t wx2 = plot->world[2];
    const int32_t wy2 = plot->world[3];
    const int64_t rx = static_cast<int64_t>(arc.x) - arc.cx + wx2;
    const int64_t ry = static_cast<int64_t>(arc.y) - arc.cy + wy2;

    const DevicePointS corner = world_to_device({wx2, wy2});
    const DevicePointS centre = world_to_device({arc.cx, arc.cy});
    const int32_t sx = round_device_coord(map_axis(*plot, 0, rx));
    const int32_t sy = round_device_coord(map_axis(*plot, 1, ry));

    DeviceArcS mapped;
    mapped.x = in_range(static_cast<int64_t>(sx) + centre.x - corner.x);
    mapped.y = in_range(static_cast<int64_t>(sy) + centre.y - corner.y);
    mapped.cx = centre.x;
    mapped.cy = centre.y;
    mapped.sweep = arc.sweep;
    return draw_arc_device(mapped);
}

bool GXWINbase::draw_line_world(const WorldPointS &a, const WorldPointS &b) {
    return draw_line_device_f(world_to_device_f(a), world_to_device_f(b));
}

// ---- Lists and arrays ---------------------------------------------------------

bool GXWINbase::draw_arcs_world(const WorldArcS *arcs, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        if (!draw_arc_world(arcs[i]))
            return false;
    }
    return true;
}

bool GXWINbase::draw_polygons_world(const WorldPolygonS *list, int32_t m) {
    for (int32_t i = 0; i < m; ++i) {
        if (!draw_polygon_world(list[i].points, list[i].n))
            return false;
    }
    return true;
}

bool GXWINbase::draw_points_world(const WorldPointS *points, int32_t n) {
    const DevicePointF *mapped = nullptr;
    if (!map_points(*plot, buffers().points, points, vexl::element_count(n, 1), mapped))
        return false;
    return draw_points_device_f(mapped, n);
}

bool GXWINbase::draw_lines_world(const WorldPointS *points, int32_t n) {
    const DevicePointF *mapped = nullptr;
    if (!map_points(*plot, buffers().lines, points, vexl::element_count(n, 1), mapped))
        return false;
    return draw_lines_device_f(mapped, n);
}

bool GXWINbase::draw_segments_world(const WorldPointS *points, int32_t n) {
    const DevicePointF *mapped = nullptr;
    if (!map_points(*plot, buffers().segments, points, vexl::element_count(n, 2), mapped))
        return false;
    return draw_segments_device_f(mapped, n);
}

bool GXWINbase::draw_rectangles_world(const int32_t *rects, int32_t n) {
    vexl::WorkBuffer<double> &buffer = buffers().rectangles;
    const uint64_t corners = vexl::element_count(n, 2);
    if (!buffer.fit(corners * 2)) {
        vexl::fail(vexl::Error::MallocFailed);
        return false;
    }
    const ArrayMapping map(*plot);
    double *mapped = buffer.data();
    for (uint64_t i = 0; i < corners; ++i) {
        const DevicePointF corner = map(rects[2 * i], rects[2 * i + 1]);
        mapped[2 * i] = corner.x;
        mapped[2 * i + 1] = corner.y;
    }
    return draw_rectangles_device_f(mapped, n);
}

bool GXWINbase::draw_polygon_world(const WorldPointS *points, int32_t n) {
    const DevicePointF *mapped = nullptr;
    if (!map_points(*plot, buffers().polygon, points, vexl::element_count(n, 1), mapped))
        return false;
    return draw_polygon_device_f(mapped, n);
}
