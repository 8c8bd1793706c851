// vexl_get_version: the library's build identification in one line.
#include <cstdio>

#include "core/c_boundary.h"
#include "plot/gplot.h"

extern "C" VEXL_API VexlVersion vexl_get_version(void) VEXL_TRY {
    // __DATE__ reads "Nov  3 2007" and __TIME__ "19:41:26", the forms callers
    // parse.
    VexlVersion version{};
    std::snprintf(version.text, sizeof version.text,
                  " GUI_LIB=MFC VER=330 REV=200 BUILD_TYPE=opt BUILD_DATE=%s BUILD_TIME=%s",
                  __DATE__, __TIME__);
    return version;
}
VEXL_CATCH_RETURN(VexlVersion{})
