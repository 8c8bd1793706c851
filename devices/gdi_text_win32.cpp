// The GDI device's text operations: TrueType text drawn and measured on the
// device's current context (window, metafile recording or printer).
#include "devices/gdi_text_win32.h"

#include "core/c_boundary.h"
#include "fonts/gdi_text_win32.h"

namespace {

constexpr double kMillimetresPerInch = 25.4;

} // namespace

VEXL_API int gttfont32_writeTextOut(GXWINwin32 *device, GFontTable *font,
                                    const WorldPointS *position, int32_t height, double angle,
                                    const char *text) VEXL_TRY {
    if (device == nullptr || position == nullptr)
        return 0;
    return vexl::write_gdi_text(*device, device->device_context(), font, *position, height, angle,
                                text);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gttfont32_get_bounding_box(GXWINwin32 *device, const GFontTable *font, int32_t height,
                                        const char *text, int32_t *height_out,
                                        int32_t *width_out) VEXL_TRY {
    if (device == nullptr || height_out == nullptr || width_out == nullptr)
        return 0;
    if (height == 0) {
        *height_out = *width_out = 0;
        return 0;
    }
    GPlot *plot = device->plot;
    const int32_t size = gttfont_worldToPointSize(plot, const_cast<GFontTable *>(font), height);
    if (size < 1) {
        *height_out = *width_out = 1;
        return 1;
    }
    const vexl::GdiTextExtent extent =
        vexl::measure_gdi_text(device->device_context(), font, size, text);
    *width_out = extent.empty ? 0 : gttfont_deviceToWorldWidth(plot, extent.widest);
    *height_out = vexl::block_height(extent.lines, height);
    return 1;
}
VEXL_CATCH_RETURN(0)

bool GXWINwin32::write_rotated_text(GFontTable *font, const WorldPointS &position,
                                    int32_t text_height, double angle, const char *text) {
    return gttfont32_writeTextOut(this, font, &position, text_height, angle, text) != 0;
}

// The slot hands over width then height; the measurement fills height then
// width.
bool GXWINwin32::get_text_bound_box(GFontTable *font, int32_t text_height, const char *text,
                                    int32_t *width_out, int32_t *height_out) {
    return gttfont32_get_bounding_box(this, font, text_height, text, height_out, width_out) != 0;
}

// Text sizes on this device are pixels: the inches at its vertical
// resolution.
double GXWINwin32::inches_to_font_height(double inches) {
    return inches * kMillimetresPerInch * pixels_per_mm_y;
}
