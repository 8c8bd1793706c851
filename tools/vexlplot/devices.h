/* The output kinds vexlplot can open a plot on. */
#ifndef VEXLPLOT_DEVICES_H
#define VEXLPLOT_DEVICES_H

#include <stdio.h>

#include "gplot.h"

typedef struct DeviceKind {
    const char *name;
    /* Opens a plot writing to `file`; null (with the library's error code set) on failure. */
    GPlot *(*open)(const char *file);
} DeviceKind;

/* The kind called `name`, or null. */
const DeviceKind *find_device(const char *name);
/* Writes the known names, separated by ", ". */
void print_device_names(FILE *stream);

#endif
