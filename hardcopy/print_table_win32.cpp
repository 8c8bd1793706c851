// Print operations on Windows: delivering a finished file
// (print_delivery_win32.cpp), the print-file dialog and the printer set-up
// dialog.
#include "hardcopy/print_table.h"

#include <windows.h>

#include <commdlg.h>

#include <cstdio>

#include "hardcopy/print_delivery_win32.h"
#include "hardcopy/print_options.h"
#include "plot/gplot_win32.h"
#include "support/rtk_files.h"

namespace vexl {

namespace {

constexpr int kWithOptionsDialog = 1;
constexpr int kPrinterSetupDialog = 3;
constexpr int32_t kTextContent = 1;

// A dialog that did not give its answer either failed or was cancelled; only
// the common dialogs' own error state tells which.
int declined_result() {
    return CommDlgExtendedError() != 0 ? 0 : -1;
}

// Asks (text) or takes the answer already given (graphics, whose options
// were chosen when the plot was opened), then prints the file or, when the
// answer was no, throws it away: it was recorded only to be printed.
int print_file_dialog(int32_t content_kind, const char *path, void *window) {
    print_options().contentKind = content_kind;
    const int answer = content_kind == kTextContent
                           ? PrintSetup_Dialog(window, kWithOptionsDialog, kTextContent)
                           : print_options().printStatus;
    if (answer == 1)
        return gprint_printFile(content_kind, path, window);
    if (path != nullptr && !gfile_erasefil(path))
        std::remove(path);
    return declined_result();
}

int print_setup_dialog(int32_t content_kind, void *window) {
    if (PrintSetup_Dialog(window, kPrinterSetupDialog, content_kind) != 0)
        return 1;
    return declined_result();
}

} // namespace

GPrintOp platform_print_operations() {
    GPrintOp operations = unavailable_print_operations();
    operations.print_file = deliver_printed_file;
    operations.print_file_dialog = print_file_dialog;
    operations.print_setup_dialog = print_setup_dialog;
    return operations;
}

void signal_refused_print_call() {
    MessageBeep(MB_ICONEXCLAMATION);
}

} // namespace vexl
