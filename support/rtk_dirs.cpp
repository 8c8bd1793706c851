#include "support/rtk_dirs.h"

#include <dirent.h>

#include <cstring>
#include <optional>

#include "support/platform.h"

namespace {

DIR *dir_of(void *handle) {
    return static_cast<DIR *>(handle);
}

} // namespace

char *gfile_strip_dir_name(char *path) {
    if (!path)
        return path;
    const std::size_t keep = vexl::platform::root_length(path);
    std::size_t length = std::strlen(path);
    while (length > keep && vexl::platform::is_path_separator(path[length - 1]))
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
    if (length == 0 || vexl::platform::is_path_separator(path[length - 1]))
        return path;
    if (length + 2 > size)
        return nullptr;
    path[length] = vexl::platform::path_separator();
    path[length + 1] = '\0';
    return path;
}

int gfile_type(const char *path) {
    if (!path)
        return 0;
    const std::optional<vexl::platform::FileStatus> status = vexl::platform::file_status(path);
    return status ? status->type : 0;
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
