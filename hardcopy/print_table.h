// The table of print operations handed to the companion print module's
// DllPrintInit entry, which may call back through it. Its type and the
// getPrintTable call are part of the public interface (plot/gplot.h).
#ifndef VEXL33_HARDCOPY_PRINT_TABLE_H
#define VEXL33_HARDCOPY_PRINT_TABLE_H

#include "plot/gplot.h"

namespace vexl {

// The operations this platform's hard-copy code provides.
GPrintOp platform_print_operations();

// Operations that each fail with "Function not implemented yet" (code 14),
// for whatever a platform cannot do.
GPrintOp unavailable_print_operations();

// Tells the user that a print operation was refused because it is already
// running (a beep where the platform has one).
void signal_refused_print_call();

} // namespace vexl

#endif // VEXL33_HARDCOPY_PRINT_TABLE_H
