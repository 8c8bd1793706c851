// Device contexts for the Windows graphics device, and the exported calls an
// application uses to borrow the same contexts: the window to draw in when it
// names none, a context for that window (or a memory context when the window
// has none), giving a context back the way it was obtained, and whether a
// context works through a palette.
#include <windows.h>

#include <cstdio>

#include "core/c_boundary.h"
#include "plot/gplot_win32.h"
#include "support/rtk_debug.h"

namespace {

bool hardcopy_trace_enabled() {
    return is_debug_mode_active_for("MOLVERN_DEBUG_MODE", "kdhcopy", "all", nullptr) != 0;
}

} // namespace

extern "C" {

VEXL_API void *GetScreenHwnd(void) VEXL_TRY {
    HWND window = GetActiveWindow();
    return window != nullptr ? window : GetDesktopWindow();
}
VEXL_CATCH_RETURN(nullptr)

VEXL_API void *GetScreenDC(void *hwnd, hDCstate *state) VEXL_TRY {
    hDCstate obtained = HDC_WINDOW;
    HDC dc = GetDC(static_cast<HWND>(hwnd));
    if (dc == nullptr) {
        obtained = HDC_MEMORY;
        dc = CreateCompatibleDC(nullptr);
    }
    if (dc == nullptr)
        obtained = HDC_NONE;
    if (state != nullptr)
        *state = obtained;
    return dc;
}
VEXL_CATCH_RETURN(nullptr)

VEXL_API void FreeDC(void *hwnd, void *hdc, hDCstate state) VEXL_TRY {
    switch (state) {
        case HDC_WINDOW:
        case HDC_BORROWED:
            ReleaseDC(static_cast<HWND>(hwnd), static_cast<HDC>(hdc));
            break;
        case HDC_MEMORY:
        case HDC_PRINTER:
            DeleteDC(static_cast<HDC>(hdc));
            break;
        default:
            break;
    }
}
VEXL_CATCH_RETURN()

VEXL_API int paletteBasedDevice(void *hdc) VEXL_TRY {
    const int capabilities = GetDeviceCaps(static_cast<HDC>(hdc), RASTERCAPS);
    const int palette_based = capabilities & RC_PALETTE;
    if (hardcopy_trace_enabled()) {
        std::fprintf(stderr, "rasterCapabilities = %d : %x\n", capabilities,
                     static_cast<unsigned>(capabilities));
        std::fprintf(stderr, "paletteBased = 0x%x\n", static_cast<unsigned>(palette_based));
    }
    return palette_based != 0 ? 1 : 0;
}
VEXL_CATCH_RETURN(0)

} // extern "C"
