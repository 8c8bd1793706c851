// The stroke-text workloads, shared by the Google Benchmark program and the
// plain timer program of the Windows build.
//
//   page  a page of 60 lines of 80 characters of roman simplex at line height
//         100, written with one call into a new HP-GL/2 plot file; timed from
//         opening the plot to closing it. Its throughput is counted in
//         strokes: the poly-lines the glyphs make, one per run of points
//         between pen lifts (and in points, for reference).
//   line  one line of N characters written again and again on an open plot,
//         only the write calls timed: the cost per character must not depend
//         on N, or long lines would cost more than their length.
//
// Both read the Hershey glyphs and font tables the settings name: with the
// shipped data/molvern.cfg, the glyph files the build tree made and the
// tables of data/fonts.
#ifndef VEXL33_BENCH_TEXT_WORKLOADS_H
#define VEXL33_BENCH_TEXT_WORKLOADS_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gplot.h>

namespace vexl::bench::text {

inline constexpr int32_t kPageLines = 60;
inline constexpr int32_t kPageColumns = 80;
inline constexpr int32_t kTextHeight = 100;
inline constexpr const char *kFontName = "romans";
// The line lengths of the per-character workload.
inline const std::vector<int32_t> kLineLengths = {10, 100, 1000, 10000};

// Points the plots at the shipped data/molvern.cfg and this build tree's
// glyph files unless the environment names a configuration of its own.
void use_shipped_configuration();

// Empty when the Hershey glyph file the settings name can be read; else a
// sentence saying why the text benchmarks cannot run.
std::string missing_hershey_data();

// A font table loaded for the lifetime of the object.
class FontTable {
  public:
    FontTable(int kind, const char *name);
    ~FontTable();
    FontTable(const FontTable &) = delete;
    FontTable &operator=(const FontTable &) = delete;

    bool loaded() const { return loaded_; }
    // The library's message when loading failed.
    const std::string &error() const { return error_; }
    GFontTable *get() { return &table_; }

  private:
    GFontTable table_{};
    bool loaded_ = false;
    std::string error_;
};

// The roman simplex table the workloads write with, read through the shipped
// configuration. Null after saying why: exit_status is then 0 when the glyph
// data is missing (the benchmark is skipped) and 1 when the table failed.
std::unique_ptr<FontTable> open_font(int &exit_status);

// The page: kPageLines lines of kPageColumns characters cut from a running
// sentence, joined by '\n'.
std::string page_text();
// One line of `characters` characters cut from the same sentence.
std::string line_text(int32_t characters);

struct StrokeCount {
    int64_t strokes = 0; // poly-lines
    int64_t points = 0;
};
// What the text's glyphs in `font` make, counted from the glyphs themselves.
StrokeCount count_strokes(GFontTable *font, const std::string &text);

// Writes the page into a new plot file at `path`, from opening the plot to
// closing it, and sets `seconds` to that time. Empty on success, else what
// failed.
std::string write_page(GFontTable *font, const std::string &page, const std::string &path,
                       double &seconds);

// An open plot file that lines are written to, one below the other.
class LineWriter {
  public:
    explicit LineWriter(const std::string &path);
    ~LineWriter();
    LineWriter(const LineWriter &) = delete;
    LineWriter &operator=(const LineWriter &) = delete;

    // Empty when the plot is open, else what failed.
    const std::string &error() const { return error_; }
    // Writes `line` once and returns the seconds the call took; -1 on failure
    // (with error() set).
    double write(GFontTable *font, const std::string &line);

  private:
    GPlot *plot_ = nullptr;
    int32_t row_ = 0;
    std::string error_;
};

} // namespace vexl::bench::text

#endif // VEXL33_BENCH_TEXT_WORKLOADS_H
