// Text files and enhanced metafiles onto the clipboard.
#include <windows.h>

#include "core/c_boundary.h"
#include "plot/gplot_win32.h"

extern "C" {

VEXL_API int TEXTtoClipBoard(void *, int, const char *) VEXL_TRY {
    return 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API int EMFtoClipBoard(void *, int, const char *) VEXL_TRY {
    return 0;
}
VEXL_CATCH_RETURN(0)

} // extern "C"
