// Replaces the global operator new and delete of this test program. Only the
// plain and array forms are replaced: the library uses no aligned or
// no-throw allocations, and the library's own malloc-based buffers are not
// what an escaping exception comes from.
#include "failing_allocator.h"

#include <cstdlib>
#include <new>

namespace {

bool refusing = false;
std::size_t refused_count = 0;

void *allocate(std::size_t size) {
    if (refusing) {
        ++refused_count;
        throw std::bad_alloc();
    }
    if (void *block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

} // namespace

namespace vexl::test {

RefusedAllocations::RefusedAllocations() {
    refusing = true;
}

RefusedAllocations::~RefusedAllocations() {
    refusing = false;
}

std::size_t RefusedAllocations::refused() {
    return refused_count;
}

} // namespace vexl::test

void *operator new(std::size_t size) {
    return allocate(size);
}

void *operator new[](std::size_t size) {
    return allocate(size);
}

void operator delete(void *block) noexcept {
    std::free(block);
}

void operator delete[](void *block) noexcept {
    std::free(block);
}

void operator delete(void *block, std::size_t) noexcept {
    std::free(block);
}

void operator delete[](void *block, std::size_t) noexcept {
    std::free(block);
}
