// The devices this build can construct. The HP-GL/2 writer is portable; the
// Windows graphics device is not part of the library yet, so screen and
// clipboard plots, and file and print plots not redirected to HP-GL/2,
// report that the function is not available.
#include "devices/device_factory.h"

#include "core/errors.h"

namespace vexl {

bool create_hpgl2_device(GPlot *plot, const char *file, int32_t units, int32_t value) {
    return ghpgl2_create(plot, file, static_cast<DBUnitCode>(units), value) != 0;
}

bool create_gdi_device(GPlot *, void *, const char *, int32_t, int32_t) {
    return fail(Error::NotImplemented);
}

} // namespace vexl
