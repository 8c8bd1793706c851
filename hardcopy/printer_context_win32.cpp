// GetPrinterDC, CreatePrinterDC and GetScaleFactor: the printer context and
// the scale the print dialog left, for applications that draw on the
// printer themselves.
#include <windows.h>

#include "core/c_boundary.h"
#include "hardcopy/print_dialog_win32.h"
#include "plot/gplot_win32.h"

namespace {

// The default printer is looked up in a buffer of this size; a printer
// whose record and names need more is not found. Applications have long
// relied on this call being cheap and never allocating.
constexpr DWORD kDefaultPrinterBufferSize = 60;
constexpr double kFullScale = 100.0;

// The last scale read from the print dialog's device mode.
double remembered_scale = kFullScale;

} // namespace

extern "C" {

VEXL_API void *GetPrinterDC(void *, hDCstate *state) VEXL_TRY {
    if (state != nullptr)
        *state = HDC_PRINTER;
    return vexl::print_dialog_printer_context();
}
VEXL_CATCH_RETURN(nullptr)

VEXL_API void *CreatePrinterDC(void) VEXL_TRY {
    // PRINTER_INFO_5A is pointer-aligned, so the buffer is too.
    alignas(PRINTER_INFO_5A) BYTE buffer[kDefaultPrinterBufferSize];
    DWORD needed = 0;
    DWORD returned = 0;
    if (!EnumPrintersA(PRINTER_ENUM_DEFAULT, nullptr, 5, buffer, sizeof buffer, &needed,
                       &returned) ||
        returned == 0)
        return nullptr;
    const auto *printer = reinterpret_cast<const PRINTER_INFO_5A *>(buffer);
    if (printer->pPrinterName == nullptr)
        return nullptr;
    return CreateDCA(nullptr, printer->pPrinterName, nullptr, nullptr);
}
VEXL_CATCH_RETURN(nullptr)

VEXL_API double GetScaleFactor(void) VEXL_TRY {
    HGLOBAL mode = static_cast<HGLOBAL>(vexl::print_dialog_device_mode());
    if (mode != nullptr) {
        if (const auto *device_mode = static_cast<const DEVMODEA *>(GlobalLock(mode))) {
            remembered_scale = static_cast<double>(static_cast<short>(device_mode->dmScale));
            GlobalUnlock(mode);
        } else {
            remembered_scale = kFullScale;
        }
    }
    return remembered_scale;
}
VEXL_CATCH_RETURN(0.0)

} // extern "C"
