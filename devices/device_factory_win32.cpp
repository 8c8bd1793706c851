// The Windows graphics device on Windows: window, print-to-file, printer and
// clipboard plots all draw through GXWINwin32. Its constructor throws when
// it cannot be built; the open calls turn that into the plot's error code.
#include "devices/device_factory.h"

#include <windows.h>

#include "devices/gdi_device_win32.h"

namespace vexl {

bool create_gdi_device(GPlot *plot, void *window, const char *file, int32_t p1, int32_t p2) {
    // The device links itself into the plot, which owns it from then on.
    const GXWINbase *device = new GXWINwin32(plot, static_cast<HWND>(window), file, p1, p2);
    return plot->device == device;
}

} // namespace vexl
