#include "canvas.h"

#include <math.h>
#include <stdio.h>

int report_failure(const char *what) {
    fprintf(stderr, "vexlplot: %s: %s\n", what, gplot_get_error_message());
    return 0;
}

static int colour_by_name(GPlot *plot, const char *name) {
    int index = 0;
    return gplot_get_color_index(plot, name, &index) ? index : 0;
}

void canvas_init(Canvas *canvas, GPlot *plot) {
    canvas->plot = plot;
    canvas->colours.black = colour_by_name(plot, "black");
    canvas->colours.red = colour_by_name(plot, "red");
    canvas->colours.green = colour_by_name(plot, "green");
    canvas->colours.blue = colour_by_name(plot, "blue");
    canvas->colours.cyan = colour_by_name(plot, "cyan");
    canvas->colours.magenta = colour_by_name(plot, "magenta");
}

Box box_inset(Box box, int32_t dx, int32_t dy) {
    Box inner = {box.x1 + dx, box.y1 + dy, box.x2 - dx, box.y2 - dy};
    return inner;
}

Box box_column(Box box, int index, int count) {
    const int32_t width = box.x2 - box.x1;
    Box column = {box.x1 + width * index / count, box.y1, box.x1 + width * (index + 1) / count,
                  box.y2};
    return column;
}

Box box_row(Box box, int index, int count) {
    const int32_t height = box.y2 - box.y1;
    Box row = {box.x1, box.y2 - height * (index + 1) / count, box.x2,
               box.y2 - height * index / count};
    return row;
}

WorldPointS box_at(Box box, int px, int py) {
    WorldPointS point = {box.x1 + (box.x2 - box.x1) * px / 100,
                         box.y1 + (box.y2 - box.y1) * py / 100};
    return point;
}

WorldPointS polar(WorldPointS centre, double radius, double degrees) {
    const double radians = degrees * 3.14159265358979323846 / 180.0;
    WorldPointS point = {centre.x + (int32_t)lround(radius * cos(radians)),
                         centre.y + (int32_t)lround(radius * sin(radians))};
    return point;
}

int reset_attributes(const Canvas *canvas) {
    GPlot *plot = canvas->plot;
    CHECK(gplot_set_foreground_color(plot, canvas->colours.black), "setting the colour");
    CHECK(gplot_set_line_type(plot, 0), "setting the solid line type");
    CHECK(gplot_set_line_width(plot, 1), "setting line width 1");
    CHECK(gplot_set_fill_pattern(plot, -1), "switching filling off");
    return 1;
}

int draw_frame(const Canvas *canvas, Box box) {
    int32_t rect[4] = {box.x1, box.y1, box.x2, box.y2};
    if (!reset_attributes(canvas))
        return 0;
    CHECK(gplot_draw_rectangle_world(canvas->plot, rect), "drawing a panel frame");
    return 1;
}
