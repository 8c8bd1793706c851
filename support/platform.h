// What only the operating system can give the portable code: message boxes,
// loadable modules, where the library and the user's settings live, and the
// temporary directory. platform_posix.cpp and platform_win32.cpp each
// implement all of it; the build picks one.
#ifndef VEXL33_SUPPORT_PLATFORM_H
#define VEXL33_SUPPORT_PLATFORM_H

#include <optional>
#include <string>

namespace vexl::platform {

// Sounds beep (a MessageBeep code) and shows a modal message box with no
// owner window. Returns the box's button identifier (IDOK = 1, IDCANCEL = 2,
// IDABORT = 3, IDRETRY = 4, IDIGNORE = 5), or nothing on a platform that has
// no message boxes. beep < 0 means no sound.
std::optional<int> message_box(const char *text, const char *caption, long beep,
                               unsigned long style);

// Loadable modules by name (the system's search rules apply). Null on failure.
void *load_module(const char *name);
void *module_symbol(void *module, const char *symbol);
void free_module(void *module);
// The system's text for the last failed load_module, for messages.
std::string last_module_error();

// Directory of the vexl33 library module itself (no trailing separator), or
// empty when it cannot be found.
std::string library_directory();

// Per-user configuration directory: $XDG_CONFIG_HOME or ~/.config on POSIX,
// %APPDATA% on Windows; empty when unknown.
std::string user_config_directory();

// Directory for temporary files, without trailing separator.
std::string temp_directory();

// The separator the platform writes between path components.
char path_separator();

} // namespace vexl::platform

#endif // VEXL33_SUPPORT_PLATFORM_H
