// Fuzzes the fill-pattern file reader: any bytes give either -1 or the number
// of entries, every entry's path is a terminated string, and the array is
// released without leaks. The environment references in paths expand from the
// process environment, which the fuzzer leaves as it is.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "colour/entry_array.h"
#include "colour/fill_file.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    vexl::FilePtr file = vexl::fuzz::open_input(data, size);
    if (!file)
        return 0;
    vexl::FillEntries list;
    const int read = kdfill_read(list.get(), file.get());
    if (read != -1 && read != list->count)
        std::abort();
    if (list->count > list->capacity || list->capacity % vexl::kEntryArrayStep != 0)
        std::abort();
    for (int32_t i = 0; i < list->count; ++i) {
        const FillEntry &entry = list[i];
        if (std::memchr(entry.path, '\0', sizeof entry.path) == nullptr || entry.path[0] == '\0')
            std::abort();
    }
    return 0;
}
