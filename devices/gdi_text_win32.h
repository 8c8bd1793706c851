// TrueType text on the GDI device, exported with C++ linkage because the
// calls take the device object. The device's text operations
// (write_rotated_text, get_text_bound_box) answer with these.
#ifndef VEXL33_DEVICES_GDI_TEXT_WIN32_H
#define VEXL33_DEVICES_GDI_TEXT_WIN32_H

#include <cstdint>

#include "devices/gdi_device_win32.h"

// Draws text at position (its bottom left), height world units high, turned
// by angle radians: line after line one height apart, each line justified in
// the block by the plot's justification and its start turned about the
// position. A text smaller than a pixel is a point. 1 when done (also for
// no text, height 0 or a plot-file plot, which draw nothing); 0 when GDI
// failed.
VEXL_API int gttfont32_writeTextOut(GXWINwin32 *device, GFontTable *font,
                                    const WorldPointS *position, int32_t height, double angle,
                                    const char *text);
// Size of text in world units on the device: lines x height high, the
// widest line wide (0 for an empty text). 1 x 1 and 1 below one pixel; 0
// with both sizes 0 for height 0.
VEXL_API int gttfont32_get_bounding_box(GXWINwin32 *device, const GFontTable *font, int32_t height,
                                        const char *text, int32_t *height_out, int32_t *width_out);

#endif // VEXL33_DEVICES_GDI_TEXT_WIN32_H
