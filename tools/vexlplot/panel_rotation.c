/* Rotation: the same kind of line written at several angles about one
 * point, marked by a small circle. Each line starts with blanks so that the
 * lines fan out from a ring around the point instead of overwriting each
 * other at its centre. */
#include <stdio.h>

#include "text_panels.h"

static const int angles[] = {0, 30, 60, 90, 180, 270};
enum { ANGLES = sizeof angles / sizeof angles[0] };
static const char format[] = "   %d degrees";
/* The longest of the lines, which must reach no further than the frame. */
static const char longest[] = "   270 degrees";
#define MAX_TEXT_HEIGHT 140

int draw_rotation_panel(const Canvas *canvas, GFontTable *font, Box area) {
    GPlot *plot = canvas->plot;
    const int colours[] = {canvas->colours.black, canvas->colours.red,     canvas->colours.green,
                           canvas->colours.blue,  canvas->colours.magenta, canvas->colours.cyan};
    enum { COLOURS = sizeof colours / sizeof colours[0] };
    if (!draw_labelled_frame(canvas, font, area, "Rotation about one point"))
        return 0;
    const Box inside = labelled_frame_inside(area);
    const WorldPointS centre = box_at(inside, 50, 50);
    const int32_t half_width = (inside.x2 - inside.x1) / 2,
                  half_height = (inside.y2 - inside.y1) / 2;
    int32_t height = 0;
    if (!fit_height(canvas, font, longest, MAX_TEXT_HEIGHT,
                    half_width < half_height ? half_width : half_height, &height))
        return 0;
    for (int i = 0; i < ANGLES; ++i) {
        char text[32];
        snprintf(text, sizeof text, format, angles[i]);
        const double radians = angles[i] * 3.14159265358979323846 / 180.0;
        CHECK(gplot_set_foreground_color(plot, colours[i % COLOURS]), "setting a text colour");
        CHECK(gplot_write_rotated_ascii_text_world(plot, font, &centre, height, radians, text),
              "writing rotated text");
    }
    CHECK(gplot_set_foreground_color(plot, canvas->colours.black), "setting black");
    CHECK(gplot_set_marker(plot, 1), "choosing the circle marker");
    CHECK(gplot_draw_marker_world(plot, &centre, height / 2), "marking the centre");
    return 1;
}
