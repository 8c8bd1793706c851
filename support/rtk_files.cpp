#include "support/rtk_files.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <string.h>
#else
#include <unistd.h>
#endif

#include "support/platform.h"

namespace {

#ifdef _WIN32
using StatBuffer = struct _stat64;
int stat_path(const char *path, StatBuffer *info) {
    return _stat64(path, info);
}
#else
using StatBuffer = struct stat;
int stat_path(const char *path, StatBuffer *info) {
    return stat(path, info);
}
#endif

// Copying a file onto itself would truncate it before reading it: refuse.
bool same_file(const char *a, const char *b) {
#ifdef _WIN32
    // Windows has no inode numbers in its stat; compare the full names.
    char full_a[_MAX_PATH];
    char full_b[_MAX_PATH];
    if (!_fullpath(full_a, a, sizeof full_a) || !_fullpath(full_b, b, sizeof full_b))
        return _stricmp(a, b) == 0;
    return _stricmp(full_a, full_b) == 0;
#else
    StatBuffer info_a;
    StatBuffer info_b;
    if (stat_path(a, &info_a) != 0 || stat_path(b, &info_b) != 0)
        return false;
    return info_a.st_dev == info_b.st_dev && info_a.st_ino == info_b.st_ino;
#endif
}

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

// Creates a new, empty file under a fresh name in the temporary directory and
// returns the name; empty on failure. The file is created exclusively, so the
// name is ours alone.
std::string create_temp_file(std::size_t size) {
    std::string dir = vexl::platform::temp_directory();
    if (dir.empty())
        return {};
    std::string stem = dir + vexl::platform::path_separator() + "vexl";
#ifdef _WIN32
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char unique[64];
        std::snprintf(unique, sizeof unique, "%x_%x_%lx.tmp", static_cast<unsigned>(_getpid()),
                      ++counter, static_cast<unsigned long>(std::rand()));
        std::string name = stem + unique;
        if (name.size() >= size)
            return {};
        int fd =
            _open(name.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (fd >= 0) {
            _close(fd);
            return name;
        }
        if (errno != EEXIST)
            return {};
    }
    return {};
#else
    std::string name = stem + "XXXXXX";
    if (name.size() >= size)
        return {};
    int fd = mkstemp(name.data());
    if (fd < 0)
        return {};
    close(fd);
    return name;
#endif
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
    StatBuffer info;
    if (!path || stat_path(path, &info) != 0)
        return -1;
    return static_cast<long long>(info.st_size);
}

int gfile_exists(const char *path) {
    StatBuffer info;
    return (path && stat_path(path, &info) == 0) ? 1 : 0;
}

int gfile_copy(const char *source, const char *target) {
    if (!source || !target || same_file(source, target))
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
    std::string name = create_temp_file(size);
    if (name.empty())
        return nullptr;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    return buffer;
}
