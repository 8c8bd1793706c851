// The devices this build can construct. Neither the HP-GL/2 writer nor the
// Windows graphics device is part of the library yet, so both kinds of plot
// report that the function is not available.
#include "devices/device_factory.h"

#include "plot/errors.h"

namespace vexl {

bool create_hpgl2_device(GPlot *, const char *, int32_t, int32_t) {
    return fail(Error::NotImplemented);
}

bool create_gdi_device(GPlot *, void *, const char *, int32_t, int32_t) {
    return fail(Error::NotImplemented);
}

} // namespace vexl
