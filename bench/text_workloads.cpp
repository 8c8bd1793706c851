#include "text_workloads.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>

#include "process_services.h"

namespace vexl::bench::text {
namespace {

// Room for the page and a margin; long lines of the line workload run on to
// the right of it (no clipping is set, so nothing is cut).
constexpr int32_t kWorld[4] = {0, 0, 6200, 6200};
constexpr int32_t kMargin = 100;

constexpr const char kSentence[] = "The quick brown fox jumps over the lazy dog; pack my box "
                                   "with five dozen liquor jugs 0123456789. ";

struct PlotCloser {
    void operator()(GPlot *plot) const { gplot_close(plot); }
};
using PlotPtr = std::unique_ptr<GPlot, PlotCloser>;

std::string failure(const char *call) {
    return std::string(call) + " failed: " + gplot_get_error_message();
}

std::string cut_from_sentence(std::size_t offset, int32_t characters) {
    constexpr std::size_t length = sizeof kSentence - 1;
    std::string text;
    text.reserve(static_cast<std::size_t>(characters));
    for (int32_t i = 0; i < characters; ++i)
        text += kSentence[(offset + static_cast<std::size_t>(i)) % length];
    return text;
}

} // namespace

void use_shipped_configuration() {
    const std::string shipped = std::string(VEXL_SOURCE_DIR) + "/data/molvern.cfg";
    std::error_code ignored;
    if (std::getenv("MOLVERN_CONFIG") != nullptr || !std::filesystem::exists(shipped, ignored))
        return;
    set_environment_default("MOLVERN_CONFIG", shipped.c_str());
    // With the shipped settings, the glyph files this build tree made.
    set_environment_default("MOLVERN_OCCIDENTAL_FILE", VEXL_HERSHEY_DIR "/hersh.oc");
    set_environment_default("MOLVERN_ORIENTAL_FILE", VEXL_HERSHEY_DIR "/hersh.or");
}

std::string missing_hershey_data() {
    char path[260] = {};
    if (!gplot_get_environment("MOLVERN_OCCIDENTAL_FILE", path))
        return "MOLVERN_OCCIDENTAL_FILE is not set: point MOLVERN_CONFIG at data/molvern.cfg";
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::string("the Hershey glyph file ") + path +
               " is missing: the build makes it (target vexl_hershey_files)";
    return {};
}

std::unique_ptr<FontTable> open_font(int &exit_status) {
    use_shipped_configuration();
    const std::string missing = missing_hershey_data();
    if (!missing.empty()) {
        std::printf("vexl33_text_bench: skipped: %s\n", missing.c_str());
        exit_status = 0;
        return nullptr;
    }
    auto font = std::make_unique<FontTable>(GFONT_TABLE_ASCII, kFontName);
    if (!font->loaded()) {
        std::fprintf(stderr, "vexl33_text_bench: %s\n", font->error().c_str());
        exit_status = 1;
        return nullptr;
    }
    return font;
}

FontTable::FontTable(int kind, const char *name) {
    loaded_ = gftable_load_font_table(&table_, 0, kind, name) != 0;
    if (!loaded_)
        error_ = std::string("loading font table ") + (name ? name : "(built-in)") + ": " +
                 gplot_get_error_message();
}

FontTable::~FontTable() {
    gftable_unload_font_table(&table_);
    std::free(table_.name);
}

std::string page_text() {
    std::string page;
    for (int32_t line = 0; line < kPageLines; ++line) {
        if (line > 0)
            page += '\n';
        page += cut_from_sentence(static_cast<std::size_t>(line) * kPageColumns, kPageColumns);
    }
    return page;
}

std::string line_text(int32_t characters) {
    return cut_from_sentence(0, characters);
}

StrokeCount count_strokes(GFontTable *font, const std::string &text) {
    StrokeCount count;
    for (const char c : text) {
        GFont glyph{};
        if (c == '\n' || !gftable_get_ascii_font(font, c, &glyph))
            continue;
        bool in_stroke = false;
        for (int32_t i = 0; i < gfont_num_points(&glyph); ++i) {
            int32_t x = 0, y = 0;
            gfont_get_coord(&glyph, i, &x, &y);
            const bool lift = x == GFONT_PEN_UP_X && y == GFONT_PEN_UP_Y;
            if (!lift) {
                ++count.points;
                if (!in_stroke)
                    ++count.strokes;
            }
            in_stroke = !lift;
        }
    }
    return count;
}

std::string write_page(GFontTable *font, const std::string &page, const std::string &path,
                       double &seconds) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored); // no run pays for truncating the last one's file
    const WorldPointS first_line = {kMargin, kMargin + (kPageLines - 1) * kTextHeight};
    const auto start = std::chrono::steady_clock::now();
    PlotPtr plot(gplot_open_hpgl2(path.c_str(), DB_UNIT_MILLIMETRE, 0));
    if (!plot)
        return failure("gplot_open_hpgl2");
    if (!gplot_set_world(plot.get(), kWorld))
        return failure("gplot_set_world");
    if (!gplot_write_ascii_text_world(plot.get(), font, &first_line, kTextHeight, page.c_str()))
        return failure("gplot_write_ascii_text_world");
    if (!gplot_close(plot.release()))
        return failure("gplot_close");
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return {};
}

LineWriter::LineWriter(const std::string &path) {
    plot_ = gplot_open_hpgl2(path.c_str(), DB_UNIT_MILLIMETRE, 0);
    if (plot_ == nullptr)
        error_ = failure("gplot_open_hpgl2");
    else if (!gplot_set_world(plot_, kWorld))
        error_ = failure("gplot_set_world");
}

LineWriter::~LineWriter() {
    if (plot_ != nullptr)
        gplot_close(plot_);
}

double LineWriter::write(GFontTable *font, const std::string &line) {
    if (!error_.empty())
        return -1;
    // Rows run down the page and start again at the top.
    const WorldPointS at = {kMargin, kWorld[3] - kMargin - (1 + row_++ % kPageLines) * kTextHeight};
    const auto start = std::chrono::steady_clock::now();
    const int written = gplot_write_ascii_text_world(plot_, font, &at, kTextHeight, line.c_str());
    const auto end = std::chrono::steady_clock::now();
    if (!written) {
        error_ = failure("gplot_write_ascii_text_world");
        return -1;
    }
    return std::chrono::duration<double>(end - start).count();
}

} // namespace vexl::bench::text
