/* The public header from a C99 program linked against the shared library:
 * it compiles as C, and the interface behaves through the library's exports.
 * Prints one line per check and "N passed, N failed" at the end. */
#include <stdio.h>
#include <string.h>

#include "gplot.h"
#ifdef _WIN32
#include <windows.h>
#endif

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

    {
        const int32_t world[4] = {0, 0, 100, 100};
        WorldPointS a = {0, 0}, b = {100, 100};
        plot = gplot_open_hpgl2("c_api_test.hgl", DB_UNIT_INCH, 0);
        check(plot != NULL, "an HP-GL/2 plot opens");
        if (plot != NULL) {
            check(gplot_set_world(plot, world) == 1, "the world window is set");
            check(gplot_draw_line_world(plot, &a, &b) == 1, "a line is drawn");
            check(gplot_set_line_type(plot, 7) == 0 && GplotErrno == 6, "line type 7 is refused");
            check(gplot_close(plot) == 1, "the plot closes");
        }
        remove("c_api_test.hgl");
    }

#ifdef _WIN32
    {
        /* A window plot drawn through the C interface and read back. */
        const int32_t world[4] = {0, 0, 100, 100};
        WorldPointS a = {0, 50}, b = {100, 50};
        WNDCLASSA description;
        HWND window;
        HDC dc;
        int red = 0, green = 0, blue = 0;
        memset(&description, 0, sizeof description);
        description.lpfnWndProc = DefWindowProcA;
        description.hInstance = GetModuleHandleA(NULL);
        description.lpszClassName = "vexl33 c_api window";
        RegisterClassA(&description);
        window = CreateWindowExA(0, description.lpszClassName, "c_api", WS_POPUP | WS_VISIBLE, 0, 0,
                                 100, 100, NULL, NULL, description.hInstance, NULL);
        check(window != NULL, "a window for the screen plot");
        plot = gplot_open_screen(window);
        check(plot != NULL, "a screen plot opens on the window");
        if (plot != NULL) {
            check(gplot_set_world(plot, world) == 1, "the screen plot's world window is set");
            check(gplot_set_foreground_color(plot, 1) == 1, "the screen plot takes colour 1");
            check(gplot_draw_line_world(plot, &a, &b) == 1, "a line is drawn on the screen");
            check(gplot_get_color_RGB(plot, 1, &red, &green, &blue) == 1, "colour 1 is known");
            dc = GetDC(window);
            check(GetPixel(dc, 50, 50) == RGB(red, green, blue), "the line crosses the window");
            check(GetPixel(dc, 50, 40) != RGB(red, green, blue), "and nowhere else");
            ReleaseDC(window, dc);
            check(gplot_close(plot) == 1, "the screen plot closes");
        }
        plot = gplot_open(GPLOT_SCREEN, window, NULL, NULL, NULL);
        check(plot != NULL && plot->device_kind == GPLOT_SCREEN, "gplot_open makes a screen plot");
        if (plot != NULL)
            gplot_close(plot);
        DestroyWindow(window);
    }
#endif

    printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
