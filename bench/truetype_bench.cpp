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
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "medians.h"
#include "truetype_workloads.h"

namespace {

namespace truetype = vexl::bench::truetype;

bool any_failed = false; // makes the exit status non-zero, for scripts

// Every call's nanoseconds per operation by workload, with the call's
// iteration count.
std::map<std::string, std::vector<vexl::bench::CountedRun>> runs;

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
    int exit_status = 0;
    const std::unique_ptr<truetype::Workloads> opened = truetype::open_workloads(exit_status);
    if (opened == nullptr)
        return exit_status;
    truetype::Workloads &workloads = *opened;

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
        median_ns[name] = vexl::bench::settled_median(all);
    truetype::print_ratios(median_ns);
    return any_failed ? 1 : 0;
}
