// What only the operating system can give the portable code: message boxes,
// loadable modules, where the library and the user's settings live, the
// temporary directory, file queries and the shape of paths.
// platform_posix.cpp and platform_win32.cpp each implement all of it; the
// build picks one.
#ifndef VEXL33_SUPPORT_PLATFORM_H
#define VEXL33_SUPPORT_PLATFORM_H

#include <cstddef>
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

// True for every character the platform reads as a separator ('/' and, on
// Windows, '\\' as well).
bool is_path_separator(char c);

// Length of the head of path that names a root and keeps its separator when
// trailing separators are stripped: 1 for "/", 3 for "C:\\"; 0 otherwise.
std::size_t root_length(const char *path);

// What the file system tells about an existing path.
struct FileStatus {
    long long size; // bytes
    int type;       // the file-type bits of the mode: 16384 for a directory
};

// The status of path (files over 2 GB included); nothing when it cannot be
// examined.
std::optional<FileStatus> file_status(const char *path);

// True when both names lead to the same existing file.
bool same_file(const char *a, const char *b);

// Creates a new, empty file under a fresh name in the temporary directory and
// returns the name. The file is created exclusively, so the name is the
// caller's alone. Empty on failure, or when the name would need size bytes
// or more (then no file is left behind).
std::string create_temp_file(std::size_t size);

} // namespace vexl::platform

#endif // VEXL33_SUPPORT_PLATFORM_H
