// The companion print module: loaded on demand for the kinds of plot that
// print, and handed the print-operation table through its optional
// "DllPrintInit" entry.
#ifndef VEXL33_PLOT_VEXLDLL_H
#define VEXL33_PLOT_VEXLDLL_H

#include <utility>

#include "support/settings_lookup.h"

namespace vexl {

// One loaded module and what is known of it. The library keeps one for the
// process behind vexldll_load; tests make their own.
class CompanionModule {
  public:
    explicit CompanionModule(SettingLookup lookup = lookup_setting) : lookup_(std::move(lookup)) {}
    ~CompanionModule() { unload(); }
    CompanionModule(const CompanionModule &) = delete;
    CompanionModule &operator=(const CompanionModule &) = delete;

    // Loads the module named by VEXLDLL (else "vexl") when a plot of this
    // kind needs it; file and print plots also initialise its print entry.
    // False, with a line on the error stream, when the module cannot be loaded.
    bool load(int kind);
    void unload();
    bool loaded() const { return module_ != nullptr; }
    // The loaded module's handle, or null.
    void *handle() const { return module_; }

    // Called once after the first successful load (the process module
    // registers its unloading at exit here).
    void (*on_first_load)() = nullptr;

  private:
    bool load_module();

    SettingLookup lookup_;
    void *module_ = nullptr;
    void *print_entry_ = nullptr;
    bool print_initialised_ = false;
    bool ever_loaded_ = false;
};

} // namespace vexl

#endif // VEXL33_PLOT_VEXLDLL_H
