/* The public header from a C99 program linked against the shared library:
 * it compiles as C, and the interface behaves through the library's exports.
 * Prints one line per check and "N passed, N failed" at the end. */
#include <stdio.h>
#include <string.h>

#include "gplot.h"

static int passed = 0;
static int failed = 0;

static void check(int condition, const char *what) {
    if (condition) {
        ++passed;
    } else {
        ++failed;
        printf("FAILED: %s\n", what);
    }
}

int main(void) {
    WorldPointS point = {1, 2};
    GPlot *plot;
    VexlVersion version;
    char value[260];

    check(sizeof point == 8, "WorldPointS is two 32-bit integers");
    check(sizeof(WorldArcS) == 20, "WorldArcS is five 32-bit integers");

    GplotErrno = 0;
    check(strcmp(gplot_get_error_message(), "No error") == 0, "code 0 reads No error");
    check(gplot_error_is_warning() == 1, "code 0 is a warning");

    plot = gplot_open((GPlotDevice)5, NULL, NULL, NULL, NULL);
    check(plot == NULL && GplotErrno == 4, "kind 5 is refused with code 4");

    check(gplot_close(NULL) == 0 && GplotErrno == 1, "closing no plot is code 1");
    check(gplot_get_buffer_mode(NULL) == 0 && GplotErrno == 1, "buffer mode of no plot");
    GplotErrno = 0;
    check(gplot_save_clipboard_to_file(NULL, "x.emf") == 0 && GplotErrno == 1,
          "saving the clipboard of no plot is code 1");

    check(gplot_get_environment("STDERR_OUTPUT", value) == 1, "the test runs with STDERR_OUTPUT");
    check(vexl_displayMsg("c_api: message on the error stream", "C", MSG_QUESTION_OK_CANCEL) ==
              MSG_RESULT_NONE,
          "a question on the error stream answers 0");

    check(vexldll_load(GPLOT_SCREEN) == 1, "screen plots need no companion module");

    version = vexl_get_version();
    check(strncmp(version.text, " GUI_LIB=MFC VER=330 REV=200", 28) == 0, "version prefix");

    gftable_set_global_font_tabstop(4);
    check(gftable_get_global_font_tabstop() == 4, "the global tab stop is kept");

    printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
