/* The sheets vexlplot can render. */
#ifndef VEXLPLOT_SHEETS_H
#define VEXLPLOT_SHEETS_H

#include <stdio.h>

#include "gplot.h"

typedef struct Sheet {
    const char *name;
    /* Draws the whole sheet on an open plot; 0 after reporting a failure. */
    int (*draw)(GPlot *plot);
} Sheet;

/* The sheet called `name`, or null. */
const Sheet *find_sheet(const char *name);
/* Writes the known names, separated by ", ". */
void print_sheet_names(FILE *stream);

/* The sheets themselves. */
int draw_primitives_sheet(GPlot *plot);
int draw_text_sheet(GPlot *plot);

#endif
