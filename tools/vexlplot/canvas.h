/* What every panel of a sheet draws with: the plot, the colours it picks by
 * name, areas of the world window, and the failure check for library calls. */
#ifndef VEXLPLOT_CANVAS_H
#define VEXLPLOT_CANVAS_H

#include "gplot.h"

/* Reports a failed library call as "vexlplot: WHAT: MESSAGE" on standard
 * error, with the library's message for its current error code; returns 0. */
int report_failure(const char *what);

/* Leaves the calling function with 0 after reporting, when `call` fails. */
#define CHECK(call, what)                                                                          \
    do {                                                                                           \
        if (!(call))                                                                               \
            return report_failure(what);                                                           \
    } while (0)

/* Colour-map indexes looked up by name; a name the colour file lacks falls
 * back to index 0, so any colour file gives a complete (if duller) sheet. */
typedef struct Palette {
    int black, red, green, blue, cyan, magenta;
} Palette;

typedef struct Canvas {
    GPlot *plot;
    Palette colours;
} Canvas;

/* A rectangle of the world window: x1, y1 (lower left), x2, y2 (upper right). */
typedef struct Box {
    int32_t x1, y1, x2, y2;
} Box;

/* Looks up the palette's colours in the plot's colour map. */
void canvas_init(Canvas *canvas, GPlot *plot);

Box box_inset(Box box, int32_t dx, int32_t dy);
/* Column `index` of `count` equal columns side by side. */
Box box_column(Box box, int index, int count);
/* Row `index` of `count` equal rows, counted from the top. */
Box box_row(Box box, int index, int count);
/* The point at `px` and `py` percent of the box's width and height. */
WorldPointS box_at(Box box, int px, int py);
/* The point `radius` away from `centre` in direction `degrees` (counter-clockwise from +x). */
WorldPointS polar(WorldPointS centre, double radius, double degrees);

/* Back to the plain attributes every panel starts from: black, solid line,
 * width 1, no fill. */
int reset_attributes(const Canvas *canvas);
/* An outline of `box` with the plain attributes (left in force afterwards). */
int draw_frame(const Canvas *canvas, Box box);

#endif
