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

#ifdef __cplusplus
}
#endif

#endif /* VEXL33_GPLOT_WIN32_H */
