#include "support/rtk_memory.h"

#include <cstdint>
#include <cstdlib>

// A request for zero bytes still gets a block of its own: callers take null
// as "out of memory", and realloc(block, 0) may free the block and return
// null, which such a caller would then free a second time.

void *rtk_malloc(std::size_t size) {
    return std::malloc(size == 0 ? 1 : size);
}

void *rtk_calloc(std::size_t count, std::size_t size) {
    if (count == 0 || size == 0)
        return std::calloc(1, 1);
    // Refuse a count * size overflow here rather than leave it to calloc:
    // sanitizer builds treat such a call as a fault instead of returning null.
    if (count > SIZE_MAX / size)
        return nullptr;
    return std::calloc(count, size);
}

void *rtk_realloc(void *block, std::size_t size) {
    return std::realloc(block, size == 0 ? 1 : size);
}

void rtk_free(void *block) {
    std::free(block);
}
