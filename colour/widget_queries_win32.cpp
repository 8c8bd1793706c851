// The colour and pattern queries a widget toolkit asks of the Windows
// library: the device pixel (a COLORREF) of a colour-map entry and the GDI
// bitmap of a fill pattern. They answer from the same process-wide colour
// map and pattern table as the other gxwin_ queries, so a widget and a plot
// agree on every colour and pattern.
#include "plot/gplot_win32.h"

#include "colour/color_map.h"
#include "colour/pattern_queries.h"
#include "colour/pattern_table.h"
#include "core/c_boundary.h"
#include "core/errors.h"

extern "C" {

VEXL_API int win32_native_widget_get_color_pixel(void *, int index, unsigned *pixel) VEXL_TRY {
    if (pixel == nullptr)
        return vexl::fail(vexl::Error::InvalidArgument);
    // An empty map (no usable colour file) has no index to answer for.
    const vexl::ColorMapEntry *entry = vexl::color_entry(vexl::find_color_map(0), index);
    if (entry == nullptr)
        return vexl::fail(vexl::Error::InvalidColor);
    *pixel = entry->pixel;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gxwin_widget_get_pixmap_id_with_depth(void *, int index, int, int,
                                                   void **pixmap) VEXL_TRY {
    if (pixmap == nullptr)
        return vexl::fail(vexl::Error::InvalidArgument);
    // A negative index is refused before the table is loaded: it can never
    // name a pattern, and loading may put messages on the screen.
    if (index < 0) {
        *pixmap = nullptr;
        return vexl::fail(vexl::Error::InvalidPatternNumber);
    }
    return vexl::query_pixmap_id(vexl::process_pattern_table(), index, pixmap);
}
VEXL_CATCH_RETURN(0)

} // extern "C"
