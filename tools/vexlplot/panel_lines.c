/* Line attributes: the line types and a range of widths, each as a
 * horizontal line of its own from the top of the area down. */
#include "panels.h"

static int draw_row_line(const Canvas *canvas, Box area, int row, int rows) {
    const Box band = box_row(area, row, rows);
    const WorldPointS from = box_at(band, 4, 50);
    const WorldPointS to = box_at(band, 96, 50);
    CHECK(gplot_draw_line_world(canvas->plot, &from, &to), "drawing a line");
    return 1;
}

int draw_line_types_panel(const Canvas *canvas, Box area) {
    enum { LINE_TYPES = 7 };
    if (!draw_frame(canvas, area))
        return 0;
    for (int type = 0; type < LINE_TYPES; ++type) {
        CHECK(gplot_set_line_type(canvas->plot, type), "setting a line type");
        if (!draw_row_line(canvas, box_inset(area, 0, 40), type, LINE_TYPES))
            return 0;
    }
    return 1;
}

int draw_line_widths_panel(const Canvas *canvas, Box area) {
    /* In the application's width unit (0.35 mm on plot files). */
    static const int widths[] = {1, 2, 3, 5, 8};
    enum { COUNT = sizeof widths / sizeof widths[0] };
    if (!draw_frame(canvas, area))
        return 0;
    CHECK(gplot_set_foreground_color(canvas->plot, canvas->colours.blue), "setting blue");
    for (int i = 0; i < COUNT; ++i) {
        CHECK(gplot_set_line_width(canvas->plot, widths[i]), "setting a line width");
        if (!draw_row_line(canvas, box_inset(area, 0, 40), i, COUNT))
            return 0;
    }
    return 1;
}
