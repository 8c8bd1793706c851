// GXWINbase: the device layers in double and in integer coordinates.
//
// The integer operations are where a concrete device produces output; their
// defaults draw nothing and report failure, so a device that lacks one makes
// the plotting interface see the failure rather than silently losing output.
// The double operations round every coordinate with the device's own
// round_device_coord and pass the integer copy on with the same count, so one
// rounding rule per device covers every primitive.
//
// No coordinate reaches the integer layer saturated: a primitive that leaves
// the device-safe range is first clipped against it (gxwin_base_range.h), so
// a far-away point moves along its line instead of off it. Primitives that
// fit, which is nearly all of them, pay one comparison per coordinate.
#include "core/gxwin_base.h"

#include "core/errors.h"
#include "devices/gxwin_base_range.h"
#include "devices/work_buffer.h"
#include "support/int32_conversions.h"

namespace {

// One buffer per array operation (see work_buffer.h).
struct DeviceLayerBuffers {
    vexl::WorkBuffer<DevicePointS> lines;
    vexl::WorkBuffer<DevicePointS> segments;
    vexl::WorkBuffer<int32_t> rectangles;
    vexl::WorkBuffer<DevicePointS> polygon;
    // What is left of a primitive clipped to the device-safe range.
    vexl::WorkBuffer<DevicePointF> clipped;
    vexl::WorkBuffer<DevicePointF> clipped_spare;
};

DeviceLayerBuffers &buffers() {
    static DeviceLayerBuffers shared;
    return shared;
}

bool out_of_memory() {
    vexl::fail(vexl::Error::MallocFailed);
    return false;
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
    if (!buffer.fit(count))
        return out_of_memory();
    DevicePointS *rounded = buffer.data();
    for (uint64_t i = 0; i < count; ++i)
        rounded[i] = round_point(device, points[i]);
    out = rounded;
    return true;
}

// A rectangle's sides run along the axes: moving a coordinate into the range
// trims it exactly. NaN is left to the device's rounding.
double into_device_range(double value) {
    return value < vexl::kDeviceRangeMin   ? vexl::kDeviceRangeMin
           : value > vexl::kDeviceRangeMax ? vexl::kDeviceRangeMax
                                           : value;
}

// The poly-line as the runs of its pieces that lie in the range: a run ends
// where the poly-line leaves the range, and the next begins where it comes
// back. Every run is drawn even when one fails; the result says whether all
// were drawn.
bool draw_lines_in_device_range(GXWINbase &device, const DevicePointF *points, uint64_t count) {
    vexl::WorkBuffer<DevicePointF> &run = buffers().clipped;
    if (!run.fit(count + 1))
        return out_of_memory();
    bool drawn = true;
    uint64_t length = 0;
    const auto draw_run = [&] {
        const DevicePointS *rounded = nullptr;
        if (length < 2)
            return;
        if (!round_points(device, buffers().lines, run.data(), length, rounded))
            drawn = false;
        else if (!device.draw_lines_device(rounded, static_cast<int32_t>(length)))
            drawn = false;
        length = 0;
    };
    for (uint64_t i = 0; i + 1 < count; ++i) {
        DevicePointF from = points[i], to = points[i + 1];
        if (!vexl::clip_to_device_range(from, to)) {
            draw_run();
            continue;
        }
        const bool continues =
            length > 0 && run.data()[length - 1].x == from.x && run.data()[length - 1].y == from.y;
        if (!continues) {
            draw_run();
            run.data()[length++] = from;
        }
        run.data()[length++] = to;
        if (to.x != points[i + 1].x || to.y != points[i + 1].y)
            draw_run(); // left the range on this edge
    }
    draw_run();
    return drawn;
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
        out[i] = round_device_coord(into_device_range(rects[i]));
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

// A point beyond the device-safe range cannot be seen: it is left out, as
// clipping leaves out a point outside the clip rectangle.
bool GXWINbase::draw_point_device_f(const DevicePointF &p) {
    if (!vexl::in_device_range(p))
        return true;
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
    DevicePointF first = a, second = b;
    if (!(vexl::in_device_range(a) && vexl::in_device_range(b)) &&
        !vexl::clip_to_device_range(first, second))
        return true; // nothing of it lies where a device can draw
    const DevicePointS from = round_point(*this, first);
    const DevicePointS to = round_point(*this, second);
    return draw_line_device(from, to);
}

bool GXWINbase::draw_lines_device(const DevicePointS *, int32_t) {
    return false;
}

bool GXWINbase::draw_lines_device_f(const DevicePointF *points, int32_t n) {
    const uint64_t count = vexl::element_count(n, 1);
    if (!vexl::all_in_device_range(points, count))
        return draw_lines_in_device_range(*this, points, count);
    const DevicePointS *rounded = nullptr;
    if (!round_points(*this, buffers().lines, points, count, rounded))
        return false;
    return draw_lines_device(rounded, n);
}

bool GXWINbase::draw_segments_device(const DevicePointS *, int32_t) {
    return false;
}

bool GXWINbase::draw_segments_device_f(const DevicePointF *points, int32_t n) {
    uint64_t count = vexl::element_count(n, 2);
    int32_t segments = n;
    if (!vexl::all_in_device_range(points, count)) {
        // Only the pieces in the range are kept; a segment wholly outside
        // it is left out.
        vexl::WorkBuffer<DevicePointF> &kept = buffers().clipped;
        if (!kept.fit(count))
            return out_of_memory();
        uint64_t left = 0;
        for (uint64_t i = 0; i < count; i += 2) {
            DevicePointF from = points[i], to = points[i + 1];
            if (!vexl::clip_to_device_range(from, to))
                continue;
            kept.data()[left++] = from;
            kept.data()[left++] = to;
        }
        if (left == 0)
            return true;
        points = kept.data();
        count = left;
        segments = static_cast<int32_t>(left / 2);
    }
    const DevicePointS *rounded = nullptr;
    if (!round_points(*this, buffers().segments, points, count, rounded))
        return false;
    return draw_segments_device(rounded, segments);
}

bool GXWINbase::draw_rectangle_device(const int32_t[4]) {
    return false;
}

bool GXWINbase::draw_rectangle_device_f(const double rect[4]) {
    int32_t rounded[4];
    for (int i = 0; i < 4; ++i)
        rounded[i] = round_device_coord(into_device_range(rect[i]));
    return draw_rectangle_device(rounded);
}

bool GXWINbase::draw_polygon_device(const DevicePointS *, int32_t) {
    return false;
}

bool GXWINbase::draw_polygon_device_f(const DevicePointF *points, int32_t n) {
    uint64_t count = vexl::element_count(n, 1);
    int32_t corners = n;
    if (!vexl::all_in_device_range(points, count)) {
        DevicePointF *clipped = nullptr;
        uint64_t left = 0;
        if (!vexl::clip_polygon_to_device_range(points, count, buffers().clipped,
                                                buffers().clipped_spare, clipped, left))
            return out_of_memory();
        if (left == 0)
            return true;
        // An outline handed over closed (its first point repeated at the
        // end) stays closed.
        const bool closed =
            points[0].x == points[count - 1].x && points[0].y == points[count - 1].y;
        if (closed &&
            (clipped[0].x != clipped[left - 1].x || clipped[0].y != clipped[left - 1].y)) {
            // Room is there: the buffers hold 2n + 1 points for n in.
            clipped[left] = clipped[0];
            ++left;
        }
        if (left > static_cast<uint64_t>(INT32_MAX))
            return out_of_memory();
        points = clipped;
        count = left;
        corners = static_cast<int32_t>(left);
    }
    const DevicePointS *rounded = nullptr;
    if (!round_points(*this, buffers().polygon, points, count, rounded))
        return false;
    return draw_polygon_device(rounded, corners);
}
