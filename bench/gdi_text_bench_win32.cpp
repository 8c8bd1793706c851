// GDI text on the Windows graphics device against the same GDI calls made
// directly: 10,000 short strings drawn into a window, each with a font made
// for it (as the device makes one for every text), timed in the same run.
// The figure that matters is the ratio of the two medians; the device's
// share above 1 is its own work (sizes, layout, mapping).
//   STDERR_OUTPUT=1 vexl33_gdi_text_bench [repetitions]
// (STDERR_OUTPUT keeps the library's messages, such as a missing colour
// file, out of message boxes that would wait for a click.)
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gplot.h"
#include "gplot_win32.h"
#include "medians.h"

namespace {

constexpr int kStrings = 10000;
constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr int kTextHeight = 16;
constexpr const char *kFace = "DejaVu Sans";

using Clock = std::chrono::steady_clock;

std::string text_for(int i) {
    return "Label " + std::to_string(i);
}

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double through_device(GPlot *plot, GFontTable &table) {
    const auto start = Clock::now();
    for (int i = 0; i < kStrings; ++i) {
        const WorldPointS at{(i * 37) % (kWidth - 80), 20 + (i * 53) % (kHeight - 40)};
        if (!gplot_write_ascii_text_world(plot, &table, &at, kTextHeight, text_for(i).c_str()))
            return -1;
    }
    GdiFlush();
    return seconds_since(start);
}

double direct(HDC dc) {
    const auto start = Clock::now();
    for (int i = 0; i < kStrings; ++i) {
        LOGFONTA request{};
        request.lfHeight = -kTextHeight;
        request.lfOutPrecision = OUT_TT_PRECIS;
        request.lfClipPrecision = CLIP_STROKE_PRECIS;
        request.lfQuality = DRAFT_QUALITY;
        std::strcpy(request.lfFaceName, kFace);
        HFONT font = CreateFontIndirectA(&request);
        HGDIOBJ old = SelectObject(dc, font);
        SetTextAlign(dc, TA_BOTTOM | TA_LEFT);
        const std::string text = text_for(i);
        const int x = (i * 37) % (kWidth - 80);
        const int y = kHeight - (20 + (i * 53) % (kHeight - 40));
        const BOOL drawn = TextOutA(dc, x, y, text.data(), static_cast<int>(text.size()));
        SelectObject(dc, old);
        DeleteObject(font);
        if (!drawn)
            return -1;
    }
    GdiFlush();
    return seconds_since(start);
}

} // namespace

int main(int argc, char **argv) {
    int repetitions = 5;
    if (argc > 2 || (argc == 2 && (repetitions = std::atoi(argv[1])) < 1)) {
        std::fprintf(stderr, "usage: %s [repetitions]\n", argv[0]);
        return 2;
    }
    HWND window = CreateWindowExA(0, "STATIC", "vexl33 GDI text", WS_POPUP | WS_VISIBLE, 0, 0,
                                  kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
    if (window == nullptr) {
        std::fprintf(stderr, "vexl33_gdi_text_bench: no window\n");
        return 1;
    }
    GPlot *plot = gplot_open_screen(window);
    if (plot == nullptr) {
        std::fprintf(stderr, "vexl33_gdi_text_bench: no plot (code %d)\n", GplotErrno);
        DestroyWindow(window);
        return 1;
    }
    const int32_t world[4] = {0, 0, kWidth, kHeight};
    gplot_set_world(plot, world);
    GFontTable table{};
    gttfont_setFontName(&table, kFace);
    table.kind = GFONT_TABLE_TRUETYPE;

    HDC dc = GetDC(window);
    std::vector<double> device_seconds, direct_seconds;
    int status = 0;
    for (int r = 0; r < repetitions && status == 0; ++r) {
        const double on_device = through_device(plot, table);
        const double by_hand = direct(dc);
        if (on_device < 0 || by_hand < 0) {
            std::fprintf(stderr, "vexl33_gdi_text_bench: drawing failed\n");
            status = 1;
        }
        device_seconds.push_back(on_device);
        direct_seconds.push_back(by_hand);
    }
    ReleaseDC(window, dc);
    if (status == 0) {
        const double device_median = vexl::bench::median(device_seconds);
        const double direct_median = vexl::bench::median(direct_seconds);
        std::printf("device  %8.2f us per string\n", device_median * 1e6 / kStrings);
        std::printf("direct  %8.2f us per string\n", direct_median * 1e6 / kStrings);
        std::printf("ratio   %8.2f (device / direct, goal at most 1.3)\n",
                    device_median / direct_median);
    }
    gttfont_unloadFont(&table);
    gplot_close(plot);
    DestroyWindow(window);
    return status;
}
