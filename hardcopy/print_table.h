// The table of print operations handed to the companion print module's
// DllPrintInit entry, which may call back through it.
#ifndef VEXL33_HARDCOPY_PRINT_TABLE_H
#define VEXL33_HARDCOPY_PRINT_TABLE_H

#include <cstdint>

extern "C" {

struct GPrintOp {
    int (*print_file)(int32_t content_kind, const char *path, void *window);
    int (*print_file_dialog)(int32_t content_kind, const char *path, void *window);
    int (*print_setup_dialog)(int32_t content_kind, void *window);
};

} // extern "C"

// The one process-wide table, filled on first use.
GPrintOp *getPrintTable();

namespace vexl {

// The operations this platform's hard-copy code provides.
GPrintOp platform_print_operations();

// Operations that each fail with "Function not implemented yet" (code 14),
// for whatever a platform cannot do.
GPrintOp unavailable_print_operations();

} // namespace vexl

#endif // VEXL33_HARDCOPY_PRINT_TABLE_H
