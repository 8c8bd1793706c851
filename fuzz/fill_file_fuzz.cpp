// Fuzzes the fill-pattern file reader: any bytes give either -1 or the number
// of entries, every entry's path is a terminated string, and the array is
// released without leaks. The environment references in paths expand from the
// process environment, which the fuzzer leaves as it is.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "plot/gplot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::FILE *file = std::tmpfile();
    if (!file)
        return 0;
    if (size > 0 && std::fwrite(data, 1, size, file) != size) {
        std::fclose(file);
        return 0;
    }
    std::rewind(file);

    FillEntryList list;
    kdfill_create(&list);
    const int read = kdfill_read(&list, file);
    std::fclose(file);
    if (read != -1 && read != list.count)
        std::abort();
    if (list.count > list.capacity || list.capacity % 32 != 0)
        std::abort();
    for (int32_t i = 0; i < list.count; ++i) {
        const FillEntry &entry = list.entries[i];
        if (std::memchr(entry.path, '\0', sizeof entry.path) == nullptr || entry.path[0] == '\0')
            std::abort();
    }
    kdfill_destroy(&list);
    return 0;
}
