// RecordingDevice: records the integer device layer for the tests.
#include "devices/recording_device.h"

#include <algorithm>
#include <utility>

namespace vexl::test {

bool RecordingDevice::record(const char *op, int32_t count, std::vector<int32_t> coords) {
    const auto nth = 1 + std::count_if(calls.begin(), calls.end(),
                                       [&](const DeviceCall &c) { return c.op == op; });
    const auto failing = failures_.find(op);
    const bool fails =
        failing != failures_.end() && (failing->second == 0 || failing->second == nth);
    calls.push_back({op, count, std::move(coords), !fails});
    return !fails;
}

bool RecordingDevice::record(const char *op, int32_t count, const DevicePointS *points, int64_t n) {
    std::vector<int32_t> coords;
    for (int64_t i = 0; i < n; ++i)
        coords.insert(coords.end(), {points[i].x, points[i].y});
    return record(op, count, std::move(coords));
}

bool RecordingDevice::is_outside_device_range(const DevicePointF &p) {
    return !in_device_range(p.x) || !in_device_range(p.y);
}

void RecordingPlot::set_mapping(const int32_t (&extent)[4], const int32_t (&world)[4]) {
    std::copy_n(extent, 4, plot.device_extent);
    const float full[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    device.set_viewport(full);
    device.set_world(world);
    device.forget_calls();
}

} // namespace vexl::test
