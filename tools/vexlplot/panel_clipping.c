/* Clipping: a red clip rectangle inside a framed panel and four shapes
 * crossing its edges: a star of lines on its upper left corner, a hexagon on
 * its right edge, a circle on its bottom edge and a solid rectangle on its
 * upper right corner. Drawn once clipped to the rectangle and once, beside
 * it, with clipping off, the difference is what the clipping removes. */
#include "panels.h"

static int draw_star_of_lines(const Canvas *canvas, WorldPointS centre, double radius) {
    enum { RAYS = 12 };
    WorldPointS ends[2 * RAYS];
    for (int i = 0; i < RAYS; ++i) {
        ends[2 * i] = centre;
        ends[2 * i + 1] = polar(centre, radius, 360.0 * i / RAYS);
    }
    CHECK(gplot_set_foreground_color(canvas->plot, canvas->colours.blue), "setting blue");
    CHECK(gplot_draw_segments_world(canvas->plot, ends, RAYS), "drawing a star of lines");
    return 1;
}

static int draw_hexagon(const Canvas *canvas, WorldPointS centre, double radius) {
    WorldPointS corners[6];
    for (int i = 0; i < 6; ++i)
        corners[i] = polar(centre, radius, 60.0 * i);
    CHECK(gplot_set_foreground_color(canvas->plot, canvas->colours.green), "setting green");
    CHECK(gplot_draw_polygon_world(canvas->plot, corners, 6), "drawing a hexagon");
    return 1;
}

static int draw_circle(const Canvas *canvas, WorldPointS centre, double radius) {
    const WorldPointS start = polar(centre, radius, 0.0);
    const WorldArcS circle = {start.x, start.y, centre.x, centre.y, 360000};
    CHECK(gplot_set_foreground_color(canvas->plot, canvas->colours.magenta), "setting magenta");
    CHECK(gplot_draw_arc_world(canvas->plot, &circle), "drawing a circle");
    return 1;
}

static int draw_solid_rectangle(const Canvas *canvas, Box box) {
    int32_t rect[4] = {box.x1, box.y1, box.x2, box.y2};
    CHECK(gplot_set_foreground_color(canvas->plot, canvas->colours.cyan), "setting cyan");
    CHECK(gplot_set_fill_pattern(canvas->plot, -2), "setting solid fill");
    CHECK(gplot_draw_rectangle_world(canvas->plot, rect), "drawing a solid rectangle");
    CHECK(gplot_set_fill_pattern(canvas->plot, -1), "switching filling off");
    return 1;
}

static int draw_crossing_shapes(const Canvas *canvas, Box clip) {
    const int32_t width = clip.x2 - clip.x1;
    const int32_t height = clip.y2 - clip.y1;
    const double size = width < height ? width : height;
    const WorldPointS upper_left = {clip.x1, clip.y2};
    const WorldPointS right_edge = {clip.x2, clip.y1 + height * 2 / 5};
    const WorldPointS bottom_edge = {clip.x1 + width * 11 / 20, clip.y1};
    const Box on_corner = {clip.x2 - width / 5, clip.y2 - height / 5, clip.x2 + width / 5,
                           clip.y2 + height / 4};
    return draw_star_of_lines(canvas, upper_left, size * 0.32) &&
           draw_hexagon(canvas, right_edge, size * 0.22) &&
           draw_circle(canvas, bottom_edge, size * 0.25) && draw_solid_rectangle(canvas, on_corner);
}

int draw_clipping_panel(const Canvas *canvas, Box area, int clipped) {
    GPlot *plot = canvas->plot;
    const Box clip = box_inset(area, (area.x2 - area.x1) / 4, (area.y2 - area.y1) / 4);
    int32_t clip_rect[4] = {clip.x1, clip.y1, clip.x2, clip.y2};
    if (!draw_frame(canvas, area))
        return 0;
    CHECK(gplot_set_foreground_color(plot, canvas->colours.red), "setting red");
    CHECK(gplot_set_line_width(plot, 2), "setting line width 2");
    CHECK(gplot_draw_rectangle_world(plot, clip_rect), "drawing the clip frame");
    if (!reset_attributes(canvas))
        return 0;
    if (clipped) {
        CHECK(gplot_set_clip_world(plot, clip_rect), "setting the clip rectangle");
        CHECK(gplot_set_clip_mode(plot, 1), "switching clipping on");
    } else {
        CHECK(gplot_unset_clip_world(plot), "removing the clip rectangle");
        CHECK(gplot_set_clip_mode(plot, 0), "switching clipping off");
    }
    if (!draw_crossing_shapes(canvas, clip))
        return 0;
    CHECK(gplot_unset_clip_world(plot), "removing the clip rectangle");
    CHECK(gplot_set_clip_mode(plot, 0), "switching clipping off");
    return 1;
}
