#include "devices.h"

#include <string.h>

static GPlot *open_hpgl2(const char *file) {
    return gplot_open_hpgl2(file, DB_UNIT_MILLIMETRE, 0);
}

/* Enhanced metafiles, where the library has the Windows graphics device: the
 * sheet scaled to the screen's size, or true to size at 1000 world units to
 * the inch (the sheets' 10 x 7 units become 10 x 7 inches). */
static GPlot *open_emf(const char *file, int scaled) {
    setScaleToFitPage(scaled);
    return gplot_open_file(file, DB_UNIT_INCH, -3, NULL);
}
static GPlot *open_emf_scaled(const char *file) {
    return open_emf(file, 1);
}
static GPlot *open_emf_true_size(const char *file) {
    return open_emf(file, 0);
}

static const DeviceKind device_kinds[] = {
    {"hpgl2", open_hpgl2},
    {"emf", open_emf_scaled},
    {"emf-true-size", open_emf_true_size},
};

enum { DEVICE_KIND_COUNT = sizeof device_kinds / sizeof device_kinds[0] };

const DeviceKind *find_device(const char *name) {
    for (int i = 0; i < DEVICE_KIND_COUNT; ++i) {
        if (strcmp(device_kinds[i].name, name) == 0)
            return &device_kinds[i];
    }
    return NULL;
}

void print_device_names(FILE *stream) {
    for (int i = 0; i < DEVICE_KIND_COUNT; ++i)
        fprintf(stream, "%s%s", i > 0 ? ", " : "", device_kinds[i].name);
}
