// Building the concrete device of a plot. Each call constructs the device on
// the plot (the device links itself into plot->device) and returns true, or
// returns false with GplotErrno saying why. Exceptions thrown by a
// constructor leave these calls; the open calls turn them into codes.
#ifndef VEXL33_DEVICES_DEVICE_FACTORY_H
#define VEXL33_DEVICES_DEVICE_FACTORY_H

#include <cstdint>

#include "plot/gplot.h"

namespace vexl {

// HP-GL/2 plot file on file, with the open call's units and value.
bool create_hpgl2_device(GPlot *plot, const char *file, int32_t units, int32_t value);

// Windows graphics device on a window (screen) or, with no window, on a
// file (file, print and clipboard plots).
bool create_gdi_device(GPlot *plot, void *window, const char *file, int32_t p1, int32_t p2);

} // namespace vexl

#endif // VEXL33_DEVICES_DEVICE_FACTORY_H
