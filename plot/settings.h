// Settings as the plotting interface sees them: the lookup behind
// gplot_get_environment and the debug selector behind debug_mode_active_for.
#ifndef VEXL33_PLOT_SETTINGS_H
#define VEXL33_PLOT_SETTINGS_H

#include <utility>

#include "support/settings_lookup.h"

namespace vexl {

// Remembers MOLVERN_DEBUG_MODE from its first use for the rest of its life,
// so switching debugging on or off needs a new process. The library keeps
// one for the process; tests make their own.
class DebugModeSelector {
  public:
    explicit DebugModeSelector(SettingLookup lookup = lookup_setting)
        : lookup_(std::move(lookup)) {}

    // True when the remembered value is "all" or equals one of the non-null
    // selectors (case-sensitive).
    bool active_for(const char *a, const char *b, const char *c);

  private:
    SettingLookup lookup_;
    bool looked_up_ = false;
    char value_[kSettingBufferSize] = {};
};

} // namespace vexl

#endif // VEXL33_PLOT_SETTINGS_H
