// Medians for the benchmark programs: of plain figures (the timer programs'
// repetitions), and of Google Benchmark runs, where only the runs that
// settled on the final iteration count are counted.
#ifndef VEXL33_BENCH_MEDIANS_H
#define VEXL33_BENCH_MEDIANS_H

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vexl::bench {

// The middle figure, or the mean of the middle two; 0 for none.
inline double median(std::vector<double> figures) {
    if (figures.empty())
        return 0.0;
    std::sort(figures.begin(), figures.end());
    const std::size_t middle = figures.size() / 2;
    return figures.size() % 2 != 0 ? figures[middle] : (figures[middle - 1] + figures[middle]) / 2;
}

// One call of a benchmark function: its iteration count and its figure.
// Google Benchmark calls a function with growing counts while it settles
// the count; only the calls with the final count are runs that count (one
// per repetition), the shorter ones being mostly warm-up.
struct CountedRun {
    int64_t iterations;
    double figure;
};

// The median figure of the runs with the most iterations.
inline double settled_median(const std::vector<CountedRun> &runs) {
    int64_t most = 0;
    for (const CountedRun &run : runs)
        most = std::max(most, run.iterations);
    std::vector<double> figures;
    for (const CountedRun &run : runs) {
        if (run.iterations == most)
            figures.push_back(run.figure);
    }
    return median(figures);
}

} // namespace vexl::bench

#endif // VEXL33_BENCH_MEDIANS_H
