// Print operations where there are no Windows printers and dialogs: each
// reports that it is not available instead of pretending success.
#include "hardcopy/print_table.h"

namespace vexl {

GPrintOp platform_print_operations() {
    return unavailable_print_operations();
}

// No console bell: a library has no business writing to a terminal it does
// not own. The refused call's result of 0 says it all.
void signal_refused_print_call() {}

} // namespace vexl
