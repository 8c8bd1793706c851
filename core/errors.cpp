// The last-error code, the table behind it and the four queries on it.
//
// The queries guard against a code outside the table and against a row
// whose code does not match its index, and say so on the error stream, since
// a caller reading a wrong message would be misled silently otherwise.
#include "core/errors.h"

#include <cstdio>

#include "core/c_boundary.h"
#include "plot/gplot.h"

extern "C" {
VEXL_API int GplotErrno = 0;
}

namespace vexl {

const ErrorRow GplotErrorTABLE[] = {
#define VEXL_ERROR_ROW(name, cls, message)                                                         \
    {static_cast<int32_t>(Error::name), ErrorClass::cls, message},
    VEXL_ERROR_LIST(VEXL_ERROR_ROW)
#undef VEXL_ERROR_ROW
};

const std::size_t GplotErrorTABLE_rows = sizeof(GplotErrorTABLE) / sizeof(GplotErrorTABLE[0]);

int fail(Error code) {
    GplotErrno = static_cast<int>(code);
    return 0;
}

void clear_error() {
    GplotErrno = 0;
}

Error current_error() {
    return static_cast<Error>(GplotErrno);
}

ErrorLookup look_up_error(const ErrorRow *table, std::size_t rows, int code) {
    if (code < 0 || static_cast<std::size_t>(code) >= rows) {
        std::fprintf(stderr, "%s\n", kErrnoOutOfRange);
        return {kErrnoOutOfRange, false, ErrorClass::Warning};
    }
    const ErrorRow &row = table[code];
    if (row.code != code) {
        std::fprintf(stderr, "%s\n", kErrorTableInconsistent);
        return {kErrorTableInconsistent, false, ErrorClass::Warning};
    }
    return {row.message, true, row.error_class};
}

namespace {

ErrorLookup current_lookup() {
    return look_up_error(GplotErrorTABLE, GplotErrorTABLE_rows, GplotErrno);
}

int current_class_is(ErrorClass wanted) {
    const ErrorLookup found = current_lookup();
    return found.has_class && found.error_class == wanted ? 1 : 0;
}

} // namespace

} // namespace vexl

extern "C" {

VEXL_API const char *gplot_get_error_message(void) VEXL_TRY {
    return vexl::current_lookup().message;
}
VEXL_CATCH_RETURN(vexl::malloc_failed_message())

VEXL_API int gplot_error_is_warning(void) VEXL_TRY {
    return vexl::current_class_is(vexl::ErrorClass::Warning);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_error_is_severe(void) VEXL_TRY {
    return vexl::current_class_is(vexl::ErrorClass::Severe);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_error_is_fatal(void) VEXL_TRY {
    return vexl::current_class_is(vexl::ErrorClass::Fatal);
}
VEXL_CATCH_RETURN(0)

} // extern "C"
