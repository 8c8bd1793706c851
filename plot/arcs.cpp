// Arcs: drawn by the device when they fit, or flattened here into a poly-line
// of world points when world clipping asks for it (or a coordinate would not
// fit the device), so that the arc is clipped like any other line.
#include <cmath>
#include <cstdint>

#include "core/c_boundary.h"
#include "core/errors.h"
#include "core/gxwin_base.h"
#include "plot/clipping_state.h"
#include "plot/gplot.h"
#include "plot/plot_handle.h"
#include "plot/point_list.h"
#include "support/rtk_math.h"

namespace vexl {

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kFullTurn = 6.283185307179586;
// No arc takes more than 1000 steps per full turn.
constexpr double kSmallestStep = 0.006283185307179587;
constexpr int kDefaultSteps = 100;

// Angle of the start point seen from the centre, in degrees, -180 to 360.
double start_angle(const WorldArcS &arc, double radius) {
    const double rise = std::fabs(static_cast<double>(arc.cy) - arc.y);
    const double a = std::asin(rise / radius) * kDegreesPerRadian;
    if (arc.x < arc.cx)
        return arc.y > arc.cy ? 180.0 - a : a - 180.0;
    return arc.y < arc.cy ? 360.0 - a : a;
}

// How the circle is stretched so that it looks round on a device whose
// world-to-pixel scale differs between the axes, and the default number of
// steps per turn.
struct Flattening {
    double sx = 1.0;
    double sy = 1.0;
    int steps = kDefaultSteps;
};

Flattening flattening_for(GPlot *plot, double start_degrees) {
    Flattening f;
    if (plot->device_kind == GPLOT_HPGL2)
        return f; // a plotter draws in world units: no correction
    int w = 0, h = 0;
    if (gplot_get_width_n_height(plot, &w, &h) == 0)
        return f;
    const double world_w = static_cast<double>(plot->world[2]) - plot->world[0];
    const double world_h = static_cast<double>(plot->world[3]) - plot->world[1];
    // A device or window without extent has no aspect to correct.
    if (w <= 0 || h <= 0 || world_w <= 0 || world_h <= 0)
        return f;
    if (start_degrees > 45.0) {
        f.sx = (world_w / world_h) * (static_cast<double>(h) / w);
        f.steps = h;
    } else {
        f.sy = (world_h / world_w) * (static_cast<double>(w) / h);
        f.steps = w;
    }
    return f;
}

int arc_to_polyline(GPlot *plot, const WorldArcS &arc) {
    const double dx = static_cast<double>(arc.cx) - arc.x;
    const double dy = static_cast<double>(arc.cy) - arc.y;
    const double radius = std::sqrt(dx * dx + dy * dy);
    const WorldPointS centre{arc.cx, arc.cy};
    const WorldPointS start{arc.x, arc.y};
    if (radius == 0) {
        gplot_draw_point_world(plot, &centre);
        return 1;
    }
    const double start_degrees = start_angle(arc, radius);

    const bool clockwise = arc.sweep < 0;
    double sweep = std::fabs(static_cast<double>(arc.sweep)) / 1000.0;
    if (sweep > 360.0)
        sweep = 360.0;
    const bool full_circle = sweep == 360.0;
    if (sweep == 0) {
        gplot_draw_point_world(plot, &start);
        return 1;
    }

    const double theta0 = start_degrees * kRadiansPerDegree;
    const double loop_end = (start_degrees + sweep) * kRadiansPerDegree;
    const double final_angle =
        (clockwise ? start_degrees - sweep : start_degrees + sweep) * kRadiansPerDegree;

    Flattening f = flattening_for(plot, start_degrees);
    if (plot->arc_step > 0)
        f.steps = plot->arc_step;
    double step = kFullTurn / f.steps;
    if (step < kSmallestStep)
        step = kSmallestStep;
    const double sin_step = gui_sin(step);
    const double cos_step = gui_cos(step);

    // The ellipse with semi-axes radius * sx and radius * sy about the centre.
    const double cx = arc.cx, cy = arc.cy;
    const auto point_for = [&](double u, double v) {
        return WorldPointS{gmath_kdround((u + cx) * f.sx + (cx - cx * f.sx)),
                           gmath_kdround((v + cy) * f.sy + (cy - f.sy * cy))};
    };

    PointList list(1024);
    double u = radius * std::cos(theta0);
    double v = radius * std::sin(theta0);
    list.append(point_for(u, v));
    double theta = theta0;
    for (;;) {
        const double next = theta + step;
        if (next > loop_end)
            break;
        const double u0 = u;
        if (clockwise) {
            u = u0 * cos_step + v * sin_step;
            v = v * cos_step - u0 * sin_step;
        } else {
            u = u0 * cos_step - v * sin_step;
            v = u0 * sin_step + v * cos_step;
        }
        list.append(point_for(u, v), true);
        theta = next;
    }
    if (theta != loop_end) {
        if (full_circle) {
            const WorldPointS first = list.front(); // append may move the storage
            list.append(first);
        } else
            list.append(point_for(radius * std::cos(final_angle), radius * std::sin(final_angle)),
                        true);
    }
    if (list.failed())
        return fail(Error::MallocFailed);
    if (full_circle && plot->fill_pattern != -1)
        return gplot_draw_polygon_world(plot, list.data(), list.size());
    return gplot_draw_lines_world(plot, list.data(), list.size());
}

} // namespace

} // namespace vexl

using vexl::Error;
using vexl::fail;

extern "C" {

VEXL_API int gplot_draw_arc_world(GPlot *plot, const WorldArcS *arc) VEXL_TRY {
    if (vexl::refused(plot, arc == nullptr))
        return 0;
    const WorldPointS start{arc->x, arc->y};
    if (arc->x == arc->cx && arc->y == arc->cy)
        return gplot_draw_point_world(plot, &start);

    GXWINbase &device = *plot->device;
    const bool outside =
        device.is_outside_device_range(device.world_to_device_f(start)) ||
        device.is_outside_device_range(device.world_to_device_f({arc->cx, arc->cy}));
    // An arc that does not fit makes the plot clip from now on; one that
    // fits says nothing about the world window, so it leaves the flag as the
    // window or clip rectangle set it.
    if (outside)
        device.world_out_of_range = 1;

    // Hard-copy output keeps its arcs when clipping asks for flattening: the
    // recording device draws them itself at full resolution. An arc that
    // does not fit the device has no device record, so it is flattened and
    // clipped on every kind.
    const bool flatten = plot->arc_clipping != 0 && plot->clip_mode != 0;
    const bool hard_copy = plot->device_kind == GPLOT_FILE || plot->device_kind == GPLOT_PRINT;
    if (outside || (flatten && !hard_copy))
        return vexl::arc_to_polyline(plot, *arc);
    return vexl::as_result(device.draw_arc_world(*arc));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gplot_draw_arcs_world(GPlot *plot, const WorldArcS *arcs, int n) VEXL_TRY {
    if (vexl::refused(plot, arcs == nullptr && n > 0))
        return 0;
    return vexl::as_result(plot->device->draw_arcs_world(arcs, n));
}
VEXL_CATCH_RETURN(0)

} // extern "C"
