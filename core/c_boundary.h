// The C boundary: no exception may leave an exported call.
//
// The callers of this library are C programs (and DLL clients built with
// other compilers) that cannot catch a C++ exception; one escaping through
// them ends the process. Every exported definition therefore wraps its body
// in a function-try-block whose handler is VEXL_CATCH_RETURN, which turns
// whatever escaped into a last-error code and the call's failure result:
//
//     VEXL_API int gplot_flush(GPlot *plot) VEXL_TRY {
//         ...
//     }
//     VEXL_CATCH_RETURN(0)
//
// The code is "Malloc failed" unless the call names its own as a second
// argument; a void call passes no argument at all. Nearly everything that can
// throw inside the library is an allocation, so that is the honest default.
// tools/checks/check_c_boundary.sh rejects an exported definition without it.
//
// VEXL_TRY is the plain keyword. It is spelled through a macro because
// clang-format folds a short function-try-block onto one line, which would
// rewrite the body of every small exported call.
#ifndef VEXL33_CORE_C_BOUNDARY_H
#define VEXL33_CORE_C_BOUNDARY_H

#include "core/errors.h"

namespace vexl {

// Called only from the handler: records the code, gives back the failure.
template <typename Result>
Result escaped_exception(Result failure, Error code = Error::MallocFailed) noexcept {
    fail(code);
    return failure;
}

inline void escaped_exception() noexcept {
    fail(Error::MallocFailed);
}

// The failure result of the error-message query, whose callers print it
// unchecked: the message of the code the handler sets.
inline const char *malloc_failed_message() noexcept {
    return GplotErrorTABLE[static_cast<int>(Error::MallocFailed)].message;
}

} // namespace vexl

#define VEXL_TRY try

#define VEXL_CATCH_RETURN(...)                                                                     \
    catch (...) {                                                                                  \
        return ::vexl::escaped_exception(__VA_ARGS__);                                             \
    }

#endif // VEXL33_CORE_C_BOUNDARY_H
