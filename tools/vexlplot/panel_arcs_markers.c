/* Arcs and markers. */
#include "panels.h"

/* An arc of `degrees` (counter-clockwise when positive) around `centre`,
 * starting at `start_angle`. */
static int draw_arc(const Canvas *canvas, WorldPointS centre, double radius, double start_angle,
                    double degrees) {
    const WorldPointS start = polar(centre, radius, start_angle);
    const WorldArcS arc = {start.x, start.y, centre.x, centre.y, (int32_t)(degrees * 1000.0)};
    CHECK(gplot_draw_arc_world(canvas->plot, &arc), "drawing an arc");
    return 1;
}

/* Top row: an outlined circle, a hatched circle and a solid one. */
static int draw_circles(const Canvas *canvas, Box row) {
    GPlot *plot = canvas->plot;
    const double by_height = (row.y2 - row.y1) * 0.4;
    const double by_width = (row.x2 - row.x1) * 0.14;
    const double radius = by_height < by_width ? by_height : by_width;
    int32_t patterns = 0;
    CHECK(gxwin_get_pattern_size(&patterns), "reading the pattern-table size");
    const int hatch = patterns > 1 ? 1 : -2;
    if (!draw_arc(canvas, box_at(row, 18, 50), radius, 0.0, 360.0))
        return 0;
    CHECK(gplot_set_foreground_color(plot, canvas->colours.blue), "setting blue");
    CHECK(gplot_set_fill_pattern(plot, hatch), "setting a hatch fill");
    if (!draw_arc(canvas, box_at(row, 50, 50), radius, 0.0, 360.0))
        return 0;
    CHECK(gplot_set_foreground_color(plot, canvas->colours.red), "setting red");
    CHECK(gplot_set_fill_pattern(plot, -2), "setting solid fill");
    if (!draw_arc(canvas, box_at(row, 82, 50), radius, 0.0, 360.0))
        return 0;
    return reset_attributes(canvas);
}

/* Bottom row, left: nested arcs of 90, 180 and 270 degrees from the same
 * angle; right: two arcs of 120 degrees from the same start point (marked),
 * blue counter-clockwise and red clockwise. */
static int draw_sweeps(const Canvas *canvas, Box row) {
    GPlot *plot = canvas->plot;
    const double radius = (row.y2 - row.y1) * 0.4;
    const WorldPointS nested_centre = box_at(row, 28, 50);
    for (int i = 1; i <= 3; ++i) {
        if (!draw_arc(canvas, nested_centre, radius * (0.4 + 0.3 * (i - 1)), 0.0, 90.0 * i))
            return 0;
    }
    const WorldPointS centre = box_at(row, 72, 50);
    const WorldPointS start = polar(centre, radius, 90.0);
    CHECK(gplot_set_foreground_color(plot, canvas->colours.blue), "setting blue");
    if (!draw_arc(canvas, centre, radius, 90.0, 120.0))
        return 0;
    CHECK(gplot_set_foreground_color(plot, canvas->colours.red), "setting red");
    if (!draw_arc(canvas, centre, radius, 90.0, -120.0))
        return 0;
    if (!reset_attributes(canvas))
        return 0;
    CHECK(gplot_set_marker(plot, 1), "choosing the circle marker");
    CHECK(gplot_draw_marker_world(plot, &start, (int)(radius / 6)), "marking the start point");
    return 1;
}

int draw_arcs_panel(const Canvas *canvas, Box area) {
    if (!draw_frame(canvas, area))
        return 0;
    const Box inner = box_inset(area, 100, 100);
    return draw_circles(canvas, box_row(inner, 0, 2)) && draw_sweeps(canvas, box_row(inner, 1, 2));
}

/* Each marker in its own column: two the same size drawn as one list, and a
 * larger one on its own. */
int draw_markers_panel(const Canvas *canvas, Box area) {
    enum { MARKERS = 8 };
    GPlot *plot = canvas->plot;
    if (!draw_frame(canvas, area))
        return 0;
    CHECK(gplot_set_foreground_color(plot, canvas->colours.blue), "setting blue");
    for (int marker = 0; marker < MARKERS; ++marker) {
        const Box column = box_column(area, marker, MARKERS);
        const int32_t width = column.x2 - column.x1;
        WorldPointS pair[2] = {box_at(column, 25, 28), box_at(column, 25, 72)};
        const WorldPointS single = box_at(column, 66, 50);
        CHECK(gplot_set_marker(plot, marker), "choosing a marker");
        CHECK(gplot_draw_markers_world(plot, pair, 2, width / 4), "drawing markers");
        CHECK(gplot_draw_marker_world(plot, &single, width * 2 / 5), "drawing a marker");
    }
    return 1;
}
