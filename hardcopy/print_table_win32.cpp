// Print operations on Windows. Delivering files to a printer and the print
// dialogs are not part of the library yet; until they are, each operation
// reports that it is not available, as on other systems.
#include "hardcopy/print_table.h"

namespace vexl {

GPrintOp platform_print_operations() {
    return unavailable_print_operations();
}

} // namespace vexl
