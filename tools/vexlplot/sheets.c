#include "sheets.h"

#include <string.h>

static const Sheet sheets[] = {
    {"primitives", draw_primitives_sheet},
    {"text", draw_text_sheet},
};

enum { SHEET_COUNT = sizeof sheets / sizeof sheets[0] };

const Sheet *find_sheet(const char *name) {
    for (int i = 0; i < SHEET_COUNT; ++i) {
        if (strcmp(sheets[i].name, name) == 0)
            return &sheets[i];
    }
    return NULL;
}

void print_sheet_names(FILE *stream) {
    for (int i = 0; i < SHEET_COUNT; ++i)
        fprintf(stream, "%s%s", i > 0 ? ", " : "", sheets[i].name);
}
