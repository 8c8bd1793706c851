// Clipping in world coordinates: the parametric edge clipper that lines,
// poly-lines, segments, polygons and flattened arcs share, and the
// classification of rectangles against the clip rectangle.
#ifndef VEXL33_PLOT_EDGE_CLIPPER_H
#define VEXL33_PLOT_EDGE_CLIPPER_H

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
bool clip_edge(const int32_t clip[4], const WorldPointS &p0, const WorldPointS &p1, PointList &list,
               ClipEdgeMode mode);

enum class RectangleVisibility { Outside, PartlyInside, Inside };

// Where rect lies against clip. An empty or reversed rect is outside. An
// outline that encloses clip cannot be seen; one that crosses it is partly
// inside. A filled rect (filled = true) is trimmed to clip in place and then
// counts as inside, since its fill shows whatever part is left.
RectangleVisibility classify_rectangle(int32_t rect[4], const int32_t clip[4], bool filled);

} // namespace vexl

#endif // VEXL33_PLOT_EDGE_CLIPPER_H
