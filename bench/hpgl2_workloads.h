// The HP-GL/2 throughput workloads, shared by the Google Benchmark program
// and the plain timer program of the Windows build.
//
// A workload draws a fixed, pseudo-random scene through the public interface
// into a new plot file, from opening the plot to closing it, so that its time
// covers every byte formatted, written and flushed. The same bytes written to
// a fresh file with one fwrite are the baseline: the ratio of the two is what
// the library adds to the unavoidable cost of putting the file on disk.
#ifndef VEXL33_BENCH_HPGL2_WORKLOADS_H
#define VEXL33_BENCH_HPGL2_WORKLOADS_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gplot.h>

namespace vexl::bench {

enum class Shape { Lines, Polygons };

struct Workload {
    const char *name;
    Shape shape;
    bool clipped; // to the middle half of the world window
};

// Every workload, in the order they are reported.
const std::vector<Workload> &all_workloads();
// The workload of that name, or null.
const Workload *find_workload(const std::string &name);

inline constexpr int32_t kDefaultPrimitives = 20000;

// Points of one primitive: 50 for a poly-line, 8 for a polygon.
int32_t points_per_primitive(Shape shape);

// The points of `primitives` primitives, in drawing order: coordinates from
// the generator x' = (1103515245 x + 12345) mod 2^31 taken modulo 100001, x
// then y; seed 1 for lines, 2 for polygons.
std::vector<WorldPointS> generate_points(Shape shape, int32_t primitives);

// Supplies the points of primitive i (points_per_primitive of them).
using PrimitivePoints = std::function<WorldPointS *(int32_t i)>;

// Opens a plot file at path, sets the world window (and the clip rectangle),
// draws the primitives and closes the plot. Empty on success, else what failed.
std::string draw_workload(const Workload &workload, const std::string &path, int32_t primitives,
                          const PrimitivePoints &points_of);

struct Measurement {
    double library_seconds = 0;  // draw_workload, open to close
    double baseline_seconds = 0; // the same bytes: fopen, one fwrite, fclose
    // The processor time of each (own_thread_cpu_seconds).
    double library_cpu_seconds = 0;
    double baseline_cpu_seconds = 0;
    uint64_t file_bytes = 0;
};

// One timed run of the workload and of its baseline, both into fresh files in
// dir. points holds generate_points(workload.shape, primitives). Empty on
// success, else what failed.
std::string measure(const Workload &workload, std::vector<WorldPointS> &points, int32_t primitives,
                    const std::string &dir, Measurement &result);

// Peak resident memory, in KiB, of a fresh process (this program started with
// the probe arguments) that draws the workload, generating each primitive's
// points just before drawing it: whatever grows with the primitive count is
// the library's. -1 when the probe fails.
long long probe_peak_rss_kib(const std::string &program, const Workload &workload,
                             int32_t primitives, const std::string &dir);

// The probe's side: when argv asks for a probe, runs it and returns its exit
// status; otherwise returns -1 and the program goes on as usual.
int run_probe_if_asked(int argc, char **argv);

// Removes a "--primitives=N" argument from argv and returns N, or
// kDefaultPrimitives when there is none; 0 when N is not from 1 to ten times
// the default.
int32_t take_primitives_option(int &argc, char **argv);

// Makes the plot files find the shipped fill patterns and colours, unless the
// caller's environment names a configuration of its own, so that opening a
// plot does not complain about a missing fill-pattern file on every run.
void use_shipped_configuration();

} // namespace vexl::bench

#endif // VEXL33_BENCH_HPGL2_WORKLOADS_H
