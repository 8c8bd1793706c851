// The edge clipper is the parametric (Liang-Barsky) clipper: each edge is
// written as P0 + t (P1 - P0), and the parameters at which it enters and
// leaves the slabs xmin..xmax and ymin..ymax decide what is visible. An axis
// the edge runs parallel to gets the stand-in "infinite" parameter +-3.4e38,
// which keeps the comparisons below free of special cases.
//
// Most edges of a drawing lie wholly inside the clip rectangle or wholly
// beyond one of its sides, and for those the parameters decide nothing that
// the ends' outcodes do not already tell: clip_edge settles them with integer
// comparisons and leaves the divisions to the edges that cross a side. Of
// those, an edge with one end inside needs only the parameters of the sides
// its other end lies beyond.
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

constexpr unsigned kBeyondX = kBeyondLeft | kBeyondRight;
constexpr unsigned kBeyondY = kBeyondBottom | kBeyondTop;

WorldPointS computed_point(double x, double y) {
    return {trunc_to_int32(x), trunc_to_int32(y)};
}

// The leaving parameter of an axis an edge runs parallel to: it never
// leaves a slab it lies in, and one it lies beside it never was in.
double parallel_exit(double start, double low, double high) {
    return low <= start && start <= high ? kUnbounded : -kUnbounded;
}

// An edge against the clip rectangle's slabs: the bound it enters each slab
// through and the one it leaves by, and the parameters of its entries. The
// leaving parameters are computed only when asked for, as most edges are
// settled by their entries.
struct Slabs {
    Slabs(const int32_t clip[4], const WorldPointS &p0, const WorldPointS &p1)
        : xmin(clip[0]), ymin(clip[1]), xmax(clip[2]), ymax(clip[3]), x0(p0.x), y0(p0.y),
          // Exact: int32 differences fit a double.
          dx(static_cast<double>(p1.x) - x0), dy(static_cast<double>(p1.y) - y0) {
        const bool rightward = dx > 0 || (dx == 0 && x0 > xmax);
        const bool upward = dy > 0 || (dy == 0 && y0 > ymax);
        x_in = rightward ? xmin : xmax;
        x_out = rightward ? xmax : xmin;
        y_in = upward ? ymin : ymax;
        y_out = upward ? ymax : ymin;
        t_in_x = dx != 0 ? crossing(x_in, x0, dx) : -kUnbounded;
        t_in_y = dy != 0 ? crossing(y_in, y0, dy) : -kUnbounded;
    }
    double t_out_x() const {
        return dx != 0 ? crossing(x_out, x0, dx) : parallel_exit(x0, xmin, xmax);
    }
    double t_out_y() const {
        return dy != 0 ? crossing(y_out, y0, dy) : parallel_exit(y0, ymin, ymax);
    }

    double xmin, ymin, xmax, ymax;
    double x0, y0, dx, dy;
    double x_in, x_out, y_in, y_out;
    double t_in_x, t_in_y;
};

// An edge from inside (p0) to beyond one or two sides (code1): where it
// leaves, and whether it is visible at all (not when it leaves from the
// boundary). This is the parametric result with only the divisions it needs:
// through a side the edge does not cross its leaving parameter is at least
// 1, so the side it does cross decides alone.
bool exit_point(const int32_t clip[4], const WorldPointS &p0, const WorldPointS &p1, unsigned code1,
                WorldPointS &exit) {
    const double x0 = p0.x, y0 = p0.y;
    const double dx = static_cast<double>(p1.x) - x0;
    const double dy = static_cast<double>(p1.y) - y0;
    const double x_out = (code1 & kBeyondRight) != 0 ? clip[2] : clip[0];
    const double y_out = (code1 & kBeyondTop) != 0 ? clip[3] : clip[1];
    if ((code1 & kBeyondY) == 0) {
        const double t = crossing(x_out, x0, dx);
        exit = computed_point(x_out, y0 + t * dy);
        return t > 0;
    }
    if ((code1 & kBeyondX) == 0) {
        const double t = crossing(y_out, y0, dy);
        exit = computed_point(x0 + t * dx, y_out);
        return t > 0;
    }
    const double t_x = crossing(x_out, x0, dx);
    const double t_y = crossing(y_out, y0, dy);
    const double t = std::min(t_x, t_y);
    exit = t_x >= t_y ? computed_point(x0 + t * dx, y_out) : computed_point(x_out, y0 + t * dy);
    return t > 0;
}

// An edge from beyond one or two sides (code0) to inside (p1): where it
// enters, through the side it crosses last.
WorldPointS entry_point(const int32_t clip[4], const WorldPointS &p0, const WorldPointS &p1,
                        unsigned code0) {
    const double x0 = p0.x, y0 = p0.y;
    const double dx = static_cast<double>(p1.x) - x0;
    const double dy = static_cast<double>(p1.y) - y0;
    const double x_in = (code0 & kBeyondLeft) != 0 ? clip[0] : clip[2];
    const double y_in = (code0 & kBeyondBottom) != 0 ? clip[1] : clip[3];
    if ((code0 & kBeyondY) == 0)
        return computed_point(x_in, y0 + crossing(x_in, x0, dx) * dy);
    if ((code0 & kBeyondX) == 0)
        return computed_point(x0 + crossing(y_in, y0, dy) * dx, y_in);
    const double t_x = crossing(x_in, x0, dx);
    const double t_y = crossing(y_in, y0, dy);
    return t_x <= t_y ? computed_point(x0 + t_y * dx, y_in) : computed_point(x_in, y0 + t_x * dy);
}

// An edge between ends beyond different sides, in line mode: the arithmetic
// of clip_edge_parametric without what only polygon mode needs, writing its
// two points to `from` and `to` rather than a list.
bool crossing_piece(const int32_t clip[4], const WorldPointS &p0, const WorldPointS &p1,
                    WorldPointS &from, WorldPointS &to) {
    const Slabs e(clip, p0, p1);
    const double x0 = e.x0, y0 = e.y0, dx = e.dx, dy = e.dy;
    const double x_in = e.x_in, y_in = e.y_in, x_out = e.x_out, y_out = e.y_out;
    const double t_in_x = e.t_in_x, t_in_y = e.t_in_y;
    const double t_in2 = std::max(t_in_x, t_in_y);
    if (t_in2 > 1) // enters after its end (so too when the earlier entry is)
        return false;
    const double t_out_x = e.t_out_x(), t_out_y = e.t_out_y();
    const double t_out1 = std::min(t_out_x, t_out_y);
    // Wholly before its start, or leaving one slab before entering the other.
    if ((!(t_in2 > 0) && !(t_out1 > 0)) || t_out1 < t_in2)
        return false;

    if (t_in2 <= 0)
        from = p0;
    else if (t_in_x <= t_in_y)
        from = computed_point(x0 + t_in2 * dx, y_in);
    else
        from = computed_point(x_in, y0 + t_in2 * dy);
    if (t_out1 >= 1)
        to = p1;
    else if (t_out_x >= t_out_y)
        to = computed_point(x0 + t_out1 * dx, y_out);
    else
        to = computed_point(x_out, y0 + t_out1 * dy);
    return true;
}

} // namespace

bool clip_edge(const int32_t clip[4], const WorldPointS &p0, const WorldPointS &p1, PointList &list,
               ClipEdgeMode mode) {
    return clip_edge(clip, p0, p1, outcode(clip, p0), outcode(clip, p1), list, mode);
}

bool clip_line_piece(const int32_t clip[4], const WorldPointS &p0, const WorldPointS &p1,
                     unsigned code0, unsigned code1, WorldPointS &from, WorldPointS &to) {
    if ((code0 | code1) == 0) {
        // Inside: the parameters of both ends lie beyond 0 and 1, so the
        // parametric clipper would give back the ends as they are.
        from = p0;
        to = p1;
        return true;
    }
    if (code0 == 0) {
        from = p0;
        return exit_point(clip, p0, p1, code1, to);
    }
    if (code1 == 0) {
        from = entry_point(clip, p0, p1, code0);
        to = p1;
        return true;
    }
    if ((code0 & code1) != 0)
        return false; // beyond one side: nothing is visible
    return crossing_piece(clip, p0, p1, from, to);
}

bool clip_edge(const int32_t clip[4], const WorldPointS &p0, const WorldPointS &p1, unsigned code0,
               unsigned code1, PointList &list, ClipEdgeMode mode) {
    if (mode == ClipEdgeMode::Line) {
        WorldPointS from, to;
        if (clip_line_piece(clip, p0, p1, code0, code1, from, to)) {
            list.append(from);
            list.append(to);
        }
        return !list.empty();
    }
    // Polygon mode: the same points, each appended unless it repeats the
    // list's last one, and the clip rectangle's corners the edge turns
    // around.
    if ((code0 | code1) == 0) {
        list.append(p0, true);
        list.append(p1, true);
        return !list.empty();
    }
    if (code0 == 0) {
        WorldPointS exit;
        if (exit_point(clip, p0, p1, code1, exit)) {
            list.append(p0, true);
            list.append(exit, true);
        }
        return !list.empty();
    }
    if (code1 == 0) {
        // From a corner region the edge comes in after the corner.
        if ((code0 & kBeyondX) != 0 && (code0 & kBeyondY) != 0)
            list.append({(code0 & kBeyondLeft) != 0 ? clip[0] : clip[2],
                         (code0 & kBeyondBottom) != 0 ? clip[1] : clip[3]},
                        true);
        list.append(entry_point(clip, p0, p1, code0), true);
        list.append(p1, true);
        return !list.empty();
    }
    const unsigned shared = code0 & code1;
    if (shared == 0)
        return clip_edge_parametric(clip, p0, p1, list, mode);
    // A clip rectangle given reversed has no inside, and the reasoning below
    // does not hold for it.
    if (clip[0] > clip[2] || clip[1] > clip[3])
        return clip_edge_parametric(clip, p0, p1, list, mode);

    // Beyond one side in polygon mode, the edge adds at most the corner on
    // that side where it comes into the other slab (from outside it, ending
    // in it or beyond it); in the parametric terms, where its entry parameter
    // on the other axis lies in (0, 1].
    if ((shared & kBeyondX) != 0) {
        const int32_t x = (shared & kBeyondLeft) != 0 ? clip[0] : clip[2];
        if (p0.y < clip[1] && p1.y >= clip[1])
            list.append({x, clip[1]}, true);
        else if (p0.y > clip[3] && p1.y <= clip[3])
            list.append({x, clip[3]}, true);
    } else {
        const int32_t y = (shared & kBeyondBottom) != 0 ? clip[1] : clip[3];
        if (p0.x < clip[0] && p1.x >= clip[0])
            list.append({clip[0], y}, true);
        else if (p0.x > clip[2] && p1.x <= clip[2])
            list.append({clip[2], y}, true);
    }
    return !list.empty();
}

bool clip_edge_parametric(const int32_t clip[4], const WorldPointS &p0, const WorldPointS &p1,
                          PointList &list, ClipEdgeMode mode) {
    const bool polygon = mode == ClipEdgeMode::Polygon;
    const auto append = [&](double x, double y) {
        list.append({trunc_to_int32(x), trunc_to_int32(y)}, polygon);
    };

    if (!polygon && ((p0.x > clip[2] && p1.x > clip[2]) || (p0.x < clip[0] && p1.x < clip[0]) ||
                     (p0.y > clip[3] && p1.y > clip[3]) || (p0.y < clip[1] && p1.y < clip[1])))
        return !list.empty();

    const Slabs e(clip, p0, p1);
    const double x0 = e.x0, y0 = e.y0, dx = e.dx, dy = e.dy;
    const double x_in = e.x_in, y_in = e.y_in, x_out = e.x_out, y_out = e.y_out;
    const double t_in_x = e.t_in_x, t_in_y = e.t_in_y;
    const double t_in1 = std::min(t_in_x, t_in_y);
    const double t_in2 = std::max(t_in_x, t_in_y);

    if (t_in1 > 1)
        return !list.empty();
    if (polygon && t_in1 > 0)
        append(x_in, y_in); // the edge comes in from a corner region
    if (t_in2 > 1)
        return !list.empty();

    const double t_out_x = e.t_out_x(), t_out_y = e.t_out_y();
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
