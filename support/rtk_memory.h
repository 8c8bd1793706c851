// Memory services of the companion support library.
//
// Thin wrappers over the C allocator: null on failure, never an exception, so
// callers can turn a failed allocation into their own error code. Blocks are
// released with rtk_free; RtkPtr holds one for its owner.
#ifndef VEXL33_SUPPORT_RTK_MEMORY_H
#define VEXL33_SUPPORT_RTK_MEMORY_H

#include <cstddef>
#include <memory>

void *rtk_malloc(std::size_t size);
void *rtk_calloc(std::size_t count, std::size_t size); // zero-filled
void *rtk_realloc(void *block, std::size_t size);
void rtk_free(void *block);

namespace vexl {

struct RtkFree {
    void operator()(void *block) const { rtk_free(block); }
};

template <typename T>
using RtkPtr = std::unique_ptr<T, RtkFree>;

} // namespace vexl

#endif // VEXL33_SUPPORT_RTK_MEMORY_H
