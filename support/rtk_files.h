// File services of the companion support library: C streams, file queries,
// copies, removal and fresh temporary names.
#ifndef VEXL33_SUPPORT_RTK_FILES_H
#define VEXL33_SUPPORT_RTK_FILES_H

#include <cstddef>
#include <cstdio>
#include <memory>

FILE *rtk_fopen(const char *path, const char *mode);
int rtk_fclose(FILE *stream); // 0 on success, as fclose

// Size of the file in bytes, or -1 when it cannot be examined.
long long rtk_stat(const char *path);

int gfile_exists(const char *path);                     // non-zero when present
int gfile_copy(const char *source, const char *target); // non-zero on success
int gfile_erasefil(const char *path);                   // non-zero on success

// Writes a fresh, writable temporary file name (the file is created empty so
// no other process can take the name) into buffer and returns buffer; null
// when no name can be made or it does not fit.
char *rtk_tmpnam(char *buffer, std::size_t size);

namespace vexl {

struct FileCloser {
    void operator()(FILE *stream) const { rtk_fclose(stream); }
};

using FilePtr = std::unique_ptr<FILE, FileCloser>;

} // namespace vexl

#endif // VEXL33_SUPPORT_RTK_FILES_H
