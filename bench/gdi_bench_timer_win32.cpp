// The GDI device benchmark: each workload drawn on a screen plot through the
// public interface and, in the same run and on the same device context, as
// the bare GDI calls the device makes for it, the two taking turns every few
// primitives. Prints the median time of each side over the timed runs and
// the median of the runs' ratios (library over bare GDI).
// Names of workloads as arguments run only those.
// Needs a screen that shows an 800 x 600 window in 24 or 32 bits per pixel;
// under Wine: xvfb-run -a -s "-screen 0 1280x1024x24".
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "gdi_workloads_win32.h"
#include "medians.h"
#include "process_services.h"

namespace {

constexpr int kRuns = 7;
// The sides take turns every this many primitives (a few milliseconds of
// drawing), so that a change in the machine's load falls on both alike.
constexpr int32_t kChunk = 250;

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The times of one run of both sides over every primitive.
struct RunTimes {
    double library = 0, gdi = 0;
};

// One run; empty on success, else what failed.
std::string run_once(const vexl::bench::GdiWorkload &workload, GPlot *plot,
                     vexl::bench::Scene &scene, const vexl::bench::GdiCalls &gdi, RunTimes &times) {
    std::string error = vexl::bench::select_fill(workload, plot);
    for (int32_t first = 0; first < workload.primitives && error.empty(); first += kChunk) {
        const int32_t count = std::min(kChunk, workload.primitives - first);
        // Chunks alternate which side goes first.
        for (int turn = 0; turn < 2 && error.empty(); ++turn) {
            const bool library_turn = (turn == 0) == ((first / kChunk) % 2 == 0);
            const Clock::time_point start = Clock::now();
            if (library_turn)
                error = vexl::bench::draw_with_library(workload, plot, scene, first, count);
            else
                gdi.draw(scene, first, count);
            (library_turn ? times.library : times.gdi) += seconds_since(start);
        }
    }
    return error;
}

// Prints the workload's line; false when it failed.
bool report(const vexl::bench::GdiWorkload &workload, HWND window) {
    const vexl::bench::BenchPlot plot(window);
    if (!plot.problem().empty()) {
        std::fprintf(stderr, "%s: %s\n", workload.name, plot.problem().c_str());
        return false;
    }
    vexl::bench::Scene scene;
    std::string error = vexl::bench::make_scene(workload, plot.get(), scene);
    // The window's own context: the one the plot draws on.
    const HDC dc = GetDC(window);
    std::vector<double> library, gdi, ratios;
    {
        const vexl::bench::GdiCalls calls(workload, plot.get(), dc, window);
        if (error.empty())
            error = calls.problem();
        if (error.empty())
            error = vexl::bench::compare_sides(workload, plot.get(), scene, calls, dc, kChunk);
        // Run 0 is not counted: the first use of every GDI path.
        for (int run = 0; run <= kRuns && error.empty(); ++run) {
            RunTimes times;
            error = run_once(workload, plot.get(), scene, calls, times);
            if (run > 0 && error.empty()) {
                library.push_back(times.library);
                gdi.push_back(times.gdi);
                ratios.push_back(times.library / times.gdi);
            }
        }
    }
    ReleaseDC(window, dc);
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", workload.name, error.c_str());
        return false;
    }
    std::printf("%-20s %10d %12.1f %12.1f %8.2f\n", workload.name,
                workload.primitives * workload.points_per_primitive,
                vexl::bench::median(library) * 1e3, vexl::bench::median(gdi) * 1e3,
                vexl::bench::median(ratios));
    return true;
}

// The workloads named on the command line, or all of them; false when a
// name is unknown.
bool choose_workloads(int argc, char **argv, std::vector<vexl::bench::GdiWorkload> &chosen) {
    const std::vector<vexl::bench::GdiWorkload> &all = vexl::bench::gdi_workloads();
    if (argc < 2)
        chosen = all;
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        const auto found = std::find_if(
            all.begin(), all.end(), [&](const auto &workload) { return name == workload.name; });
        if (found == all.end())
            return false;
        chosen.push_back(*found);
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    std::vector<vexl::bench::GdiWorkload> chosen;
    if (!choose_workloads(argc, argv, chosen)) {
        std::fprintf(stderr, "usage: vexl33_gdi_bench [WORKLOAD...], WORKLOAD one of:");
        for (const vexl::bench::GdiWorkload &workload : vexl::bench::gdi_workloads())
            std::fprintf(stderr, " %s", workload.name);
        std::fprintf(stderr, "\n");
        return 2;
    }
    vexl::bench::use_shipped_configuration();
    const vexl::bench::BenchWindow window;
    if (window.handle() == nullptr) {
        std::fprintf(stderr, "vexl33_gdi_bench: %s\n", window.problem().c_str());
        return 2;
    }
    const HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    std::printf("GDI device against bare GDI on one %d x %d window (%d bits a pixel), "
                "medians of %d runs\n",
                vexl::bench::kClientWidth, vexl::bench::kClientHeight, bits, kRuns);
    std::printf("%-20s %10s %12s %12s %8s\n", "workload", "points", "library_ms", "gdi_ms",
                "ratio");
    bool all_ran = true;
    for (const vexl::bench::GdiWorkload &workload : chosen)
        all_ran = report(workload, window.handle()) && all_ran;
    return all_ran ? 0 : 1;
}
