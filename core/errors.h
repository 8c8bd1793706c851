// Setting and reading the process-wide last-error code from inside the library.
#ifndef VEXL33_CORE_ERRORS_H
#define VEXL33_CORE_ERRORS_H

#include <cstddef>

#include "core/error_table.h"

namespace vexl {

// GplotErrno := code. Always returns 0 so a failing call can end with
// `return fail(Error::...)`.
int fail(Error code);

// GplotErrno := 0; device construction starts from a clean code.
void clear_error();

Error current_error();

// What a table says about a code: its message and class, or, for a code
// outside the table or a row that does not hold its own code, the matching
// diagnostic (also written on the error stream) and no class.
struct ErrorLookup {
    const char *message;
    bool has_class;
    ErrorClass error_class;
};
ErrorLookup look_up_error(const ErrorRow *table, std::size_t rows, int code);

} // namespace vexl

#endif // VEXL33_CORE_ERRORS_H
