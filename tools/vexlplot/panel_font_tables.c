/* The font tables: one row per .asc table the library lists, with the
 * table's name in the sheet's font and a sample written in the table. */
#include <stdio.h>

#include "text_panels.h"

static const char sample[] = "The quick brown fox 0123456789";

/* Fewer tables than this still get rows of this size, not taller ones. */
enum { MIN_ROWS = 8 };
/* The share of a row's width given to the table's name. */
enum { NAME_PERCENT = 20 };
#define MAX_ROW_TEXT_HEIGHT 220

/* Draws the row of table `name` and counts it in *rows; a table that does
 * not load is reported and gets no row. */
static int draw_table_row(const Canvas *canvas, GFontTable *font, const char *name, Box row,
                          int *rows) {
    GFontTable table;
    if (!load_font_table(&table, GFONT_TABLE_ASCII, name))
        return 1;
    ++*rows;
    const int32_t row_height = row.y2 - row.y1;
    const int32_t wanted =
        row_height * 3 / 4 < MAX_ROW_TEXT_HEIGHT ? row_height * 3 / 4 : MAX_ROW_TEXT_HEIGHT;
    const int32_t name_width = (row.x2 - row.x1) * NAME_PERCENT / 100;
    const WorldPointS name_at = {row.x1, row.y1};
    const WorldPointS sample_at = {row.x1 + name_width, row.y1};
    int32_t name_height = 0, sample_height = 0;
    const int drawn =
        fit_height(canvas, font, name, wanted * 2 / 3, name_width * 9 / 10, &name_height) &&
        fit_height(canvas, &table, sample, wanted, row.x2 - sample_at.x, &sample_height) &&
        write_text(canvas, font, canvas->colours.blue, name_at, name_height, name) &&
        write_text(canvas, &table, canvas->colours.black, sample_at, sample_height, sample);
    release_font_table(&table);
    return drawn;
}

int draw_font_tables_panel(const Canvas *canvas, GFontTable *font, Box area) {
    if (!draw_labelled_frame(canvas, font, area, "ASCII font tables (.asc) in the font folder"))
        return 0;
    const int count = gftable_get_number_ascii_fonts(NULL);
    if (count <= 0) {
        fprintf(stderr, "vexlplot: %s\n",
                count < 0 ? "cannot list the font tables: the folder MOLVERN_FONT_FILE names "
                            "cannot be read"
                          : "no font tables (.asc) in the folder MOLVERN_FONT_FILE names");
        return 1;
    }
    const Box list = labelled_frame_inside(area);
    const int slots = count > MIN_ROWS ? count : MIN_ROWS;
    int rows = 0;
    for (int i = 0; i < count; ++i) {
        const char *name = gftable_get_ascii_fonttable_name(NULL, i);
        if (name == NULL) {
            fprintf(stderr, "vexlplot: font table %d of %d has no name\n", i, count);
            continue;
        }
        if (!draw_table_row(canvas, font, name, box_row(list, rows, slots), &rows))
            return 0;
    }
    return 1;
}
