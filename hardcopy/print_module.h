// The companion print module as the loader last left it. The loader (in the
// plot layer) publishes the handle of the module it actually loaded, so the
// dialogs take their templates from that module even when VEXLDLL names a
// file other than "vexl".
#ifndef VEXL33_HARDCOPY_PRINT_MODULE_H
#define VEXL33_HARDCOPY_PRINT_MODULE_H

namespace vexl {

// Handle of the loaded companion module (an HMODULE on Windows), or null
// while none is loaded.
void *print_module_handle();
void publish_print_module_handle(void *module);

} // namespace vexl

#endif // VEXL33_HARDCOPY_PRINT_MODULE_H
