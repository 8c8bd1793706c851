// GXWINbase: the device layers in double and in integer coordinates.
//
// The integer operations are where a concrete device produces output; their
// defaults draw nothing and report failure, so a device that lacks one makes
// the plotting interface see the failure rather than silently losing output.
// The double operations round every coordinate with the device's own
// round_device_coord and pass the integer copy on with the same count, so one
// rounding rule per device covers every primitive.
#include "core/gxwin_base.h"

#include "core/errors.h"
#include "devices/work_buffer.h"

namespace {

// One buffer per array operation (see work_buffer.h).
struct DeviceLayerBuffers {
    vexl::WorkBuffer<DevicePointS> lines;
    vexl::WorkBuffer<DevicePointS> segments;
    vexl::WorkBuffer<int32_t> rectangles;
    vexl::WorkBuffer<DevicePointS> polygon;
};

DeviceLayerBuffers &buffers() {
    static DeviceLayerBuffers shared;
    return shared;
}

DevicePointS round_point(GXWINbase &device, const DevicePointF &p) {
    const int32_t x = device.round_device_coord(p.x);
    const int32_t y = device.round_device_coord(p.y);
    return {x, y};
}

// Rounds `count` points into `buffer` and points `out` at the copy. False,
// with code 13, when the buffer cannot grow to hold them.
bool round_points(GXWINbase &device, vexl::WorkBuffer<DevicePointS> &buffer,
                  const DevicePointF *points, uint64_t count, const DevicePointS *&out) {
    if (!buffer.fit(count)) {
        vexl::fail(vexl::Error::MallocFailed);
        return false;
    }
    DevicePointS *rounded = buffer.data();
    for (uint64_t i = 0; i < count; ++i)
        rounded[i] = round_point(device, points[i]);
    out = rounded;
    return true;
}

} // namespace

// ---- Lists of primitives ------------------------------------------------

bool GXWINbase::draw_arcs_device(const DeviceArcS *arcs, int32_t n) {
    for (int32_t i = 0; i < n; ++i) {
        if (!draw_arc_device(arcs[i]))
            return false;
    }
    return true;
}

bool GXWINbase::draw_rectangles_device(const int32_t *rects, int32_t n) {
    if (n < 0)
        return false;
    for (int32_t i = 0; i < n; ++i) {
        if (!draw_rectangle_device(rects + 4 * static_cast<std::size_t>(i)))
            return false;
    }
    return true;
}

bool GXWINbase::draw_rectangles_device_f(const double *rects, int32_t n) {
    if (n < 0)
        return false;
    vexl::WorkBuffer<int32_t> &buffer = buffers().rectangles;
    const uint64_t count = vexl::element_count(n, 4);
    if (!buffer.fit(count)) {
        vexl::fail(vexl::Error::MallocFailed);
        return false;
    }
    int32_t *out = buffer.data();
    for (uint64_t i = 0; i < count; ++i)
        out[i] = round_device_coord(rects[i]);
    return draw_rectangles_device(out, n);
}

bool GXWINbase::draw_polygons_device_f(const DevicePolygonF *list, int32_t m) {
    for (int32_t i = 0; i < m; ++i) {
        if (!draw_polygon_device_f(list[i].points, list[i].n))
            return false;
    }
    return true;
}

// ---- Points ---------------------------------------------------------------

bool GXWINbase::draw_point_device(const DevicePointS &) {
    return false;
}

bool GXWINbase::draw_point_device_f(const DevicePointF &p) {
    return draw_point_device(round_point(*this, p));
}

// A point that cannot be drawn does not stop the others: a scatter of markers
// should lose as little as possible.
bool GXWINbase::draw_points_device(const DevicePointS *points, int32_t n) {
    if (n < 0)
        return false;
    for (int32_t i = 0; i < n; ++i)
        draw_point_device(points[i]);
    return true;
}

bool GXWINbase::draw_points_device_f(const DevicePointF *points, int32_t n) {
    if (n < 0)
        return false;
    for (int32_t i = 0; i < n; ++i)
        draw_point_device_f(points[i]);
    return true;
}

// ---- Lines, arcs, rectangles, polygons -------------------------------------

bool GXWINbase::draw_arc_device(const DeviceArcS &) {
    return false;
}

bool GXWINbase::draw_line_device(const DevicePointS &, const DevicePointS &) {
    return false;
}

bool GXWINbase::draw_line_device_f(const DevicePointF &a, const DevicePointF &b) {
    const DevicePointS from = round_point(*this, a);
    const DevicePointS to = round_point(*this, b);
    return draw_line_device(from, to);
}

bool GXWINbase::draw_lines_device(const DevicePointS *, int32_t) {
    return false;
}

bool GXWINbase::draw_lines_device_f(const DevicePointF *points, int32_t n) {
    const DevicePointS *rounded = nullptr;
    if (!round_points(*this, buffers().lines, points, vexl::element_count(n, 1), rounded))
        return false;
    return draw_lines_device(rounded, n);
}

bool GXWINbase::draw_segments_device(const DevicePointS *, int32_t) {
    return false;
}

bool GXWINbase::draw_segments_device_f(const DevicePointF *points, int32_t n) {
    const DevicePointS *rounded = nullptr;
    if (!round_points(*this, buffers().segments, points, vexl::element_count(n, 2), rounded))
        return false;
    return draw_segments_device(rounded, n);
}

bool GXWINbase::draw_rectangle_device(const int32_t[4]) {
    return false;
}

bool GXWINbase::draw_rectangle_device_f(const double rect[4]) {
    int32_t rounded[4];
    for (int i = 0; i < 4; ++i)
        rounded[i] = round_device_coord(rect[i]);
    return draw_rectangle_device(rounded);
}

bool GXWINbase::draw_polygon_device(const DevicePointS *, int32_t) {
    return false;
}

bool GXWINbase::draw_polygon_device_f(const DevicePointF *points, int32_t n) {
    const DevicePointS *rounded = nullptr;
    if (!round_points(*this, buffers().polygon, points, vexl::element_count(n, 1), rounded))
        return false;
    return draw_polygon_device(rounded, n);
}
