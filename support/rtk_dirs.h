// Directory services of the companion support library.
#ifndef VEXL33_SUPPORT_RTK_DIRS_H
#define VEXL33_SUPPORT_RTK_DIRS_H

#include <cstddef>
#include <string>

inline constexpr int kGfileTypeDirectory = 16384; // gfile_type of a directory

// Removes trailing path separators (keeping a lone root separator), in place.
char *gfile_strip_dir_name(char *path);

// Appends the platform's separator unless path already ends in one, so an
// entry name can be appended. Returns null (path unchanged) when it would not
// fit in size bytes.
char *gfile_prepare_dir_name(char *path, std::size_t size);

// File type bits of path (16384 for a directory); 0 when it cannot be examined.
int gfile_type(const char *path);

namespace vexl {

// Walks the entry names of one directory ("." and ".." skipped). Closes the
// directory when it goes out of scope.
class DirectoryReader {
  public:
    explicit DirectoryReader(const char *path);
    ~DirectoryReader();
    DirectoryReader(const DirectoryReader &) = delete;
    DirectoryReader &operator=(const DirectoryReader &) = delete;

    bool is_open() const { return handle_ != nullptr; }
    // Next entry name; false at the end.
    bool next(std::string &name);

  private:
    void *handle_ = nullptr;
};

} // namespace vexl

#endif // VEXL33_SUPPORT_RTK_DIRS_H
