// A global allocator that refuses on request, for the one test program that
// replaces operator new. While a RefusedAllocations object lives, every
// allocation through operator new throws std::bad_alloc, exactly as it would
// when memory runs out.
#ifndef VEXL33_TESTS_PLOT_FAILING_ALLOCATOR_H
#define VEXL33_TESTS_PLOT_FAILING_ALLOCATOR_H

#include <cstddef>

namespace vexl::test {

class RefusedAllocations {
  public:
    RefusedAllocations();
    ~RefusedAllocations();
    RefusedAllocations(const RefusedAllocations &) = delete;
    RefusedAllocations &operator=(const RefusedAllocations &) = delete;

    // How many allocations were refused so far; a test that saw none did not
    // reach the code it meant to.
    static std::size_t refused();
};

} // namespace vexl::test

#endif // VEXL33_TESTS_PLOT_FAILING_ALLOCATOR_H
