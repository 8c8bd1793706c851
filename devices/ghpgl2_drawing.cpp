// GHPGL2: drawing in world units.
//
// Every primitive becomes absolute pen moves (PA) between pen-up and
// pen-down instructions, which are written only when the pen changes state.
// Polygons and filled arcs are drawn in polygon mode (PM0 ... PM2) and then
// filled (FP) or edged (EP) according to the plot's fill pattern.
//
// Lists with no elements draw nothing and succeed, as the device interface's
// other list operations do; none of them reads a point it was not given.
#include "core/c_boundary.h"
#include "devices/ghpgl2.h"

#include <cstddef>
#include <limits>
#include <memory>
#include <new>

#include "core/errors.h"

namespace {

bool same_point(const WorldPointS &a, const WorldPointS &b) {
    return a.x == b.x && a.y == b.y;
}

// The pen moves of a poly-line or an outline, the bulk of most plot files:
// written in one batch rather than one draw_to_world call each.
void write_moves(vexl::PlotFile &file, const WorldPointS *points, int32_t n) {
    if (n > 0)
        file.write_absolute_moves(points, static_cast<std::size_t>(n));
}

} // namespace

bool GHPGL2::move_to_world(const WorldPointS &p) {
    plot->current_point[0] = p.x;
    plot->current_point[1] = p.y;
    lift_pen();
    file.write_absolute_move(p.x, p.y);
    return true;
}

bool GHPGL2::draw_to_world(const WorldPointS &p) {
    plot->current_point[0] = p.x;
    plot->current_point[1] = p.y;
    lower_pen();
    file.write_absolute_move(p.x, p.y);
    return true;
}

bool GHPGL2::draw_point_world(const WorldPointS &p) {
    move_to_world(p);
    // A dot: a one-unit stroke there and back, leaving the pen up. At the
    // top of the int32 range the stroke goes the other way, so that the
    // plotter is never sent a position beyond it.
    constexpr int32_t kTop = std::numeric_limits<int32_t>::max();
    if (p.x != kTop && p.y != kTop) {
        file.write_text("PD;PR1,1;PR-1,-1;PU\n");
    } else {
        const int32_t dx = p.x == kTop ? -1 : 1;
        const int32_t dy = p.y == kTop ? -1 : 1;
        file.write("PD;PR%d,%d;PR%d,%d;PU\n", {dx, dy, -dx, -dy});
    }
    pen_down = 0;
    return true;
}

bool GHPGL2::draw_points_world(const WorldPointS *points, int32_t n) {
    for (int32_t i = 0; i < n; ++i)
        draw_point_world(points[i]);
    return true;
}

bool GHPGL2::draw_line_world(const WorldPointS &a, const WorldPointS &b) {
    move_to_world(a);
    draw_to_world(b);
    return true;
}

bool GHPGL2::draw_lines_world(const WorldPointS *points, int32_t n) {
    if (n < 1)
        return true;
    move_to_world(points[0]);
    if (n > 1) {
        lower_pen();
        write_moves(file, points + 1, n - 1);
        plot->current_point[0] = points[n - 1].x;
        plot->current_point[1] = points[n - 1].y;
    }
    return true;
}

bool GHPGL2::draw_polygon_world(const WorldPointS *points, int32_t n) {
    if (n < 1)
        return true;
    move_to_world(points[0]);
    file.write_text("PM0;\n");
    lower_pen();
    write_moves(file, points + 1, n - 1);
    // Closed explicitly, so the edge is drawn too.
    file.write_absolute_move(points[0].x, points[0].y);
    file.write_text("PM2;");
    file.write_text(plot->fill_pattern != -1 ? "FP;\n" : "EP;\n");
    return true;
}

bool GHPGL2::draw_rectangle_world(const int32_t rect[4]) {
    const WorldPointS corners[4] = {
        {rect[0], rect[1]}, {rect[0], rect[3]}, {rect[2], rect[3]}, {rect[2], rect[1]}};
    return draw_polygon_world(corners, 4);
}

// Kept in world units like the single rectangle: the pixel layer a list would
// otherwise reach draws nothing on a plot file.
bool GHPGL2::draw_rectangles_world(const int32_t *rects, int32_t n) {
    for (int64_t i = 0; i < n; ++i)
        draw_rectangle_world(rects + 4 * i);
    return true;
}

bool GHPGL2::draw_arc_world(const WorldArcS &arc) {
    const bool filled = plot->fill_pattern != -1;
    move_to_world({arc.x, arc.y});
    if (filled)
        file.write_text("PM0;\n");
    lower_pen();
    file.write("AA%d,%d,%lf;\n", {arc.cx, arc.cy, arc.sweep / 1000.0});
    if (filled) {
        file.write_text("PM2;");
        file.write_text("FP;\n");
    }
    // An unfilled arc leaves the pen down: the next move lifts it.
    return true;
}

bool GHPGL2::draw_segments_world(const WorldPointS *points, int32_t n) {
    if (n < 1)
        return true;
    // Segments that continue one another are drawn as one poly-line, which
    // saves the pen-up move between them. A chain holds at most n + 1 points.
    const std::size_t capacity = static_cast<std::size_t>(n) + 1;
    std::unique_ptr<WorldPointS[]> chain(new (std::nothrow) WorldPointS[capacity]);
    if (!chain) {
        vexl::fail(vexl::Error::Hpgl2MallocFailed);
        return false;
    }
    std::size_t length = 0;
    const auto draw_chain = [&] {
        if (length > 2)
            draw_lines_world(chain.get(), static_cast<int32_t>(length));
        else
            draw_line_world(chain[0], chain[1]);
    };
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
        const WorldPointS &from = points[2 * i];
        const WorldPointS &to = points[2 * i + 1];
        const bool room = length < static_cast<std::size_t>(std::numeric_limits<int32_t>::max());
        if (length > 0 && room && same_point(from, chain[length - 1])) {
            chain[length++] = to;
            continue;
        }
        if (length > 0)
            draw_chain();
        chain[0] = from;
        chain[1] = to;
        length = 2;
    }
    draw_chain();
    return true;
}

bool GHPGL2::draw_edged_rectangle_world(const WorldPointS &a, const WorldPointS &b) {
    move_to_world(a);
    file.write("EA%d,%d\n", {b.x, b.y});
    return true;
}

extern "C" VEXL_API int ghpgl2_draw_rectangle2_world(GPlot *plot, const WorldPointS *a,
                                                     const WorldPointS *b) VEXL_TRY {
    // Only a plot-file device can draw this; any other device is as unusable
    // for it as a missing one.
    GHPGL2 *device = plot != nullptr ? dynamic_cast<GHPGL2 *>(plot->device) : nullptr;
    if (device == nullptr)
        return vexl::fail(vexl::Error::InvalidPlot);
    if (a == nullptr || b == nullptr)
        return vexl::fail(vexl::Error::InvalidArgument);
    return device->draw_edged_rectangle_world(*a, *b) ? 1 : 0;
}
VEXL_CATCH_RETURN(0)
