// Fuzzes the font file readers: any bytes, saved as the only TrueType file of
// a font directory, go through the directory scan (which reads the face's
// full name) and then through loading a table of that name and a table of an
// unknown name (the default face, read from the same file). A load either
// gives an open face or leaves the table unloaded, and unloading both tables
// lets the default face go. A loaded face is then measured on a screen plot,
// which builds a metric block with rendered glyphs, and without one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <system_error>

#include <unistd.h>

#include "fonts/freetype_font.h"
#include "fonts/freetype_fonts.h"
#include "fonts/freetype_measure.h"
#include "plot/gplot.h"

namespace {

// The font directory of this process, made on the first input and removed
// at exit.
class FontDirectory {
  public:
    FontDirectory()
        : path_(std::filesystem::temp_directory_path() /
                ("vexl_font_fuzz_" + std::to_string(getpid()))) {
        std::filesystem::create_directories(path_);
        setenv("MOLVERN_FONT_DIR", path_.c_str(), 1);
    }
    ~FontDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    FontDirectory(const FontDirectory &) = delete;
    FontDirectory &operator=(const FontDirectory &) = delete;

    const std::filesystem::path &path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Loads a table of the given name and checks the two outcomes a load has.
void load_checked(GFontTable &table, const std::string &name) {
    table = GFontTable{};
    gttfont_setFontName(&table, name.c_str());
    if (gfreetype_loadFont(&table) == 1) {
        auto *font = static_cast<vexl::FreeTypeFont *>(table.freetype_font);
        if (table.kind != GFONT_TABLE_TRUETYPE || font == nullptr || font->face == nullptr ||
            font->instance == nullptr)
            std::abort();
    } else if (table.kind != -1 || table.name != nullptr || table.freetype_font != nullptr) {
        std::abort();
    }
}

// A metric block exists exactly when setting the size succeeded; either way
// measuring must come back without touching memory it should not.
void measure(GFontTable &table) {
    auto *font = static_cast<vexl::FreeTypeFont *>(table.freetype_font);
    if (font == nullptr)
        return;
    GPlot screen{};
    screen.device_kind = GPLOT_SCREEN;
    constexpr int32_t kPointSize = 12;
    const char text[] = "Ag\xE9\nM";
    if (!vexl::set_freetype_resolution(*font, table.name, &screen))
        std::abort();
    const bool sized = vexl::set_freetype_point_size(*font, table.name, &screen, kPointSize);
    if (font->size_cache.count(kPointSize) != (sized ? 1u : 0u))
        std::abort();
    if (sized)
        vexl::measure_freetype_lines(*font, table.name, &screen, text, sizeof text - 1);
    vexl::measure_freetype_lines(*font, table.name, nullptr, text, sizeof text - 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const FontDirectory directory;
    const std::filesystem::path file = directory.path() / vexl::kDefaultFreetypeFaceFile;
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    }
    std::set<std::string> names;
    if (vexl::scan_freetype_font_directory(names) != !names.empty() || names.size() > 1)
        std::abort();
    for (const std::string &name : names)
        if (name.size() > 256)
            std::abort();

    GFontTable named{}, unknown{};
    if (!names.empty())
        load_checked(named, *names.begin());
    load_checked(unknown, "\x01 no such face");
    measure(unknown);
    gfreetype_unloadFont(&named);
    gfreetype_unloadFont(&unknown);
    if (vexl::freetype_default_font_holders() != 0)
        std::abort();
    return 0;
}
