/* Command-line options of vexlplot. */
#ifndef VEXLPLOT_OPTIONS_H
#define VEXLPLOT_OPTIONS_H

#include <stdio.h>

typedef enum OptionsResult {
    OPTIONS_RUN,  /* render with the parsed options */
    OPTIONS_HELP, /* --help was given */
    OPTIONS_BAD   /* a message has been printed; exit with status 2 */
} OptionsResult;

typedef struct Options {
    const char *output;     /* file to write; the device's default when not given */
    const char *device;     /* output kind, a name find_device knows */
    const char *sheet;      /* sheet to render, a name find_sheet knows */
    const char *print_text; /* a text file to print instead of a sheet, or null */
} Options;

/* Fills `options` from argv (defaults for what is not given). */
OptionsResult parse_options(int argc, char **argv, Options *options);
void print_usage(FILE *stream);

#endif
