/* Colours and fill patterns: rows of filled boxes, each edged in black so
 * that a white swatch or a sparse pattern still shows its extent. */
#include "panels.h"

/* Fills `box` with the pattern and colour in force, then edges it. */
static int draw_filled_box(const Canvas *canvas, Box box, int colour, int pattern) {
    GPlot *plot = canvas->plot;
    int32_t rect[4] = {box.x1, box.y1, box.x2, box.y2};
    CHECK(gplot_set_foreground_color(plot, colour), "setting a fill colour");
    CHECK(gplot_set_fill_pattern(plot, pattern), "setting a fill pattern");
    CHECK(gplot_draw_rectangle_world(plot, rect), "drawing a filled rectangle");
    if (pattern == -1)
        return 1; /* already just an edge */
    /* The rectangle call trims its argument while clipping; pass a fresh one. */
    int32_t edge[4] = {box.x1, box.y1, box.x2, box.y2};
    CHECK(gplot_set_foreground_color(plot, canvas->colours.black), "setting black");
    CHECK(gplot_set_fill_pattern(plot, -1), "switching filling off");
    CHECK(gplot_draw_rectangle_world(plot, edge), "edging a filled rectangle");
    return 1;
}

/* Column `index` of `count`, narrowed to a box with gaps between neighbours. */
static Box swatch(Box area, int index, int count) {
    const Box column = box_column(area, index, count);
    return box_inset(column, (column.x2 - column.x1) / 8, 0);
}

/* The largest square centred in column `index` of `count`, with gaps. */
static Box square(Box area, int index, int count) {
    const Box column = swatch(area, index, count);
    const int32_t width = column.x2 - column.x1;
    const int32_t height = column.y2 - column.y1;
    const int32_t side = width < height ? width : height;
    return box_inset(column, (width - side) / 2, (height - side) / 2);
}

int draw_colours_panel(const Canvas *canvas, Box area) {
    int count = 0;
    CHECK(gplot_get_color_size(canvas->plot, &count), "reading the colour-map size");
    if (!draw_frame(canvas, area))
        return 0;
    const Box inner = box_inset(area, 60, 80);
    for (int colour = 0; colour < count; ++colour) {
        if (!draw_filled_box(canvas, swatch(inner, colour, count), colour, -2))
            return 0;
    }
    return 1;
}

int draw_fill_patterns_panel(const Canvas *canvas, Box area) {
    int32_t patterns = 0;
    CHECK(gxwin_get_pattern_size(&patterns), "reading the pattern-table size");
    if (!draw_frame(canvas, area))
        return 0;
    /* Outline only and solid first, then a gap, then the pattern table. */
    const int columns = (int)patterns + 3;
    const Box inner = box_inset(area, 60, 80);
    const int colour = canvas->colours.black;
    if (!draw_filled_box(canvas, square(inner, 0, columns), colour, -1) ||
        !draw_filled_box(canvas, square(inner, 1, columns), colour, -2))
        return 0;
    for (int pattern = 0; pattern < patterns; ++pattern) {
        if (!draw_filled_box(canvas, square(inner, pattern + 3, columns), colour, pattern))
            return 0;
    }
    return 1;
}
