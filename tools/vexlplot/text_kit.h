/* What the panels of the text sheet share: font tables loaded into
 * zero-filled records and released with their names, text written in the
 * colour of a panel, and the panel labels. */
#ifndef VEXLPLOT_TEXT_KIT_H
#define VEXLPLOT_TEXT_KIT_H

#include "canvas.h"

/* Line height of a panel label, in world units. */
#define LABEL_HEIGHT 130

/* Loads font table `name` of `kind` (GFONT_TABLE_ASCII or _VIRTUAL) into
 * `table`, which it zero-fills first; a null name with the ASCII kind is the
 * library's built-in table. On failure reports "vexlplot: loading font table
 * NAME: MESSAGE", releases whatever the attempt left and returns 0. */
int load_font_table(GFontTable *table, int kind, const char *name);
/* Unloads the glyphs, frees the name and zero-fills the record again. */
void release_font_table(GFontTable *table);

/* Writes `text` (lines separated by '\n') in `colour` with its first cell's
 * lower left corner at `at`. */
int write_text(const Canvas *canvas, GFontTable *font, int colour, WorldPointS at, int32_t height,
               const char *text);
/* The width of one character cell of `font` at line height `height`. */
int measure_char_width(const Canvas *canvas, GFontTable *font, int32_t height, int32_t *width);
/* The largest line height up to `height` at which `text` is at most `width`
 * wide. */
int fit_height(const Canvas *canvas, GFontTable *font, const char *text, int32_t height,
               int32_t width, int32_t *fitted);

/* Frames `area` and writes `label` in blue along its top edge, smaller than
 * LABEL_HEIGHT where it would not fit the frame's width. */
int draw_labelled_frame(const Canvas *canvas, GFontTable *font, Box area, const char *label);
/* The part of a labelled frame below its label, inset from the frame. */
Box labelled_frame_inside(Box area);

#endif
