// Fuzzes the colour-file reader with arbitrary bytes, once with room to grow
// and once with a small ceiling on the entry array, and checks what it hands
// back: a count that matches the list, an array grown in whole steps, and
// every name NUL-terminated inside its field.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "colour/color_file.h"
#include "fuzz/fuzz_input.h"
#include "plot/gplot.h"

namespace {

void check(const ColorEntryList &list, int result, std::size_t size) {
    if (result >= 0 && result != list.count)
        std::abort();
    if (list.count < 0 || list.count > list.capacity || list.capacity % vexl::kColorListStep != 0)
        std::abort();
    // Every entry needs at least its two colons and a pen character.
    if (static_cast<std::size_t>(list.count) > size / 3)
        std::abort();
    for (int32_t i = 0; i < list.count; ++i) {
        const ColorEntry &e = list.entries[i];
        const void *end = std::memchr(e.name, '\0', sizeof e.name);
        if (!end || std::strlen(e.name) >= static_cast<std::size_t>(vexl::kColorLineLimit))
            std::abort();
        if (e.name_only && (e.red | e.green | e.blue) != 0)
            std::abort();
    }
}

void read_once(const uint8_t *data, std::size_t size, int32_t max_capacity) {
    vexl::FilePtr file = vexl::fuzz::open_input(data, size);
    if (!file)
        return;
    vexl::ColorEntries list;
    const int result = vexl::read_color_file(list.get(), file.get(), max_capacity);
    check(*list, result, size);
    if (result == -1 && list->count != max_capacity)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    read_once(data, size, std::numeric_limits<int32_t>::max());
    read_once(data, size, vexl::kColorListStep);
    return 0;
}
