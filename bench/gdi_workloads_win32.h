// The GDI device's workloads, for the Windows timer program: a screen plot on
// a window of its own, drawing through the public interface, against the
// same GDI calls made directly on the same device context.
//
// The window's class has a device context of its own (CS_OWNDC): the plot's
// GetDC and the baseline's return the one context, with the pen the plot
// selected, so both sides draw with the same objects into the same pixels.
// The baseline's points are the plot's own device points (mapped once,
// before timing), so the two draw the same picture; what the ratio shows is
// what the library adds to the GDI calls it must make.
#ifndef VEXL33_BENCH_GDI_WORKLOADS_WIN32_H
#define VEXL33_BENCH_GDI_WORKLOADS_WIN32_H

#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

#include <gplot.h>

namespace vexl::bench {

// The window's client area, in pixels.
inline constexpr int kClientWidth = 800;
inline constexpr int kClientHeight = 600;

// A shown top-level window of kClientWidth x kClientHeight at the top left
// of the screen, destroyed with the object.
class BenchWindow {
  public:
    BenchWindow();
    ~BenchWindow();
    BenchWindow(const BenchWindow &) = delete;
    BenchWindow &operator=(const BenchWindow &) = delete;
    // Null when the window could not be made; problem() says why.
    HWND handle() const { return window_; }
    const std::string &problem() const { return problem_; }

  private:
    HWND window_ = nullptr;
    std::string problem_;
};

enum class GdiShape { Polylines, SolidPolygons, PatternRectangles };

struct GdiWorkload {
    const char *name;
    GdiShape shape;
    int32_t primitives;
    int32_t points_per_primitive; // a rectangle is its two corners
};

// Every workload, in the order they are reported.
const std::vector<GdiWorkload> &gdi_workloads();

// A workload's primitives in world coordinates and, for the baseline, in the
// plot's device pixels.
struct Scene {
    std::vector<WorldPointS> world;
    std::vector<POINT> device;
};

// The fill pattern of the pattern workload.
inline constexpr int kBenchPattern = 5;

// A screen plot on the window, set up for the workloads: the world window,
// a colour and the solid fill; closed with the object.
class BenchPlot {
  public:
    explicit BenchPlot(HWND window);
    ~BenchPlot();
    BenchPlot(const BenchPlot &) = delete;
    BenchPlot &operator=(const BenchPlot &) = delete;
    GPlot *get() const { return plot_; }
    // Empty when the plot opened and took its settings; else what failed.
    const std::string &problem() const { return problem_; }

  private:
    GPlot *plot_ = nullptr;
    std::string problem_;
};

// The workload's scene (pseudo-random, the same on every call), its device
// points mapped through the plot. Empty on success, else what failed.
std::string make_scene(const GdiWorkload &workload, GPlot *plot, Scene &scene);

// Chooses the workload's fill on the plot: none, solid or the pattern.
// Empty on success, else what failed.
std::string select_fill(const GdiWorkload &workload, GPlot *plot);

// Draws primitives first .. first + count - 1 of the scene through the
// library, one gplot_* call each. Empty on success, else what failed.
std::string draw_with_library(const GdiWorkload &workload, GPlot *plot, Scene &scene, int32_t first,
                              int32_t count);

// The GDI calls the device makes for the workload's primitives, made
// directly on `dc` (the plot's own context) in the plot's colour.
class GdiCalls {
  public:
    GdiCalls(const GdiWorkload &workload, GPlot *plot, HDC dc, HWND window);
    ~GdiCalls();
    GdiCalls(const GdiCalls &) = delete;
    GdiCalls &operator=(const GdiCalls &) = delete;
    // Empty when ready to draw; else what failed.
    const std::string &problem() const { return problem_; }
    // Draws primitives first .. first + count - 1 of the scene.
    void draw(const Scene &scene, int32_t first, int32_t count) const;

  private:
    void polyline(const POINT *points, int32_t n) const;
    void solid_polygon(const POINT *points, int32_t n) const;
    void pattern_rectangle(POINT lower_left, POINT upper_right) const;

    GdiWorkload workload_;
    HDC dc_;
    HWND window_;
    COLORREF colour_;
    HBRUSH pattern_brush_ = nullptr; // made as the plot makes its own
    std::string problem_;
};

// Draws the first `count` primitives once through the library and once
// through `gdi`, each on a white client area, and compares the two pictures:
// the baseline is only a baseline if it draws what the device draws. Empty
// when they are the same, else how they differ.
std::string compare_sides(const GdiWorkload &workload, GPlot *plot, Scene &scene,
                          const GdiCalls &gdi, HDC dc, int32_t count);

// Has the plot find the shipped colours and fill patterns, unless the
// caller's environment names a configuration of its own.
void use_shipped_configuration();

} // namespace vexl::bench

#endif // VEXL33_BENCH_GDI_WORKLOADS_WIN32_H
