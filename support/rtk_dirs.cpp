#include "support/rtk_dirs.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstring>

#include "support/platform.h"

namespace {

bool is_separator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

// Length of the part of path that names a root and must keep its separator:
// "/" and, on Windows, "C:\".
std::size_t root_length(const char *path) {
#ifdef _WIN32
    if (path[0] && path[1] == ':' && is_separator(path[2]))
        return 3;
#endif
    return is_separator(path[0]) ? 1 : 0;
}

DIR *dir_of(void *handle) {
    return static_cast<DIR *>(handle);
}

} // namespace

char *gfile_strip_dir_name(char *path) {
    if (!path)
        return path;
    std::size_t keep = root_length(path);
    std::size_t length = std::strlen(path);
    while (length > keep && is_separator(path[length - 1]))
        path[--length] = '\0';
    return path;
}

char *gfile_prepare_dir_name(char *path, std::size_t size) {
    if (!path || size == 0)
        return nullptr;
    const void *end = std::memchr(path, '\0', size);
    if (!end)
        return nullptr; // not a string that fits its own buffer
    std::size_t length = static_cast<const char *>(end) - path;
    // An empty path is the current directory: a bare entry name already
    // names a file there, while a separator would make it the root's.
    if (length == 0 || is_separator(path[length - 1]))
        return path;
    if (length + 2 > size)
        return nullptr;
    path[length] = vexl::platform::path_separator();
    path[length + 1] = '\0';
    return path;
}

int gfile_type(const char *path) {
#ifdef _WIN32
    struct _stat64 info; // the 32-bit stat fails on files over 2 GB
    if (!path || _stat64(path, &info) != 0)
#else
    struct stat info;
    if (!path || stat(path, &info) != 0)
#endif
        return 0;
    return static_cast<int>(info.st_mode & S_IFMT);
}

namespace vexl {

DirectoryReader::DirectoryReader(const char *path) : handle_(path ? opendir(path) : nullptr) {}

DirectoryReader::~DirectoryReader() {
    if (handle_)
        closedir(dir_of(handle_));
}

bool DirectoryReader::next(std::string &name) {
    if (!handle_)
        return false;
    while (const dirent *entry = readdir(dir_of(handle_))) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        name = entry->d_name;
        return true;
    }
    return false;
}

} // namespace vexl
