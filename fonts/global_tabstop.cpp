// The process-wide tab stop every text measurement and tab expansion uses.
#include "core/c_boundary.h"
#include "plot/gplot.h"

namespace {
int32_t global_font_tabstop = 8;
} // namespace

extern "C" {

VEXL_API void gftable_set_global_font_tabstop(int32_t tabstop) VEXL_TRY {
    global_font_tabstop = tabstop;
}
VEXL_CATCH_RETURN()

VEXL_API int32_t gftable_get_global_font_tabstop(void) VEXL_TRY {
    return global_font_tabstop;
}
VEXL_CATCH_RETURN(0)

} // extern "C"
