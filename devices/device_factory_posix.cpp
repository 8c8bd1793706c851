// The Windows graphics device on a system without Windows graphics: screen
// and clipboard plots, and file and print plots not redirected to HP-GL/2,
// report that the function is not available.
#include "devices/device_factory.h"

#include "core/errors.h"

namespace vexl {

bool create_gdi_device(GPlot *, void *, const char *, int32_t, int32_t) {
    return fail(Error::NotImplemented);
}

} // namespace vexl
