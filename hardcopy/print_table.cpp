// The print-operation table: one per process, filled with the operations of
// the platform's hard-copy code (print_table_posix.cpp, print_table_win32.cpp).
#include "hardcopy/print_table.h"

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

GPrintOp *getPrintTable() {
    static GPrintOp table = vexl::platform_print_operations();
    return &table;
}
