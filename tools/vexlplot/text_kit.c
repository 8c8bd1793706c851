#include "text_kit.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* Space between a frame and what it holds, in world units. */
#define FRAME_MARGIN 80

int load_font_table(GFontTable *table, int kind, const char *name) {
    memset(table, 0, sizeof *table);
    if (gftable_load_font_table(table, 0, kind, name))
        return 1;
    char what[96];
    snprintf(what, sizeof what, "loading font table %s",
             name != NULL ? name : "(the built-in ASCII table)");
    report_failure(what);
    release_font_table(table);
    return 0;
}

void release_font_table(GFontTable *table) {
    gftable_unload_font_table(table);
    free(table->name);
    memset(table, 0, sizeof *table);
}

int write_text(const Canvas *canvas, GFontTable *font, int colour, WorldPointS at, int32_t height,
               const char *text) {
    CHECK(gplot_set_foreground_color(canvas->plot, colour), "setting the text colour");
    CHECK(gplot_write_ascii_text_world(canvas->plot, font, &at, height, text), "writing text");
    return 1;
}

int measure_char_width(const Canvas *canvas, GFontTable *font, int32_t height, int32_t *width) {
    int32_t cell_height = 0;
    CHECK(gplot_get_ascii_text_bound_box(canvas->plot, font, height, "M", &cell_height, width),
          "measuring one character");
    return 1;
}

int fit_height(const Canvas *canvas, GFontTable *font, const char *text, int32_t height,
               int32_t width, int32_t *fitted) {
    int32_t text_height = 0, text_width = 0;
    CHECK(
        gplot_get_ascii_text_bound_box(canvas->plot, font, height, text, &text_height, &text_width),
        "measuring text");
    *fitted = text_width > width ? (int32_t)((int64_t)height * width / text_width) : height;
    return 1;
}

int draw_labelled_frame(const Canvas *canvas, GFontTable *font, Box area, const char *label) {
    const WorldPointS at = {area.x1 + FRAME_MARGIN, area.y2 - FRAME_MARGIN - LABEL_HEIGHT};
    int32_t height = 0;
    return draw_frame(canvas, area) &&
           fit_height(canvas, font, label, LABEL_HEIGHT, area.x2 - area.x1 - 2 * FRAME_MARGIN,
                      &height) &&
           write_text(canvas, font, canvas->colours.blue, at, height, label);
}

Box labelled_frame_inside(Box area) {
    Box inside = box_inset(area, FRAME_MARGIN, FRAME_MARGIN);
    inside.y2 -= LABEL_HEIGHT + FRAME_MARGIN;
    return inside;
}
