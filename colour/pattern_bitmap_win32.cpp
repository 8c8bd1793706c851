// Pattern bitmaps as GDI bitmaps: 16 x 16, one plane, one bit per pixel. GDI
// wants each row of a monochrome bitmap padded to a 16-bit boundary, which
// rows of 16 pixels (2 bytes) already are, so the bits go in unchanged.
#include "colour/pattern_bitmap.h"

#include <windows.h>

namespace vexl::detail {

void *create_pattern_handle(const PatternBits &bits) {
    return CreateBitmap(kPatternSide, kPatternSide, 1, 1, bits.data());
}

void destroy_pattern_handle(void *handle) {
    if (handle)
        DeleteObject(static_cast<HBITMAP>(handle));
}

} // namespace vexl::detail
