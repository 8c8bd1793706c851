/* The text sheet: the stroke-text calls of the interface on one page, each
 * in a labelled panel. From the top:
 *
 *   every ASCII font table of the font folder | virtual text by code
 *   justification | tabs above TrueType | rotation
 *
 * Labels and the layout examples use the library's built-in ASCII table, so
 * the sheet needs only the Hershey glyph file; the font folder's tables add
 * their rows, and one that does not load is reported and left out. The
 * TrueType panel needs a Windows device and the faces it names. */
#include "sheets.h"
#include "text_panels.h"

/* The same world window as the primitives sheet. */
static const int32_t world[4] = {0, 0, 10000, 7000};

static const Box font_tables_area = {100, 3700, 6600, 6900};
static const Box virtual_text_area = {6700, 3700, 9900, 6900};
static const Box justification_area = {100, 100, 3900, 3600};
static const Box tabs_area = {4000, 2200, 6800, 3600};
static const Box truetype_area = {4000, 100, 6800, 2100};
static const Box rotation_area = {6900, 100, 9900, 3600};

int draw_text_sheet(GPlot *plot) {
    Canvas canvas;
    GFontTable font;
    CHECK(gplot_set_world(plot, world), "setting the world window");
    canvas_init(&canvas, plot);
    if (!reset_attributes(&canvas) || !load_font_table(&font, GFONT_TABLE_ASCII, NULL))
        return 0;
    const int drawn = draw_font_tables_panel(&canvas, &font, font_tables_area) &&
                      draw_virtual_text_panel(&canvas, &font, virtual_text_area) &&
                      draw_justification_panel(&canvas, &font, justification_area) &&
                      draw_tabs_panel(&canvas, &font, tabs_area) &&
                      draw_truetype_panel(&canvas, &font, truetype_area) &&
                      draw_rotation_panel(&canvas, &font, rotation_area);
    release_font_table(&font);
    return drawn;
}
