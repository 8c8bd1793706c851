// Fuzzes the virtual font index reader and the glyph loading behind it, with
// the bytes as the index and after a valid header, over a fixed data file. A
// loaded set is in Hershey order and finds a glyph for each of its codes; a
// failed one holds nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_input.h"
#include "fuzz/hershey_fuzz_data.h"
#include "plot/gfonts.h"

namespace {

void load_and_check(const uint8_t *bytes, std::size_t size) {
    vexl::FilePtr index = vexl::fuzz::open_input(bytes, size);
    std::FILE *fixed = vexl::fuzz::fixed_hershey_file();
    if (!index || !fixed)
        return;
    GFontSet set{};
    gfs_open(&set, index.get(), fixed);
    int result = 0;
    {
        vexl::fuzz::QuietStderr quiet;
        result = gfs_load_virtual_table(&set);
    }
    if (result == 0) {
        if (set.glyphs != nullptr || set.num_glyphs != 0)
            std::abort();
        return;
    }
    if (result != 1 || set.num_glyphs < 1)
        std::abort();
    for (int32_t i = 0; i < set.num_glyphs; ++i) {
        const GFont &glyph = set.glyphs[i];
        GFont found{};
        if (glyph.hershey_index < 1 || glyph.hershey_index > vexl::fuzz::kFixedRecords ||
            (i > 0 && glyph.hershey_index < set.glyphs[i - 1].hershey_index) ||
            !gfs_get_font_virtual(&set, glyph.font_no, &found) || found.font_no != glyph.font_no)
            std::abort();
    }
    gfs_close(&set);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    load_and_check(data, size);
    std::string text = vexl::fuzz::index_head(0);
    text.append(reinterpret_cast<const char *>(data), size);
    load_and_check(reinterpret_cast<const uint8_t *>(text.data()), text.size());
    return 0;
}
