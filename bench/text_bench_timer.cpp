// The stroke-text benchmark as a plain timer program, for the Windows build,
// which has no Google Benchmark. It runs the workloads of text_workloads.h a
// fixed number of times and prints the same figures as the Google Benchmark
// program: strokes and points per second for the page, ns per character for
// each line length, and the ratio of the longest line's figure to the
// shortest's. Skips, with a message and exit status 0, when the Hershey data
// is missing.
#include <cstdio>
#include <memory>
#include <string>

#include "support/temp_dir.h"
#include "text_workloads.h"

namespace {

namespace text = vexl::bench::text;

constexpr int kPageRuns = 10;
// Each line length writes about this many characters, so every length is
// timed over a similar amount of work.
constexpr int32_t kCharactersPerLength = 200000;

bool report_page(GFontTable *font, const std::string &dir) {
    const std::string page = text::page_text();
    const text::StrokeCount count = text::count_strokes(font, page);
    double total = 0;
    // Run 0 is not counted: the first plot of a process also loads the
    // settings and the colour map, which later plots find loaded.
    for (int run = 0; run <= kPageRuns; ++run) {
        double seconds = 0;
        const std::string error = text::write_page(font, page, dir + "/page.hgl", seconds);
        if (!error.empty()) {
            std::fprintf(stderr, "page: %s\n", error.c_str());
            return false;
        }
        if (run > 0)
            total += seconds;
    }
    std::printf("page: %lld strokes (%lld points) in %.2f ms: %.0f strokes/s, %.0f points/s\n",
                static_cast<long long>(count.strokes), static_cast<long long>(count.points),
                total * 1e3 / kPageRuns, kPageRuns * count.strokes / total,
                kPageRuns * count.points / total);
    return true;
}

// ns per character of writing a line of `characters`; -1 on failure.
double time_line(GFontTable *font, int32_t characters, const std::string &dir) {
    const std::string line = text::line_text(characters);
    text::LineWriter writer(dir + "/lines.hgl");
    const int32_t writes = kCharactersPerLength / characters;
    double total = 0;
    for (int32_t i = 0; i <= writes; ++i) {
        const double seconds = writer.write(font, line);
        if (seconds < 0) {
            std::fprintf(stderr, "line of %d: %s\n", characters, writer.error().c_str());
            return -1;
        }
        if (i > 0) // the first write warms the glyphs and the plot's buffer
            total += seconds;
    }
    return total * 1e9 / (static_cast<double>(writes) * characters);
}

} // namespace

int main(int argc, char **argv) {
    if (argc > 1) {
        std::fprintf(stderr, "usage: %s\n", argv[0]);
        return 2;
    }
    int exit_status = 0;
    const std::unique_ptr<text::FontTable> font = text::open_font(exit_status);
    if (font == nullptr)
        return exit_status;
    const vexl::test::TempDir dir;
    if (!report_page(font->get(), dir.path()))
        return 1;
    double shortest = 0, longest = 0;
    for (const int32_t characters : text::kLineLengths) {
        const double ns = time_line(font->get(), characters, dir.path());
        if (ns < 0)
            return 1;
        std::printf("line of %5d characters: %8.1f ns/char\n", characters, ns);
        if (characters == text::kLineLengths.front())
            shortest = ns;
        longest = ns;
    }
    std::printf("ns_per_char flatness, %d over %d characters: %.2f\n", text::kLineLengths.back(),
                text::kLineLengths.front(), longest / shortest);
    return 0;
}
