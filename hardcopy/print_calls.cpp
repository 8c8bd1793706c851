// gprint_printFile, gprint_printFileDialog and gprint_printSetupDialog: the
// table's operations behind their re-entry guards (see print_calls.h).
#include "hardcopy/print_calls.h"

#include "core/c_boundary.h"
#include "hardcopy/print_options.h"
#include "hardcopy/print_table.h"

namespace vexl {

PrintCallGuard::PrintCallGuard(bool &busy) : busy_(busy), entered_(!busy) {
    if (entered_)
        busy_ = true;
    else
        signal_refused_print_call();
}

PrintCallGuard::~PrintCallGuard() {
    if (entered_)
        busy_ = false;
}

namespace {

// Printing a file has a guard of its own, so the print-file dialog can hand
// its file on to it; the two dialogs share one.
bool printing_file = false;
bool showing_print_dialog = false;

} // namespace

} // namespace vexl

extern "C" {

VEXL_API int gprint_printFile(int32_t content_kind, const char *path, void *window) VEXL_TRY {
    const vexl::PrintCallGuard guard(vexl::printing_file);
    if (!guard.entered())
        return 0;
    vexl::print_options().contentKind = content_kind;
    return getPrintTable()->print_file(content_kind, path, window);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gprint_printFileDialog(int32_t content_kind, const char *path, void *window) VEXL_TRY {
    const vexl::PrintCallGuard guard(vexl::showing_print_dialog);
    if (!guard.entered())
        return 0;
    vexl::print_options().contentKind = content_kind;
    return getPrintTable()->print_file_dialog(content_kind, path, window);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gprint_printSetupDialog(int32_t content_kind, void *window) VEXL_TRY {
    const vexl::PrintCallGuard guard(vexl::showing_print_dialog);
    if (!guard.entered())
        return 0;
    return getPrintTable()->print_setup_dialog(content_kind, window);
}
VEXL_CATCH_RETURN(0)

} // extern "C"
