/* The first Windows graphics plot of a process loads the companion print
 * module for its kind; later plots leave the module alone. Run with the
 * module's file name and the kinds of plot to open in turn, each "file" or
 * "screen" (a screen plot on the desktop):
 *
 *   first_gdi_plot_program MODULE KIND...
 *
 * Prints the module's load status after each open and exits 0 when every
 * plot opened and closed. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "gplot.h"

int main(int argc, char **argv) {
    static char setting[300];
    int i;
    if (argc < 3)
        return 2;
    snprintf(setting, sizeof setting, "VEXLDLL=%s", argv[1]);
    putenv(setting);
    for (i = 2; i < argc; ++i) {
        GPlot *plot = strcmp(argv[i], "file") == 0 ? gplot_open_file("first_plot.emf", 0, 0, NULL)
                                                   : gplot_open_screen(NULL);
        if (plot == NULL)
            return 1;
        printf("%s %d\n", argv[i], vexldll_loadStatus());
        if (gplot_close(plot) != 1)
            return 1;
    }
    return 0;
}
