// The HP-GL/2 throughput benchmark, on Google Benchmark. The time of an
// iteration is the library's alone (open to close); each workload adds these
// counters:
//   ns_per_point        library time per input point
//   ratio               library time over the time of writing the same bytes
//                       with one fwrite (see hpgl2_workloads.h)
//   cpu_ratio           the same ratio of processor times (user and system),
//                       which a busy machine disturbs less than the clock's
//   peak_rss_kib        peak memory of a fresh process drawing the workload
//   peak_rss_kib_tenth  the same with a tenth of the primitives
// Options: --primitives=N (default 20000) besides Google Benchmark's own.
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "hpgl2_workloads.h"
#include "process_services.h"
#include "support/temp_dir.h"

namespace {

using vexl::bench::Workload;

std::string program;
int32_t primitives = vexl::bench::kDefaultPrimitives;
bool any_failed = false; // makes the exit status non-zero, for scripts

void fail(benchmark::State &state, const char *what) {
    state.SkipWithError(what);
    any_failed = true;
}

// Probed once per workload: Google Benchmark calls a benchmark function
// several times while it settles the iteration count.
std::pair<long long, long long> peaks_of(const Workload &workload, const std::string &dir) {
    static std::map<std::string, std::pair<long long, long long>> probed;
    const auto known = probed.find(workload.name);
    if (known != probed.end())
        return known->second;
    const int32_t tenth = primitives >= 10 ? primitives / 10 : 1;
    const std::pair<long long, long long> peaks = {
        vexl::bench::probe_peak_rss_kib(program, workload, tenth, dir),
        vexl::bench::probe_peak_rss_kib(program, workload, primitives, dir)};
    probed.emplace(workload.name, peaks);
    return peaks;
}

void run_workload(benchmark::State &state, const Workload *workload) {
    std::vector<WorldPointS> points = vexl::bench::generate_points(workload->shape, primitives);
    const vexl::test::TempDir dir;
    vexl::bench::Measurement total;
    for (auto _ : state) {
        vexl::bench::Measurement once;
        const std::string error =
            vexl::bench::measure(*workload, points, primitives, dir.path(), once);
        if (!error.empty()) {
            fail(state, error.c_str());
            return;
        }
        state.SetIterationTime(once.library_seconds);
        total.library_seconds += once.library_seconds;
        total.baseline_seconds += once.baseline_seconds;
        total.library_cpu_seconds += once.library_cpu_seconds;
        total.baseline_cpu_seconds += once.baseline_cpu_seconds;
        total.file_bytes += once.file_bytes;
    }
    const double points_drawn = static_cast<double>(state.iterations()) * points.size();
    state.counters["ns_per_point"] = total.library_seconds * 1e9 / points_drawn;
    state.counters["ratio"] = total.library_seconds / total.baseline_seconds;
    state.counters["cpu_ratio"] = total.library_cpu_seconds / total.baseline_cpu_seconds;
    state.SetBytesProcessed(static_cast<int64_t>(total.file_bytes));
    const auto [tenth, full] = peaks_of(*workload, dir.path());
    if (tenth < 0 || full < 0) {
        fail(state, "the peak-memory probe failed");
        return;
    }
    state.counters["peak_rss_kib_tenth"] = static_cast<double>(tenth);
    state.counters["peak_rss_kib"] = static_cast<double>(full);
}

} // namespace

int main(int argc, char **argv) {
    const int probe_status = vexl::bench::run_probe_if_asked(argc, argv);
    if (probe_status >= 0)
        return probe_status;
    primitives = vexl::bench::take_primitives_option(argc, argv);
    if (primitives == 0) {
        std::fprintf(stderr, "--primitives takes a count from 1 to %d\n",
                     10 * vexl::bench::kDefaultPrimitives);
        return 2;
    }
    program = vexl::bench::own_program_path(argv[0]);
    vexl::bench::use_shipped_configuration();

    for (const Workload &workload : vexl::bench::all_workloads()) {
        benchmark::RegisterBenchmark((std::string("hpgl2/") + workload.name).c_str(), run_workload,
                                     &workload)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return any_failed ? 1 : 0;
}
