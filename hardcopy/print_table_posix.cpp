// Print operations where there are no Windows printers and dialogs: each
// reports that it is not available instead of pretending success.
#include "hardcopy/print_table.h"

namespace vexl {

GPrintOp platform_print_operations() {
    return unavailable_print_operations();
}

} // namespace vexl
