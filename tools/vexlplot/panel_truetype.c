/* TrueType text through Windows GDI: a regular, a bold and an italic face,
 * each writing its own name; a block of lines centred and one set right in
 * a single call each, with red lines at the block's measured edges; and two
 * lines turned about one point, marked by a small circle.
 *
 * Faces are loaded by their full names from the TrueType font folder
 * (MOLVERN_FONT_DIR) as far as GDI knows them too. An HP-GL/2 plot file has
 * no TrueType text (its device refuses it), so there the panel only says
 * where to look for it. */
#include <math.h>
#include <stdio.h>
#include <string.h>

#include "text_panels.h"

enum { REGULAR, BOLD, ITALIC, FACES };
/* Liberation's faces (Debian's fonts-liberation), which scripts/demo names
 * the folder of. */
static const char *const face_names[FACES] = {"Liberation Sans", "Liberation Sans Bold",
                                              "Liberation Serif Italic"};

static const char centred_block[] = "Three lines\ncentred\nin one call";
static const char right_block[] = "Three lines\nset right\nin one call";
static const char turned_text[] = "Turned 30 degrees\nline by line";

#define MAX_FACE_HEIGHT 150
#define MAX_BLOCK_HEIGHT 130
#define MAX_TURNED_HEIGHT 150
#define TURNED_DEGREES 30.0
#define LEFT 1

static const char plot_file_note[] = "TrueType text is drawn by\n"
                                     "Windows GDI: see this sheet\n"
                                     "on the screen or in a metafile.";
#define NOTE_HEIGHT 150

/* Loads face `name` into `table`; a face that is not available is reported
 * and leaves the table empty (its part of the panel is left out). */
static int load_face(GFontTable *table, const char *name) {
    memset(table, 0, sizeof *table);
    if (gttfont_loadFont(table, name))
        return 1;
    fprintf(stderr,
            "vexlplot: TrueType face '%s' is not available (MOLVERN_FONT_DIR names the folder "
            "of TrueType faces; GDI must know the face too)\n",
            name);
    gttfont_unloadFont(table);
    return 0;
}

/* One row per face, its name written in it. */
static int draw_face_rows(const Canvas *canvas, GFontTable faces[FACES], const int loaded[FACES],
                          Box rows) {
    for (int i = 0; i < FACES; ++i) {
        if (!loaded[i])
            continue;
        const Box row = box_row(rows, i, FACES);
        const WorldPointS at = {row.x1, row.y1 + (row.y2 - row.y1) / 5};
        int32_t height = 0;
        if (!fit_height(canvas, &faces[i], face_names[i], MAX_FACE_HEIGHT, row.x2 - row.x1,
                        &height) ||
            !write_text(canvas, &faces[i], canvas->colours.black, at, height, face_names[i]))
            return 0;
    }
    return 1;
}

static int draw_vertical(const Canvas *canvas, int32_t x, int32_t y1, int32_t y2) {
    const WorldPointS from = {x, y1}, to = {x, y2};
    CHECK(gplot_set_foreground_color(canvas->plot, canvas->colours.red), "setting a guide colour");
    CHECK(gplot_draw_line_world(canvas->plot, &from, &to), "drawing a guide line");
    return 1;
}

/* A block written in one call with the plot's justification set to
 * `justification`, its first line at the top of `box`, between red lines at
 * the edges the library measures for it. */
static int draw_justified_block(const Canvas *canvas, GFontTable *face, int justification,
                                const char *block, Box box) {
    GPlot *plot = canvas->plot;
    int32_t height = 0, block_height = 0, block_width = 0;
    if (!fit_height(canvas, face, block, MAX_BLOCK_HEIGHT, box.x2 - box.x1, &height))
        return 0;
    CHECK(gplot_get_ascii_text_bound_box(plot, face, height, block, &block_height, &block_width),
          "measuring a TrueType block");
    const WorldPointS at = {box.x1, box.y2 - height};
    CHECK(gplot_set_ascii_text_justification(plot, justification), "setting the justification");
    const int written = write_text(canvas, face, canvas->colours.black, at, height, block);
    CHECK(gplot_set_ascii_text_justification(plot, LEFT), "setting left justification");
    return written && draw_vertical(canvas, box.x1, box.y2 - block_height, box.y2) &&
           draw_vertical(canvas, box.x1 + block_width, box.y2 - block_height, box.y2);
}

/* Two lines turned about a point near the bottom left of `box`, as large as
 * the box lets the turned first line be. */
static int draw_turned_text(const Canvas *canvas, GFontTable *face, Box box) {
    GPlot *plot = canvas->plot;
    const WorldPointS centre = box_at(box, 8, 25);
    const double radians = TURNED_DEGREES * 3.14159265358979323846 / 180.0;
    /* The line's width along the turned baseline, so that its far end stays
     * inside the box across and up. */
    const double across = (box.x2 - centre.x) / cos(radians);
    const double up = (box.y2 - centre.y) / sin(radians);
    const int32_t room = (int32_t)((across < up ? across : up) * 0.8);
    int32_t height = 0;
    if (!fit_height(canvas, face, turned_text, MAX_TURNED_HEIGHT, room, &height))
        return 0;
    CHECK(gplot_set_foreground_color(plot, canvas->colours.magenta), "setting the text colour");
    CHECK(gplot_write_rotated_ascii_text_world(plot, face, &centre, height, radians, turned_text),
          "writing turned TrueType text");
    CHECK(gplot_set_foreground_color(plot, canvas->colours.black), "setting black");
    CHECK(gplot_set_marker(plot, 1), "choosing the circle marker");
    CHECK(gplot_draw_marker_world(plot, &centre, height / 2), "marking the turning point");
    return 1;
}

int draw_truetype_panel(const Canvas *canvas, GFontTable *font, Box area) {
    if (!draw_labelled_frame(canvas, font, area, "TrueType faces through GDI"))
        return 0;
    const Box inside = labelled_frame_inside(area);
    if (canvas->plot->device_kind == GPLOT_HPGL2) {
        int32_t height = 0;
        if (!fit_height(canvas, font, plot_file_note, NOTE_HEIGHT, inside.x2 - inside.x1, &height))
            return 0;
        const WorldPointS at = {inside.x1, inside.y2 - 2 * height};
        return write_text(canvas, font, canvas->colours.black, at, height, plot_file_note);
    }

    GFontTable faces[FACES];
    int loaded[FACES];
    for (int i = 0; i < FACES; ++i)
        loaded[i] = load_face(&faces[i], face_names[i]);

    /* The faces above, the blocks below on the left, the turned text on the
     * right. */
    const Box rows = {inside.x1, inside.y1 + (inside.y2 - inside.y1) * 3 / 5, inside.x2, inside.y2};
    const Box lower = {inside.x1, inside.y1, inside.x2, rows.y1 - 60};
    const Box blocks = box_column(lower, 0, 2), turned = box_column(lower, 1, 2);
    const Box centred = box_row(blocks, 0, 2), right = box_row(blocks, 1, 2);
    const int drawn =
        draw_face_rows(canvas, faces, loaded, rows) &&
        (!loaded[REGULAR] || (draw_justified_block(canvas, &faces[REGULAR], 2, centred_block,
                                                   box_inset(centred, 40, 0)) &&
                              draw_justified_block(canvas, &faces[REGULAR], 3, right_block,
                                                   box_inset(right, 40, 0)))) &&
        (!loaded[BOLD] || draw_turned_text(canvas, &faces[BOLD], turned));
    for (int i = 0; i < FACES; ++i)
        gttfont_unloadFont(&faces[i]);
    return drawn;
}
