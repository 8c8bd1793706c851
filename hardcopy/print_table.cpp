// The print-operation table: one per process, filled with the operations of
// the platform's hard-copy code (print_table_posix.cpp, print_table_win32.cpp).
#include "hardcopy/print_table.h"

#include "core/c_boundary.h"
#include "core/errors.h"

namespace vexl {

namespace {

int print_file_unavailable(int32_t, const char *, void *) {
    return fail(Error::NotImplemented);
}

int print_setup_unavailable(int32_t, void *) {
    return fail(Error::NotImplemented);
}

} // namespace

GPrintOp unavailable_print_operations() {
    return {print_file_unavailable, print_file_unavailable, print_setup_unavailable};
}

} // namespace vexl

extern "C" VEXL_API GPrintOp *getPrintTable(void) VEXL_TRY {
    static GPrintOp table = vexl::platform_print_operations();
    return &table;
}
VEXL_CATCH_RETURN(nullptr)
