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
    Output output;
    if (!device->open(options->output, &output))
        return 0;
    const int drawn = sheet->draw(output.plot);
    const int saved = drawn && (device->save == NULL || device->save(&output, options->output));
    /* Closed even after a failure, so a plot file is complete up to it. */
    const int closed = device->close(&output, options->output);
    return drawn && saved && closed;
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
    if (options.print_text != NULL)
        return print_text_file(options.print_text, options.output) ? 0 : 1;
    return render(&options) ? 0 : 1;
}
