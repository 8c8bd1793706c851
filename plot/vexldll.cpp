// vexldll_load, vexldll_unload and vexldll_loadStatus.
//
// Only file and print plots need the module. A print plot initialises its
// print entry once per process (even after an unload); a file plot hands the
// table over again every time, as the module may have been set up for a
// different job in between.
//
// A bare module name goes to the system's search first, as applications
// expect when they point VEXLDLL at a module of their own. That search looks
// in the application's folder, the system folders and the PATH, but not
// beside this library, where the install puts the module: an application
// that loads vexl33.dll from a folder of its own would otherwise never find
// the module shipped with it. So a bare name the search misses is tried
// beside the library as well.
#include "plot/vexldll.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/c_boundary.h"
#include "hardcopy/print_module.h"
#include "hardcopy/print_table.h"
#include "plot/gplot.h"
#include "support/platform.h"

namespace vexl {

namespace {

using PrintInitEntry = void (*)(GPrintOp *table);

bool is_bare_name(const char *name) {
    for (const char *c = name; *c != '\0'; ++c)
        if (platform::is_path_separator(*c) || *c == ':')
            return false;
    return *name != '\0';
}

void *load_beside_library(const char *name) {
    const std::string directory = platform::library_directory();
    if (directory.empty())
        return nullptr;
    return platform::load_module((directory + platform::path_separator() + name).c_str());
}

CompanionModule &process_module() {
    static CompanionModule module;
    return module;
}

} // namespace

bool CompanionModule::load_module() {
    char name[kSettingBufferSize];
    if (!lookup_("VEXLDLL", name))
        std::snprintf(name, sizeof name, "%s", "vexl");
    module_ = platform::load_module(name);
    if (module_ == nullptr && is_bare_name(name))
        module_ = load_beside_library(name);
    if (module_ == nullptr) {
        std::fprintf(stderr, "Unable to load DLL %s\n", name);
        return false;
    }
    if (!ever_loaded_) {
        ever_loaded_ = true;
        if (on_first_load != nullptr)
            on_first_load();
    }
    return true;
}

bool CompanionModule::load(int kind) {
    if (kind == GPLOT_PRINT && print_initialised_)
        return true;
    if (kind == GPLOT_HPGL2 || kind == GPLOT_SCREEN || kind == GPLOT_CLIPBOARD)
        return true;
    if (module_ == nullptr && !load_module())
        return false;
    if (kind == GPLOT_FILE || kind == GPLOT_PRINT) {
        print_entry_ = platform::module_symbol(module_, "DllPrintInit");
        if (print_entry_ != nullptr)
            reinterpret_cast<PrintInitEntry>(print_entry_)(getPrintTable());
        print_initialised_ = true;
    }
    return true;
}

void CompanionModule::unload() {
    if (module_ == nullptr)
        return;
    platform::free_module(module_);
    module_ = nullptr;
    print_entry_ = nullptr;
}

} // namespace vexl

extern "C" {

VEXL_API int vexldll_load(GPlotDevice kind) VEXL_TRY {
    vexl::CompanionModule &module = vexl::process_module();
    module.on_first_load = [] { std::atexit(vexldll_unload); };
    const bool loaded = module.load(kind);
    vexl::publish_print_module_handle(module.handle());
    return loaded ? 1 : 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API void vexldll_unload(void) VEXL_TRY {
    vexl::process_module().unload();
    vexl::publish_print_module_handle(nullptr);
}
VEXL_CATCH_RETURN()

VEXL_API int vexldll_loadStatus(void) VEXL_TRY {
    return vexl::process_module().loaded() ? 1 : 0;
}
VEXL_CATCH_RETURN(0)

} // extern "C"
