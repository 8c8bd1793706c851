#include "support/rtk_files.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "support/platform.h"

namespace {

bool copy_stream(FILE *from, FILE *to) {
    char chunk[65536];
    for (;;) {
        std::size_t got = std::fread(chunk, 1, sizeof chunk, from);
        if (got > 0 && std::fwrite(chunk, 1, got, to) != got)
            return false;
        if (got < sizeof chunk)
            return !std::ferror(from);
    }
}

} // namespace

FILE *rtk_fopen(const char *path, const char *mode) {
    if (!path || !mode)
        return nullptr;
    return std::fopen(path, mode);
}

int rtk_fclose(FILE *stream) {
    return stream ? std::fclose(stream) : EOF;
}

long long rtk_stat(const char *path) {
    if (!path)
        return -1;
    const std::optional<vexl::platform::FileStatus> status = vexl::platform::file_status(path);
    return status ? status->size : -1;
}

int gfile_exists(const char *path) {
    return (path && vexl::platform::file_status(path)) ? 1 : 0;
}

int gfile_copy(const char *source, const char *target) {
    // Copying a file onto itself would truncate it before reading it: refuse.
    if (!source || !target || vexl::platform::same_file(source, target))
        return 0;
    vexl::FilePtr from(rtk_fopen(source, "rb"));
    if (!from)
        return 0;
    vexl::FilePtr to(rtk_fopen(target, "wb"));
    if (!to)
        return 0;
    bool copied = copy_stream(from.get(), to.get());
    // Closing flushes; a failure there loses data as surely as a failed write.
    if (rtk_fclose(to.release()) != 0)
        copied = false;
    if (!copied)
        std::remove(target);
    return copied ? 1 : 0;
}

int gfile_erasefil(const char *path) {
    return (path && std::remove(path) == 0) ? 1 : 0;
}

char *rtk_tmpnam(char *buffer, std::size_t size) {
    if (!buffer || size == 0)
        return nullptr;
    const std::string name = vexl::platform::create_temp_file(size);
    if (name.empty())
        return nullptr;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    return buffer;
}
