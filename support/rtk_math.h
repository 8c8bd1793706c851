// Numeric helpers of the companion support library.
#ifndef VEXL33_SUPPORT_RTK_MATH_H
#define VEXL33_SUPPORT_RTK_MATH_H

#include <cstdint>

// Nearest integer, halves away from zero; saturates at the int32 range and
// gives 0 for NaN.
int32_t gmath_kdround(double value);

double gui_sin(double radians);
double gui_cos(double radians);

#endif // VEXL33_SUPPORT_RTK_MATH_H
