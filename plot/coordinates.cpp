// World window, viewport, clip rectangles and the conversions between world
// and device points. The geometry lives in the plot record and is computed by
// the device; these calls check their arguments and forward.
#include <cstdint>

#include "core/c_boundary.h"
#include "core/coordinate_flags.h"
#include "core/errors.h"
#include "core/gxwin_base.h"
#include "plot/clipping_state.h"
#include "plot/gplot.h"
#include "plot/plot_handle.h"

using vexl::as_result;
using vexl::Error;
using vexl::fail;

namespace {

bool degenerate(const int32_t rect[4]) {
    return rect[0] == rect[2] || rect[1] == rect[3];
}

} // namespace

extern "C" {

VEXL_API int gplot_set_world(GPlot *plot, const int32_t rect[4]) VEXL_TRY {
    if (vexl::refused(plot, rect == nullptr))
        return 0;
    if (rect[0] > rect[2] || rect[1] > rect[3])
        return fail(Error::InvalidWorld);
    return as_result(plot->device->set_world(rect));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_world(GPlot *plot, int32_t rect[4]) VEXL_TRY {
    if (vexl::refused(plot, rect == nullptr))
        return 0;
    plot->device->get_world(rect);
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_set_viewport(GPlot *plot, float x1, float y1, float x2, float y2) VEXL_TRY {
    if (vexl::refused(plot))
        return 0;
    // Written so that NaN fractions are refused as well.
    if (!(x2 > x1 && y2 > y1))
        return fail(Error::BadViewport);
    const float vp[4] = {x1, y1, x2, y2};
    return as_result(plot->device->set_viewport(vp));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_viewport(GPlot *plot, float vp[4]) VEXL_TRY {
    if (vexl::refused(plot, vp == nullptr))
        return 0;
    plot->device->get_viewport(vp);
    return 1;
}
VEXL_CATCH_RETURN(0)

// A world window or device viewport without width or height has no
// conversion; such a request is refused instead of answering with the
// saturated values a division by zero would give.
VEXL_API int gplot_world_to_device(GPlot *plot, const WorldPointS *in, DevicePointS *out) VEXL_TRY {
    if (vexl::refused(plot, in == nullptr || out == nullptr))
        return 0;
    if (degenerate(plot->world))
        return fail(Error::InvalidWorld);
    *out = plot->device->world_to_device(*in);
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_device_to_world(GPlot *plot, const DevicePointS *in, WorldPointS *out) VEXL_TRY {
    if (vexl::refused(plot, in == nullptr || out == nullptr))
        return 0;
    if (degenerate(plot->device_viewport))
        return fail(Error::BadViewport);
    *out = plot->device->device_to_world(*in);
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_set_clip_world(GPlot *plot, const int32_t rect[4]) VEXL_TRY {
    if (vexl::refused(plot, rect == nullptr))
        return 0;
    return as_result(plot->device->set_clip_world(rect, true));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_clip_world(GPlot *plot, int32_t rect[4]) VEXL_TRY {
    if (vexl::refused(plot, rect == nullptr))
        return 0;
    plot->device->get_clip_world(rect);
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_unset_clip_world(GPlot *plot) VEXL_TRY {
    if (vexl::refused(plot))
        return 0;
    return as_result(plot->device->unset_clip_world());
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_clear_clip_world(GPlot *plot) VEXL_TRY {
    if (vexl::refused(plot))
        return 0;
    return as_result(plot->device->clear_clip_area());
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_clear_clip_device(GPlot *plot) VEXL_TRY {
    return gplot_clear_clip_world(plot);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_set_clip_device(GPlot *plot, const int32_t rect[4]) VEXL_TRY {
    if (vexl::refused(plot, rect == nullptr))
        return 0;
    return as_result(plot->device->set_clip_device(rect, true));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_clip_device(GPlot *plot, int32_t rect[4]) VEXL_TRY {
    if (vexl::refused(plot, rect == nullptr))
        return 0;
    return as_result(plot->device->get_clip_device(rect));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_unset_clip_device(GPlot *plot) VEXL_TRY {
    if (vexl::refused(plot))
        return 0;
    return as_result(plot->device->unset_clip_device());
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_set_clip_mode(GPlot *plot, int mode) VEXL_TRY {
    if (vexl::refused(plot))
        return 0;
    plot->clip_mode = mode;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_clip_mode(GPlot *plot) VEXL_TRY {
    if (vexl::refused(plot))
        return 0;
    return plot->clip_mode;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_set_world_units(int on) VEXL_TRY {
    vexl::world_units_on = on != 0;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_get_world_units(void) VEXL_TRY {
    return vexl::world_units_on ? 1 : 0;
}
VEXL_CATCH_RETURN(0)

} // extern "C"
