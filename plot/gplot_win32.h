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

/* TextOutA and GetTextExtentPoint32A (hdc an HDC, size a SIZE *) with the
   length capped at INT32_MAX. */
VEXL_API int vexl_TextOut(void *hdc, int x, int y, const char *text, unsigned length);
VEXL_API int vexl_GetTextExtentPoint32(void *hdc, const char *text, unsigned length, void *size);

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

#ifdef __cplusplus
}
#endif

#endif /* VEXL33_GPLOT_WIN32_H */
