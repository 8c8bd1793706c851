// Numeric helpers of the companion support library.
#include "support/rtk_math.h"

#include <cmath>

#include "support/int32_conversions.h"

int32_t gmath_kdround(double value) {
    return vexl::round_to_int32(value);
}

double gui_sin(double radians) {
    return std::sin(radians);
}

double gui_cos(double radians) {
    return std::cos(radians);
}
