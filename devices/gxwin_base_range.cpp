// Clipping to the device-safe range in double precision (see the header).
#include "devices/gxwin_base_range.h"

#include <cmath>
#include <utility>

namespace vexl {

namespace {

bool finite(const DevicePointF &p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// Narrows [t0, t1] by the condition p + t q <= r along one axis
// (Liang-Barsky); false when nothing of the line is left.
bool narrow(double p, double q, double r, double &t0, double &t1) {
    if (q == 0)
        return p <= r;
    const double t = (r - p) / q;
    if (q > 0) {
        if (t < t1)
            t1 = t;
    } else if (t > t0) {
        t0 = t;
    }
    return t0 <= t1;
}

// A point moved onto a bound keeps exactly that bound: the interpolation
// may miss it by the last bit, which would leave the point outside.
double onto(double value) {
    if (value < kDeviceRangeMin)
        return kDeviceRangeMin;
    if (value > kDeviceRangeMax)
        return kDeviceRangeMax;
    return value;
}

// One side of the range as a half-plane: which coordinate, which bound and
// on which side of it the inside lies.
struct Side {
    bool vertical; // a bound on x
    double bound;
    bool keep_below;

    bool inside(const DevicePointF &p) const {
        const double v = vertical ? p.x : p.y;
        return keep_below ? v <= bound : v >= bound;
    }
    DevicePointF crossing(const DevicePointF &a, const DevicePointF &b) const {
        if (vertical) {
            const double t = (bound - a.x) / (b.x - a.x);
            return {bound, onto(a.y + t * (b.y - a.y))};
        }
        const double t = (bound - a.y) / (b.y - a.y);
        return {onto(a.x + t * (b.x - a.x)), bound};
    }
};

// Sutherland-Hodgman against one side: at most two points per edge.
uint64_t clip_side(const Side &side, const DevicePointF *in, uint64_t n, DevicePointF *out) {
    uint64_t written = 0;
    for (uint64_t i = 0; i < n; ++i) {
        const DevicePointF &from = in[i == 0 ? n - 1 : i - 1];
        const DevicePointF &to = in[i];
        const bool from_in = side.inside(from);
        const bool to_in = side.inside(to);
        if (from_in != to_in)
            out[written++] = side.crossing(from, to);
        if (to_in)
            out[written++] = to;
    }
    return written;
}

} // namespace

bool clip_to_device_range(DevicePointF &a, DevicePointF &b) {
    if (!finite(a) || !finite(b))
        return false;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    double t0 = 0, t1 = 1;
    if (!narrow(a.x, dx, kDeviceRangeMax, t0, t1) || !narrow(-a.x, -dx, -kDeviceRangeMin, t0, t1) ||
        !narrow(a.y, dy, kDeviceRangeMax, t0, t1) || !narrow(-a.y, -dy, -kDeviceRangeMin, t0, t1))
        return false;
    // An end just beyond a bound can leave t at 0 or 1 by rounding, so the
    // ends are kept onto the range in every case.
    const DevicePointF from = a;
    b = t1 < 1 ? DevicePointF{from.x + t1 * dx, from.y + t1 * dy} : b;
    a = t0 > 0 ? DevicePointF{from.x + t0 * dx, from.y + t0 * dy} : a;
    a = {onto(a.x), onto(a.y)};
    b = {onto(b.x), onto(b.y)};
    return true;
}

bool clip_polygon_to_device_range(const DevicePointF *points, uint64_t n,
                                  WorkBuffer<DevicePointF> &first, WorkBuffer<DevicePointF> &second,
                                  DevicePointF *&out, uint64_t &count) {
    count = 0;
    out = nullptr;
    for (uint64_t i = 0; i < n; ++i)
        if (!finite(points[i]))
            return true;
    const Side sides[4] = {{true, kDeviceRangeMin, false},
                           {true, kDeviceRangeMax, true},
                           {false, kDeviceRangeMin, false},
                           {false, kDeviceRangeMax, true}};
    WorkBuffer<DevicePointF> *targets[2] = {&first, &second};
    uint64_t left = n;
    for (int i = 0; i < 4; ++i) {
        // Each edge gives at most two points.
        WorkBuffer<DevicePointF> &target = *targets[i % 2];
        if (left > UINT64_MAX / 2 - 1 || !target.fit(2 * left + 1))
            return false;
        left = clip_side(sides[i], i == 0 ? points : out, left, target.data());
        out = target.data();
    }
    count = left;
    return true;
}

} // namespace vexl
