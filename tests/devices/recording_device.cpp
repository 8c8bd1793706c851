// RecordingDevice: records the integer device layer for the tests.
#include "devices/recording_device.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "plot/coordinate_flags.h"
#include "support/int32_conversions.h"

namespace vexl::test {

namespace {

std::vector<int32_t> flatten(const DevicePointS *points, int64_t count) {
    std::vector<int32_t> coords;
    for (int64_t i = 0; i < count; ++i) {
        coords.push_back(points[i].x);
        coords.push_back(points[i].y);
    }
    return coords;
}

bool in_int32_range(double v) {
    return v >= kInt32MinAsDouble && v <= kInt32MaxAsDouble;
}

} // namespace

RecordingDevice::RecordingDevice(GPlot *owner, void *window_handle, int32_t units, int32_t value)
    : GXWINbase(owner, window_handle, units, value) {}

void RecordingDevice::fail_operation(const std::string &op, int nth) {
    failures_[op] = nth;
}

std::vector<DeviceCall> RecordingDevice::calls_to(const std::string &op) const {
    std::vector<DeviceCall> found;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                 [&](const DeviceCall &c) { return c.op == op; });
    return found;
}

bool RecordingDevice::record(const char *op, int32_t count, std::vector<int32_t> coords) {
    const int nth =
        1 + static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                           [&](const DeviceCall &c) { return c.op == op; }));
    const auto failing = failures_.find(op);
    const bool fails =
        failing != failures_.end() && (failing->second == 0 || failing->second == nth);
    calls.push_back({op, count, std::move(coords), !fails});
    return !fails;
}

int32_t RecordingDevice::round_device_coord(double value) {
    return round_to_int32(value);
}

int32_t RecordingDevice::round_world_coord(double value) {
    return round_to_int32(value);
}

bool RecordingDevice::is_outside_device_range(const DevicePointF &p) {
    return !in_int32_range(p.x) || !in_int32_range(p.y);
}

bool RecordingDevice::draw_point_device(const DevicePointS &p) {
    return record("draw_point_device", 1, {p.x, p.y});
}

bool RecordingDevice::draw_line_device(const DevicePointS &a, const DevicePointS &b) {
    return record("draw_line_device", 1, {a.x, a.y, b.x, b.y});
}

bool RecordingDevice::draw_lines_device(const DevicePointS *points, int32_t n) {
    return record("draw_lines_device", n, flatten(points, n));
}

bool RecordingDevice::draw_segments_device(const DevicePointS *points, int32_t n) {
    return record("draw_segments_device", n, flatten(points, n > 0 ? 2 * int64_t{n} : 0));
}

bool RecordingDevice::draw_rectangle_device(const int32_t rect[4]) {
    return record("draw_rectangle_device", 1, {rect[0], rect[1], rect[2], rect[3]});
}

bool RecordingDevice::draw_polygon_device(const DevicePointS *points, int32_t n) {
    return record("draw_polygon_device", n, flatten(points, n));
}

bool RecordingDevice::draw_arc_device(const DeviceArcS &arc) {
    return record("draw_arc_device", 1, {arc.x, arc.y, arc.cx, arc.cy, arc.sweep});
}

bool RecordingDevice::clear_world_rect(const int32_t rect[4]) {
    return record("clear_world_rect", 1, {rect[0], rect[1], rect[2], rect[3]});
}

void RecordingPlot::set_mapping(const int32_t (&extent)[4], const int32_t (&world)[4]) {
    std::copy_n(extent, 4, plot.device_extent);
    const float full[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    device.set_viewport(full);
    // The first world window is judged against the empty mapping of a fresh
    // record, which maps nowhere; that verdict says nothing about the plot a
    // test sets up, so the process-wide flag is left as it was.
    const int out_of_range = vexl::world_out_of_range;
    device.set_world(world);
    vexl::world_out_of_range = out_of_range;
    device.forget_calls();
}

} // namespace vexl::test
