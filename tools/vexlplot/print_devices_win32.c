/* Printing in the Windows builds, the way an application prints without
 * asking: PrintSetup_Dialog with dialog kind 0 takes the default printer
 * and its context without showing a dialog and sets the print status, so
 * that a print plot opened next draws straight into a print job on it
 * (named after the plot's file name), and a text file handed to
 * gprint_printFile is printed line by line. */
#include <windows.h>

#include "devices.h"
#include "gplot_win32.h"

/* Takes the default printer for the content kind (0 graphics, 1 text). */
static int take_default_printer(int content_kind) {
    if (PrintSetup_Dialog(NULL, 0, content_kind) != 0 && getPrintStatus() == 1)
        return 1;
    fputs("vexlplot: there is no default printer\n", stderr);
    return 0;
}

int open_printer(const char *file, Output *output) {
    output->plot = NULL;
    output->holder = NULL;
    if (!take_default_printer(0))
        return 0;
    output->plot = gplot_open_print(file, DB_UNIT_INCH, -3, NULL);
    if (output->plot == NULL) {
        fprintf(stderr, "vexlplot: opening a print plot: %s\n", gplot_get_error_message());
        return 0;
    }
    /* Without the printer's context the plot would record a metafile at
     * `file` instead. */
    if (output->plot->device_kind != GPLOT_PRINT) {
        fputs("vexlplot: the print plot did not get the printer\n", stderr);
        gplot_close(output->plot);
        return 0;
    }
    return 1;
}

/* Closing ends the page and the job, which goes to the printer's queue. */
int close_printer(Output *output, const char *file) {
    if (!gplot_close(output->plot)) {
        fprintf(stderr, "vexlplot: ending the print job %s: %s\n", file, gplot_get_error_message());
        return 0;
    }
    return 1;
}

int print_text_file(const char *file, const char *copy) {
    /* The delivery erases the file it prints, so it gets a copy; an existing
     * file of that name is never overwritten. */
    if (!CopyFileA(file, copy, TRUE)) {
        fprintf(stderr, "vexlplot: copying %s to %s: Windows error %lu\n", file, copy,
                (unsigned long)GetLastError());
        return 0;
    }
    if (!take_default_printer(1)) {
        DeleteFileA(copy);
        return 0;
    }
    if (!gprint_printFile(1, copy, NULL)) {
        fprintf(stderr, "vexlplot: printing %s failed: %s\n", file, gplot_get_error_message());
        return 0;
    }
    return 1;
}
