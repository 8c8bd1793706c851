// The edge clipper is the parametric (Liang-Barsky) clipper: each edge is
// written as P0 + t (P1 - P0), and the parameters at which it enters and
// leaves the slabs xmin..xmax and ymin..ymax decide what is visible. An axis
// the edge runs parallel to gets the stand-in "infinite" parameter +-3.4e38,
// which keeps the comparisons below free of special cases.
#include "plot/edge_clipper.h"

#include <algorithm>

#include "support/int32_conversions.h"

namespace vexl {

namespace {

constexpr double kUnbounded = 3.4e38;

// Parameter at which the edge reaches `bound` along one axis.
double crossing(double bound, double start, double delta) {
    return (bound - start) / delta;
}

} // namespace

bool clip_edge(const int32_t clip[4], const WorldPointS &p0, const WorldPointS &p1, PointList &list,
               ClipEdgeMode mode) {
    const bool polygon = mode == ClipEdgeMode::Polygon;
    const double xmin = clip[0], ymin = clip[1], xmax = clip[2], ymax = clip[3];
    const double x0 = p0.x, y0 = p0.y;
    const auto append = [&](double x, double y) {
        list.append({trunc_to_int32(x), trunc_to_int32(y)}, polygon);
    };

    if (!polygon && ((p0.x > xmax && p1.x > xmax) || (p0.x < xmin && p1.x < xmin) ||
                     (p0.y > ymax && p1.y > ymax) || (p0.y < ymin && p1.y < ymin)))
        return !list.empty();

    // Exact: int32 differences fit a double.
    const double dx = static_cast<double>(p1.x) - x0;
    const double dy = static_cast<double>(p1.y) - y0;

    // The bound the edge enters its slab through, and the one it leaves by.
    const bool rightward = dx > 0 || (dx == 0 && x0 > xmax);
    const bool upward = dy > 0 || (dy == 0 && y0 > ymax);
    const double x_in = rightward ? xmin : xmax;
    const double x_out = rightward ? xmax : xmin;
    const double y_in = upward ? ymin : ymax;
    const double y_out = upward ? ymax : ymin;

    const double t_in_x = dx != 0 ? crossing(x_in, x0, dx) : -kUnbounded;
    const double t_in_y = dy != 0 ? crossing(y_in, y0, dy) : -kUnbounded;
    const double t_in1 = std::min(t_in_x, t_in_y);
    const double t_in2 = std::max(t_in_x, t_in_y);

    if (t_in1 > 1)
        return !list.empty();
    if (polygon && t_in1 > 0)
        append(x_in, y_in); // the edge comes in from a corner region
    if (t_in2 > 1)
        return !list.empty();

    const auto t_out_parallel = [](double start, double low, double high) {
        return low <= start && start <= high ? kUnbounded : -kUnbounded;
    };
    const double t_out_x = dx != 0 ? crossing(x_out, x0, dx) : t_out_parallel(x0, xmin, xmax);
    const double t_out_y = dy != 0 ? crossing(y_out, y0, dy) : t_out_parallel(y0, ymin, ymax);
    const double t_out1 = std::min(t_out_x, t_out_y);

    if (!(t_in2 > 0) && !(t_out1 > 0))
        return !list.empty();

    if (t_out1 < t_in2) {
        // Leaves one slab before entering the other: it passes a corner.
        if (polygon) {
            if (t_in_x > t_in_y)
                append(x_in, y_out);
            else
                append(x_out, y_in);
        }
        return !list.empty();
    }

    if (t_in2 <= 0)
        append(x0, y0);
    else if (t_in_x <= t_in_y)
        append(x0 + t_in2 * dx, y_in);
    else
        append(x_in, y0 + t_in2 * dy);

    if (t_out1 >= 1)
        append(p1.x, p1.y);
    else if (t_out_x >= t_out_y)
        append(x0 + t_out1 * dx, y_out);
    else
        append(x_out, y0 + t_out1 * dy);
    return !list.empty();
}

RectangleVisibility classify_rectangle(int32_t rect[4], const int32_t clip[4], bool filled) {
    if (rect[0] >= rect[2] || rect[1] >= rect[3])
        return RectangleVisibility::Outside;
    if (rect[0] > clip[2] || rect[1] > clip[3] || rect[2] < clip[0] || rect[3] < clip[1])
        return RectangleVisibility::Outside;
    if (filled) {
        rect[0] = std::max(rect[0], clip[0]);
        rect[1] = std::max(rect[1], clip[1]);
        rect[2] = std::min(rect[2], clip[2]);
        rect[3] = std::min(rect[3], clip[3]);
        return RectangleVisibility::Inside;
    }
    if (rect[0] < clip[0] && rect[1] < clip[1] && rect[2] > clip[2] && rect[3] > clip[3])
        return RectangleVisibility::Outside;
    if (rect[0] < clip[0] || rect[1] < clip[1] || rect[2] > clip[2] || rect[3] > clip[3])
        return RectangleVisibility::PartlyInside;
    return RectangleVisibility::Inside;
}

} // namespace vexl
