/* vexlplot: renders a demonstration sheet through the library's public C
 * interface, as any application would. */
#include <stdio.h>

#include "devices.h"
#include "gplot.h"
#include "options.h"
#include "sheets.h"

static int render(const Options *options) {
    const DeviceKind *device = find_device(options->device);
    const Sheet *sheet = find_sheet(options->sheet);
    GPlot *plot = device->open(options->output);
    if (plot == NULL) {
        fprintf(stderr, "vexlplot: opening %s plot %s: %s\n", device->name, options->output,
                gplot_get_error_message());
        return 0;
    }
    const int drawn = sheet->draw(plot);
    /* Closed even after a failure, so the file is complete up to it. */
    if (!gplot_close(plot)) {
        fprintf(stderr, "vexlplot: closing %s: %s\n", options->output, gplot_get_error_message());
        return 0;
    }
    return drawn;
}

int main(int argc, char **argv) {
    Options options;
    switch (parse_options(argc, argv, &options)) {
        case OPTIONS_HELP:
            print_usage(stdout);
            return 0;
        case OPTIONS_BAD:
            return 2;
        case OPTIONS_RUN:
            break;
    }
    return render(&options) ? 0 : 1;
}
