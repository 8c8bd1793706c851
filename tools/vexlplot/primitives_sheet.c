/* The primitives sheet: every drawing primitive and attribute of the
 * interface on one page, in separated panels (there is no text to label them,
 * so each panel shows one thing). From the top:
 *
 *   the ten primitives: points, move/draw, line, poly-line, segments,
 *     rectangle, rectangle list, polygon, polygon list, rectangle from corners
 *   line types 0..6          | line widths
 *   colour-map swatches      | the eight markers
 *   outline only, solid and every fill pattern
 *   clipped shapes           | the same shapes unclipped | arcs and circles
 */
#include "panels.h"
#include "sheets.h"

/* The world window: 10 x 7 units of the page's aspect, in steps of 1/1000. */
static const int32_t world[4] = {0, 0, 10000, 7000};

static const Box shapes_area = {100, 6000, 9900, 6900};
static const Box line_types_area = {100, 5050, 4950, 5900};
static const Box line_widths_area = {5050, 5050, 9900, 5900};
static const Box colours_area = {100, 4250, 4950, 4950};
static const Box markers_area = {5050, 4250, 9900, 4950};
static const Box fill_patterns_area = {100, 3300, 9900, 4150};
static const Box clipped_area = {100, 100, 3300, 3200};
static const Box unclipped_area = {3400, 100, 6600, 3200};
static const Box arcs_area = {6700, 100, 9900, 3200};

int draw_primitives_sheet(GPlot *plot) {
    Canvas canvas;
    CHECK(gplot_set_world(plot, world), "setting the world window");
    canvas_init(&canvas, plot);
    return draw_shapes_panel(&canvas, shapes_area) &&
           draw_line_types_panel(&canvas, line_types_area) &&
           draw_line_widths_panel(&canvas, line_widths_area) &&
           draw_colours_panel(&canvas, colours_area) && draw_markers_panel(&canvas, markers_area) &&
           draw_fill_patterns_panel(&canvas, fill_patterns_area) &&
           draw_clipping_panel(&canvas, clipped_area, 1) &&
           draw_clipping_panel(&canvas, unclipped_area, 0) && draw_arcs_panel(&canvas, arcs_area);
}
