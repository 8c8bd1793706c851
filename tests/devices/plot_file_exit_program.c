/* An application that leaves its plot file open when it ends. It draws
 * through the shared library and ends the way its arguments say, without
 * closing the plot:
 *
 *   plot_file_exit_program FILE exit|return|late [flushed]
 *
 * exit    calls exit() with the plot still open;
 * return  returns from main with the plot still open;
 * late    draws once more from an exit handler of its own, registered before
 *         the plot was opened and so run after any the library registers;
 *         then calls exit().
 *
 * With "flushed" it draws the same, late lines included, then flushes the
 * plot and ends with _Exit, which runs no exit handler and flushes no
 * stream: the file then holds exactly what was written, for comparison.
 * The exit status is 0, or 1 when a library call failed. */
#include <stdlib.h>
#include <string.h>

#include "gplot.h"

static GPlot *plot;

static int draw_star(int centre) {
    WorldPointS points[6];
    int i, ok = 1;
    for (i = 0; i < 6; ++i) {
        points[i].x = centre + (i % 2 ? 40 : -40) + i;
        points[i].y = centre + (i < 3 ? 30 : -30) - i;
    }
    for (i = 0; i < 5; ++i)
        ok &= gplot_draw_line_world(plot, &points[i], &points[i + 1]);
    return ok && gplot_draw_lines_world(plot, points, 6);
}

static void draw_late(void) {
    if (!draw_star(700))
        _Exit(1);
}

int main(int argc, char **argv) {
    static const int32_t world[4] = {0, 0, 1000, 1000};
    const char *mode = argc > 2 ? argv[2] : "";
    const int flushed = argc > 3 && strcmp(argv[3], "flushed") == 0;
    const int late = strcmp(mode, "late") == 0;
    int i;

    if (argc < 3)
        return 1;
    if (late && !flushed && atexit(draw_late) != 0)
        return 1;
    plot = gplot_open_hpgl2(argv[1], DB_UNIT_INCH, 0);
    if (plot == NULL || !gplot_set_viewport(plot, 0.0f, 0.0f, 1.0f, 1.0f) ||
        !gplot_set_world(plot, world))
        return 1;
    for (i = 0; i < 20; ++i) {
        if (!draw_star(100 + 25 * i))
            return 1;
    }

    if (flushed) {
        if (late)
            draw_late();
        if (!gplot_flush(plot))
            return 1;
        _Exit(0);
    }
    if (strcmp(mode, "return") == 0)
        return 0;
    exit(0);
}
