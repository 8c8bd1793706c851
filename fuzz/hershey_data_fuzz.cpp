// Fuzzes the Hershey record parser and the search by number: any bytes give
// records whose point count matches the array, coordinates a signed 8-bit
// character can stand for, and no leak.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fonts/hershey_data.h"
#include "fuzz/fuzz_input.h"
#include "plot/gfonts.h"

namespace {

void check(const GFont &font, int result) {
    if (result != font.num_points || (font.points != nullptr) != (result > 0) ||
        font.hershey_index < 1)
        std::abort();
    for (int32_t i = 0; i < 2 * font.num_points; ++i) {
        if (font.points[i] < -128 - 'R' || font.points[i] > 127 - 'R')
            std::abort();
    }
}

// Reads the record of number from the start of the file.
void find(std::FILE *file, int32_t number) {
    std::rewind(file);
    GFont font;
    gfont_create(&font);
    const int result = vexl::hershey::load_numbered_record(font, file, number);
    if (result >= 0)
        check(font, result);
    else if (font.points != nullptr)
        std::abort();
    gfont_unload(&font);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    vexl::FilePtr file = vexl::fuzz::open_input(data, size);
    if (!file)
        return 0;
    GFont font;
    gfont_create(&font);
    std::vector<int32_t> numbers;
    // Each record read takes at least one line, so this ends.
    for (;;) {
        GFont replaced = font;
        const int result = gfont_load(&font, file.get());
        // Either the record was left as it was, or its new array freed.
        if (result < 0 && font.num_points != replaced.num_points &&
            (font.points != nullptr || font.num_points != 0))
            std::abort();
        // A load that gets as far as a new array replaces the record's; the
        // array replaced is the caller's to free.
        if (replaced.points != font.points)
            gfont_unload(&replaced);
        if (result < 0)
            break;
        check(font, result);
        if (numbers.size() < 8)
            numbers.push_back(font.hershey_index);
    }
    gfont_unload(&font);
    for (int32_t number : numbers)
        find(file.get(), number);
    return 0;
}
