// The TrueType measurement benchmark, on Google Benchmark (see
// truetype_workloads.h).
//   truetype/cached, truetype/direct, truetype/bare
//                  one measurement of the line per iteration; counter
//                  ns_per_char
//   truetype/block/N, truetype/bare_glyphs/N
//                  one metric block built at N points per iteration, and the
//                  bare loading of its 256 glyphs
// After the runs it prints the ratios between the workloads, from the
// medians over --benchmark_repetitions.
// Skips, with a message and exit status 0, when the DejaVu font is missing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "truetype_workloads.h"

namespace {

namespace truetype = vexl::bench::truetype;

bool any_failed = false; // makes the exit status non-zero, for scripts

// Every call's figure by workload, with the call's iteration count. Google
// Benchmark calls a benchmark function with growing counts while it settles
// the count; only the calls with the final count are runs that count (one
// per repetition), the shorter ones being mostly warm-up.
struct Run {
    benchmark::IterationCount iterations;
    double ns_per_operation;
};
std::map<std::string, std::vector<Run>> runs;

// The median figure of the runs with the most iterations.
double settled_ns(const std::vector<Run> &all) {
    benchmark::IterationCount most = 0;
    for (const Run &run : all)
        most = std::max(most, run.iterations);
    std::vector<double> figures;
    for (const Run &run : all) {
        if (run.iterations == most)
            figures.push_back(run.ns_per_operation);
    }
    std::sort(figures.begin(), figures.end());
    const std::size_t middle = figures.size() / 2;
    return figures.size() % 2 != 0 ? figures[middle] : (figures[middle - 1] + figures[middle]) / 2;
}

void fail(benchmark::State &state, const std::string &what) {
    state.SkipWithError(what.c_str());
    any_failed = true;
}

void run_workload(benchmark::State &state, truetype::Workloads *workloads,
                  const truetype::Workload *workload) {
    if (!workload->prepare(*workloads)) {
        fail(state, workloads->error());
        return;
    }
    // The loop as a whole is timed for the ratios: a clock read around
    // every call would weigh on the cached measurement, which takes less
    // than a microsecond.
    bool succeeded = true;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        succeeded = workload->run(*workloads);
        if (!succeeded)
            break;
        benchmark::DoNotOptimize(workloads->width());
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!succeeded) {
        fail(state, workloads->error());
        return;
    }
    const double ns = seconds * 1e9 / static_cast<double>(state.iterations());
    if (!workload->per_block)
        state.counters["ns_per_char"] = ns / truetype::kLineCharacters;
    runs[workload->name].push_back({state.iterations(), ns});
}

} // namespace

int main(int argc, char **argv) {
    const std::string missing = truetype::use_dejavu_directory();
    if (!missing.empty()) {
        std::printf("vexl33_truetype_bench: skipped: %s\n", missing.c_str());
        return 0;
    }
    truetype::Workloads workloads;
    if (!workloads.error().empty()) {
        std::fprintf(stderr, "vexl33_truetype_bench: %s\n", workloads.error().c_str());
        return 1;
    }

    const std::vector<truetype::Workload> list = truetype::workload_list();
    for (const truetype::Workload &workload : list) {
        benchmark::RegisterBenchmark(("truetype/" + workload.name).c_str(), run_workload,
                                     &workloads, &workload)
            ->Unit(workload.per_block ? benchmark::kMicrosecond : benchmark::kNanosecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::map<std::string, double> median_ns;
    for (const auto &[name, all] : runs)
        median_ns[name] = settled_ns(all);
    truetype::print_ratios(median_ns);
    return any_failed ? 1 : 0;
}
