// Clipping in world coordinates: the parametric edge clipper that lines,
// poly-lines, segments, polygons and flattened arcs share, and the
// classification of rectangles against the clip rectangle.
#ifndef VEXL33_PLOT_EDGE_CLIPPER_H
#define VEXL33_PLOT_EDGE_CLIPPER_H

#include <cstddef>
#include <cstdint>

#include "plot/gplot.h"
#include "plot/point_list.h"

namespace vexl {

enum class ClipEdgeMode {
    // Only the visible part of the edge: entry and exit point, or nothing.
    Line = 0,
    // Also the clip rectangle's corners where the edge turns around them, so
    // that the clipped edges of a polygon still enclose the right area. In
    // this mode a point equal to the list's last point is not repeated.
    Polygon = 1,
};

// Clips the edge p0 -> p1 against clip (x1, y1, x2, y2, inclusive) and
// appends 0 to 3 points to list. Computed coordinates are truncated toward
// zero. Returns whether the list holds any point afterwards.
//
// Edges wholly inside, and edges wholly beyond one side, are settled by
// integer comparisons; an edge with one end inside takes only the divisions
// of the sides it crosses; the others take clip_edge_parametric's arithmetic
// (in line mode a copy of it without the polygon-mode steps). The result is
// the same either way, point for point.
bool clip_edge(const int32_t clip[4], const WorldPointS &p0, const WorldPointS &p1, PointList &list,
               ClipEdgeMode mode);

// The same, for ends whose outcodes (below) are known already.
bool clip_edge(const int32_t clip[4], const WorldPointS &p0, const WorldPointS &p1, unsigned code0,
               unsigned code1, PointList &list, ClipEdgeMode mode);

// The general clipper behind clip_edge: the same contract, computed for every
// edge in floating point.
bool clip_edge_parametric(const int32_t clip[4], const WorldPointS &p0, const WorldPointS &p1,
                          PointList &list, ClipEdgeMode mode);

// Where a point lies against clip: one bit for each side it is beyond, none
// when it is inside or on the boundary.
enum Outcode : unsigned { kBeyondLeft = 1, kBeyondRight = 2, kBeyondBottom = 4, kBeyondTop = 8 };

inline unsigned outcode(const int32_t clip[4], const WorldPointS &p) {
    return (p.x < clip[0] ? kBeyondLeft : 0u) | (p.x > clip[2] ? kBeyondRight : 0u) |
           (p.y < clip[1] ? kBeyondBottom : 0u) | (p.y > clip[3] ? kBeyondTop : 0u);
}

// The visible piece of the edge p0 -> p1 in line mode, for ends whose
// outcodes are code0 and code1: what clip_edge appends in ClipEdgeMode::Line,
// handed back in `from` and `to` instead. False when nothing is visible.
bool clip_line_piece(const int32_t clip[4], const WorldPointS &p0, const WorldPointS &p1,
                     unsigned code0, unsigned code1, WorldPointS &from, WorldPointS &to);

// Clips the poly-line points[0 .. n-1] (n >= 2) and hands each run of
// consecutive visible pieces to draw_run(points, count), in order. A run ends
// where the poly-line leaves the clip rectangle; a piece that starts where
// the run ends continues it. run is the working list (emptied on return).
// False when run could not grow; nothing more is drawn then.
template <typename DrawRun>
bool clip_polyline(const int32_t clip[4], const WorldPointS *points, int32_t n, PointList &run,
                   DrawRun &&draw_run) {
    const auto flush = [&] {
        if (!run.empty())
            draw_run(run.data(), run.size());
        run.clear();
    };
    unsigned from_code = outcode(clip, points[0]);
    for (int32_t i = 0; i + 1 < n; ++i) {
        const WorldPointS &from = points[i];
        const WorldPointS &to = points[i + 1];
        const unsigned code0 = from_code;
        const unsigned code1 = outcode(clip, to);
        from_code = code1; // the next edge starts here

        WorldPointS start, end;
        if ((code0 | code1) == 0) {
            // The whole edge is the piece: the usual case inside a drawing.
            start = from;
            end = to;
        } else if ((code0 & code1) != 0 ||
                   !clip_line_piece(clip, from, to, code0, code1, start, end)) {
            flush(); // nothing of this edge is visible
            continue;
        }
        if (!run.empty() && PointList::same(run.back(), start)) {
            run.append(end, true); // the piece continues the run
        } else {
            // A piece that does not continue the run finishes it.
            if (!run.empty())
                draw_run(run.data(), run.size());
            run.clear();
            run.append(start);
            run.append(end);
        }
        if (run.failed())
            return false;
        if (!PointList::same(end, to))
            flush(); // the piece ends before the edge does: it left
    }
    flush();
    return true;
}

enum class RectangleVisibility { Outside, PartlyInside, Inside };

// Where rect lies against clip. An empty or reversed rect is outside. An
// outline that encloses clip cannot be seen; one that crosses it is partly
// inside. A filled rect (filled = true) is trimmed to clip in place and then
// counts as inside, since its fill shows whatever part is left.
RectangleVisibility classify_rectangle(int32_t rect[4], const int32_t clip[4], bool filled);

} // namespace vexl

#endif // VEXL33_PLOT_EDGE_CLIPPER_H
