/* The panels of the text sheet. Each frames its area, labels it in `font`
 * (the sheet's own table) and draws inside; each returns 0 after reporting a
 * failed library call. A font table that does not load is reported and its
 * part of the panel left out. */
#ifndef VEXLPLOT_TEXT_PANELS_H
#define VEXLPLOT_TEXT_PANELS_H

#include "text_kit.h"

/* Every ASCII font table of the font folder: its name and a sample in it. */
int draw_font_tables_panel(const Canvas *canvas, GFontTable *font, Box area);
/* Glyphs of a virtual table by code, on several lines. */
int draw_virtual_text_panel(const Canvas *canvas, GFontTable *font, Box area);
/* One block of lines justified left, centred and right. */
int draw_justification_panel(const Canvas *canvas, GFontTable *font, Box area);
/* A small table whose columns are separated by tabs. */
int draw_tabs_panel(const Canvas *canvas, GFontTable *font, Box area);
/* Text turned by several angles about one point. */
int draw_rotation_panel(const Canvas *canvas, GFontTable *font, Box area);
/* TrueType faces drawn by GDI: regular, bold and italic, justified blocks and
 * turned lines; on an HP-GL/2 plot a note instead. */
int draw_truetype_panel(const Canvas *canvas, GFontTable *font, Box area);

#endif
