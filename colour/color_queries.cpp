// Questions asked of the colour map from outside a plot: the exported
// gxwin_* colour queries, and the contrast colour every device answers.
//
// The exported queries are the library's front door, so they check their
// arguments and report through GplotErrno; the map helpers they share with
// the device slots only refuse what would read outside the map.
#include "colour/color_map.h"
#include "core/c_boundary.h"

#include <algorithm>

#include "core/errors.h"
#include "plot/gplot.h"

namespace vexl {

bool get_contrast_color(const ColorMap &map, int32_t index, int32_t *out) {
    const ColorMapEntry *entry = color_entry(map, index);
    if (!entry || !out)
        return false;
    const double red = entry->red / 255.0;
    const double green = entry->green / 255.0;
    const double blue = entry->blue / 255.0;
    // A dark colour, whatever its hue, wants white. Of the brighter ones only
    // those that also look bright (weighted much as the eye weights green,
    // red and blue) want black: full red or blue alone still reads as dark.
    bool white = std::max({red, green, blue}) < 0.75;
    if (!white)
        white = (3.0 * red + 5.0 * green + blue) / 9.0 <= 0.5;
    const int32_t level = white ? 255 : 0;
    const int32_t found = find_color_by_rgb(map, level, level, level);
    if (found < 0)
        return false;
    *out = found;
    return true;
}

} // namespace vexl

extern "C" {

VEXL_API int gxwin_screen_get_color_size(int32_t *n) VEXL_TRY {
    if (!n)
        return vexl::fail(vexl::Error::InvalidArgument);
    *n = vexl::color_count(vexl::find_color_map(0));
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gxwin_widget_get_color_size(void *, int32_t *n) VEXL_TRY {
    return gxwin_screen_get_color_size(n);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gxwin_widget_get_color_RGB(void *, int32_t index, int32_t *red, int32_t *green,
                                        int32_t *blue) VEXL_TRY {
    if (!red || !green || !blue)
        return vexl::fail(vexl::Error::InvalidArgument);
    const vexl::ColorMapEntry *entry = vexl::color_entry(vexl::find_color_map(0), index);
    if (!entry)
        return vexl::fail(vexl::Error::InvalidColor);
    *red = entry->red;
    *green = entry->green;
    *blue = entry->blue;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gxwin_screen_get_color_RGB(int32_t index, int32_t *red, int32_t *green,
                                        int32_t *blue) VEXL_TRY {
    return gxwin_widget_get_color_RGB(nullptr, index, red, green, blue);
}
VEXL_CATCH_RETURN(0)

} // extern "C"
