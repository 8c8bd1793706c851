// RecordingDevice: a device for tests that draws nothing and remembers every
// call of the integer device layer.
//
// It implements exactly the operations a concrete pixel device must supply
// (the integer drawing layer, clear_world_rect, the range test and both
// roundings) and inherits everything else from GXWINbase, so a test sees what
// the shared world and double layers hand to a real device. Any operation can
// be made to fail, on every call or on one chosen call, to exercise the
// failure paths of the layers above.
//
// Typical use:
//
//     vexl::test::RecordingPlot p;                // zero-filled GPlot + device
//     p.set_mapping({0, 480, 640, 0}, {0, 0, 1000, 1000});
//     p.device.draw_line_world({0, 0}, {1000, 1000});
//     // p.device.calls[0]: {"draw_line_device", 1, {0, 480, 640, 0}, true}
#ifndef VEXL33_TESTS_DEVICES_RECORDING_DEVICE_H
#define VEXL33_TESTS_DEVICES_RECORDING_DEVICE_H

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "core/gxwin_base.h"
#include "support/int32_conversions.h"

namespace vexl::test {

// One call that reached the device.
struct DeviceCall {
    std::string op;              // operation name, e.g. "draw_lines_device"
    int32_t count = 1;           // n as passed; 1 for a single primitive
    std::vector<int32_t> coords; // all coordinates in argument order: points as
                                 // x, y; rectangles x1, y1, x2, y2; arcs x, y,
                                 // cx, cy, sweep
    bool succeeded = true;       // what the device answered

    auto fields() const { return std::tie(op, count, coords, succeeded); }
    bool operator==(const DeviceCall &o) const { return fields() == o.fields(); }
};

class RecordingDevice : public GXWINbase {
  public:
    explicit RecordingDevice(GPlot *owner) : GXWINbase(owner, nullptr, 0, 0) {}

    // Every recorded call, oldest first.
    std::vector<DeviceCall> calls;

    // Makes `op` answer false: on every call when nth is 0, else only on its
    // nth call (1-based, counted since the last forget_calls).
    void fail_operation(const std::string &op, int nth = 0) { failures_[op] = nth; }
    void forget_calls() { calls.clear(); }

    // Nearest, halves away from zero, saturating at the int32 limits.
    int32_t round_device_coord(double value) override { return round_to_int32(value); }
    int32_t round_world_coord(double value) override { return round_to_int32(value); }
    // True when either coordinate is NaN or outside the device-safe range.
    bool is_outside_device_range(const DevicePointF &p) override;

    // Each operation is recorded under its own name.
    bool draw_point_device(const DevicePointS &p) override { return record(__func__, 1, &p, 1); }
    bool draw_line_device(const DevicePointS &a, const DevicePointS &b) override {
        const DevicePointS ab[2] = {a, b};
        return record(__func__, 1, ab, 2);
    }
    bool draw_lines_device(const DevicePointS *p, int32_t n) override {
        return record(__func__, n, p, n);
    }
    bool draw_segments_device(const DevicePointS *p, int32_t n) override {
        return record(__func__, n, p, 2 * int64_t{n});
    }
    bool draw_polygon_device(const DevicePointS *p, int32_t n) override {
        return record(__func__, n, p, n);
    }
    bool draw_rectangle_device(const int32_t r[4]) override {
        return record(__func__, 1, {r, r + 4});
    }
    bool draw_arc_device(const DeviceArcS &a) override {
        return record(__func__, 1, {a.x, a.y, a.cx, a.cy, a.sweep});
    }
    bool clear_world_rect(const int32_t r[4]) override { return record(__func__, 1, {r, r + 4}); }

  protected:
    // Records the call and returns whether it succeeds.
    bool record(const char *op, int32_t count, std::vector<int32_t> coords);
    bool record(const char *op, int32_t count, const DevicePointS *points, int64_t n);

  private:
    std::map<std::string, int> failures_;
};

// A zero-filled plot record with a RecordingDevice linked into it, declared
// in the order that lets the device unlink itself from a live record.
struct RecordingPlot {
    GPlot plot{};
    RecordingDevice device{&plot};

    // Sets the device extent (left, bottom, right, top), a full viewport and
    // the world window through the device, then forgets any calls.
    void set_mapping(const int32_t (&extent)[4], const int32_t (&world)[4]);
};

} // namespace vexl::test

#endif // VEXL33_TESTS_DEVICES_RECORDING_DEVICE_H
