#include "truetype_workloads.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <system_error>

#include "fonts/freetype_engine.h"
#include "fonts/freetype_fonts.h"
#include "fonts/freetype_measure.h"
#include "process_services.h"
#include "support/int32_conversions.h"
#include "support/settings_lookup.h"

namespace vexl::bench::truetype {
namespace {

constexpr const char *kDejaVuDirectory = "/usr/share/fonts/truetype/dejavu";
constexpr double kMillimetresPerInch = 25.4;
constexpr int32_t kScreenPixels = 1000;
// The same glyphs the library loads: hinted outlines, never embedded bitmaps.
constexpr FT_Int32 kGlyphLoadFlags = FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP;

constexpr const char kSentence[] = "The quick brown fox jumps over the lazy dog; pack my box "
                                   "with five dozen liquor jugs 0123456789. ";

std::string with_reason(const char *what, FT_Error error) {
    return std::string(what) + " failed: " + freetype_error_text(error);
}

} // namespace

std::string use_dejavu_directory() {
    set_environment_default("MOLVERN_FONT_DIR", kDejaVuDirectory);
    char directory[kSettingBufferSize] = {};
    if (!gplot_get_environment("MOLVERN_FONT_DIR", directory))
        return "MOLVERN_FONT_DIR is not set";
    const std::filesystem::path face = std::filesystem::path(directory) / kFaceFile;
    std::error_code error;
    if (!std::filesystem::is_regular_file(face, error))
        return "the font file " + face.string() + " is missing: scripts/setup installs " +
               "fonts-dejavu-core";
    return {};
}

std::string line_text() {
    constexpr std::size_t length = sizeof kSentence - 1;
    std::string line;
    for (int32_t i = 0; i < kLineCharacters; ++i)
        line += kSentence[static_cast<std::size_t>(i) % length];
    return line;
}

int32_t PointSizedDevice::round_device_coord(double value) {
    return round_to_int32(value);
}

int32_t PointSizedDevice::round_world_coord(double value) {
    return round_to_int32(value);
}

ScreenPlot::ScreenPlot() {
    plot.device_kind = GPLOT_SCREEN;
    const int32_t extent[4] = {0, kScreenPixels, kScreenPixels, 0};
    std::copy_n(extent, 4, plot.device_extent);
    const float full[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    device.set_viewport(full);
    const int32_t world[4] = {0, 0, kScreenPixels, kScreenPixels};
    device.set_world(world);
    device.pixels_per_mm_y = kResolution / kMillimetresPerInch;
}

BareFace::BareFace(const std::string &path) {
    FT_Error error = FT_Init_FreeType(&library_);
    if (error != 0) {
        library_ = nullptr;
        error_ = with_reason("FT_Init_FreeType", error);
        return;
    }
    error = FT_New_Face(library_, path.c_str(), 0, &face_);
    if (error != 0) {
        face_ = nullptr;
        error_ = with_reason(("FT_New_Face of " + path).c_str(), error);
        return;
    }
    error = FT_Select_Charmap(face_, FT_ENCODING_UNICODE);
    if (error != 0)
        error_ = with_reason("FT_Select_Charmap", error);
}

BareFace::~BareFace() {
    if (face_ != nullptr)
        FT_Done_Face(face_);
    if (library_ != nullptr)
        FT_Done_FreeType(library_);
}

bool BareFace::set_point_size(int32_t point_size) {
    if (!error_.empty())
        return false;
    const FT_Error error =
        FT_Set_Char_Size(face_, 0, FT_F26Dot6{point_size} * 64, kResolution, kResolution);
    if (error != 0)
        error_ = with_reason("FT_Set_Char_Size", error);
    return error == 0;
}

bool BareFace::load_byte(unsigned char byte) {
    // Bytes are Unicode code points below 256, as the library reads them.
    const FT_Error error = FT_Load_Glyph(face_, FT_Get_Char_Index(face_, byte), kGlyphLoadFlags);
    if (error != 0)
        error_ = with_reason(("FT_Load_Glyph of byte " + std::to_string(byte)).c_str(), error);
    return error == 0;
}

int64_t BareFace::line_width(const std::string &line) {
    int64_t pixels = 0;
    for (const unsigned char byte : line) {
        if (!load_byte(byte))
            return -1;
        pixels += (face_->glyph->metrics.horiAdvance + 32) / 64;
    }
    return pixels;
}

bool BareFace::load_block_glyphs() {
    for (int byte = 0; byte < kBlockGlyphs; ++byte)
        if (!load_byte(static_cast<unsigned char>(byte)))
            return false;
    return true;
}

Workloads::Workloads() : line_(line_text()) {
    // The library finds faces by the names a scan of the font directory
    // recorded; the selection layer scans on its first use, which the
    // benchmark skips.
    std::set<std::string> names;
    if (!scan_freetype_font_directory(names) || names.count(kFaceName) == 0) {
        fail(std::string("no face ") + kFaceName + " in the font directory " +
             freetype_font_directory());
        return;
    }
    gttfont_setFontName(&table_, kFaceName);
    if (!gfreetype_loadFont(&table_) || std::strcmp(table_.name, kFaceName) != 0) {
        fail(std::string("gfreetype_loadFont of ") + kFaceName + " failed");
        return;
    }
    screen_height_ = gttfont_pointSizeToWorld(&screen_.plot, &table_, kPointSize);
    if (gttfont_worldToPointSize(&screen_.plot, &table_, screen_height_) != kPointSize) {
        fail("no world height on the screen plot gives " + std::to_string(kPointSize) + " points");
        return;
    }

    // The bare face opens the very file the library opened for the name.
    bare_ = std::make_unique<BareFace>(*freetype_font_file(kFaceName));
    if (bare_->set_point_size(kPointSize))
        bare_line_width_ = bare_->line_width(line_);
    if (!bare_->error().empty()) {
        fail(bare_->error());
        return;
    }
    // The ratios compare like with like only when all three paths add the
    // same advances; the screen plot's world units are pixels too.
    if (measure_direct())
        check_width("direct", bare_line_width_);
    if (error_.empty() && measure_cached())
        check_width("cached", bare_line_width_);
}

Workloads::~Workloads() {
    gfreetype_unloadFont(&table_); // frees the name as well
}

FreeTypeFont &Workloads::font() {
    return *static_cast<FreeTypeFont *>(table_.freetype_font);
}

bool Workloads::fail(const std::string &what) {
    error_ = what;
    return false;
}

bool Workloads::check_width(const char *workload, int64_t expected) {
    if (width_ == expected)
        return true;
    return fail(std::string(workload) + " width " + std::to_string(width_) +
                " pixels differs from the bare FreeType sum " + std::to_string(expected));
}

bool Workloads::prepare_cached() {
    // The first call sets the face back to 12 points after any other size
    // and builds the block if none is left.
    return measure_cached() && check_width("cached", bare_line_width_);
}

bool Workloads::prepare_direct() {
    return measure_direct() && check_width("direct", bare_line_width_);
}

bool Workloads::prepare_bare() {
    if (!bare_->set_point_size(kPointSize))
        return fail(bare_->error());
    return measure_bare() && check_width("bare", bare_line_width_);
}

bool Workloads::prepare_block(int32_t point_size) {
    const GPlot *plot = &screen_.plot;
    if (!set_freetype_resolution(font(), table_.name, plot) ||
        !set_freetype_point_size(font(), table_.name, plot, point_size))
        return fail("setting " + std::string(kFaceName) + " to " + std::to_string(point_size) +
                    " points failed");
    block_point_size_ = point_size;
    return true;
}

bool Workloads::prepare_bare_glyphs(int32_t point_size) {
    if (!bare_->set_point_size(point_size))
        return fail(bare_->error());
    return true;
}

bool Workloads::measure_cached() {
    int32_t height = 0, width = 0;
    if (!gfreetype_get_bounding_box(&screen_.device, &table_, screen_height_, line_.c_str(),
                                    &height, &width))
        return fail("gfreetype_get_bounding_box failed");
    width_ = width;
    return true;
}

bool Workloads::measure_direct() {
    int32_t height = 0, width = 0;
    // At scale 1/72 a world unit is a point, and the width comes out in
    // pixels of the windowless 96 dpi.
    if (!gfreetype_get_bounding_box_nw(&table_, DB_UNIT_INCH, 1.0 / 72, kPointSize, line_.c_str(),
                                       &height, &width))
        return fail("gfreetype_get_bounding_box_nw failed");
    width_ = width;
    return true;
}

bool Workloads::measure_bare() {
    width_ = bare_->line_width(line_);
    return width_ >= 0 || fail(bare_->error());
}

bool Workloads::rebuild_block() {
    font().size_cache.erase(block_point_size_);
    if (!ensure_metric_block(font(), table_.name, &screen_.plot))
        return fail("building the metric block of " + std::to_string(block_point_size_) +
                    " points failed");
    return true;
}

bool Workloads::load_bare_glyphs() {
    return bare_->load_block_glyphs() || fail(bare_->error());
}

std::vector<Workload> workload_list() {
    std::vector<Workload> list = {
        {"cached", &Workloads::prepare_cached, &Workloads::measure_cached, false},
        {"direct", &Workloads::prepare_direct, &Workloads::measure_direct, false},
        {"bare", &Workloads::prepare_bare, &Workloads::measure_bare, false},
    };
    for (const int32_t point_size : {kPointSize, kUncachedPointSize}) {
        const std::string size = std::to_string(point_size);
        list.push_back({"block/" + size,
                        [point_size](Workloads &w) { return w.prepare_block(point_size); },
                        &Workloads::rebuild_block, true});
        list.push_back({"bare_glyphs/" + size,
                        [point_size](Workloads &w) { return w.prepare_bare_glyphs(point_size); },
                        &Workloads::load_bare_glyphs, true});
    }
    return list;
}

std::unique_ptr<Workloads> open_workloads(int &exit_status) {
    const std::string missing = use_dejavu_directory();
    if (!missing.empty()) {
        std::printf("vexl33_truetype_bench: skipped: %s\n", missing.c_str());
        exit_status = 0;
        return nullptr;
    }
    auto workloads = std::make_unique<Workloads>();
    if (!workloads->error().empty()) {
        std::fprintf(stderr, "vexl33_truetype_bench: %s\n", workloads->error().c_str());
        exit_status = 1;
        return nullptr;
    }
    return workloads;
}

void print_ratios(const std::map<std::string, double> &median_ns) {
    const auto ratio = [&median_ns](const char *label, const std::string &numerator,
                                    const std::string &denominator) {
        const auto top = median_ns.find(numerator), bottom = median_ns.find(denominator);
        if (top == median_ns.end() || bottom == median_ns.end() || bottom->second <= 0)
            return false;
        // Two significant digits also for the small ratios of the cached line.
        const double value = top->second / bottom->second;
        std::printf(value < 0.1 ? "  %-44s %.2g" : "  %-44s %.2f", label, value);
        return true;
    };
    std::printf("truetype ratios (%d-character line, %d pt):\n", kLineCharacters, kPointSize);
    if (ratio("direct / bare FreeType:", "direct", "bare"))
        std::printf("\n");
    if (ratio("cached / bare FreeType:", "cached", "bare"))
        std::printf("\n");
    if (ratio("cached / direct:", "cached", "direct"))
        std::printf("\n");
    for (const int32_t point_size : {kPointSize, kUncachedPointSize}) {
        const std::string size = std::to_string(point_size);
        const std::string label =
            "metric block " + size + " pt / " + std::to_string(kBlockGlyphs) + " bare glyph loads:";
        if (ratio(label.c_str(), "block/" + size, "bare_glyphs/" + size))
            std::printf("   (%.1f us per block)\n", median_ns.at("block/" + size) / 1e3);
    }
}

} // namespace vexl::bench::truetype
