// Test windows, pixel snapshots, deadlines and GDI object counts.
#include "gdi_window_win32.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>

namespace vexl::test {

Deadline::Deadline(int seconds, const char *what) {
    watcher_ = std::thread([this, seconds, what] {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!finished_.wait_for(lock, std::chrono::seconds(seconds), [this] { return done_; })) {
            std::fprintf(stderr, "deadline of %d s passed: %s\n", seconds, what);
            std::fflush(stderr);
            std::_Exit(3);
        }
    });
}

Deadline::~Deadline() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
    }
    finished_.notify_all();
    watcher_.join();
}

namespace {

const char kClassName[] = "vexl33 device test window";
const char kOwnContextClassName[] = "vexl33 device test window with its own context";

// Nothing is erased or painted by the system: the tests own every pixel.
LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_ERASEBKGND)
        return 1;
    if (message == WM_PAINT) {
        ValidateRect(window, nullptr);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

const char *register_class(bool own_context) {
    static bool registered[2] = {false, false};
    const char *name = own_context ? kOwnContextClassName : kClassName;
    if (!registered[own_context]) {
        WNDCLASSA description{};
        description.style = own_context ? CS_OWNDC : 0;
        description.lpfnWndProc = window_procedure;
        description.hInstance = GetModuleHandleA(nullptr);
        description.lpszClassName = name;
        description.hCursor = LoadCursor(nullptr, IDC_ARROW);
        registered[own_context] = RegisterClassA(&description) != 0;
    }
    return name;
}

} // namespace

TestWindow::TestWindow(int client_width, int client_height, bool own_context) {
    window_ = CreateWindowExA(0, register_class(own_context), "vexl33 device test", WS_POPUP, 0, 0,
                              client_width, client_height, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
    UpdateWindow(window_);
    pump();
}

TestWindow::~TestWindow() {
    DestroyWindow(window_);
    pump();
}

namespace {

// Destroys the shared window when the tests are over.
class SharedWindowOwner : public ::testing::Environment {
  public:
    void TearDown() override { window.reset(); }
    std::unique_ptr<TestWindow> window;
};

SharedWindowOwner *const shared_window_owner =
    static_cast<SharedWindowOwner *>(::testing::AddGlobalTestEnvironment(new SharedWindowOwner));

} // namespace

TestWindow &TestWindow::shared(int client_width, int client_height) {
    std::unique_ptr<TestWindow> &window = shared_window_owner->window;
    if (!window)
        window = std::make_unique<TestWindow>(client_width, client_height);
    RECT client;
    GetClientRect(window->handle(), &client);
    if (client.right != client_width || client.bottom != client_height) {
        SetWindowPos(window->handle(), nullptr, 0, 0, client_width, client_height,
                     SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
        pump();
    }
    SetForegroundWindow(window->handle());
    SetActiveWindow(window->handle());
    return *window;
}

void TestWindow::pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void TestWindow::fill(COLORREF colour) const {
    HDC dc = GetDC(window_);
    RECT client;
    GetClientRect(window_, &client);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    ReleaseDC(window_, dc);
}

MemorySurface::MemorySurface(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    section_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    previous_ = dc_ && section_ ? SelectObject(dc_, section_) : nullptr;
}

MemorySurface::~MemorySurface() {
    if (ready())
        SelectObject(dc_, previous_);
    if (section_)
        DeleteObject(section_);
    if (dc_)
        DeleteDC(dc_);
}

Snapshot::Snapshot(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    const MemorySurface surface(width_, height_);
    HDC window_dc = GetDC(window);
    BitBlt(surface.dc(), 0, 0, width_, height_, window_dc, 0, 0, SRCCOPY);
    ReleaseDC(window, window_dc);
    GdiFlush();
    if (surface.ready())
        pixels_.assign(surface.pixels(),
                       surface.pixels() + static_cast<std::size_t>(width_) * height_);
}

COLORREF Snapshot::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || pixels_.empty())
        return 0xFFFFFFFF;
    const uint32_t pixel = pixels_[static_cast<std::size_t>(y) * width_ + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int Snapshot::count(COLORREF colour, int left, int top, int right, int bottom) const {
    int found = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            found += at(x, y) == colour ? 1 : 0;
    return found;
}

long gdi_object_count() {
    SetLastError(0);
    const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (count == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED)
        return -1;
    return static_cast<long>(count);
}

unsigned gdi_handle_high_water() {
    std::vector<HPEN> probes(2000);
    unsigned highest = 0;
    for (HPEN &probe : probes) {
        probe = CreatePen(PS_SOLID, 1, 0);
        const unsigned slot = LOWORD(reinterpret_cast<ULONG_PTR>(probe));
        highest = slot > highest ? slot : highest;
    }
    for (HPEN probe : probes)
        DeleteObject(probe);
    return highest;
}

} // namespace vexl::test
