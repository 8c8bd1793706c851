#include "devices.h"

#include <string.h>

static int open_hpgl2(const char *file, Output *output) {
    output->plot = gplot_open_hpgl2(file, DB_UNIT_MILLIMETRE, 0);
    output->holder = NULL;
    if (output->plot == NULL) {
        fprintf(stderr, "vexlplot: opening hpgl2 plot %s: %s\n", file, gplot_get_error_message());
        return 0;
    }
    return 1;
}

/* Closing writes the page eject and flushes the file. */
int close_plot(Output *output, const char *file) {
    if (!gplot_close(output->plot)) {
        fprintf(stderr, "vexlplot: closing %s: %s\n", file, gplot_get_error_message());
        return 0;
    }
    return 1;
}

static const DeviceKind portable_kinds[] = {
    {"hpgl2", "vexlplot.hgl", open_hpgl2, NULL, close_plot},
};

enum { PORTABLE_KIND_COUNT = sizeof portable_kinds / sizeof portable_kinds[0] };

/* Kind i of the portable kinds followed by the platform's; null past the end. */
static const DeviceKind *kind_at(int i) {
    if (i < PORTABLE_KIND_COUNT)
        return &portable_kinds[i];
    int platform_count = 0;
    const DeviceKind *platform = platform_device_kinds(&platform_count);
    return i - PORTABLE_KIND_COUNT < platform_count ? &platform[i - PORTABLE_KIND_COUNT] : NULL;
}

const DeviceKind *find_device(const char *name) {
    const DeviceKind *kind;
    for (int i = 0; (kind = kind_at(i)) != NULL; ++i) {
        if (strcmp(kind->name, name) == 0)
            return kind;
    }
    return NULL;
}

void print_device_names(FILE *stream) {
    const DeviceKind *kind;
    for (int i = 0; (kind = kind_at(i)) != NULL; ++i)
        fprintf(stream, "%s%s", i > 0 ? ", " : "", kind->name);
}
