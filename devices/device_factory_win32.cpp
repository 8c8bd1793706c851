// The Windows graphics device on Windows. The device itself is not part of
// the library yet: until it is, the plots that need it report that the
// function is not available, as on other systems, rather than pretending to
// draw.
#include "devices/device_factory.h"

#include "core/errors.h"

namespace vexl {

bool create_gdi_device(GPlot *, void *, const char *, int32_t, int32_t) {
    return fail(Error::NotImplemented);
}

} // namespace vexl
