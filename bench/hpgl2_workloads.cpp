#include "hpgl2_workloads.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

#include "process_services.h"

namespace vexl::bench {
namespace {

constexpr int32_t kWorld[4] = {0, 0, 100000, 100000};
constexpr int32_t kMiddleHalf[4] = {25000, 25000, 75000, 75000};
constexpr const char *kProbeFlag = "--peak-probe";

class PointGenerator {
  public:
    explicit PointGenerator(uint32_t seed) : state_(seed) {}
    WorldPointS next() {
        const int32_t x = coordinate();
        const int32_t y = coordinate();
        return {x, y};
    }

  private:
    // Unsigned arithmetic wraps modulo 2^32; the mask then leaves it modulo 2^31.
    int32_t coordinate() {
        state_ = (1103515245u * state_ + 12345u) & 0x7fffffffu;
        return static_cast<int32_t>(state_ % 100001u);
    }
    uint32_t state_;
};

uint32_t seed_of(Shape shape) {
    return shape == Shape::Lines ? 1u : 2u;
}

struct FileCloser {
    void operator()(FILE *file) const { std::fclose(file); }
};

struct PlotCloser {
    void operator()(GPlot *plot) const { gplot_close(plot); }
};
using PlotPtr = std::unique_ptr<GPlot, PlotCloser>;

double seconds_between(std::chrono::steady_clock::time_point from,
                       std::chrono::steady_clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// Empty when the file cannot be read whole.
std::string read_file(const std::string &path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    std::ifstream in(path, std::ios::binary);
    std::string bytes(error ? 0 : static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
        bytes.clear();
    return bytes;
}

// Both timed writes go to files that do not exist yet, so neither pays for
// truncating the previous run's file.
void remove_file(const std::string &path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

std::string failure(const char *call) {
    return std::string(call) + " failed: " + gplot_get_error_message();
}

} // namespace

const std::vector<Workload> &all_workloads() {
    static const std::vector<Workload> workloads = {
        {"lines/clip_off", Shape::Lines, false},
        {"lines/clip_on", Shape::Lines, true},
        {"polygons/clip_off", Shape::Polygons, false},
        {"polygons/clip_on", Shape::Polygons, true},
    };
    return workloads;
}

const Workload *find_workload(const std::string &name) {
    for (const Workload &workload : all_workloads()) {
        if (name == workload.name)
            return &workload;
    }
    return nullptr;
}

int32_t points_per_primitive(Shape shape) {
    return shape == Shape::Lines ? 50 : 8;
}

std::vector<WorldPointS> generate_points(Shape shape, int32_t primitives) {
    PointGenerator generator(seed_of(shape));
    std::vector<WorldPointS> points(static_cast<std::size_t>(primitives) *
                                    static_cast<std::size_t>(points_per_primitive(shape)));
    for (WorldPointS &point : points)
        point = generator.next();
    return points;
}

std::string draw_workload(const Workload &workload, const std::string &path, int32_t primitives,
                          const PrimitivePoints &points_of) {
    PlotPtr plot(gplot_open_hpgl2(path.c_str(), DB_UNIT_MILLIMETRE, 0));
    if (!plot)
        return failure("gplot_open_hpgl2");
    if (!gplot_set_world(plot.get(), kWorld))
        return failure("gplot_set_world");
    if (workload.clipped &&
        !(gplot_set_clip_world(plot.get(), kMiddleHalf) && gplot_set_clip_mode(plot.get(), 1)))
        return failure("clipping");
    if (workload.shape == Shape::Polygons && !gplot_set_fill_pattern(plot.get(), -2))
        return failure("gplot_set_fill_pattern");

    const int32_t n = points_per_primitive(workload.shape);
    for (int32_t i = 0; i < primitives; ++i) {
        WorldPointS *points = points_of(i);
        const int drawn = workload.shape == Shape::Lines
                              ? gplot_draw_lines_world(plot.get(), points, n)
                              : gplot_draw_polygon_world(plot.get(), points, n);
        if (!drawn)
            return failure("drawing");
    }
    if (!gplot_close(plot.release()))
        return failure("gplot_close");
    return {};
}

std::string measure(const Workload &workload, std::vector<WorldPointS> &points, int32_t primitives,
                    const std::string &dir, Measurement &result) {
    const std::string plot_path = dir + "/workload.hgl";
    const std::string copy_path = dir + "/baseline.hgl";
    remove_file(plot_path);
    remove_file(copy_path);
    const std::size_t n = static_cast<std::size_t>(points_per_primitive(workload.shape));
    const PrimitivePoints points_of = [&](int32_t i) {
        return points.data() + static_cast<std::size_t>(i) * n;
    };

    const double library_cpu_start = own_thread_cpu_seconds();
    const auto library_start = std::chrono::steady_clock::now();
    const std::string error = draw_workload(workload, plot_path, primitives, points_of);
    const auto library_end = std::chrono::steady_clock::now();
    const double library_cpu_end = own_thread_cpu_seconds();
    if (!error.empty())
        return error;

    const std::string bytes = read_file(plot_path);
    if (bytes.empty())
        return "the plot file is empty";
    const double baseline_cpu_start = own_thread_cpu_seconds();
    const auto baseline_start = std::chrono::steady_clock::now();
    {
        const std::unique_ptr<FILE, FileCloser> copy(std::fopen(copy_path.c_str(), "wb"));
        if (!copy || std::fwrite(bytes.data(), 1, bytes.size(), copy.get()) != bytes.size())
            return "the baseline file cannot be written";
    }
    const auto baseline_end = std::chrono::steady_clock::now();
    const double baseline_cpu_end = own_thread_cpu_seconds();

    result.library_seconds = seconds_between(library_start, library_end);
    result.baseline_seconds = seconds_between(baseline_start, baseline_end);
    result.library_cpu_seconds = library_cpu_end - library_cpu_start;
    result.baseline_cpu_seconds = baseline_cpu_end - baseline_cpu_start;
    result.file_bytes = bytes.size();
    return {};
}

long long probe_peak_rss_kib(const std::string &program, const Workload &workload,
                             int32_t primitives, const std::string &dir) {
    const std::string result_path = dir + "/peak.txt";
    remove_file(result_path);
    const int status = run_program(program, {kProbeFlag, workload.name, std::to_string(primitives),
                                             dir + "/probe.hgl", result_path});
    long long peak = -1;
    std::ifstream result(result_path);
    if (status != 0 || !(result >> peak))
        return -1;
    return peak;
}

int run_probe_if_asked(int argc, char **argv) {
    if (argc < 2 || std::string(argv[1]) != kProbeFlag)
        return -1;
    const Workload *workload = argc == 6 ? find_workload(argv[2]) : nullptr;
    const int32_t primitives = workload ? std::atoi(argv[3]) : 0;
    if (primitives < 1) {
        std::fprintf(stderr, "usage: %s <workload> <primitives> <plot file> <result file>\n",
                     kProbeFlag);
        return 2;
    }
    use_shipped_configuration();
    PointGenerator generator(seed_of(workload->shape));
    std::vector<WorldPointS> one(static_cast<std::size_t>(points_per_primitive(workload->shape)));
    const std::string error = draw_workload(*workload, argv[4], primitives, [&](int32_t) {
        for (WorldPointS &point : one)
            point = generator.next();
        return one.data();
    });
    const long long peak = own_peak_rss_kib();
    if (!error.empty() || peak < 0) {
        std::fprintf(stderr, "probe: %s\n",
                     error.empty() ? "no peak memory figure" : error.c_str());
        return 1;
    }
    std::ofstream(argv[5]) << peak << '\n';
    return 0;
}

int32_t take_primitives_option(int &argc, char **argv) {
    const std::string prefix = "--primitives=";
    int32_t primitives = kDefaultPrimitives;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.compare(0, prefix.size(), prefix) == 0) {
            const long value = std::strtol(argument.c_str() + prefix.size(), nullptr, 10);
            primitives =
                value > 0 && value <= 10 * kDefaultPrimitives ? static_cast<int32_t>(value) : 0;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return primitives;
}

void use_shipped_configuration() {
    const std::string shipped = std::string(VEXL_SOURCE_DIR) + "/data/molvern.cfg";
    std::error_code ignored;
    if (std::filesystem::exists(shipped, ignored))
        set_environment_default("MOLVERN_CONFIG", shipped.c_str());
}

} // namespace vexl::bench
