// Keeping device coordinates inside the range a device can hold.
//
// The world layer maps in double precision, and a zoomed-in window can map a
// far-away point well beyond the int32 range. Saturating each coordinate on
// its own would move that point and turn the line through it, so a primitive
// that leaves the device-safe range is clipped against it here, in double
// precision and before rounding: what is left has the geometry the caller
// asked for. The range lies far beyond any real drawing surface, so nothing
// the clipping adds along its border can be seen.
#ifndef VEXL33_DEVICES_GXWIN_BASE_RANGE_H
#define VEXL33_DEVICES_GXWIN_BASE_RANGE_H

#include <cstdint>

#include "core/gxwin_base.h"
#include "devices/work_buffer.h"
#include "support/int32_conversions.h"

namespace vexl {

inline bool in_device_range(const DevicePointF &p) {
    return in_device_range(p.x) && in_device_range(p.y);
}

// Whether all n points lie in the device-safe range: the cheap test that
// lets every primitive that fits skip the clipping.
inline bool all_in_device_range(const DevicePointF *points, uint64_t n) {
    for (uint64_t i = 0; i < n; ++i)
        if (!in_device_range(points[i]))
            return false;
    return true;
}

// Clips the line a -> b to the device-safe range in place (parametric
// clipping). False when no part of it lies in the range, or a coordinate is
// not a finite number.
bool clip_to_device_range(DevicePointF &a, DevicePointF &b);

// Clips the closed outline of n points against the device-safe range, one
// side at a time, using the two buffers in turn; `out` points at the result,
// which keeps the outline's turning order and runs along the range's border
// where the outline ran outside. Returns the number of points left (0 when
// nothing is, or a coordinate is not a finite number); false when a buffer
// cannot grow.
bool clip_polygon_to_device_range(const DevicePointF *points, uint64_t n,
                                  WorkBuffer<DevicePointF> &first, WorkBuffer<DevicePointF> &second,
                                  DevicePointF *&out, uint64_t &count);

} // namespace vexl

#endif // VEXL33_DEVICES_GXWIN_BASE_RANGE_H
