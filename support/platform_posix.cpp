// The platform layer on POSIX systems (Linux): no message boxes, modules
// through the dynamic loader, XDG configuration directories, stat and
// mkstemp for files.
#include "support/platform.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace vexl::platform {

namespace {

std::string &module_error() {
    static std::string text;
    return text;
}

// Any address inside this library; dladdr maps it to the module holding it.
void library_anchor() {}

std::string without_trailing_slashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string directory_of(const std::string &path) {
    std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// The absolute name of the module holding library_anchor.
std::string library_file() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&library_anchor), &info) == 0 || !info.dli_fname)
        return {};
    std::string name = info.dli_fname;
    // Inside the main program the loader reports argv[0], which may be a bare
    // name found through PATH; the kernel knows the real file.
    if (name.find('/') == std::string::npos)
        name = "/proc/self/exe";
    struct FreeDeleter {
        void operator()(char *p) const { std::free(p); }
    };
    std::unique_ptr<char, FreeDeleter> resolved(realpath(name.c_str(), nullptr));
    return resolved ? std::string(resolved.get()) : std::string();
}

} // namespace

std::optional<int> message_box(const char *, const char *, long, unsigned long) {
    return std::nullopt;
}

void *load_module(const char *name) {
    if (!name) {
        module_error() = "no module name";
        return nullptr;
    }
    void *module = dlopen(name, RTLD_NOW | RTLD_LOCAL);
    // Windows finds "vexl" as vexl.dll; the same bare name here means the
    // shared object libvexl.so on the library path.
    const std::string bare(name);
    if (!module && bare.find('/') == std::string::npos && bare.find(".so") == std::string::npos)
        module = dlopen(("lib" + bare + ".so").c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char *text = dlerror();
        module_error() = text ? text : "cannot load module";
    }
    return module;
}

void *module_symbol(void *module, const char *symbol) {
    if (!module || !symbol)
        return nullptr;
    return dlsym(module, symbol);
}

void free_module(void *module) {
    if (module)
        dlclose(module);
}

std::string last_module_error() {
    return module_error();
}

std::string library_directory() {
    return directory_of(library_file());
}

std::string user_config_directory() {
    // Relative XDG directories are to be ignored, as the base-directory rules say.
    const char *xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/')
        return without_trailing_slashes(xdg);
    const char *home = std::getenv("HOME");
    if (home && *home)
        return without_trailing_slashes(std::string(home) + "/.config");
    return {};
}

std::string temp_directory() {
    const char *dir = std::getenv("TMPDIR");
    if (dir && *dir)
        return without_trailing_slashes(dir);
    return "/tmp";
}

char path_separator() {
    return '/';
}

bool is_path_separator(char c) {
    return c == '/';
}

std::size_t root_length(const char *path) {
    return is_path_separator(path[0]) ? 1 : 0;
}

std::optional<FileStatus> file_status(const char *path) {
    struct stat info;
    if (stat(path, &info) != 0)
        return std::nullopt;
    return FileStatus{static_cast<long long>(info.st_size),
                      static_cast<int>(info.st_mode & S_IFMT)};
}

bool same_file(const char *a, const char *b) {
    struct stat info_a;
    struct stat info_b;
    if (stat(a, &info_a) != 0 || stat(b, &info_b) != 0)
        return false;
    return info_a.st_dev == info_b.st_dev && info_a.st_ino == info_b.st_ino;
}

std::string create_temp_file(std::size_t size) {
    const std::string dir = temp_directory();
    if (dir.empty())
        return {};
    std::string name = dir + "/vexlXXXXXX";
    if (name.size() >= size)
        return {};
    const int fd = mkstemp(name.data());
    if (fd < 0)
        return {};
    close(fd);
    return name;
}

} // namespace vexl::platform
