// PrintSetup_Dialog: the system print dialog on one record kept for the
// process, so the chosen printer, its device mode and its printer context
// carry over from one call to the next. With the companion module the dialog
// shows the library's template and its hook keeps the print options in step
// with the library's check boxes (print_dialog_rules.cpp).
#include "hardcopy/print_dialog_win32.h"

// clang-format off
#include <windows.h>
#include <commdlg.h>
// clang-format on

#include <algorithm>

#include "core/c_boundary.h"
#include "hardcopy/dialog_ids.h"
#include "hardcopy/print_dialog_rules.h"
#include "hardcopy/print_module.h"
#include "hardcopy/print_options.h"
#include "plot/gplot_win32.h"

namespace vexl {

namespace {

// The 32-bit system packs the record to 66 bytes; the 64-bit one aligns
// its handles and has a larger record. Each build hands the size its own
// PrintDlgA expects.
static_assert(sizeof(void *) != 4 || sizeof(PRINTDLGA) == 66);

// The process's one dialog record with the handles the dialogs leave in it.
class PrintDialogRecord {
  public:
    PrintDialogRecord() = default;
    PrintDialogRecord(const PrintDialogRecord &) = delete;
    PrintDialogRecord &operator=(const PrintDialogRecord &) = delete;
    ~PrintDialogRecord() {
        release_printer_context();
        release_printer_choice();
    }

    PRINTDLGA dialog{};
    bool set_up = false;
    bool hook_installed = false;

    void release_printer_context() {
        if (dialog.hDC != nullptr)
            DeleteDC(dialog.hDC);
        dialog.hDC = nullptr;
    }
    // The chosen printer and its settings.
    void release_printer_choice() {
        if (dialog.hDevMode != nullptr)
            GlobalFree(dialog.hDevMode);
        if (dialog.hDevNames != nullptr)
            GlobalFree(dialog.hDevNames);
        dialog.hDevMode = nullptr;
        dialog.hDevNames = nullptr;
    }
};

PrintDialogRecord &record() {
    static PrintDialogRecord kept;
    return kept;
}

// The library's check boxes on the open dialog.
class HookBoxes : public PrintDialogBoxes {
  public:
    explicit HookBoxes(HWND dialog) : dialog_(dialog) {}
    void set_checked(int box, bool checked) override {
        SendDlgItemMessageA(dialog_, box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    void set_enabled(int box, bool enabled) override {
        EnableWindow(GetDlgItem(dialog_, box), enabled ? TRUE : FALSE);
    }
    bool checked(int box) const override { return IsDlgButtonChecked(dialog_, box) == BST_CHECKED; }

  private:
    HWND dialog_;
};

UINT_PTR CALLBACK print_hook(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            HookBoxes boxes(dialog);
            show_print_options(print_options(), boxes);
            return TRUE; // the system gives the focus its own way
        }
        case WM_COMMAND:
            if (HIWORD(wparam) == BN_CLICKED) {
                HookBoxes boxes(dialog);
                if (print_option_clicked(print_options(), boxes, LOWORD(wparam)))
                    return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

// The first call of the process: a clean record, and the library's template
// and hook when the companion module carries them.
void set_up(PrintDialogRecord &kept) {
    kept.dialog = PRINTDLGA{};
    kept.dialog.lStructSize = sizeof(PRINTDLGA);
    if (vexldll_loadStatus() == 0)
        vexldll_load(GPLOT_PRINT);
    HINSTANCE module = static_cast<HINSTANCE>(print_module_handle());
    kept.dialog.hInstance = module;
    LPCSTR name = MAKEINTRESOURCEA(VEXL_PRINT_DIALOG_TEMPLATE);
    if (module != nullptr && FindResourceA(module, name, RT_DIALOG) != nullptr) {
        kept.dialog.lpfnPrintHook = print_hook;
        kept.dialog.lpPrintTemplateName = name;
        kept.hook_installed = true;
    }
    set_first_print_dialog_options(print_options());
    kept.set_up = true;
}

} // namespace

void *print_dialog_printer_context() {
    return record().dialog.hDC;
}

void *take_print_dialog_printer_context() {
    HDC context = record().dialog.hDC;
    record().dialog.hDC = nullptr;
    return context;
}

int print_dialog_copies() {
    const WORD copies = record().dialog.nCopies;
    return copies == 0 ? 1 : copies;
}

void set_print_dialog_copies(int copies) {
    record().dialog.nCopies = static_cast<WORD>(std::clamp(copies, 1, 0xFFFF));
}

void *print_dialog_device_mode() {
    return record().dialog.hDevMode;
}

void *dialog_owner(void *window) {
    if (window != nullptr)
        return window;
    HWND active = GetActiveWindow();
    return active != nullptr ? active : GetDesktopWindow();
}

} // namespace vexl

extern "C" {

VEXL_API int PrintSetup_Dialog(void *window, int dialogKind, int contentKind) VEXL_TRY {
    vexl::PrintOptions &options = vexl::print_options();
    vexl::PrintDialogRecord &kept = vexl::record();
    options.contentKind = contentKind;
    if (!kept.set_up)
        vexl::set_up(kept);
    else
        kept.release_printer_context();
    kept.dialog.hwndOwner = static_cast<HWND>(vexl::dialog_owner(window));
    if (const auto flags = vexl::print_dialog_flags(dialogKind, kept.hook_installed))
        kept.dialog.Flags = *flags;
    // The system refuses to look the default printer up while the record
    // still holds a printer chosen earlier; asking for the default is asking
    // to drop that choice.
    if (dialogKind == vexl::kDefaultPrinterDialog)
        kept.release_printer_choice();
    const BOOL accepted = PrintDlgA(&kept.dialog);
    options.printStatus = accepted ? 1 : 0;
    if (kept.dialog.nCopies == 0)
        kept.dialog.nCopies = 1;
    return accepted;
}
VEXL_CATCH_RETURN(0)

} // extern "C"
