// The HP-GL/2 throughput benchmark as a plain timer program, for the Windows
// build, which has no Google Benchmark. It runs the same workloads a fixed
// number of times and prints one line per workload with the same figures as
// the Google Benchmark program's counters.
// Options: --primitives=N (default 20000).
#include <cstdio>
#include <string>
#include <vector>

#include "hpgl2_workloads.h"
#include "process_services.h"
#include "support/temp_dir.h"

namespace {

constexpr int kRuns = 5;

// Prints the workload's line; false when it failed.
bool report(const vexl::bench::Workload &workload, int32_t primitives, const std::string &program) {
    std::vector<WorldPointS> points = vexl::bench::generate_points(workload.shape, primitives);
    const vexl::test::TempDir dir;
    vexl::bench::Measurement total;
    // Run 0 is not counted: the first plot of a process also loads the
    // settings and the colour map, which later plots find loaded.
    for (int run = 0; run <= kRuns; ++run) {
        vexl::bench::Measurement once;
        const std::string error =
            vexl::bench::measure(workload, points, primitives, dir.path(), once);
        if (!error.empty()) {
            std::fprintf(stderr, "%s: %s\n", workload.name, error.c_str());
            return false;
        }
        if (run > 0) {
            total.library_seconds += once.library_seconds;
            total.baseline_seconds += once.baseline_seconds;
        }
    }
    const int32_t tenth = primitives >= 10 ? primitives / 10 : 1;
    const long long peak_tenth =
        vexl::bench::probe_peak_rss_kib(program, workload, tenth, dir.path());
    const long long peak =
        vexl::bench::probe_peak_rss_kib(program, workload, primitives, dir.path());
    std::printf("%-18s %12.1f %8.2f %18lld %14lld\n", workload.name,
                total.library_seconds * 1e9 / (kRuns * static_cast<double>(points.size())),
                total.library_seconds / total.baseline_seconds, peak_tenth, peak);
    return peak_tenth >= 0 && peak >= 0;
}

} // namespace

int main(int argc, char **argv) {
    const int probe_status = vexl::bench::run_probe_if_asked(argc, argv);
    if (probe_status >= 0)
        return probe_status;
    const int32_t primitives = vexl::bench::take_primitives_option(argc, argv);
    if (primitives == 0 || argc > 1) {
        std::fprintf(stderr, "usage: %s [--primitives=N], N from 1 to %d\n", argv[0],
                     10 * vexl::bench::kDefaultPrimitives);
        return 2;
    }
    const std::string program = vexl::bench::own_program_path(argv[0]);
    vexl::bench::use_shipped_configuration();

    std::printf("%d primitives, %d timed runs each\n", primitives, kRuns);
    std::printf("%-18s %12s %8s %18s %14s\n", "workload", "ns_per_point", "ratio",
                "peak_rss_kib_tenth", "peak_rss_kib");
    bool all_ran = true;
    for (const vexl::bench::Workload &workload : vexl::bench::all_workloads())
        all_ran = report(workload, primitives, program) && all_ran;
    return all_ran ? 0 : 1;
}
