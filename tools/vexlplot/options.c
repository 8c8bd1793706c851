/* Parses the command line. Each option taking a value accepts it as the next
 * argument or after '=' (--output=FILE); the last occurrence wins. */
#include "options.h"

#include <string.h>

#include "devices.h"
#include "sheets.h"

void print_usage(FILE *stream) {
    fputs("usage: vexlplot [-o FILE] [--device KIND] [--sheet NAME]\n"
          "Renders a demonstration sheet through the vexl33 C interface.\n"
          "\n"
          "  -o, --output FILE  file to write (default vexlplot.hgl; vexlplot.png for\n"
          "                     the screen, .emf and .wmf for the metafiles)\n"
          "  --device KIND      output kind: ",
          stream);
    print_device_names(stream);
    fputs(" (default hpgl2)\n"
          "  --sheet NAME       sheet to render: ",
          stream);
    print_sheet_names(stream);
    fputs(" (default primitives)\n"
          "  --print-text FILE  print a copy of the text file FILE on the default\n"
          "                     printer instead (Windows); -o names the copy, made in\n"
          "                     the current folder, which is also the job's name\n"
          "                     (default vexlplot.txt)\n"
          "  -h, --help         show this help and exit\n"
          "\n"
          "Devices: 'hpgl2' writes an HP-GL/2 plot file; 'screen' (Windows) draws in\n"
          "a window of its own and saves what the window shows as a PNG picture;\n"
          "'emf' and 'emf-true-size' (Windows) write enhanced metafiles; 'wmf' and\n"
          "'wmf-placeable' (Windows) export a Windows metafile without and with the\n"
          "Aldus placeable header through the print dialogs, which vexlplot answers\n"
          "itself; 'printer' (Windows) prints on the default printer, -o naming the\n"
          "job (default vexlplot).\n"
          "\n"
          "Sheets: 'primitives' shows every drawing primitive and attribute; 'text'\n"
          "shows every font table of the font folder, justified blocks, tabs,\n"
          "rotated text and virtual text.\n"
          "\n"
          "The library finds its colours, fill patterns and fonts through its\n"
          "settings: set MOLVERN_CONFIG to a configuration file such as\n"
          "data/molvern.cfg, and STDERR_OUTPUT=1 to have its messages written to\n"
          "standard error. The text sheet needs the Hershey glyph file named by\n"
          "MOLVERN_OCCIDENTAL_FILE (made by scripts/setup) and reads the font tables\n"
          "in the folder MOLVERN_FONT_FILE names; a table that does not load is\n"
          "reported and left out.\n"
          "Exit status: 0 on success, 1 when a library call fails, 2 on bad usage.\n",
          stream);
}

static OptionsResult bad_usage(const char *problem, const char *argument) {
    fprintf(stderr, "vexlplot: %s '%s'\n", problem, argument);
    print_usage(stderr);
    return OPTIONS_BAD;
}

static OptionsResult unknown_name(const char *what, const char *name, void (*print_known)(FILE *)) {
    fprintf(stderr, "vexlplot: unknown %s '%s'; known: ", what, name);
    print_known(stderr);
    fputs("\nTry 'vexlplot --help'.\n", stderr);
    return OPTIONS_BAD;
}

/* Matches argv[*index] against an option taking a value, given as the next
 * argument or as "--long=VALUE". Returns 1 on a match, with *value null when
 * the value is missing, and 0 when the argument is some other option. */
static int take_value(int argc, char **argv, int *index, const char *short_name,
                      const char *long_name, const char **value) {
    const char *argument = argv[*index];
    const size_t long_length = strlen(long_name);
    if (strncmp(argument, long_name, long_length) == 0 && argument[long_length] == '=') {
        *value = argument + long_length + 1;
        return 1;
    }
    if (strcmp(argument, long_name) != 0 &&
        (short_name == NULL || strcmp(argument, short_name) != 0))
        return 0;
    *value = *index + 1 < argc ? argv[++*index] : NULL;
    return 1;
}

OptionsResult parse_options(int argc, char **argv, Options *options) {
    options->output = NULL;
    options->device = "hpgl2";
    options->sheet = "primitives";
    options->print_text = NULL;

    for (int i = 1; i < argc; ++i) {
        const char *argument = argv[i];
        const char **target = NULL;
        const char *value = NULL;
        if (strcmp(argument, "-h") == 0 || strcmp(argument, "--help") == 0)
            return OPTIONS_HELP;
        if (take_value(argc, argv, &i, "-o", "--output", &value))
            target = &options->output;
        else if (take_value(argc, argv, &i, NULL, "--device", &value))
            target = &options->device;
        else if (take_value(argc, argv, &i, NULL, "--sheet", &value))
            target = &options->sheet;
        else if (take_value(argc, argv, &i, NULL, "--print-text", &value))
            target = &options->print_text;
        else
            return bad_usage("unknown argument", argument);
        if (value == NULL || value[0] == '\0')
            return bad_usage("missing value for", argument);
        *target = value;
    }

    if (options->print_text != NULL) {
        if (options->output == NULL)
            options->output = "vexlplot.txt";
        return OPTIONS_RUN;
    }
    if (find_device(options->device) == NULL)
        return unknown_name("device", options->device, print_device_names);
    if (find_sheet(options->sheet) == NULL)
        return unknown_name("sheet", options->sheet, print_sheet_names);
    if (options->output == NULL)
        options->output = find_device(options->device)->default_file;
    return OPTIONS_RUN;
}
