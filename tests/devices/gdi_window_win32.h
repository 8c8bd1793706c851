// Real windows for the Windows graphics device's tests: a window of a known
// client size, its pixels read back through GDI, a deadline that ends a test
// that hangs, and a count of GDI objects that works under Wine too.
#ifndef VEXL33_TESTS_DEVICES_GDI_WINDOW_WIN32_H
#define VEXL33_TESTS_DEVICES_GDI_WINDOW_WIN32_H

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace vexl::test {

// Ends the whole test program, with a message, when the scope it guards is
// still running after `seconds`: a window test must never hang the suite.
class Deadline {
  public:
    Deadline(int seconds, const char *what);
    ~Deadline();
    Deadline(const Deadline &) = delete;
    Deadline &operator=(const Deadline &) = delete;

  private:
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    std::thread watcher_;
};

// A visible, active top-level window without border or caption, so its
// client area starts at the screen's corner and has exactly the asked size.
// Its background is never erased by the system: what a test paints stays.
class TestWindow {
  public:
    // own_context: the window class has CS_OWNDC, so what is selected into
    // the window's context stays there between GetDC calls.
    TestWindow(int client_width, int client_height, bool own_context = false);
    ~TestWindow();
    TestWindow(const TestWindow &) = delete;
    TestWindow &operator=(const TestWindow &) = delete;

    // One window kept for many tests, resized to the asked client size:
    // Wine takes two seconds to hide or destroy a window, which a window per
    // test would pay every time. It goes at the end of the test program.
    static TestWindow &shared(int client_width, int client_height);

    HWND handle() const { return window_; }
    // Paints the whole client area in one colour.
    void fill(COLORREF colour) const;
    // Handles the messages that are waiting.
    static void pump();

  private:
    HWND window_ = nullptr;
};

// The colour test windows are painted in before drawing.
constexpr COLORREF kBackdrop = RGB(40, 80, 120);

// A 32-bit top-down DIB section selected into a memory context, so colours
// come back exactly as they were drawn whatever the depth of the display.
class MemorySurface {
  public:
    MemorySurface(int width, int height);
    ~MemorySurface();
    MemorySurface(const MemorySurface &) = delete;
    MemorySurface &operator=(const MemorySurface &) = delete;

    bool ready() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }
    HDC dc() const { return dc_; }
    // Rows from the top, 0x00RRGGBB.
    const uint32_t *pixels() const { return static_cast<const uint32_t *>(bits_); }

  private:
    HDC dc_ = nullptr;
    HBITMAP section_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void *bits_ = nullptr;
};

// The client area's pixels at one moment, read through a DIB section.
class Snapshot {
  public:
    explicit Snapshot(HWND window);

    int width() const { return width_; }
    int height() const { return height_; }
    // The pixel as a COLORREF; out of range reads as 0xFFFFFFFF.
    COLORREF at(int x, int y) const;
    // Number of pixels of this colour in [left, right) x [top, bottom).
    int count(COLORREF colour, int left, int top, int right, int bottom) const;
    bool operator==(const Snapshot &other) const { return pixels_ == other.pixels_; }

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_; // top-down rows, 0x00RRGGBB
};

// The process's GDI object count from GetGuiResources, or -1 where the
// system does not provide it (Wine answers 0 with ERROR_CALL_NOT_IMPLEMENTED).
long gdi_object_count();

// The highest GDI handle slot in use while 2,000 fresh objects exist. Wine's
// GDI hands out the slots of deleted objects before new ones, so between two
// calls this grows by the number of objects left behind in between (after a
// first use has made GDI's own cached objects): the leak count where
// GetGuiResources is missing.
unsigned gdi_handle_high_water();

} // namespace vexl::test

#endif // VEXL33_TESTS_DEVICES_GDI_WINDOW_WIN32_H
