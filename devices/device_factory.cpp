// The devices every build can construct. The HP-GL/2 writer is portable; the
// Windows graphics device is chosen per platform (device_factory_posix.cpp,
// device_factory_win32.cpp).
#include "devices/device_factory.h"

namespace vexl {

bool create_hpgl2_device(GPlot *plot, const char *file, int32_t units, int32_t value) {
    return ghpgl2_create(plot, file, static_cast<DBUnitCode>(units), value) != 0;
}

} // namespace vexl
