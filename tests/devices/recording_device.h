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
#include <vector>

#include "devices/gxwin_base.h"

namespace vexl::test {

// One call that reached the device.
struct DeviceCall {
    std::string op;              // operation name, e.g. "draw_lines_device"
    int32_t count = 1;           // n as passed; 1 for a single primitive
    std::vector<int32_t> coords; // all coordinates in argument order: points as
                                 // x, y; rectangles x1, y1, x2, y2; arcs x, y,
                                 // cx, cy, sweep
    bool succeeded = true;       // what the device answered

    bool operator==(const DeviceCall &o) const {
        return op == o.op && count == o.count && coords == o.coords && succeeded == o.succeeded;
    }
};

class RecordingDevice : public GXWINbase {
  public:
    explicit RecordingDevice(GPlot *plot, void *window = nullptr, int32_t units = 0,
                             int32_t value = 0);

    // Every recorded call, oldest first.
    std::vector<DeviceCall> calls;

    // Makes `op` answer false: on every call when nth is 0, else only on its
    // nth call (1-based, counted since the last forget_calls).
    void fail_operation(const std::string &op, int nth = 0);
    void stop_failing() { failures_.clear(); }
    void forget_calls() { calls.clear(); }
    // Calls recorded for one operation.
    std::vector<DeviceCall> calls_to(const std::string &op) const;

    // Nearest, halves away from zero, saturating at the int32 limits.
    int32_t round_device_coord(double value) override;
    int32_t round_world_coord(double value) override;
    // True when either coordinate is NaN or outside the int32 range.
    bool is_outside_device_range(const DevicePointF &p) override;

    bool draw_point_device(const DevicePointS &p) override;
    bool draw_line_device(const DevicePointS &a, const DevicePointS &b) override;
    bool draw_lines_device(const DevicePointS *points, int32_t n) override;
    bool draw_segments_device(const DevicePointS *points, int32_t n) override;
    bool draw_rectangle_device(const int32_t rect[4]) override;
    bool draw_polygon_device(const DevicePointS *points, int32_t n) override;
    bool draw_arc_device(const DeviceArcS &arc) override;
    bool clear_world_rect(const int32_t rect[4]) override;

  protected:
    // Records the call and returns whether it succeeds.
    bool record(const char *op, int32_t count, std::vector<int32_t> coords);

  private:
    std::map<std::string, int> failures_;
};

// A zero-filled plot record with a RecordingDevice linked into it, declared
// in the order that lets the device unlink itself from a live record.
struct RecordingPlot {
    GPlot plot{};
    RecordingDevice device{&plot};

    // Sets the device extent (left, bottom, right, top), a full viewport and
    // the world window through the device, then forgets any calls. Leaves
    // world_out_of_range as it found it.
    void set_mapping(const int32_t (&extent)[4], const int32_t (&world)[4]);
};

} // namespace vexl::test

#endif // VEXL33_TESTS_DEVICES_RECORDING_DEVICE_H
