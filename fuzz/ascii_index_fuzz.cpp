// Fuzzes the ASCII font index reader and the glyph loading behind it: the
// bytes as an index, the bytes after a valid head of entries (so they reach
// the entries and the loading), both over a fixed data file, and the bytes as
// the data file of the built-in index. A set either holds a glyph for every
// character 32..127 in its place, or nothing at all.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_input.h"
#include "fuzz/hershey_fuzz_data.h"
#include "plot/gfonts.h"

namespace {

void load_and_check(std::FILE *index, std::FILE *data) {
    GFontSet set{};
    gfs_open(&set, index, data);
    int result = 0;
    {
        vexl::fuzz::QuietStderr quiet;
        result = gfs_load_ascii_table(&set);
    }
    if (result == 0) {
        if (set.glyphs != nullptr || set.num_glyphs != 0)
            std::abort();
        return;
    }
    if (result != 1 || set.num_glyphs != 96)
        std::abort();
    for (int c = 32; c < 128; ++c) {
        GFont glyph{};
        if (!gfs_get_font_ascii(&set, static_cast<char>(c), &glyph) || glyph.character != c ||
            glyph.hershey_index < 1 || (glyph.points != nullptr) != (glyph.num_points > 0))
            std::abort();
    }
    gfs_close(&set);
    if (set.glyphs != nullptr)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::FILE *fixed = vexl::fuzz::fixed_hershey_file();
    if (!fixed)
        return 0;
    if (vexl::FilePtr index = vexl::fuzz::open_input(data, size))
        load_and_check(index.get(), fixed);
    if (size > 0) {
        std::string text = vexl::fuzz::index_head(data[0] % 97);
        text.append(reinterpret_cast<const char *>(data) + 1, size - 1);
        if (vexl::FilePtr index =
                vexl::fuzz::open_input(reinterpret_cast<const uint8_t *>(text.data()), text.size()))
            load_and_check(index.get(), fixed);
    }
    if (vexl::FilePtr hershey = vexl::fuzz::open_input(data, size))
        load_and_check(nullptr, hershey.get());
    return 0;
}
