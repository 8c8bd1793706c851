/* The output kinds vexlplot can open a plot on. A plot file is complete when
 * its plot closes; a window is not an output by itself, so the screen kind
 * saves what the window shows before the plot closes. */
#ifndef VEXLPLOT_DEVICES_H
#define VEXLPLOT_DEVICES_H

#include <stdio.h>

#include "gplot.h"

/* One open output: its plot and whatever else the kind made to hold it. */
typedef struct Output {
    GPlot *plot;
    void *holder; /* the kind's own (a window), or null */
} Output;

typedef struct DeviceKind {
    const char *name;
    const char *default_file; /* what -o names when it is not given */
    /* Opens a plot for `file`; 0 after reporting a failure. */
    int (*open)(const char *file, Output *output);
    /* After the sheet is drawn: writes `file` from what the output holds;
     * null when the plot writes the file itself. 0 after reporting. */
    int (*save)(const Output *output, const char *file);
    /* Closes the plot and releases the rest; 0 after reporting a failure. */
    int (*close)(Output *output, const char *file);
} DeviceKind;

/* The kind called `name`, or null. */
const DeviceKind *find_device(const char *name);
/* Writes the known names, separated by ", ". */
void print_device_names(FILE *stream);

/* Closes a plot that writes its file itself; 0 after reporting a failure. */
int close_plot(Output *output, const char *file);

/* The Windows builds' enhanced metafiles, scaled and true to size. */
int open_emf_scaled(const char *file, Output *output);
int open_emf_true_size(const char *file, Output *output);

/* The Windows builds' Windows metafiles, without and with the Aldus
 * placeable header, chosen through the print dialogs and delivered by the
 * library's print-file call. */
int open_wmf_plain(const char *file, Output *output);
int open_wmf_placeable(const char *file, Output *output);
int close_wmf(Output *output, const char *file);

/* The Windows builds' printer: the default printer, the job named `file`. */
int open_printer(const char *file, Output *output);
int close_printer(Output *output, const char *file);

/* Prints a copy of the text file `file`, made in the current folder under
 * the name `copy` (the print job's name), on the default printer; the
 * library erases the copy it printed. 0 after reporting a failure (on
 * systems without printing, always). */
int print_text_file(const char *file, const char *copy);

/* The kinds only some systems have (the screen and the metafiles on
 * Windows); none elsewhere. */
const DeviceKind *platform_device_kinds(int *count);

#endif
