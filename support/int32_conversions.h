// Safe conversions of computed values (coordinates, sizes) to 32-bit integers.
//
// Coordinates are computed in double and can land anywhere: beyond the int32
// range for a huge world window, infinite or NaN for a window of zero width.
// Converting such a double straight to an integer is undefined behaviour, so
// every conversion in the device layers goes through one of these, which
// saturate at the int32 limits and turn NaN into 0.
#ifndef VEXL33_SUPPORT_INT32_CONVERSIONS_H
#define VEXL33_SUPPORT_INT32_CONVERSIONS_H

#include <cmath>
#include <cstdint>
#include <limits>

namespace vexl {

inline constexpr double kInt32MinAsDouble = -2147483648.0;
inline constexpr double kInt32MaxAsDouble = 2147483647.0;

// The device-safe range: the coordinates a device may be handed. It stops
// one unit inside the int32 range at both ends, so that a device may add or
// subtract one (a pixel's far edge, a one-pixel dot) without overflowing.
// A double within it rounds, whichever way, to an integer within it.
inline constexpr double kDeviceRangeMin = -2147483647.0;
inline constexpr double kDeviceRangeMax = 2147483646.0;

// Whether value lies in the device-safe range; NaN does not.
inline bool in_device_range(double value) {
    return value >= kDeviceRangeMin && value <= kDeviceRangeMax;
}

// Toward zero; saturating; NaN gives 0.
inline int32_t trunc_to_int32(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= kInt32MaxAsDouble)
        return std::numeric_limits<int32_t>::max();
    if (value <= kInt32MinAsDouble)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value); // in range: the conversion truncates
}

// To nearest, halves away from zero (2.5 -> 3, -2.5 -> -3); saturating; NaN
// gives 0. Built on trunc rather than std::round, whose MinGW runtime adds 0.5
// and floors, and so rounds 0.49999999999999994 up.
inline int32_t round_to_int32(double value) {
    if (std::isnan(value))
        return 0;
    const double whole = std::trunc(value);
    const double fraction = value - whole; // exact for every double
    if (fraction >= 0.5)
        return trunc_to_int32(whole + 1.0);
    if (fraction <= -0.5)
        return trunc_to_int32(whole - 1.0);
    return trunc_to_int32(whole);
}

// An exact 64-bit result clamped into int32.
inline int32_t saturate_to_int32(int64_t value) {
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

// b - a of two int32 values as a double. The difference is formed exactly
// (in 64 bits), so a window spanning more than half the int32 range maps
// correctly instead of wrapping around.
inline double int32_difference(int32_t b, int32_t a) {
    return static_cast<double>(static_cast<int64_t>(b) - static_cast<int64_t>(a));
}

} // namespace vexl

#endif // VEXL33_SUPPORT_INT32_CONVERSIONS_H
