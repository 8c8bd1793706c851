/* The screen kind: vexlplot opens a window of a fixed client size, draws the
 * sheet on a screen plot of that window, reads the window's pixels back
 * through GDI (a BitBlt into a DIB section, the way any Windows program takes
 * a picture of a window) and saves them as a PNG picture.
 *
 * The window is shown and painted (white, the paper of a plot file) before
 * the plot opens, and no message is handled between drawing and reading back,
 * so nothing repaints over the sheet. It must lie wholly on the screen: the
 * parts of a window off the screen have no pixels to read. */
#include <stdlib.h>

#include <windows.h>

#include "devices.h"
#include "png_writer.h"

/* The sheet's world window is 10 by 7; the client area keeps that shape. */
enum { CLIENT_WIDTH = 1000, CLIENT_HEIGHT = 700 };

static const char window_class_name[] = "vexlplot sheet";

static void report_windows_failure(const char *what) {
    fprintf(stderr, "vexlplot: %s: Windows error %lu\n", what, (unsigned long)GetLastError());
}

/* Handles whatever is queued (the first paint above all), without waiting. */
static void settle_messages(void) {
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

static int register_window_class(void) {
    WNDCLASSA window_class;
    ZeroMemory(&window_class, sizeof window_class);
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(NULL);
    window_class.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    window_class.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    window_class.lpszClassName = window_class_name;
    return RegisterClassA(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

/* A shown, painted window whose client area is CLIENT_WIDTH x CLIENT_HEIGHT
 * at the top left of the screen; null after reporting a failure. */
static HWND create_sheet_window(void) {
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};
    if (!register_window_class() || !AdjustWindowRect(&frame, style, FALSE)) {
        report_windows_failure("registering the window class");
        return NULL;
    }
    const int screen_width = GetSystemMetrics(SM_CXSCREEN);
    const int screen_height = GetSystemMetrics(SM_CYSCREEN);
    if (frame.right - frame.left > screen_width || frame.bottom - frame.top > screen_height) {
        fprintf(stderr,
                "vexlplot: the screen (%d x %d) cannot show a window of %ld x %ld; "
                "a larger screen is needed (under xvfb-run: -s \"-screen 0 1280x1024x24\")\n",
                screen_width, screen_height, (long)(frame.right - frame.left),
                (long)(frame.bottom - frame.top));
        return NULL;
    }
    HWND window =
        CreateWindowExA(0, window_class_name, "vexlplot", style, 0, 0, frame.right - frame.left,
                        frame.bottom - frame.top, NULL, NULL, GetModuleHandleA(NULL), NULL);
    if (window == NULL) {
        report_windows_failure("creating the window");
        return NULL;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    settle_messages();
    RECT client;
    if (!GetClientRect(window, &client) || client.right != CLIENT_WIDTH ||
        client.bottom != CLIENT_HEIGHT) {
        fprintf(stderr, "vexlplot: the window's client area is not %d x %d\n", CLIENT_WIDTH,
                CLIENT_HEIGHT);
        DestroyWindow(window);
        return NULL;
    }
    return window;
}

static int open_screen(const char *file, Output *output) {
    (void)file;
    output->plot = NULL;
    output->holder = create_sheet_window();
    if (output->holder == NULL)
        return 0;
    output->plot = gplot_open_screen(output->holder);
    if (output->plot == NULL) {
        fprintf(stderr, "vexlplot: opening a screen plot: %s\n", gplot_get_error_message());
        DestroyWindow(output->holder);
        return 0;
    }
    return 1;
}

/* The client area as RGB rows, top row first; null after reporting. */
static uint8_t *read_client_pixels(HWND window) {
    uint8_t *rgb = NULL;
    HDC window_dc = GetDC(window);
    HDC memory_dc = window_dc != NULL ? CreateCompatibleDC(window_dc) : NULL;
    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = CLIENT_WIDTH;
    info.bmiHeader.biHeight = -CLIENT_HEIGHT; /* top-down, like the PNG */
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = NULL;
    HBITMAP dib = memory_dc != NULL
                      ? CreateDIBSection(window_dc, &info, DIB_RGB_COLORS, &bits, NULL, 0)
                      : NULL;
    HGDIOBJ previous = dib != NULL ? SelectObject(memory_dc, dib) : NULL;
    if (previous == NULL ||
        !BitBlt(memory_dc, 0, 0, CLIENT_WIDTH, CLIENT_HEIGHT, window_dc, 0, 0, SRCCOPY)) {
        report_windows_failure("reading the window's pixels");
    } else if ((rgb = malloc((size_t)CLIENT_WIDTH * CLIENT_HEIGHT * 3)) == NULL) {
        fputs("vexlplot: no memory for the window's pixels\n", stderr);
    } else {
        GdiFlush();
        /* A 32-bit DIB holds blue, green, red and an unused byte. */
        const uint8_t *from = bits;
        for (size_t i = 0; i < (size_t)CLIENT_WIDTH * CLIENT_HEIGHT; ++i) {
            rgb[3 * i] = from[4 * i + 2];
            rgb[3 * i + 1] = from[4 * i + 1];
            rgb[3 * i + 2] = from[4 * i];
        }
    }
    if (previous != NULL)
        SelectObject(memory_dc, previous);
    if (dib != NULL)
        DeleteObject(dib);
    if (memory_dc != NULL)
        DeleteDC(memory_dc);
    if (window_dc != NULL)
        ReleaseDC(window, window_dc);
    return rgb;
}

static int save_window(const Output *output, const char *file) {
    uint8_t *rgb = read_client_pixels(output->holder);
    if (rgb == NULL)
        return 0;
    FILE *stream = fopen(file, "wb");
    int saved =
        stream != NULL && png_write_rgb(stream, rgb, CLIENT_WIDTH, CLIENT_HEIGHT, CLIENT_WIDTH * 3);
    if (stream != NULL && fclose(stream) != 0)
        saved = 0;
    free(rgb);
    if (!saved)
        fprintf(stderr, "vexlplot: could not write the picture %s\n", file);
    return saved;
}

static int close_screen(Output *output, const char *file) {
    (void)file;
    int closed = 1;
    if (!gplot_close(output->plot)) {
        fprintf(stderr, "vexlplot: closing the screen plot: %s\n", gplot_get_error_message());
        closed = 0;
    }
    DestroyWindow(output->holder);
    return closed;
}

static const DeviceKind windows_kinds[] = {
    {"screen", "vexlplot.png", open_screen, save_window, close_screen},
    {"emf", "vexlplot.emf", open_emf_scaled, NULL, close_plot},
    {"emf-true-size", "vexlplot.emf", open_emf_true_size, NULL, close_plot},
    {"wmf", "vexlplot.wmf", open_wmf_plain, NULL, close_wmf},
    {"wmf-placeable", "vexlplot.wmf", open_wmf_placeable, NULL, close_wmf},
    {"printer", "vexlplot", open_printer, NULL, close_printer},
};

const DeviceKind *platform_device_kinds(int *count) {
    *count = (int)(sizeof windows_kinds / sizeof windows_kinds[0]);
    return windows_kinds;
}
