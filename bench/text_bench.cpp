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
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "support/temp_dir.h"
#include "text_workloads.h"

namespace {

namespace text = vexl::bench::text;

bool any_failed = false; // makes the exit status non-zero, for scripts
// Every call's figure by line length, with the call's iteration count.
// Google Benchmark calls a benchmark function with growing counts while it
// settles the count; only the calls with the final count are runs that
// count (one per repetition), the shorter ones being mostly warm-up.
struct LineRun {
    benchmark::IterationCount iterations;
    double ns_per_char;
};
std::map<int32_t, std::vector<LineRun>> line_runs;

// The median figure of the runs with the most iterations.
double settled_ns_per_char(const std::vector<LineRun> &runs) {
    benchmark::IterationCount most = 0;
    for (const LineRun &run : runs)
        most = std::max(most, run.iterations);
    std::vector<double> figures;
    for (const LineRun &run : runs) {
        if (run.iterations == most)
            figures.push_back(run.ns_per_char);
    }
    std::sort(figures.begin(), figures.end());
    const std::size_t middle = figures.size() / 2;
    return figures.size() % 2 != 0 ? figures[middle] : (figures[middle - 1] + figures[middle]) / 2;
}

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
    text::use_shipped_configuration();
    const std::string missing = text::missing_hershey_data();
    if (!missing.empty()) {
        std::printf("vexl33_text_bench: skipped: %s\n", missing.c_str());
        return 0;
    }
    text::FontTable font(GFONT_TABLE_ASCII, text::kFontName);
    if (!font.loaded()) {
        std::fprintf(stderr, "vexl33_text_bench: %s\n", font.error().c_str());
        return 1;
    }

    benchmark::RegisterBenchmark("text/page", run_page, font.get())
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    for (const int32_t characters : text::kLineLengths) {
        benchmark::RegisterBenchmark(("text/line/" + std::to_string(characters)).c_str(), run_line,
                                     font.get(), characters)
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
                    settled_ns_per_char(line_runs[longest]) /
                        settled_ns_per_char(line_runs[shortest]));
    return any_failed ? 1 : 0;
}
