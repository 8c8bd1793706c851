// Where the loader leaves the companion module's handle for the dialogs.
#include "hardcopy/print_module.h"

namespace vexl {

namespace {

void *&loaded_module() {
    static void *module = nullptr;
    return module;
}

} // namespace

void *print_module_handle() {
    return loaded_module();
}

void publish_print_module_handle(void *module) {
    loaded_module() = module;
}

} // namespace vexl
