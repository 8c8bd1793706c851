// Owners for what the clipboard and metafile export obtain from Windows: an
// enhanced metafile handle, a global memory block, the open clipboard, a
// window's device context and a file. Each gives its resource back on every
// way out, so a failure half-way leaves nothing open or allocated behind.
#ifndef VEXL33_HARDCOPY_EXPORT_HANDLES_WIN32_H
#define VEXL33_HARDCOPY_EXPORT_HANDLES_WIN32_H

#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>

namespace vexl {

struct EnhMetaFileDeleter {
    void operator()(HENHMETAFILE metafile) const noexcept { DeleteEnhMetaFile(metafile); }
};

using EnhMetaFile = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, EnhMetaFileDeleter>;

// Deletes the metafile now and gives DeleteEnhMetaFile's answer.
inline BOOL delete_now(EnhMetaFile &metafile) {
    return DeleteEnhMetaFile(metafile.release());
}

struct GlobalBlockDeleter {
    void operator()(HGLOBAL block) const noexcept { GlobalFree(block); }
};

// A global memory block; released when the clipboard takes it.
using GlobalBlock = std::unique_ptr<std::remove_pointer_t<HGLOBAL>, GlobalBlockDeleter>;

// The clipboard, open for this thread from construction to destruction.
class OpenedClipboard {
  public:
    OpenedClipboard() : open_(OpenClipboard(nullptr) != FALSE) {}
    ~OpenedClipboard() {
        if (open_)
            CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard &) = delete;
    OpenedClipboard &operator=(const OpenedClipboard &) = delete;

    explicit operator bool() const noexcept { return open_; }

  private:
    bool open_;
};

// GetDC of a window (the whole screen for a null one), released to it.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    WindowDc(WindowDc &&other) noexcept
        : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDc(const WindowDc &) = delete;
    WindowDc &operator=(const WindowDc &) = delete;
    WindowDc &operator=(WindowDc &&) = delete;

    HDC get() const noexcept { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// A file handle from CreateFileA, closed once.
class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;

    HANDLE get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != INVALID_HANDLE_VALUE; }
    void close() noexcept {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

  private:
    HANDLE handle_;
};

} // namespace vexl

#endif // VEXL33_HARDCOPY_EXPORT_HANDLES_WIN32_H
