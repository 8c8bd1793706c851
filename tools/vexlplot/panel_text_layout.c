/* Text layout: a block justified left, centred and right, and a table laid
 * out by tabs. Red lines mark each block's edges and cyan lines the tab
 * stops (red the table's measured width), so the alignment can be checked
 * by eye. */
#include <string.h>

#include "text_panels.h"

#define LEFT 1
#define CENTRE 2
#define RIGHT 3

static const char block[] = "Hershey strokes\nset line by line\nin three\njustifications";
enum { BLOCK_LINES = 4, LONGEST_LINE = 64 };
#define BLOCK_HEIGHT 170

static const char table[] = "Item\tQty\tPrice\n"
                            "Pens\t12\t3.40\n"
                            "Paper\t500\t7.95\n"
                            "Ink\t3\t12.50\n"
                            "Ruler\t2\t1.20";
enum { TAB_STOP = 6, TABLE_COLUMNS = 3 };
#define TABLE_HEIGHT 170

/* Copies line `line` (from 1) of `text` into `out`, which holds `size` bytes. */
static void copy_line(const char *text, int line, char *out, size_t size) {
    for (int i = 1; i < line && text != NULL; ++i) {
        text = strchr(text, '\n');
        if (text != NULL)
            ++text;
    }
    size_t length = 0;
    if (text != NULL) {
        const char *end = strchr(text, '\n');
        length = end != NULL ? (size_t)(end - text) : strlen(text);
    }
    if (length >= size)
        length = size - 1;
    if (length > 0)
        memcpy(out, text, length);
    out[length] = '\0';
}

static int draw_vertical(const Canvas *canvas, int colour, int32_t x, int32_t y1, int32_t y2) {
    const WorldPointS from = {x, y1}, to = {x, y2};
    CHECK(gplot_set_foreground_color(canvas->plot, colour), "setting a guide colour");
    CHECK(gplot_draw_line_world(canvas->plot, &from, &to), "drawing a guide line");
    return 1;
}

/* The block with its first line's top left corner at `top_left`: each line
 * is moved by justify_starting_point for the plot's justification, by the
 * width of one character measured at the block's height. */
static int draw_justified_block(const Canvas *canvas, GFontTable *font, int justification,
                                WorldPointS top_left) {
    GPlot *plot = canvas->plot;
    int32_t char_width = 0, block_height = 0, block_width = 0;
    if (!measure_char_width(canvas, font, BLOCK_HEIGHT, &char_width))
        return 0;
    CHECK(gplot_get_ascii_text_bound_box(plot, font, BLOCK_HEIGHT, block, &block_height,
                                         &block_width),
          "measuring the block");
    CHECK(gplot_set_ascii_text_justification(plot, justification), "setting the justification");
    for (int line = 1; line <= BLOCK_LINES; ++line) {
        char text[LONGEST_LINE];
        WorldPointS at = {top_left.x, top_left.y - line * BLOCK_HEIGHT};
        copy_line(block, line, text, sizeof text);
        CHECK(justify_starting_point(plot, &at, char_width, block, line), "justifying a line");
        if (!write_text(canvas, font, canvas->colours.black, at, BLOCK_HEIGHT, text))
            return 0;
    }
    CHECK(gplot_set_ascii_text_justification(plot, LEFT), "setting left justification");
    const int32_t bottom = top_left.y - block_height;
    return draw_vertical(canvas, canvas->colours.red, top_left.x, bottom, top_left.y) &&
           draw_vertical(canvas, canvas->colours.red, top_left.x + block_width, bottom, top_left.y);
}

int draw_justification_panel(const Canvas *canvas, GFontTable *font, Box area) {
    static const struct {
        int justification;
        const char *name;
    } kinds[] = {{LEFT, "left"}, {CENTRE, "centre"}, {RIGHT, "right"}};
    enum { KINDS = sizeof kinds / sizeof kinds[0] };
    if (!draw_labelled_frame(canvas, font, area, "Justification, line by line"))
        return 0;
    const Box inside = labelled_frame_inside(area);
    const int32_t name_width = (inside.x2 - inside.x1) / 5;
    for (int i = 0; i < KINDS; ++i) {
        const Box row = box_row(inside, i, KINDS);
        const int32_t top = row.y2 - (row.y2 - row.y1 - BLOCK_LINES * BLOCK_HEIGHT) / 2;
        const WorldPointS name_at = {row.x1, top - LABEL_HEIGHT};
        const WorldPointS top_left = {row.x1 + name_width, top};
        if (!write_text(canvas, font, canvas->colours.blue, name_at, LABEL_HEIGHT, kinds[i].name) ||
            !draw_justified_block(canvas, font, kinds[i].justification, top_left))
            return 0;
    }
    return 1;
}

int draw_tabs_panel(const Canvas *canvas, GFontTable *font, Box area) {
    GPlot *plot = canvas->plot;
    int previous_stop = 0;
    int32_t char_width = 0, table_height = 0, table_width = 0;
    if (!draw_labelled_frame(canvas, font, area, "Tabs: a stop every 6 columns"))
        return 0;
    CHECK(gplot_get_ascii_text_tabstop(plot, &previous_stop), "reading the tab stop");
    CHECK(gplot_set_ascii_text_tabstop(plot, TAB_STOP), "setting the tab stop");
    const Box inside = labelled_frame_inside(area);
    const WorldPointS at = {inside.x1 + (inside.x2 - inside.x1) / 12,
                            inside.y2 - (inside.y2 - inside.y1) / 6 - TABLE_HEIGHT};
    const int written = measure_char_width(canvas, font, TABLE_HEIGHT, &char_width) &&
                        write_text(canvas, font, canvas->colours.black, at, TABLE_HEIGHT, table);
    /* The stop is shared by every plot of the process: put it back. */
    CHECK(gplot_get_ascii_text_bound_box(plot, font, TABLE_HEIGHT, table, &table_height,
                                         &table_width),
          "measuring the table");
    CHECK(gplot_set_ascii_text_tabstop(plot, previous_stop), "restoring the tab stop");
    if (!written)
        return 0;
    const int32_t top = at.y + TABLE_HEIGHT;
    const int32_t bottom = top - table_height;
    for (int column = 0; column < TABLE_COLUMNS; ++column) {
        if (!draw_vertical(canvas, canvas->colours.cyan, at.x + column * TAB_STOP * char_width,
                           bottom, top))
            return 0;
    }
    return draw_vertical(canvas, canvas->colours.red, at.x + table_width, bottom, top);
}
