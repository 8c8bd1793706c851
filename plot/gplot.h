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
#include <stdio.h>

#include "gfonts.h"
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

/* One line of a colour file. */
typedef struct ColorEntry {
    int32_t name_only; /* 1 when the line gives no red, green and blue */
    uint8_t red, green, blue;
    char name[257];
    int32_t pen;
} ColorEntry;

/* The entries read from a colour file; grows in steps of 32. */
typedef struct ColorEntryList {
    ColorEntry *entries;
    int32_t count;
    int32_t capacity;
} ColorEntryList;

/* One entry of a fill-pattern file: a bitmap file and its HP-GL/2 fill. */
typedef struct FillEntry {
    char path[256];
    int32_t fill_type;
    int32_t fill_option1;
    int32_t fill_option2;
} FillEntry;

typedef struct FillEntryList {
    FillEntry *entries;
    int32_t count;
    int32_t capacity;
} FillEntryList;

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

/* ---- World window, viewport and clipping ----------------------------------- */

/* Rectangles are x1, y1, x2, y2; viewports are fractions of the device (y up). */
VEXL_API int gplot_set_world(GPlot *plot, const int32_t rect[4]);
VEXL_API int gplot_get_world(GPlot *plot, int32_t rect[4]);
VEXL_API int gplot_set_viewport(GPlot *plot, float x1, float y1, float x2, float y2);
VEXL_API int gplot_get_viewport(GPlot *plot, float vp[4]);
VEXL_API int gplot_world_to_device(GPlot *plot, const WorldPointS *in, DevicePointS *out);
VEXL_API int gplot_device_to_world(GPlot *plot, const DevicePointS *in, WorldPointS *out);
VEXL_API int gplot_set_clip_world(GPlot *plot, const int32_t rect[4]);
VEXL_API int gplot_get_clip_world(GPlot *plot, int32_t rect[4]);
VEXL_API int gplot_unset_clip_world(GPlot *plot);
VEXL_API int gplot_clear_clip_world(GPlot *plot);
VEXL_API int gplot_clear_clip_device(GPlot *plot);
VEXL_API int gplot_set_clip_device(GPlot *plot, const int32_t rect[4]);
VEXL_API int gplot_get_clip_device(GPlot *plot, int32_t rect[4]);
VEXL_API int gplot_unset_clip_device(GPlot *plot);
/* Non-zero: the interface clips every primitive to the world clip rectangle. */
VEXL_API int gplot_set_clip_mode(GPlot *plot, int mode);
VEXL_API int gplot_get_clip_mode(GPlot *plot);
/* Process-wide: line widths in world units instead of device units. */
VEXL_API int gplot_set_world_units(int on);
VEXL_API int gplot_get_world_units(void);

/* ---- Drawing attributes and device queries -------------------------------- */

VEXL_API int gplot_set_foreground_color(GPlot *plot, int index);
VEXL_API int gplot_set_foreground_color_with_transparency(GPlot *plot, int index, int transparency);
VEXL_API int gplot_set_background_color(GPlot *plot, int index);
/* 0 solid, 1 to 6 dashed. */
VEXL_API int gplot_set_line_type(GPlot *plot, int type);
VEXL_API int gplot_set_line_width(GPlot *plot, int width);
/* -1 none, -2 solid, otherwise an index of the pattern table. */
VEXL_API int gplot_set_fill_pattern(GPlot *plot, int pattern);
/* 0 square, 1 circle, 2 and 3 triangles, 4 diamond, 5 star, 6 cross, 7 plus. */
VEXL_API int gplot_set_marker(GPlot *plot, int marker);
VEXL_API int gplot_set_xor_drawing_mode(GPlot *plot, int on, int colour);
VEXL_API int gplot_get_uses_xor_draw(GPlot *plot);

VEXL_API int gplot_get_foreground_color(GPlot *plot, int *index);
VEXL_API int gplot_get_foreground_color_and_transparency(GPlot *plot, int *index,
                                                         int *transparency);
VEXL_API int gplot_get_background_color(GPlot *plot, int *index);
VEXL_API int gplot_get_line_type(GPlot *plot, int *type);
VEXL_API int gplot_get_line_width(GPlot *plot, int *width);
VEXL_API int gplot_get_fill_pattern(GPlot *plot, int *pattern);
VEXL_API int gplot_get_marker(GPlot *plot, int *marker);

VEXL_API int gplot_get_width_n_height(GPlot *plot, int *width, int *height);
VEXL_API int gplot_get_pixels_perinch(GPlot *plot, double *x, double *y);
VEXL_API int gxwin_get_pixels_perinch(GPlot *plot, float *x, float *y);
VEXL_API int gplot_get_color_size(GPlot *plot, int *count);
VEXL_API int gplot_get_color_RGB(GPlot *plot, int index, int *red, int *green, int *blue);
VEXL_API int gplot_get_contrast_color(GPlot *plot, int index, int *out);
VEXL_API int gplot_get_color_name(GPlot *plot, int index, const char **name);
VEXL_API int gplot_get_color_pixel(GPlot *plot, int index, uint32_t *pixel);
VEXL_API int gplot_get_color_index(GPlot *plot, const char *name, int *index);
VEXL_API int gplot_get_pattern_name(GPlot *plot, int index, const char **name);
VEXL_API int gplot_get_pattern_index(GPlot *plot, const char *name, int *index);

/*
 * Attribute codes: set 3 resize, 5 XOR drawing (a on, b colour), 6 world
 * units (a on). Get 0 device size (a: int* width, out: int* height), 1 colour
 * map size (a: int*), 2 RGB of colour a (b, c, d: int*) and its pixel (out:
 * uint32_t*), 8 colour name and 9 pattern name of index a (out: const char**),
 * 10 colour index and 11 pattern index of name a (out: int*). Indexes travel
 * in a as (void *)(intptr_t)index. Unknown codes return 0 and set no code.
 */
VEXL_API int gplot_set_attribute(GPlot *plot, int code, int a, int b);
VEXL_API int gplot_get_attribute(GPlot *plot, int code, void *a, void *out, void *b, void *c,
                                 void *d);

/* ---- Primitives, in world coordinates ------------------------------------- */

VEXL_API int gplot_draw_point_world(GPlot *plot, const WorldPointS *point);
/* While clipping, the visible points are moved to the front of the array. */
VEXL_API int gplot_draw_points_world(GPlot *plot, WorldPointS *points, int n);
VEXL_API int gplot_move_to_world(GPlot *plot, const WorldPointS *point);
VEXL_API int gplot_draw_to_world(GPlot *plot, const WorldPointS *point);
VEXL_API int gplot_draw_line_world(GPlot *plot, const WorldPointS *a, const WorldPointS *b);
VEXL_API int gplot_draw_lines_world(GPlot *plot, WorldPointS *points, int n);
/* n segments from 2n points. */
VEXL_API int gplot_draw_segments_world(GPlot *plot, const WorldPointS *points, int n);
/* A filled rectangle is trimmed to the clip rectangle in place. */
VEXL_API int gplot_draw_rectangle_world(GPlot *plot, int32_t rect[4]);
VEXL_API int gplot_draw_rectangles_world(GPlot *plot, int32_t *rects, int n);
VEXL_API int gplot_draw_rectangle2_world(GPlot *plot, const WorldPointS *a, const WorldPointS *b);
VEXL_API int gplot_draw_tracking_rectangle2_world(GPlot *plot, const WorldPointS *a,
                                                  const WorldPointS *b);
VEXL_API int gplot_clear_rectangle_world(GPlot *plot, int32_t rect[4]);
VEXL_API int gplot_clear_rectangle2_world(GPlot *plot, const WorldPointS *a, const WorldPointS *b);
/* An open polygon is closed; the caller's points are not changed. */
VEXL_API int gplot_draw_polygon_world(GPlot *plot, const WorldPointS *points, int n);
VEXL_API int gplot_draw_polygons_world(GPlot *plot, WorldPolygonS *list, int m);

/* ---- Arcs and markers ------------------------------------------------------- */

VEXL_API int gplot_draw_arc_world(GPlot *plot, const WorldArcS *arc);
VEXL_API int gplot_draw_arcs_world(GPlot *plot, const WorldArcS *arcs, int n);
/* size is the marker's width in world units; the shape is the plot's marker. */
VEXL_API int gplot_draw_marker_world(GPlot *plot, const WorldPointS *point, int size);
VEXL_API int gplot_draw_markers_world(GPlot *plot, WorldPointS *points, int n, int size);
VEXL_API int gplot_draw_marker_device(GPlot *plot, const DevicePointS *point, int marker);
VEXL_API int gplot_draw_markers_device(GPlot *plot, const DevicePointS *points, int n, int marker);

/* ---- Colours ---------------------------------------------------------------- */

VEXL_API void kdcolor_create(ColorEntryList *list);
/* Number of entries read, or -1 when the list cannot grow. */
VEXL_API int kdcolor_read(ColorEntryList *list, FILE *file);
VEXL_API void kdcolor_destroy(ColorEntryList *list);
/* Opens the file a setting names for reading; null when unset or unreadable.
   Close the stream with gplot_close_file, not fclose: a program built
   against another C runtime than the library's cannot close it itself. */
VEXL_API FILE *gplot_get_filename(const char *setting);
/* Closes a stream gplot_get_filename opened: 1, or 0 with code 10 for a
   null stream and code 24 when the close fails. */
VEXL_API int gplot_close_file(FILE *stream);

VEXL_API int gxwin_screen_get_color_size(int32_t *n);
VEXL_API int gxwin_widget_get_color_size(void *widget, int32_t *n);
VEXL_API int gxwin_widget_get_color_RGB(void *widget, int32_t index, int32_t *red, int32_t *green,
                                        int32_t *blue);
VEXL_API int gxwin_screen_get_color_RGB(int32_t index, int32_t *red, int32_t *green, int32_t *blue);

/* ---- Fill patterns ------------------------------------------------------------ */

VEXL_API void kdfill_create(FillEntryList *list);
/* Number of entries read, or -1 (code 46) on a malformed entry. */
VEXL_API int kdfill_read(FillEntryList *list, FILE *file);
VEXL_API void kdfill_destroy(FillEntryList *list);

VEXL_API int gxwin_get_pattern_size(int32_t *n);
VEXL_API int gxwin_get_pattern_index(const char *name, int32_t *index);
VEXL_API int gxwin_get_pattern_name(int32_t index, const char **name);
/* The pattern's 16 x 16 monochrome bitmap (an HBITMAP on Windows). */
VEXL_API int gxwin_get_pixmap_id(int32_t index, void **id);

/* ---- HP-GL/2 plot files --------------------------------------------------------- */

VEXL_API int ghpgl2_create(GPlot *plot, const char *file, DBUnitCode units, int value);
VEXL_API int ghpgl2_draw_rectangle2_world(GPlot *plot, const WorldPointS *a, const WorldPointS *b);
VEXL_API int ghpgl2_color_mode(int on);
VEXL_API int ghpgl2_force_monochrome(int colors);

/* ---- Print options ------------------------------------------------------------- */

VEXL_API int getPrintStatus(void);
VEXL_API void setPrintStatus(int value);
VEXL_API int printToFileSelected(void);
VEXL_API int gprint_get_printtofile_status(void);
VEXL_API int vexl_printdlg_get_printtofile_status(void);
VEXL_API int printToHPGL2Selected(void);
VEXL_API int copyToClipboardSelected(void);
VEXL_API int colorOutputSelected(void);
VEXL_API int scaleToFitPageSelected(void);
VEXL_API int preserveBkgColorSelected(void);
VEXL_API int AldusPlaceableSelected(void);
VEXL_API int fileType(void);
VEXL_API void setScaleToFitPage(int value);
VEXL_API int setCopyToClipboardActive(int value);
VEXL_API int gprint_enable_copy_to_clipboard(int value);
/* The kept print-to-file name in a process-wide 4096-byte buffer ("" when none). */
VEXL_API const char *gprint_get_printtofile_filename(void);
VEXL_API const char *vexl_printdlg_get_printtofile_filename(void);
VEXL_API void gprint_set_printtofile_filename(const char *name);
VEXL_API void vexl_printdlg_set_printtofile_filename(const char *name);
VEXL_API int gxwin_printtofile_using_screenshot_method(void);

/* The print operations, in the table handed to the companion print module.
   Content kind 0 is graphics (a recorded metafile), 1 text; a null window
   means the active window. The dialog operations give 1 when done, 0 when
   the dialog failed and -1 when it was cancelled. */
typedef struct GPrintOp {
    int (*print_file)(int32_t content_kind, const char *path, void *window);
    int (*print_file_dialog)(int32_t content_kind, const char *path, void *window);
    int (*print_setup_dialog)(int32_t content_kind, void *window);
} GPrintOp;
VEXL_API GPrintOp *getPrintTable(void);
/* The table's operations, each refused (a beep and 0) while it is already
   running, as when a dialog's message loop calls back into the library; the
   two dialogs share one guard. */
VEXL_API int gprint_printFile(int32_t content_kind, const char *path, void *window);
VEXL_API int gprint_printFileDialog(int32_t content_kind, const char *path, void *window);
VEXL_API int gprint_printSetupDialog(int32_t content_kind, void *window);

/* ---- Text ------------------------------------------------------------------ */

/* Text at a world position (lower left of the first cell), height in world
   units, angle in radians counter-clockwise; lines stack downwards. */
VEXL_API int gplot_write_ascii_text_world(GPlot *plot, GFontTable *font,
                                          const WorldPointS *position, int32_t height,
                                          const char *text);
VEXL_API int gplot_write_rotated_ascii_text_world(GPlot *plot, GFontTable *font,
                                                  const WorldPointS *position, int32_t height,
                                                  double angle, const char *text);
/* Glyph codes of a virtual table; code 0 starts a new line. */
VEXL_API int gplot_write_virtual_text_world(GPlot *plot, GFontTable *font,
                                            const WorldPointS *position, int32_t height,
                                            const int32_t *codes, int32_t count);
VEXL_API int gplot_write_rotated_virtual_text_world(GPlot *plot, GFontTable *font,
                                                    const WorldPointS *position, int32_t height,
                                                    double angle, const int32_t *codes,
                                                    int32_t count);
VEXL_API int gplot_draw_rotated_ascii_font_world(GPlot *plot, GFontTable *font, char c,
                                                 const WorldPointS *pen, const WorldPointS *origin,
                                                 double angle, int32_t height);
VEXL_API int gplot_get_ascii_text_bound_box(GPlot *plot, GFontTable *font, int32_t height,
                                            const char *text, int32_t *height_out,
                                            int32_t *width_out);
VEXL_API int gplot_get_ascii_text_bound_box_nw(GFontTable *font, DBUnitCode units, double scale,
                                               int32_t height, const char *text,
                                               int32_t *height_out, int32_t *width_out);
/* 1 left, 2 centre, 3 right. */
VEXL_API int gplot_set_ascii_text_justification(GPlot *plot, int justification);
VEXL_API int gplot_get_ascii_text_justification(GPlot *plot, int *justification);
/* Sets the tab stop of every plot. */
VEXL_API int gplot_set_ascii_text_tabstop(GPlot *plot, int tabstop);
VEXL_API int gplot_get_ascii_text_tabstop(GPlot *plot, int *tabstop);
/* Moves the start of line `line` (from 1) of a block so the block's lines
   line up as the plot's justification says. */
VEXL_API int justify_starting_point(GPlot *plot, WorldPointS *position, int32_t char_width,
                                    const char *text, int32_t line);
/* Kept for old callers: does nothing. */
VEXL_API int gplot_set_font(void);
VEXL_API int gscrndump_syscall(void);
VEXL_API int gscrndump_window(void);

/* ---- TrueType fonts -------------------------------------------------------- */

/* Loads a font by name into a table: a Hershey table in Hershey mode, a
   TrueType face name (kind 2) in TrueType mode (MOLVERN_FONT_TYPE). */
VEXL_API int gttfont_loadFont(GFontTable *font, const char *name);
VEXL_API int gttfont_unloadFont(GFontTable *font);
VEXL_API int gttfont_displayFontDialog(GFontTable *font);
VEXL_API const char *gttfont_getFontName(GFontTable *font);
VEXL_API int gttfont_setFontName(GFontTable *font, const char *name);
/* The names a caller may load; owned by the library for the process. */
VEXL_API const char **gttfont_getFontList(int *count);
VEXL_API int gttfont_worldToDeviceWidth(GPlot *plot, int width);
VEXL_API int gttfont_worldToDeviceHeight(GPlot *plot, int height);
VEXL_API int gttfont_deviceToWorldWidth(GPlot *plot, int pixels);
VEXL_API int gttfont_deviceToWorldHeight(GPlot *plot, int pixels);
VEXL_API int gttfont_worldToPointSize(GPlot *plot, GFontTable *font, int height);
VEXL_API int gttfont_pointSizeToWorld(GPlot *plot, GFontTable *font, int point_size);
VEXL_API int gttfont_db_worldToPointSize(GFontTable *font, DBUnitCode units, double scale,
                                         int height);
/* Size of text in world units without a window: scale turns world into
   database units of the given kind; 1 when measured. In the Windows library
   GDI measures, as it draws the text (gttfont32_get_bounding_box_nw), and
   differs from gfreetype_get_bounding_box_nw, which measures with FreeType
   in every build: GDI takes the size in points as the font's height in
   pixels (FreeType sets it at 96 dpi, so its widths are a third larger);
   a text ending with a newline is one line more (FreeType does not count
   an empty last line); and a table without a name is measured in the
   default face instead of failing. */
VEXL_API int gttfont_get_bounding_box_nw(GFontTable *font, DBUnitCode units, double scale,
                                         int32_t height, const char *text, int32_t *height_out,
                                         int32_t *width_out);
/* The calls only the Windows library has are declared in gplot_win32.h. */

/* The FreeType side: opens (or shares) the face a table names. */
VEXL_API int gfreetype_loadFont(GFontTable *font);
VEXL_API int gfreetype_unloadFont(GFontTable *font);
VEXL_API int gfreetype_displayFontDialog(GFontTable *font);
/* Size of text in world units measured with the table's face at 96 dpi:
   lines x height high, the widest line over scale x 72 wide. 0 when nothing
   could be measured; 1 and 1 x 1 when the height is below one point. */
VEXL_API int gfreetype_get_bounding_box_nw(GFontTable *font, DBUnitCode units, double scale,
                                           int32_t height, const char *text, int32_t *height_out,
                                           int32_t *width_out);

/* ---- Library loading and version ------------------------------------------ */

VEXL_API int vexldll_load(GPlotDevice kind);
VEXL_API void vexldll_unload(void);
VEXL_API int vexldll_loadStatus(void);
VEXL_API VexlVersion vexl_get_version(void);

#ifdef __cplusplus
}

/* Size of text in world units on the device's plot, measured with the
   table's face at the device's resolution (C++ linkage: it takes the
   device object). 0 with both sizes 0 on a plot file or for height 0. */
VEXL_API int gfreetype_get_bounding_box(GXWINbase *device, GFontTable *font, int32_t height,
                                        const char *text, int32_t *height_out, int32_t *width_out);
#endif

#endif /* VEXL33_GPLOT_H */
