// gplot_get_environment and debug_mode_active_for.
#include "plot/settings.h"

#include <cstring>
#include <initializer_list>

#include "core/c_boundary.h"
#include "plot/gplot.h"

namespace vexl {

bool DebugModeSelector::active_for(const char *a, const char *b, const char *c) {
    if (!looked_up_) {
        looked_up_ = true;
        if (!lookup_("MOLVERN_DEBUG_MODE", value_))
            value_[0] = '\0';
    }
    if (std::strcmp(value_, "all") == 0)
        return true;
    for (const char *selector : {a, b, c}) {
        if (selector != nullptr && std::strcmp(value_, selector) == 0)
            return true;
    }
    return false;
}

} // namespace vexl

extern "C" {

VEXL_API int gplot_get_environment(const char *name, char *buffer) VEXL_TRY {
    if (name == nullptr || buffer == nullptr)
        return 0;
    return vexl::lookup_setting(name, buffer);
}
VEXL_CATCH_RETURN(0)

VEXL_API int debug_mode_active_for(const char *a, const char *b, const char *c) VEXL_TRY {
    static vexl::DebugModeSelector process_selector;
    return process_selector.active_for(a, b, c) ? 1 : 0;
}
VEXL_CATCH_RETURN(0)

} // extern "C"
