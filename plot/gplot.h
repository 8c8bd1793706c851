/*
 * vexl33: the public C interface of the plotting library.
 *
 * A caller opens a plot on one kind of output, draws through the gplot_*
 * calls and closes it. Every call reports failure by returning 0 (or null) and
 * leaving a code in GplotErrno; gplot_get_error_message() turns the code into
 * text. The header is plain C99 and may be included from C++.
 */
#ifndef VEXL33_GPLOT_H
#define VEXL33_GPLOT_H

#include <stdint.h>

#include "vexl_export.h"

#ifdef __cplusplus
class GXWINbase;
extern "C" {
#else
typedef struct GXWINbase GXWINbase;
#endif

/* ---- Types ------------------------------------------------------------- */

/* Kind of output a plot draws on. */
typedef enum GPlotDevice {
    GPLOT_HPGL2 = 0,    /* HP-GL/2 plot file */
    GPLOT_SCREEN = 1,   /* a window on the screen */
    GPLOT_FILE = 2,     /* print to file */
    GPLOT_PRINT = 3,    /* printer */
    GPLOT_CLIPBOARD = 4 /* enhanced metafile placed on the clipboard */
} GPlotDevice;

/* Unit of world coordinates; any other value counts as inch. */
typedef enum DBUnitCode {
    DB_UNIT_MIL = 1,
    DB_UNIT_INCH = 2,
    DB_UNIT_MICROMETRE = 3,
    DB_UNIT_MILLIMETRE = 4,
    DB_UNIT_CENTIMETRE = 5
} DBUnitCode;

typedef struct WorldPointS {
    int32_t x, y;
} WorldPointS;

typedef struct DevicePointS {
    int32_t x, y;
} DevicePointS;

/* An arc: start point, centre, sweep in thousandths of a degree. */
typedef struct WorldArcS {
    int32_t x, y, cx, cy, sweep;
} WorldArcS;

/* The same record in device pixels. */
typedef struct DeviceArcS {
    int32_t x, y, cx, cy, sweep;
} DeviceArcS;

typedef struct WorldPolygonS {
    WorldPointS *points;
    int32_t n;
} WorldPolygonS;

typedef struct GFontTable GFontTable;

/*
 * The plot handle and the plot state it shares with its device. The caller
 * owns the record from open to close; the record owns its device. Rectangles
 * are x1, y1, x2, y2; the device extent is left, bottom, right, top.
 */
typedef struct GPlot {
    GPlotDevice device_kind;
    GXWINbase *device;
    float viewport[4];
    int32_t device_extent[4];
    int32_t device_viewport[4];
    int32_t world[4];
    int32_t current_point[2];
    int32_t clip_world[4];
    int32_t clip_device[4];
    int32_t foreground_color;
    int32_t transparency;
    int32_t background_color;
    int32_t line_type;
    int32_t line_width;
    int32_t fill_pattern;
    int32_t marker;
    int32_t tab_stop;
    int32_t justification;
    int32_t xor_mode;
    int32_t clip_mode;
    int32_t arc_clipping;
    int32_t arc_step;
    int32_t keep_clipboard_file;
    int32_t line_clipping;
} GPlot;

/* Kinds of user message and what the user answered. */
typedef enum MessageType {
    MSG_INFORMATION = 1,
    MSG_ERROR = 2,
    MSG_QUESTION_OK_CANCEL = 3,
    MSG_QUESTION_ABORT_RETRY_IGNORE = 4
} MessageType;

typedef enum MessageResult {
    MSG_RESULT_NONE = 0, /* OK, written to the error stream, or unknown type */
    MSG_RESULT_CANCEL = 1,
    MSG_RESULT_IGNORE = 2,
    MSG_RESULT_RETRY = 3,
    MSG_RESULT_ABORT = 4
} MessageResult;

typedef struct VexlVersion {
    char text[128];
} VexlVersion;

/* ---- Errors, settings and messages -------------------------------------- */

extern VEXL_API int GplotErrno;

VEXL_API const char *gplot_get_error_message(void);
VEXL_API int gplot_error_is_warning(void);
VEXL_API int gplot_error_is_severe(void);
VEXL_API int gplot_error_is_fatal(void);

/* buffer must hold at least 260 bytes. */
VEXL_API int gplot_get_environment(const char *name, char *buffer);
VEXL_API int debug_mode_active_for(const char *a, const char *b, const char *c);
VEXL_API MessageResult vexl_displayMsg(const char *text, const char *caption, MessageType type);

/* ---- Plot handles -------------------------------------------------------- */

VEXL_API GPlot *gplot_open(GPlotDevice kind, void *a, void *b, void *c, void *d);
VEXL_API GPlot *gplot_open_hpgl2(const char *file, DBUnitCode units, int value);
VEXL_API GPlot *gplot_open_screen(void *window);
VEXL_API GPlot *gplot_open_file(const char *file, int p1, int p2, void *ignored);
VEXL_API GPlot *gplot_open_print(const char *file, int p1, int p2, void *ignored);
VEXL_API GPlot *gplot_open_clipboard(void *unused);
VEXL_API int gplot_close(GPlot *plot);
VEXL_API int gplot_clear(GPlot *plot);
VEXL_API int gplot_flush(GPlot *plot);
VEXL_API int gplot_set_buffer_mode(GPlot *plot, int on);
VEXL_API int gplot_get_buffer_mode(GPlot *plot);
VEXL_API int gplot_resize_plot(GPlot *plot);
VEXL_API int gplot_force_display_repaint(GPlot *plot);
VEXL_API int gplot_save_clipboard_to_file(GPlot *plot, const char *file);

/* ---- Font tables ---------------------------------------------------------- */

/* The tab stop (in columns) of all text; 8 until changed. */
VEXL_API void gftable_set_global_font_tabstop(int32_t tabstop);
VEXL_API int32_t gftable_get_global_font_tabstop(void);

/* ---- Library loading and version ------------------------------------------ */

VEXL_API int vexldll_load(GPlotDevice kind);
VEXL_API void vexldll_unload(void);
VEXL_API int vexldll_loadStatus(void);
VEXL_API VexlVersion vexl_get_version(void);

#ifdef __cplusplus
}
#endif

#endif /* VEXL33_GPLOT_H */
