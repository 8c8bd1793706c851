// PrintToFile_Dialog and gprint_display_printui_dialogs: the exported ways
// into the print-to-file dialogs.
#include <windows.h>

#include "core/c_boundary.h"
#include "hardcopy/print_options.h"
#include "hardcopy/save_dialog_win32.h"
#include "plot/gplot_win32.h"

namespace {

constexpr int kWithOptionsDialog = 1;
constexpr int kGraphicsContent = 0;
constexpr int kTextContent = 1;

} // namespace

extern "C" {

VEXL_API int PrintToFile_Dialog(void *window, int, int contentKind) VEXL_TRY {
    HWND owner = static_cast<HWND>(window);
    if (contentKind == kGraphicsContent)
        return vexl::graphics_save_dialog().run(owner);
    if (contentKind == kTextContent)
        return vexl::text_save_dialog().run(owner);
    return 0;
}
VEXL_CATCH_RETURN(0)

// Without a window the print dialog is skipped and the options chosen
// earlier decide; print to file then still asks for the file.
VEXL_API int gprint_display_printui_dialogs(int dialogKind, int contentKind,
                                            void *window) VEXL_TRY {
    if (window != nullptr)
        PrintSetup_Dialog(window, dialogKind, contentKind);
    const vexl::PrintOptions &options = vexl::print_options();
    if (dialogKind == kWithOptionsDialog) {
        if (options.printStatus != 1)
            return 0;
        if (!options.printToFile)
            return 1;
        if (contentKind != kGraphicsContent && contentKind != kTextContent)
            return 1;
        PrintToFile_Dialog(window, 0, contentKind);
    }
    return options.printStatus == 1 ? 1 : 0;
}
VEXL_CATCH_RETURN(0)

} // extern "C"
