// The display colour count on Windows: the NUMCOLORS capability of a memory
// device context compatible with the screen. A true-colour display reports
// -1 there; a context that cannot be made is answered the same way, so a
// failure never forces a colour display into monochrome.
#include "colour/display_colors.h"

#include <windows.h>

#include <memory>
#include <type_traits>

namespace vexl {

namespace {

struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};

using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

} // namespace

int32_t display_color_count() {
    MemoryDc dc(CreateCompatibleDC(nullptr));
    if (!dc)
        return -1;
    return static_cast<int32_t>(GetDeviceCaps(dc.get(), NUMCOLORS));
}

} // namespace vexl
