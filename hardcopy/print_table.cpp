// The print-operation table. Delivering files to a printer and the print
// dialogs need the Windows hard-copy code; until a build has it, each entry
// reports that the operation is not available instead of pretending success.
#include "hardcopy/print_table.h"

#include "core/errors.h"

namespace {

int print_file_unavailable(int32_t, const char *, void *) {
    return vexl::fail(vexl::Error::NotImplemented);
}

int print_setup_unavailable(int32_t, void *) {
    return vexl::fail(vexl::Error::NotImplemented);
}

GPrintOp print_table = {print_file_unavailable, print_file_unavailable, print_setup_unavailable};

} // namespace

GPrintOp *getPrintTable() {
    return &print_table;
}
