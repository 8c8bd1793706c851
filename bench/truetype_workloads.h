// The TrueType measurement workloads, shared by the Google Benchmark program
// and the plain timer program of the Windows build. All measure one line of
// kLineCharacters printable characters in DejaVu Sans at 12 points, 96 dpi:
//
//   cached  gfreetype_get_bounding_box on a screen plot whose metric block
//           already exists: the line costs a sum of cached advances;
//   direct  gfreetype_get_bounding_box_nw: no window, so every glyph is
//           loaded through FreeType on every call;
//   bare    the least work that gives the same advances: a face the
//           benchmark opens itself, each glyph loaded and its advance summed;
//   block   building one metric block (every byte value's glyph, and its
//           bitmap up to the largest cached size) on the screen plot, with
//           the bare loading of the same 256 glyphs as its baseline.
//
// The faces come from MOLVERN_FONT_DIR, by default Debian's DejaVu directory
// (fonts-dejavu-core, which scripts/setup installs); under Wine the same path
// works since / is drive Z:.
#ifndef VEXL33_BENCH_TRUETYPE_WORKLOADS_H
#define VEXL33_BENCH_TRUETYPE_WORKLOADS_H

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "core/gxwin_base.h"
#include "fonts/freetype_font.h"
#include "plot/gplot.h"

namespace vexl::bench::truetype {

inline constexpr int32_t kPointSize = 12;
// Above the largest size whose glyph bitmaps are cached: metrics only.
inline constexpr int32_t kUncachedPointSize = 101;
inline constexpr int32_t kResolution = 96;
inline constexpr int32_t kLineCharacters = 100;
// A block holds one entry per byte value.
inline constexpr int32_t kBlockGlyphs = 256;
inline constexpr const char *kFaceName = "DejaVu Sans";
inline constexpr const char *kFaceFile = "DejaVuSans.ttf";

// Points MOLVERN_FONT_DIR at Debian's DejaVu fonts unless it is set already.
// Empty when the face file is there; else a sentence saying why the
// benchmark cannot run.
std::string use_dejavu_directory();

// kLineCharacters characters cut from a running sentence.
std::string line_text();

// A device whose font sizes are points and which draws nothing: all the
// screen measurement asks of a device is its resolution and the mapping.
class PointSizedDevice : public GXWINbase {
  public:
    explicit PointSizedDevice(GPlot *owner) : GXWINbase(owner, nullptr, 0, 0) {}
    int32_t round_device_coord(double value) override;
    int32_t round_world_coord(double value) override;
    double inches_to_font_height(double inches) override { return inches * 72.0; }
};

// A 1000-pixel-square screen plot at 96 dpi whose world units are pixels.
struct ScreenPlot {
    ScreenPlot();
    ScreenPlot(const ScreenPlot &) = delete;
    ScreenPlot &operator=(const ScreenPlot &) = delete;

    GPlot plot{};
    PointSizedDevice device{&plot};
};

// A FreeType face of its own, opened with its own library: what measuring
// costs without the plotting library around it.
class BareFace {
  public:
    explicit BareFace(const std::string &path);
    ~BareFace();
    BareFace(const BareFace &) = delete;
    BareFace &operator=(const BareFace &) = delete;

    // Empty when the face is open and sized, else what failed.
    const std::string &error() const { return error_; }
    bool set_point_size(int32_t point_size);
    // Sum of the rounded advances of the line's bytes; -1 on failure.
    int64_t line_width(const std::string &line);
    // Loads the glyphs of bytes 0-255 once each; false on failure.
    bool load_block_glyphs();

  private:
    bool load_byte(unsigned char byte);

    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    std::string error_;
};

// The set-up every workload shares: the library's face loaded into a font
// table, the screen plot, the line and the bare face. The measuring calls
// return false on failure, with error() saying what failed.
class Workloads {
  public:
    Workloads();
    ~Workloads();
    Workloads(const Workloads &) = delete;
    Workloads &operator=(const Workloads &) = delete;

    const std::string &error() const { return error_; }
    const std::string &line() const { return line_; }

    // Each prepare_ call is made once before its workload is timed: it sets
    // the faces to the workload's size and builds what the workload takes
    // as given. The width checks of the line workloads are made here too.
    bool prepare_cached();
    bool prepare_direct();
    bool prepare_bare();
    bool prepare_block(int32_t point_size);
    bool prepare_bare_glyphs(int32_t point_size);

    // The timed operations. width() holds the last measured width.
    bool measure_cached();
    bool measure_direct();
    bool measure_bare();
    // Drops the metric block of the prepared size and builds it again.
    bool rebuild_block();
    bool load_bare_glyphs();

    int64_t width() const { return width_; }

  private:
    bool fail(const std::string &what);
    bool check_width(const char *workload, int64_t expected);
    FreeTypeFont &font();

    GFontTable table_{};
    ScreenPlot screen_;
    int32_t screen_height_ = 0; // world height of kPointSize on the screen
    std::string line_;
    std::string error_;
    std::unique_ptr<BareFace> bare_;
    int64_t bare_line_width_ = 0;
    int32_t block_point_size_ = 0;
    int64_t width_ = 0;
};

// One timed workload: its name ("cached", "block/12", ...), the call made
// once before timing it and the operation timed, each false on failure.
struct Workload {
    std::string name;
    std::function<bool(Workloads &)> prepare;
    std::function<bool(Workloads &)> run;
    bool per_block; // an operation is a whole block, reported in microseconds
};
std::vector<Workload> workload_list();

// The workloads on the DejaVu font. Null after saying why: exit_status is
// then 0 when the font is missing (the benchmark is skipped) and 1 when
// setting up failed.
std::unique_ptr<Workloads> open_workloads(int &exit_status);

// Prints the ratios between the workloads' median nanoseconds per operation,
// by workload name; a ratio one of whose sides did not run is left out.
void print_ratios(const std::map<std::string, double> &median_ns);

} // namespace vexl::bench::truetype

#endif // VEXL33_BENCH_TRUETYPE_WORKLOADS_H
