// Pattern bitmaps where there is no GDI: nothing draws with them here, but
// the pattern queries still hand out one distinct, stable, non-null id per
// pattern, so the handle is a small block holding the pattern's bits.
#include "colour/pattern_bitmap.h"

namespace vexl::detail {

namespace {

struct PatternBlock {
    PatternBits bits;
};

} // namespace

void *create_pattern_handle(const PatternBits &bits) {
    return new (std::nothrow) PatternBlock{bits};
}

void destroy_pattern_handle(void *handle) {
    delete static_cast<PatternBlock *>(handle);
}

} // namespace vexl::detail
