#include "devices.h"

#include <string.h>

static GPlot *open_hpgl2(const char *file) {
    return gplot_open_hpgl2(file, DB_UNIT_MILLIMETRE, 0);
}

static const DeviceKind device_kinds[] = {
    {"hpgl2", open_hpgl2},
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
