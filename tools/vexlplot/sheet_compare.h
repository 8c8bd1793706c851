/* A coarse comparison of two pictures of the same sheet made by different
 * renderers (hp2xx's reading of the plot file and a window's pixels): their
 * scale, margins, pen widths and fill textures differ, so no pixel is
 * compared. Each picture is cut to the box around its ink (everything not
 * near white), the box divided into the same grid of cells, and the pictures
 * agree when almost every cell with ink in one has ink at or beside the same
 * cell in the other, and the cells both fill mostly are of the same colour. */
#ifndef VEXLPLOT_SHEET_COMPARE_H
#define VEXLPLOT_SHEET_COMPARE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* An RGB picture, 3 bytes a pixel, rows packed top first. */
typedef struct Picture {
    const uint8_t *rgb;
    uint32_t width, height;
} Picture;

enum { SHEET_GRID_COLUMNS = 100, SHEET_GRID_ROWS = 70 };

typedef struct SheetComparison {
    int ink_cells[2];     /* cells with ink, in each picture */
    int matched_cells[2]; /* of those, cells with ink at or beside them in the other */
    int filled_cells;     /* cells mostly covered with ink in both */
    int colour_matches;   /* of those, cells whose mean ink colours are close */
} SheetComparison;

/* Compares the pictures; 0 when either has no ink at all (nothing to match). */
int compare_sheets(const Picture *first, const Picture *second, SheetComparison *result);

/* Whether the figures say the pictures show the same sheet: at least 95% of
 * each picture's ink cells matched and 90% of the filled cells alike. */
int sheets_agree(const SheetComparison *comparison);

#ifdef __cplusplus
}
#endif

#endif
