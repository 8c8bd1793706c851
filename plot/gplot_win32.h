/*
 * vexl33: the part of the public C interface only the Windows library
 * (vexl33.dll) exports: pass-throughs to the Windows graphics calls. It is
 * installed only with the DLL, so a program that includes it is a Windows
 * program by construction. Everything else is declared in gplot.h, which
 * this header includes.
 */
#ifndef VEXL33_GPLOT_WIN32_H
#define VEXL33_GPLOT_WIN32_H

#include "gplot.h"

#ifdef __cplusplus
extern "C" {
#endif

/* How a device context was obtained, and so how FreeDC gives it back. */
typedef enum hDCstate {
    HDC_NONE = 0,     /* nothing obtained */
    HDC_WINDOW = 1,   /* GetDC on a window: ReleaseDC */
    HDC_MEMORY = 2,   /* CreateCompatibleDC(NULL): DeleteDC */
    HDC_BORROWED = 3, /* a borrowed window context: ReleaseDC */
    HDC_PRINTER = 4,  /* the print dialog's printer context: DeleteDC */
    HDC_METAFILE = 6  /* a metafile recording context: closed by its hard copy */
} hDCstate;

/* The active window, or the desktop when no window is active. */
VEXL_API void *GetScreenHwnd(void);
/* GetDC(hwnd) (state 1), else CreateCompatibleDC(NULL) (state 2), else null
   (state 0); state may be null. */
VEXL_API void *GetScreenDC(void *hwnd, hDCstate *state);
/* Gives a context back as its state says; other states do nothing. */
VEXL_API void FreeDC(void *hwnd, void *hdc, hDCstate state);
/* 1 when the context's raster capabilities include a palette (RC_PALETTE). */
VEXL_API int paletteBasedDevice(void *hdc);

/* TextOutA and GetTextExtentPoint32A (hdc an HDC, size a SIZE *) with the
   length capped at INT32_MAX. */
VEXL_API int vexl_TextOut(void *hdc, int x, int y, const char *text, unsigned length);
VEXL_API int vexl_GetTextExtentPoint32(void *hdc, const char *text, unsigned length, void *size);

/* The system face dialog (TrueType screen faces): 1 when a face was chosen,
   whose name the table then holds (kind 2); the size, weight and slant
   chosen are not kept. 0 when cancelled, the table unchanged. */
VEXL_API int gttfont32_displayFontDialog(GFontTable *font);
/* Size of text in world units measured by GDI on the screen: lines x height
   high, the widest line over scale x 72 wide (0 for an empty text, whose
   line is measured as "gM"). 1 x 1 and 1 below one point; 0 with both sizes
   0 for height 0. gttfont_get_bounding_box_nw answers with this in the
   Windows library, so that measured text agrees with drawn text. */
VEXL_API int gttfont32_get_bounding_box_nw(const GFontTable *font, DBUnitCode units, double scale,
                                           int32_t height, const char *text, int32_t *height_out,
                                           int32_t *width_out);

/* The colour and pattern queries of widget toolkits, answered from the
   process's colour map and pattern table; the widget (and the pixmap call's
   depth and reserved value) are accepted for such callers and not used.
   The pixel is the entry's COLORREF (red + 256 * green + 65536 * blue); an
   index outside the colour map is code 36. The pixmap is the pattern's
   HBITMAP (16 x 16, one bit per pixel, owned by the library); an index
   outside the pattern table is code 37. A null output is code 10. */
VEXL_API int win32_native_widget_get_color_pixel(void *widget, int index, unsigned *pixel);
VEXL_API int gxwin_widget_get_pixmap_id_with_depth(void *widget, int index, int depth, int reserved,
                                                   void **pixmap);

/* The system print dialog (window an HWND, null for the active window or the
   desktop). dialogKind 0: the default printer without a dialog; 1: the print
   dialog with the library's options; 2: the plain print dialog; 3: printer
   set-up. contentKind 0 graphics, 1 text. Returns the PrintDlgA result. */
VEXL_API int PrintSetup_Dialog(void *window, int dialogKind, int contentKind);
/* The print-to-file dialog for content kind 0 graphics (returns the chosen
   file type: 1 EMF, 2 HP-GL/2, 3 WMF) or 1 text (returns 1); 0 when it is
   cancelled and for any other kind. The second argument is not used. */
VEXL_API int PrintToFile_Dialog(void *window, int ignored, int contentKind);
/* The print dialog of dialogKind when a window is given, then for dialogKind
   1 with print to file chosen the print-to-file dialog; 1 when the print
   status says accepted, else 0. */
VEXL_API int gprint_display_printui_dialogs(int dialogKind, int contentKind, void *window);

/* Puts a text file on the clipboard as CF_TEXT (the file's bytes and a
   closing NUL). The first two arguments are not used. Always 0; failures
   are told by a message. */
VEXL_API int TEXTtoClipBoard(void *window, int ignored, const char *path);
/* Puts an enhanced metafile file on the clipboard as CF_ENHMETAFILE. The
   first two arguments are not used. 0 when the file cannot be opened as a
   metafile, else non-zero. */
VEXL_API int EMFtoClipBoard(void *window, int ignored, const char *path);

/* The printer context (HDC) the last print dialog returned, still owned by
   the dialog (null when there is none); the window is not used. state
   (may be null) is set to HDC_PRINTER. */
VEXL_API void *GetPrinterDC(void *window, hDCstate *state);
/* A new context (HDC) on the default printer, the caller's to delete; null
   when there is none or when its printer record needs more than 60 bytes. */
VEXL_API void *CreatePrinterDC(void);
/* The scale (dmScale) of the print dialog's device mode, remembered from
   one call to the next: 100.0 before any print dialog. */
VEXL_API double GetScaleFactor(void);

#ifdef __cplusplus
}
#endif

#endif /* VEXL33_GPLOT_WIN32_H */
