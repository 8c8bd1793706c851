// The stroke-text benchmark, on Google Benchmark (see text_workloads.h).
//   text/page      one page per iteration, open to close; counters
//                  strokes_per_s and points_per_s (poly-lines and their
//                  points per second of library time) and ns_per_stroke
//   text/line/N    one write of a line of N characters per iteration, the
//                  write call alone; counter ns_per_char
// After the runs it prints ns_per_char of the longest line over that of the
// shortest (medians over --benchmark_repetitions), which stays near 1 while
// the cost per character is flat.
// Skips, with a message and exit status 0, when the Hershey data is missing.
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "medians.h"
#include "support/temp_dir.h"
#include "text_workloads.h"

namespace {

namespace text = vexl::bench::text;

bool any_failed = false; // makes the exit status non-zero, for scripts
// Every call's ns_per_char by line length, with the call's iteration count.
std::map<int32_t, std::vector<vexl::bench::CountedRun>> line_runs;

void fail(benchmark::State &state, const std::string &what) {
    state.SkipWithError(what.c_str());
    any_failed = true;
}

void run_page(benchmark::State &state, GFontTable *font) {
    const std::string page = text::page_text();
    const text::StrokeCount count = text::count_strokes(font, page);
    const vexl::test::TempDir dir;
    double total_seconds = 0;
    for (auto _ : state) {
        double seconds = 0;
        const std::string error = text::write_page(font, page, dir.file("page.hgl"), seconds);
        if (!error.empty()) {
            fail(state, error);
            return;
        }
        state.SetIterationTime(seconds);
        total_seconds += seconds;
    }
    const double pages = static_cast<double>(state.iterations());
    state.counters["strokes_per_s"] = pages * count.strokes / total_seconds;
    state.counters["points_per_s"] = pages * count.points / total_seconds;
    state.counters["ns_per_stroke"] = total_seconds * 1e9 / (pages * count.strokes);
}

void run_line(benchmark::State &state, GFontTable *font, int32_t characters) {
    const std::string line = text::line_text(characters);
    const vexl::test::TempDir dir;
    double total_seconds = 0;
    {
        text::LineWriter writer(dir.file("lines.hgl"));
        for (auto _ : state) {
            const double seconds = writer.write(font, line);
            if (seconds < 0) {
                fail(state, writer.error());
                return;
            }
            state.SetIterationTime(seconds);
            total_seconds += seconds;
        }
    }
    const double ns_per_char =
        total_seconds * 1e9 / (static_cast<double>(state.iterations()) * characters);
    state.counters["ns_per_char"] = ns_per_char;
    line_runs[characters].push_back({state.iterations(), ns_per_char});
}

} // namespace

int main(int argc, char **argv) {
    int exit_status = 0;
    const std::unique_ptr<text::FontTable> font = text::open_font(exit_status);
    if (font == nullptr)
        return exit_status;

    benchmark::RegisterBenchmark("text/page", run_page, font->get())
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    for (const int32_t characters : text::kLineLengths) {
        benchmark::RegisterBenchmark(("text/line/" + std::to_string(characters)).c_str(), run_line,
                                     font->get(), characters)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const int32_t shortest = text::kLineLengths.front(), longest = text::kLineLengths.back();
    if (line_runs.count(shortest) > 0 && line_runs.count(longest) > 0)
        std::printf("ns_per_char flatness, %d over %d characters: %.2f\n", longest, shortest,
                    vexl::bench::settled_median(line_runs[longest]) /
                        vexl::bench::settled_median(line_runs[shortest]));
    return any_failed ? 1 : 0;
}
