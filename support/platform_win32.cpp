// The platform layer on Windows: USER message boxes, modules through the
// kernel's loader, %APPDATA% and the system temporary directory, the C
// runtime's 64-bit stat and exclusive creation for files.
#include "support/platform.h"

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace vexl::platform {

namespace {

std::string &module_error() {
    static std::string text;
    return text;
}

// Any address inside this library; the kernel maps it to the module holding it.
void library_anchor() {}

std::string system_message(DWORD code) {
    char text[512];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' ||
                          text[length - 1] == ' ' || text[length - 1] == '.'))
        --length;
    if (length == 0)
        return "error " + std::to_string(code);
    return std::string(text, length);
}

std::string without_trailing_separators(std::string path) {
    while (path.size() > 1 && (path.back() == '\\' || path.back() == '/') &&
           !(path.size() == 3 && path[1] == ':'))
        path.pop_back();
    return path;
}

// Full name of the module holding library_anchor.
std::string library_file() {
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&library_anchor), &module))
        return {};
    // The call cuts a name that does not fit and reports the full buffer
    // size; grow until the name fits.
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::vector<char> name(size);
        DWORD length = GetModuleFileNameA(module, name.data(), size);
        if (length == 0)
            return {};
        if (length < size)
            return std::string(name.data(), length);
    }
    return {};
}

} // namespace

std::optional<int> message_box(const char *text, const char *caption, long beep,
                               unsigned long style) {
    if (beep >= 0)
        MessageBeep(static_cast<UINT>(beep));
    return MessageBoxA(nullptr, text, caption, static_cast<UINT>(style));
}

void *load_module(const char *name) {
    if (!name) {
        module_error() = "no module name";
        return nullptr;
    }
    HMODULE module = LoadLibraryA(name);
    if (!module)
        module_error() = system_message(GetLastError());
    return reinterpret_cast<void *>(module);
}

void *module_symbol(void *module, const char *symbol) {
    if (!module || !symbol)
        return nullptr;
    FARPROC address = GetProcAddress(static_cast<HMODULE>(module), symbol);
    return reinterpret_cast<void *>(address);
}

void free_module(void *module) {
    if (module)
        FreeLibrary(static_cast<HMODULE>(module));
}

std::string last_module_error() {
    return module_error();
}

std::string library_directory() {
    std::string file = library_file();
    std::string::size_type separator = file.find_last_of("\\/");
    if (separator == std::string::npos)
        return {};
    return without_trailing_separators(file.substr(0, separator + 1));
}

std::string user_config_directory() {
    const char *appdata = std::getenv("APPDATA");
    if (appdata && *appdata)
        return without_trailing_separators(appdata);
    return {};
}

std::string temp_directory() {
    char buffer[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof buffer, buffer);
    if (length == 0)
        return {};
    if (length >= sizeof buffer) {
        std::vector<char> large(length + 1);
        DWORD again = GetTempPathA(static_cast<DWORD>(large.size()), large.data());
        if (again == 0 || again >= large.size())
            return {};
        return without_trailing_separators(std::string(large.data(), again));
    }
    return without_trailing_separators(std::string(buffer, length));
}

char path_separator() {
    return '\\';
}

bool is_path_separator(char c) {
    return c == '\\' || c == '/';
}

std::size_t root_length(const char *path) {
    if (path[0] && path[1] == ':' && is_path_separator(path[2]))
        return 3;
    return is_path_separator(path[0]) ? 1 : 0;
}

std::optional<FileStatus> file_status(const char *path) {
    struct _stat64 info; // the 32-bit stat fails on files over 2 GB
    if (_stat64(path, &info) != 0)
        return std::nullopt;
    return FileStatus{static_cast<long long>(info.st_size),
                      static_cast<int>(info.st_mode & _S_IFMT)};
}

bool same_file(const char *a, const char *b) {
    // The runtime's stat has no inode numbers here; compare the full names.
    char full_a[_MAX_PATH];
    char full_b[_MAX_PATH];
    if (!_fullpath(full_a, a, sizeof full_a) || !_fullpath(full_b, b, sizeof full_b))
        return _stricmp(a, b) == 0;
    return _stricmp(full_a, full_b) == 0;
}

std::string create_temp_file(std::size_t size) {
    const std::string dir = temp_directory();
    if (dir.empty())
        return {};
    const std::string stem = dir + path_separator() + "vexl";
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char unique[64];
        std::snprintf(unique, sizeof unique, "%x_%x_%lx.tmp", static_cast<unsigned>(_getpid()),
                      ++counter, static_cast<unsigned long>(std::rand()));
        const std::string name = stem + unique;
        if (name.size() >= size)
            return {};
        const int fd =
            _open(name.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (fd >= 0) {
            _close(fd);
            return name;
        }
        if (errno != EEXIST)
            return {};
    }
    return {};
}

} // namespace vexl::platform
