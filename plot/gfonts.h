/*
 * vexl33: stroke-font records of the public C interface.
 *
 * A GFont is one Hershey glyph: integer points in Hershey units joined by
 * pen strokes, the point (-50, 0) lifting the pen. A GFontSet is the set of
 * glyphs an index file picks from a Hershey data file; a GFontTable is what
 * the text calls draw with: a Hershey set (kind 0 ASCII, 1 virtual) or a
 * TrueType face (kind 2). Callers own the records; the records own their
 * arrays. Included by gplot.h.
 */
#ifndef VEXL33_GFONTS_H
#define VEXL33_GFONTS_H

#include <stdint.h>
#include <stdio.h>

#include "vexl_export.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The point a glyph uses to lift the pen. */
#define GFONT_PEN_UP_X (-50)
#define GFONT_PEN_UP_Y 0

typedef struct GFont {
    int32_t hershey_index; /* Hershey glyph number; -1 until loaded */
    int32_t font_no;       /* ASCII set: position in Hershey order; virtual set: the code */
    int32_t character;     /* the character of an ASCII glyph (8-bit code) */
    int32_t *points;       /* num_points pairs x0, y0, x1, y1, ...; null when none */
    int32_t left;          /* left bound of the glyph cell */
    int32_t right;         /* right bound of the glyph cell */
    int32_t num_points;
} GFont;

typedef struct GFontSet {
    FILE *index_file;   /* .asc or .vft stream (borrowed); null: built-in ASCII index */
    FILE *hershey_file; /* Hershey data stream (borrowed) */
    GFont *glyphs;      /* owned; null when unloaded */
    int32_t num_glyphs;
    int32_t bound_box[4]; /* x_min, x_max, y_min, y_max of the glyph cell */
} GFontSet;

/* Kinds of font table. */
#define GFONT_TABLE_ASCII 0
#define GFONT_TABLE_VIRTUAL 1
#define GFONT_TABLE_TRUETYPE 2

struct GFontTable {
    int32_t kind;        /* one of the kinds above; -1 after a TrueType face was lost */
    GFontSet font_set;   /* Hershey glyphs */
    char *name;          /* table name or TrueType face name, stored by the library; a
                            pointer it did not store there is never freed by it */
    void *freetype_font; /* shared TrueType face, or null */
};
typedef struct GFontTable GFontTable;

/* ---- Glyph records -------------------------------------------------------- */

VEXL_API void gfont_create(GFont *font);
/* Allocates n pairs (none for n = 0) and makes them the record's points; 0,
   with the record unchanged, when the memory cannot be had. The array the
   record held before is not freed: the caller owns what it replaces. A glyph
   copied out of a font set shares the set's array, which the set frees. */
VEXL_API int gfont_make_points(GFont *font, int32_t n);
VEXL_API int gfont_set_character(GFont *font, char c);
VEXL_API int gfont_get_character(GFont *font, char *c);
VEXL_API int gfont_set_hershey_index(GFont *font, int32_t index);
VEXL_API int gfont_get_hershey_index(GFont *font, int32_t *index);
VEXL_API int gfont_set_font_no(GFont *font, int32_t font_no);
VEXL_API int gfont_get_font_no(GFont *font, int32_t *font_no);
VEXL_API int gfont_set_coord(GFont *font, int32_t i, int32_t x, int32_t y);
VEXL_API int gfont_get_coord(GFont *font, int32_t i, int32_t *x, int32_t *y);
VEXL_API int32_t gfont_num_points(GFont *font);
/* Frees the point array; 0 when there was none. gfont_destroy is the same. */
VEXL_API int gfont_unload(GFont *font);
VEXL_API int gfont_destroy(GFont *font);
/* Parses the next record of a Hershey data file into a new point array: its
   number of points, or -1. As with gfont_make_points the array the record
   held before is not freed; the caller owns what it replaces. */
VEXL_API int gfont_load(GFont *font, FILE *stream);

/* ---- Font sets -------------------------------------------------------------- */

VEXL_API int gfs_open(GFontSet *set, FILE *index_file, FILE *hershey_file);
VEXL_API int gfs_load_ascii_table(GFontSet *set);
VEXL_API int gfs_load_virtual_table(GFontSet *set);
/* Copies the glyph of a character 32..127 (the points stay the set's). */
VEXL_API int gfs_get_font_ascii(GFontSet *set, char c, GFont *out);
VEXL_API int gfs_get_font_virtual(GFontSet *set, int32_t code, GFont *out);
VEXL_API int gfs_set_font(GFontSet *set, int32_t i, const GFont *font);
VEXL_API int gfs_set_bound_box(GFontSet *set, const int32_t box[4]);
VEXL_API int gfs_get_bound_box(GFontSet *set, int32_t box[4]);
VEXL_API int32_t gfs_num_fonts(GFontSet *set);
VEXL_API int gfs_get_font_aspect_ratio(GFontSet *set, double *ratio);
VEXL_API int gfs_unload(GFontSet *set);
VEXL_API int gfs_close(GFontSet *set);

/* ---- Font tables -------------------------------------------------------------- */

/* font_set 0 occidental, 1 oriental; kind 0 ASCII, 1 virtual; name may be
   null for kind 0 (the built-in index). */
VEXL_API int gftable_load_font_table(GFontTable *table, int font_set, int kind, const char *name);
VEXL_API int gftable_unload_font_table(GFontTable *table);
VEXL_API int gftable_get_ascii_font(GFontTable *table, char c, GFont *out);
VEXL_API int gftable_get_virtual_font(GFontTable *table, int32_t code, GFont *out);
VEXL_API int gftable_get_font_aspect_ratio(GFontTable *table, double *ratio);
VEXL_API const char *gftable_get_font_name(GFontTable *table);
/* Extent of stroke text of the given line height: every character one cell. */
VEXL_API int gftable_get_ascii_text_bound_box(GFontTable *table, int32_t size, const char *text,
                                              int32_t *height, int32_t *width);
VEXL_API int gftable_expand_tab_to_spaces(int column, int tab);
/* The tab stop (in columns) of all text; 8 until changed. */
VEXL_API void gftable_set_global_font_tabstop(int32_t tabstop);
VEXL_API int32_t gftable_get_global_font_tabstop(void);
/* Font tables (.asc files) in the font-table directory: count, or -1. */
VEXL_API int gftable_get_number_ascii_fonts(void *ignored);
VEXL_API const char *gftable_get_ascii_fonttable_name(void *ignored, int index);

#ifdef __cplusplus
}
#endif

#endif /* VEXL33_GFONTS_H */
