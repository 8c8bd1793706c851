/* The panels of the primitives sheet. Each draws inside the area it is given,
 * starts from whatever attributes are in force and leaves them changed;
 * each returns 0 after reporting a failed library call. */
#ifndef VEXLPLOT_PANELS_H
#define VEXLPLOT_PANELS_H

#include "canvas.h"

/* One cell per drawing primitive, left to right. */
int draw_shapes_panel(const Canvas *canvas, Box area);
/* Line types 0 to 6 from the top down. */
int draw_line_types_panel(const Canvas *canvas, Box area);
/* Increasing line widths from the top down. */
int draw_line_widths_panel(const Canvas *canvas, Box area);
/* A solid swatch per colour-map entry. */
int draw_colours_panel(const Canvas *canvas, Box area);
/* Outline only, solid, then one square per pattern of the pattern table. */
int draw_fill_patterns_panel(const Canvas *canvas, Box area);
/* The eight marker shapes, a column each. */
int draw_markers_panel(const Canvas *canvas, Box area);
/* The same shapes across a clip rectangle, clipped to it or not. */
int draw_clipping_panel(const Canvas *canvas, Box area, int clipped);
/* Circles, a filled circle and arcs of several sweeps in both directions. */
int draw_arcs_panel(const Canvas *canvas, Box area);

#endif
