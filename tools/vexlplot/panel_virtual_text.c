/* Virtual text: glyphs picked by code from a virtual table (.vft), with
 * code 0 starting each new line. */
#include "text_panels.h"

/* The shipped Greek table: codes 1 to 24 are the capitals Alpha to Omega,
 * 25 to 48 the small letters. */
static const char table_name[] = "greek_letters";
enum { LETTERS = 48, PER_LINE = 12 };
#define TEXT_HEIGHT 240

int draw_virtual_text_panel(const Canvas *canvas, GFontTable *font, Box area) {
    if (!draw_labelled_frame(canvas, font, area, "Virtual text of greek_letters.vft"))
        return 0;
    GFontTable table;
    if (!load_font_table(&table, GFONT_TABLE_VIRTUAL, table_name))
        return 1; /* reported; the panel stays empty */

    /* Codes 1..48, twelve to a line. */
    int32_t codes[LETTERS + LETTERS / PER_LINE];
    int32_t count = 0;
    for (int32_t letter = 1; letter <= LETTERS; ++letter) {
        codes[count++] = letter;
        if (letter % PER_LINE == 0 && letter < LETTERS)
            codes[count++] = 0;
    }
    const Box inside = labelled_frame_inside(area);
    const WorldPointS at = {inside.x1, inside.y2 - TEXT_HEIGHT * 3 / 2};
    const int drawn =
        gplot_set_foreground_color(canvas->plot, canvas->colours.black) &&
        gplot_write_virtual_text_world(canvas->plot, &table, &at, TEXT_HEIGHT, codes, count);
    if (!drawn)
        report_failure("writing virtual text");
    release_font_table(&table);
    return drawn;
}
