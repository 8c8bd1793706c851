// The TrueType measurement benchmark as a plain timer program, for the
// Windows build, which has no Google Benchmark. Each workload of
// truetype_workloads.h runs in batches long enough for the clock; the figure
// is the median batch's time per operation over the repetitions (the first
// argument, 15 by default), and the ratios between workloads come from those
// medians, as in the Google Benchmark program. Skips, with a message and
// exit status 0, when the DejaVu font is missing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "medians.h"
#include "truetype_workloads.h"

namespace {

namespace truetype = vexl::bench::truetype;

constexpr int kDefaultRepetitions = 15;
// A batch lasts at least this long, far above the clock's resolution.
constexpr double kBatchSeconds = 0.01;

using Clock = std::chrono::steady_clock;

// Seconds that `operations` calls of the workload take; -1 on failure.
double time_batch(truetype::Workloads &workloads, const truetype::Workload &workload,
                  long operations) {
    const auto start = Clock::now();
    for (long i = 0; i < operations; ++i) {
        if (!workload.run(workloads))
            return -1;
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Median nanoseconds per operation; -1 on failure.
double time_workload(truetype::Workloads &workloads, const truetype::Workload &workload,
                     int repetitions) {
    if (!workload.prepare(workloads))
        return -1;
    // Doubling the batch until it is long enough also warms the caches.
    long operations = 1;
    for (;;) {
        const double seconds = time_batch(workloads, workload, operations);
        if (seconds < 0)
            return -1;
        if (seconds >= kBatchSeconds)
            break;
        operations *= 2;
    }
    std::vector<double> ns;
    for (int i = 0; i < repetitions; ++i) {
        const double seconds = time_batch(workloads, workload, operations);
        if (seconds < 0)
            return -1;
        ns.push_back(seconds * 1e9 / static_cast<double>(operations));
    }
    return vexl::bench::median(ns);
}

} // namespace

int main(int argc, char **argv) {
    int repetitions = kDefaultRepetitions;
    if (argc > 2 || (argc == 2 && (repetitions = std::atoi(argv[1])) < 1)) {
        std::fprintf(stderr, "usage: %s [repetitions]\n", argv[0]);
        return 2;
    }
    int exit_status = 0;
    const std::unique_ptr<truetype::Workloads> opened = truetype::open_workloads(exit_status);
    if (opened == nullptr)
        return exit_status;
    truetype::Workloads &workloads = *opened;
    std::map<std::string, double> median_ns;
    for (const truetype::Workload &workload : truetype::workload_list()) {
        const double ns = time_workload(workloads, workload, repetitions);
        if (ns < 0) {
            std::fprintf(stderr, "vexl33_truetype_bench: %s: %s\n", workload.name.c_str(),
                         workloads.error().c_str());
            return 1;
        }
        if (workload.per_block)
            std::printf("%-16s %10.1f us per block\n", workload.name.c_str(), ns / 1e3);
        else
            std::printf("%-16s %10.1f ns per line, %6.2f ns per char\n", workload.name.c_str(), ns,
                        ns / truetype::kLineCharacters);
        median_ns[workload.name] = ns;
    }
    truetype::print_ratios(median_ns);
    return 0;
}
