// TrueType text drawn and measured through GDI on a device context: the
// pieces the GDI device's text operations and the windowless measurement
// share. The arithmetic is in gdi_text_layout.h; this layer makes the calls.
#ifndef VEXL33_FONTS_GDI_TEXT_WIN32_H
#define VEXL33_FONTS_GDI_TEXT_WIN32_H

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "core/gxwin_base.h"
#include "fonts/gdi_text_layout.h"

namespace vexl {

// The logical font of a request, every other field 0.
LOGFONTA to_logfont(const GdiFontRequest &request);

// A font made from a request and selected into a context while the object
// lives, with text aligned on its bottom left; the context's own font is
// put back before the font is deleted. ok() is false when GDI refused it.
class SelectedGdiFont {
  public:
    SelectedGdiFont(HDC dc, const GdiFontRequest &request);
    ~SelectedGdiFont();
    SelectedGdiFont(const SelectedGdiFont &) = delete;
    SelectedGdiFont &operator=(const SelectedGdiFont &) = delete;
    bool ok() const { return previous_ != nullptr; }

  private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ previous_ = nullptr;
};

// Width in pixels of text[0, length) in the context's font; 0 when GDI
// cannot measure it.
int32_t gdi_line_width(HDC dc, const char *text, std::size_t length);

// Draws text on device, whose context is dc: a point for text smaller than
// a pixel, else each line where the justification and the angle put it.
// 1 when nothing was to be drawn or every line was drawn; 0 when GDI
// failed (the lines after a failed one are left out).
int write_gdi_text(GXWINbase &device, HDC dc, const GFontTable *table, const WorldPointS &position,
                   int32_t height, double angle, const char *text);

// The size of a text in the font of size pixels on dc: lines x height
// high, the widest line wide (in pixels; the caller turns it into world
// units). An empty or null text measures "gM" for the line height and has
// width 0.
struct GdiTextExtent {
    std::size_t lines = 1;
    int32_t widest = 0;
    bool empty = true;
};
GdiTextExtent measure_gdi_text(HDC dc, const GFontTable *table, int32_t size, const char *text);

} // namespace vexl

#endif // VEXL33_FONTS_GDI_TEXT_WIN32_H
