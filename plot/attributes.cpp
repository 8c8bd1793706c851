// Drawing attributes of a plot and the device queries: colours, line type
// and width, fill pattern, marker, XOR drawing, size, resolution, colour map
// and pattern table, and the two calls that reach a subset by attribute code.
#include <cstdint>

#include "core/c_boundary.h"
#include "core/errors.h"
#include "core/gxwin_base.h"
#include "plot/clipping_state.h"
#include "plot/gplot.h"
#include "plot/plot_handle.h"

using vexl::as_result;
using vexl::Error;
using vexl::fail;

namespace {

constexpr int kHighestLineType = 6;

// Reads one attribute field into out: 0 with the code for a bad plot or a
// null output, else 1.
int read_field(GPlot *plot, int *out, int32_t GPlot::*field) {
    if (vexl::refused(plot, out == nullptr))
        return 0;
    *out = plot->*field;
    return 1;
}

// Whether index names an entry of the device's colour map.
bool valid_colour(GPlot *plot, int index) {
    int32_t size = 0;
    return index >= 0 && plot->device->get_color_size(&size) && index < size;
}

// The index travels in a pointer argument of gplot_get_attribute.
int index_argument(void *a) {
    return static_cast<int>(reinterpret_cast<intptr_t>(a));
}

} // namespace

extern "C" {

// ---- Setting -------------------------------------------------------------------

VEXL_API int gplot_set_foreground_color(GPlot *plot, int index) VEXL_TRY {
    return gplot_set_foreground_color_with_transparency(plot, index, 255);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_set_foreground_color_with_transparency(GPlot *plot, int index,
                                                          int transparency) VEXL_TRY {
    if (vexl::refused(plot))
        return 0;
    return as_result(plot->device->set_foreground_color(index, transparency));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_set_background_color(GPlot *plot, int index) VEXL_TRY {
    if (vexl::refused(plot))
        return 0;
    return as_result(plot->device->set_background_color(index));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_set_line_type(GPlot *plot, int type) VEXL_TRY {
    if (vexl::refused(plot))
        return 0;
    if (static_cast<unsigned>(type) > kHighestLineType)
        return fail(Error::InvalidLineType);
    return as_result(plot->device->set_line_type(type));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_set_line_width(GPlot *plot, int width) VEXL_TRY {
    if (vexl::refused(plot))
        return 0;
    return as_result(plot->device->set_line_width_world(width));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_set_fill_pattern(GPlot *plot, int pattern) VEXL_TRY {
    if (vexl::refused(plot))
        return 0;
    return as_result(plot->device->set_fill_pattern(pattern));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_set_marker(GPlot *plot, int marker) VEXL_TRY {
    if (vexl::refused(plot))
        return 0;
    plot->marker = marker;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_set_xor_drawing_mode(GPlot *plot, int on, int colour) VEXL_TRY {
    if (vexl::refused(plot))
        return 0;
    return as_result(plot->device->set_xor_drawing_mode(on != 0, colour));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_uses_xor_draw(GPlot *plot) VEXL_TRY {
    if (vexl::refused(plot))
        return 0;
    return as_result(plot->device->get_uses_xor_draw());
}
VEXL_CATCH_RETURN(0)

// ---- Reading ---------------------------------------------------------------------

VEXL_API int gplot_get_foreground_color(GPlot *plot, int *index) VEXL_TRY {
    return read_field(plot, index, &GPlot::foreground_color);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_foreground_color_and_transparency(GPlot *plot, int *index,
                                                         int *transparency) VEXL_TRY {
    // Both outputs are checked before either is written: a failed call
    // leaves the caller's variables as they were.
    if (vexl::refused(plot, index == nullptr || transparency == nullptr))
        return 0;
    *index = plot->foreground_color;
    *transparency = plot->transparency;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_background_color(GPlot *plot, int *index) VEXL_TRY {
    return read_field(plot, index, &GPlot::background_color);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_line_type(GPlot *plot, int *type) VEXL_TRY {
    return read_field(plot, type, &GPlot::line_type);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_line_width(GPlot *plot, int *width) VEXL_TRY {
    return read_field(plot, width, &GPlot::line_width);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_fill_pattern(GPlot *plot, int *pattern) VEXL_TRY {
    return read_field(plot, pattern, &GPlot::fill_pattern);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_marker(GPlot *plot, int *marker) VEXL_TRY {
    return read_field(plot, marker, &GPlot::marker);
}
VEXL_CATCH_RETURN(0)

// ---- Device and colour queries -----------------------------------------------------

VEXL_API int gplot_get_width_n_height(GPlot *plot, int *width, int *height) VEXL_TRY {
    if (vexl::refused(plot, width == nullptr || height == nullptr))
        return 0;
    return as_result(plot->device->get_width_n_height(width, height));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_pixels_perinch(GPlot *plot, double *x, double *y) VEXL_TRY {
    if (vexl::refused(plot, x == nullptr || y == nullptr))
        return 0;
    return as_result(plot->device->get_pixels_perinch(x, y));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gxwin_get_pixels_perinch(GPlot *plot, float *x, float *y) VEXL_TRY {
    if (vexl::refused(plot, x == nullptr || y == nullptr))
        return 0;
    double dx = 0.0, dy = 0.0;
    const int result = gplot_get_pixels_perinch(plot, &dx, &dy);
    if (result != 0) {
        *x = static_cast<float>(dx);
        *y = static_cast<float>(dy);
    }
    return result;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_color_size(GPlot *plot, int *count) VEXL_TRY {
    if (vexl::refused(plot, count == nullptr))
        return 0;
    return as_result(plot->device->get_color_size(count));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_color_RGB(GPlot *plot, int index, int *red, int *green, int *blue) VEXL_TRY {
    if (vexl::refused(plot, red == nullptr || green == nullptr || blue == nullptr))
        return 0;
    if (!valid_colour(plot, index))
        return fail(Error::InvalidColor);
    return as_result(plot->device->get_color_RGB(index, red, green, blue));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_contrast_color(GPlot *plot, int index, int *out) VEXL_TRY {
    if (vexl::refused(plot, out == nullptr))
        return 0;
    if (!valid_colour(plot, index)) {
        *out = 0;
        return fail(Error::InvalidColor);
    }
    return as_result(plot->device->get_contrast_color(index, out));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_color_name(GPlot *plot, int index, const char **name) VEXL_TRY {
    if (vexl::refused(plot, name == nullptr))
        return 0;
    if (!valid_colour(plot, index)) {
        *name = nullptr;
        return fail(Error::InvalidColor);
    }
    return as_result(plot->device->get_color_name(index, name));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_color_pixel(GPlot *plot, int index, uint32_t *pixel) VEXL_TRY {
    if (vexl::refused(plot, pixel == nullptr))
        return 0;
    if (!valid_colour(plot, index)) {
        *pixel = 0;
        return fail(Error::InvalidColor);
    }
    return as_result(plot->device->get_color_pixel(index, pixel));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_color_index(GPlot *plot, const char *name, int *index) VEXL_TRY {
    if (vexl::refused(plot, name == nullptr || index == nullptr))
        return 0;
    return as_result(plot->device->get_color_index(name, index));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_pattern_name(GPlot *plot, int index, const char **name) VEXL_TRY {
    if (vexl::refused(plot))
        return 0;
    return gxwin_get_pattern_name(index, name);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_pattern_index(GPlot *plot, const char *name, int *index) VEXL_TRY {
    if (vexl::refused(plot))
        return 0;
    return gxwin_get_pattern_index(name, index);
}
VEXL_CATCH_RETURN(0)

// ---- By attribute code ----------------------------------------------------------------

VEXL_API int gplot_set_attribute(GPlot *plot, int code, int a, int b) VEXL_TRY {
    switch (code) {
        case 3:
            return gplot_resize_plot(plot);
        case 5:
            return gplot_set_xor_drawing_mode(plot, a, b);
        case 6:
            return gplot_set_world_units(a);
        default:
            return 0;
    }
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_attribute(GPlot *plot, int code, void *a, void *out, void *b, void *c,
                                 void *d) VEXL_TRY {
    switch (code) {
        case 0:
            return gplot_get_width_n_height(plot, static_cast<int *>(a), static_cast<int *>(out));
        case 1:
            return gplot_get_color_size(plot, static_cast<int *>(a));
        case 2: {
            const int index = index_argument(a);
            if (gplot_get_color_RGB(plot, index, static_cast<int *>(b), static_cast<int *>(c),
                                    static_cast<int *>(d)) == 0)
                return 0;
            return gplot_get_color_pixel(plot, index, static_cast<uint32_t *>(out));
        }
        case 8:
            return gplot_get_color_name(plot, index_argument(a), static_cast<const char **>(out));
        case 9:
            return gplot_get_pattern_name(plot, index_argument(a), static_cast<const char **>(out));
        case 10:
            return gplot_get_color_index(plot, static_cast<const char *>(a),
                                         static_cast<int *>(out));
        case 11:
            return gplot_get_pattern_index(plot, static_cast<const char *>(a),
                                           static_cast<int *>(out));
        default:
            return 0;
    }
}
VEXL_CATCH_RETURN(0)

} // extern "C"
