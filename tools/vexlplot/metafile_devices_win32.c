/* The enhanced-metafile kinds of the Windows builds. */
#include <stdio.h>

#include "devices.h"

/* Enhanced metafiles, where the library has the Windows graphics device: the
 * sheet scaled to the screen's size, or true to size at 1000 world units to
 * the inch (the sheets' 10 x 7 units become 10 x 7 inches). */
static int open_emf(const char *file, int scaled, Output *output) {
    setScaleToFitPage(scaled);
    output->plot = gplot_open_file(file, DB_UNIT_INCH, -3, NULL);
    output->holder = NULL;
    if (output->plot == NULL) {
        fprintf(stderr, "vexlplot: opening metafile %s: %s\n", file, gplot_get_error_message());
        return 0;
    }
    return 1;
}
int open_emf_scaled(const char *file, Output *output) {
    return open_emf(file, 1, output);
}
int open_emf_true_size(const char *file, Output *output) {
    return open_emf(file, 0, output);
}
