#include "gdi_workloads_win32.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "process_services.h"

namespace vexl::bench {
namespace {

constexpr int32_t kWorld[4] = {0, 0, 100000, 100000};
constexpr char kWindowClass[] = "vexl33 GDI benchmark";

// x' = (1103515245 x + 12345) mod 2^31, as the C library's example rand.
class Random {
  public:
    explicit Random(uint32_t seed) : state_(seed) {}
    // A value from low to high, inclusive.
    int32_t between(int32_t low, int32_t high) {
        state_ = (1103515245u * state_ + 12345u) & 0x7fffffffu;
        return low + static_cast<int32_t>(state_ % static_cast<uint32_t>(high - low + 1));
    }

  private:
    uint32_t state_;
};

int32_t clamp_to_world(int32_t value) {
    return std::clamp(value, kWorld[0], kWorld[2]);
}

// Poly-lines wander in steps of up to 1.5% of the window (about 12 pixels),
// as plotted curves do, rather than crossing the window at every point.
void polyline_points(Random &random, std::vector<WorldPointS> &out, int32_t n) {
    WorldPointS at{random.between(0, 100000), random.between(0, 100000)};
    for (int32_t i = 0; i < n; ++i) {
        out.push_back(at);
        at.x = clamp_to_world(at.x + random.between(-1500, 1500));
        at.y = clamp_to_world(at.y + random.between(-1500, 1500));
    }
}

// Eight points around a centre, one in each eighth of the circle, 8 to 32
// pixels out.
void polygon_points(Random &random, std::vector<WorldPointS> &out) {
    static constexpr int kDirections[8][2] = {{1000, 0},  {707, 707},   {0, 1000},  {-707, 707},
                                              {-1000, 0}, {-707, -707}, {0, -1000}, {707, -707}};
    const WorldPointS centre{random.between(5000, 95000), random.between(5000, 95000)};
    for (const auto &direction : kDirections) {
        const int32_t radius = random.between(1000, 4000);
        out.push_back(
            {centre.x + direction[0] * radius / 1000, centre.y + direction[1] * radius / 1000});
    }
}

// Lower-left and upper-right corners, sides of 8 to 80 pixels.
void rectangle_corners(Random &random, std::vector<WorldPointS> &out) {
    const int32_t x = random.between(0, 90000), y = random.between(0, 90000);
    out.push_back({x, y});
    out.push_back({x + random.between(1000, 10000), y + random.between(1000, 10000)});
}

std::string failure(const char *call) {
    return std::string(call) + " failed: " + gplot_get_error_message();
}

// The foreground colour of the plot as a COLORREF.
COLORREF foreground_of(GPlot *plot) {
    int index = 0, red = 0, green = 0, blue = 0;
    if (!gplot_get_foreground_color(plot, &index) ||
        !gplot_get_color_RGB(plot, index, &red, &green, &blue))
        return 0;
    return RGB(red, green, blue);
}

} // namespace

void use_shipped_configuration() {
    const std::string shipped = std::string(VEXL_SOURCE_DIR) + "/data/molvern.cfg";
    std::error_code ignored;
    if (std::filesystem::exists(shipped, ignored))
        set_environment_default("MOLVERN_CONFIG", shipped.c_str());
}

BenchWindow::BenchWindow() {
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    WNDCLASSA window_class{};
    window_class.style = CS_OWNDC;
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    window_class.lpszClassName = kWindowClass;
    if (!RegisterClassA(&window_class) || !AdjustWindowRect(&frame, style, FALSE)) {
        problem_ = "cannot register the window class";
        return;
    }
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    if (width > GetSystemMetrics(SM_CXSCREEN) || height > GetSystemMetrics(SM_CYSCREEN)) {
        problem_ = "the screen is too small for a window of " + std::to_string(width) + " x " +
                   std::to_string(height) + " (under xvfb-run: -s \"-screen 0 1280x1024x24\")";
        return;
    }
    window_ = CreateWindowExA(0, kWindowClass, "vexl33 GDI benchmark", style, 0, 0, width, height,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window_ == nullptr) {
        problem_ = "cannot create the window";
        return;
    }
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

BenchWindow::~BenchWindow() {
    if (window_ != nullptr)
        DestroyWindow(window_);
    UnregisterClassA(kWindowClass, GetModuleHandleA(nullptr));
}

const std::vector<GdiWorkload> &gdi_workloads() {
    static const std::vector<GdiWorkload> workloads = {
        {"polylines", GdiShape::Polylines, 20000, 50},
        {"solid_polygons", GdiShape::SolidPolygons, 20000, 8},
        {"pattern_rectangles", GdiShape::PatternRectangles, 20000, 2},
    };
    return workloads;
}

BenchPlot::BenchPlot(HWND window) : plot_(gplot_open_screen(window)) {
    int blue = 0;
    if (plot_ == nullptr)
        problem_ = failure("gplot_open_screen");
    else if (!gplot_set_world(plot_, kWorld))
        problem_ = failure("gplot_set_world");
    else if (!gplot_get_color_index(plot_, "blue", &blue) ||
             !gplot_set_foreground_color(plot_, blue))
        problem_ = failure("gplot_set_foreground_color");
}

BenchPlot::~BenchPlot() {
    if (plot_ != nullptr)
        gplot_close(plot_);
}

std::string make_scene(const GdiWorkload &workload, GPlot *plot, Scene &scene) {
    Random random(static_cast<uint32_t>(workload.shape) + 1);
    scene.world.clear();
    for (int32_t i = 0; i < workload.primitives; ++i) {
        switch (workload.shape) {
            case GdiShape::Polylines:
                polyline_points(random, scene.world, workload.points_per_primitive);
                break;
            case GdiShape::SolidPolygons:
                polygon_points(random, scene.world);
                break;
            case GdiShape::PatternRectangles:
                rectangle_corners(random, scene.world);
                break;
        }
    }
    scene.device.clear();
    for (const WorldPointS &point : scene.world) {
        DevicePointS device{};
        if (!gplot_world_to_device(plot, &point, &device))
            return failure("gplot_world_to_device");
        scene.device.push_back({device.x, device.y});
    }
    return {};
}

std::string select_fill(const GdiWorkload &workload, GPlot *plot) {
    const int pattern = workload.shape == GdiShape::Polylines       ? -1
                        : workload.shape == GdiShape::SolidPolygons ? -2
                                                                    : kBenchPattern;
    return gplot_set_fill_pattern(plot, pattern) ? std::string()
                                                 : failure("gplot_set_fill_pattern");
}

std::string draw_with_library(const GdiWorkload &workload, GPlot *plot, Scene &scene, int32_t first,
                              int32_t count) {
    const int32_t n = workload.points_per_primitive;
    for (int32_t i = first; i < first + count; ++i) {
        WorldPointS *points = &scene.world[static_cast<std::size_t>(i) * n];
        switch (workload.shape) {
            case GdiShape::Polylines:
                if (!gplot_draw_lines_world(plot, points, n))
                    return failure("gplot_draw_lines_world");
                break;
            case GdiShape::SolidPolygons:
                if (!gplot_draw_polygon_world(plot, points, n))
                    return failure("gplot_draw_polygon_world");
                break;
            case GdiShape::PatternRectangles: {
                int32_t rect[4] = {points[0].x, points[0].y, points[1].x, points[1].y};
                if (!gplot_draw_rectangle_world(plot, rect))
                    return failure("gplot_draw_rectangle_world");
                break;
            }
        }
    }
    GdiFlush();
    return {};
}

GdiCalls::GdiCalls(const GdiWorkload &workload, GPlot *plot, HDC dc, HWND window)
    : workload_(workload), dc_(dc), window_(window), colour_(foreground_of(plot)) {
    if (workload.shape != GdiShape::PatternRectangles)
        return;
    // The pattern brush is made once, as the plot makes it when the fill
    // pattern is chosen.
    void *pattern = nullptr;
    if (!gxwin_get_pixmap_id(kBenchPattern, &pattern)) {
        problem_ = failure("gxwin_get_pixmap_id");
        return;
    }
    const LOGBRUSH patterned{BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(pattern)};
    pattern_brush_ = CreateBrushIndirect(&patterned);
    if (pattern_brush_ == nullptr)
        problem_ = "cannot make the pattern brush";
}

GdiCalls::~GdiCalls() {
    if (pattern_brush_ != nullptr)
        DeleteObject(pattern_brush_);
}

void GdiCalls::draw(const Scene &scene, int32_t first, int32_t count) const {
    const int32_t n = workload_.points_per_primitive;
    for (int32_t i = first; i < first + count; ++i) {
        const POINT *points = &scene.device[static_cast<std::size_t>(i) * n];
        switch (workload_.shape) {
            case GdiShape::Polylines:
                polyline(points, n);
                break;
            case GdiShape::SolidPolygons:
                solid_polygon(points, n);
                break;
            case GdiShape::PatternRectangles:
                pattern_rectangle(points[0], points[1]);
                break;
        }
    }
    GdiFlush();
}

// Each piece of a poly-line is its own two-point Polyline.
void GdiCalls::polyline(const POINT *points, int32_t n) const {
    for (int32_t i = 0; i + 1 < n; ++i)
        Polyline(dc_, points + i, 2);
}

void GdiCalls::solid_polygon(const POINT *points, int32_t n) const {
    const HBRUSH brush = CreateSolidBrush(colour_);
    const HGDIOBJ old_pen = SelectObject(dc_, GetStockObject(NULL_PEN));
    const HGDIOBJ old_brush = SelectObject(dc_, brush);
    const INT count = n;
    PolyPolygon(dc_, points, &count, 1);
    SelectObject(dc_, old_brush);
    SelectObject(dc_, old_pen);
    DeleteObject(brush);
}

// The transparent pattern fill of a window: the rectangle's box, cut to the
// client area, filled with the pattern (aligned with the window) in a
// monochrome mask; the window ANDed with the inverted mask, then ORed with
// the mask in the foreground colour.
void GdiCalls::pattern_rectangle(POINT lower_left, POINT upper_right) const {
    // Device y grows downwards: the lower-left corner has the larger y.
    RECT client;
    GetClientRect(window_, &client);
    if (lower_left.x >= client.right || upper_right.y >= client.bottom || upper_right.x < 0 ||
        lower_left.y < 0)
        return;
    const int left = std::max<int>(lower_left.x, 0);
    const int top = std::max<int>(upper_right.y, 0);
    const int width = std::min<int>(upper_right.x, client.right) - left + 1;
    const int height = std::min<int>(lower_left.y, client.bottom) - top + 1;
    const HDC mask_dc = CreateCompatibleDC(dc_);
    const HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
    const HGDIOBJ old_mask = SelectObject(mask_dc, mask);
    SetBrushOrgEx(mask_dc, -left, -top, nullptr);
    const RECT whole{0, 0, width, height};
    FillRect(mask_dc, &whole, pattern_brush_);
    const COLORREF background = GetBkColor(dc_), text = GetTextColor(dc_);
    SetBkColor(dc_, 0);
    SetTextColor(dc_, 0xFFFFFF);
    BitBlt(dc_, left, top, width, height, mask_dc, 0, 0, 0x220326);
    SetTextColor(dc_, colour_);
    BitBlt(dc_, left, top, width, height, mask_dc, 0, 0, SRCPAINT);
    SetBkColor(dc_, background);
    SetTextColor(dc_, text);
    SelectObject(mask_dc, old_mask);
    DeleteObject(mask);
    DeleteDC(mask_dc);
}

namespace {

// The client area's pixels, 32 bits each; empty when they cannot be read.
std::vector<uint32_t> read_client(HDC dc) {
    std::vector<uint32_t> pixels;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kClientWidth;
    info.bmiHeader.biHeight = -kClientHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    const HDC memory = CreateCompatibleDC(dc);
    const HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = memory != nullptr && dib != nullptr ? SelectObject(memory, dib) : nullptr;
    if (old != nullptr && BitBlt(memory, 0, 0, kClientWidth, kClientHeight, dc, 0, 0, SRCCOPY)) {
        GdiFlush();
        const uint32_t *from = static_cast<const uint32_t *>(bits);
        pixels.assign(from, from + static_cast<std::size_t>(kClientWidth) * kClientHeight);
    }
    if (old != nullptr)
        SelectObject(memory, old);
    if (dib != nullptr)
        DeleteObject(dib);
    if (memory != nullptr)
        DeleteDC(memory);
    return pixels;
}

void clear_client(HDC dc) {
    const RECT client{0, 0, kClientWidth, kClientHeight};
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

} // namespace

std::string compare_sides(const GdiWorkload &workload, GPlot *plot, Scene &scene,
                          const GdiCalls &gdi, HDC dc, int32_t count) {
    std::string error = select_fill(workload, plot);
    if (!error.empty())
        return error;
    clear_client(dc);
    error = draw_with_library(workload, plot, scene, 0, count);
    const std::vector<uint32_t> library = read_client(dc);
    clear_client(dc);
    gdi.draw(scene, 0, count);
    const std::vector<uint32_t> bare = read_client(dc);
    if (!error.empty())
        return error;
    if (library.empty() || bare.empty())
        return "cannot read the window's pixels";
    std::size_t differing = 0, drawn = 0;
    for (std::size_t i = 0; i < library.size(); ++i) {
        differing += (library[i] & 0xFFFFFF) != (bare[i] & 0xFFFFFF);
        drawn += (library[i] & 0xFFFFFF) != 0xFFFFFF;
    }
    if (drawn == 0)
        return "the library drew nothing";
    if (differing != 0)
        return std::to_string(differing) +
               " pixels differ between the library's picture and "
               "bare GDI's (" +
               std::to_string(drawn) + " drawn)";
    return {};
}

} // namespace vexl::bench
