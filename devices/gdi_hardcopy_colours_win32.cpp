// GXWINwin32: the colours a hard copy starts with, set on its output context
// once that exists.
//
// Paper is white, so a hard copy starts with black lines on a white
// background, the reverse of a window. An output that works through a
// palette gets one made from the colour map, so that the map's colours are
// the ones printed; one such palette exists at a time in the process.
#include "devices/gdi_device_win32.h"

#include <cstdio>
#include <memory>
#include <new>

#include "colour/color_map.h"
#include "colour/pattern_table.h"
#include "core/errors.h"
#include "support/rtk_debug.h"

namespace {

constexpr COLORREF kPaletteWhite = 0x02FFFFFF;
constexpr COLORREF kPaletteBlack = 0x02000000;

vexl::gdi::GdiObject<HPALETTE> &process_palette() {
    static vexl::gdi::GdiObject<HPALETTE> palette;
    return palette;
}

// Whether the map's own colours need a palette: the built-in default map and
// a two-colour map are what the output shows anyway.
bool map_needs_palette(const vexl::ColorMap &map) {
    return !map.entries.empty() && map.uses_default_colors == 0 && map.entries.size() != 2;
}

// Makes the palette of the map, replaces the process's, selects and realises
// it. False when any step fails.
bool realise_map_palette(HDC dc, const vexl::ColorMap &map) {
    const std::size_t entries = map.entries.size();
    if (entries > 0xFFFF)
        return false;
    const std::size_t bytes = sizeof(LOGPALETTE) + entries * sizeof(PALETTEENTRY);
    std::unique_ptr<unsigned char[]> storage(new (std::nothrow) unsigned char[bytes]);
    if (!storage)
        return false;
    auto *palette = reinterpret_cast<LOGPALETTE *>(storage.get());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(entries);
    for (std::size_t i = 0; i < entries; ++i) {
        const vexl::ColorMapEntry &entry = map.entries[i];
        palette->palPalEntry[i] = {static_cast<BYTE>(entry.red), static_cast<BYTE>(entry.green),
                                   static_cast<BYTE>(entry.blue), PC_NOCOLLAPSE};
    }
    vexl::gdi::GdiObject<HPALETTE> made(CreatePalette(palette));
    if (!made)
        return false;
    process_palette() = std::move(made);
    return SelectPalette(dc, process_palette().get(), FALSE) != nullptr &&
           RealizePalette(dc) != GDI_ERROR;
}

} // namespace

bool GXWINwin32::setup_hardcopy_colours() {
    HDC dc = device_context();
    const int colours = GetDeviceCaps(dc, NUMCOLORS);
    if (is_debug_mode_active_for("MOLVERN_DEBUG_MODE", "kdhcopy", "all", nullptr) != 0)
        std::fprintf(stderr, "numColors = %d\n", colours);
    if (paletteBasedDevice(dc) != 0 && colours > 2) {
        const vexl::ColorMap &map = vexl::find_color_map(get_colormap_key());
        if (map_needs_palette(map) && !realise_map_palette(dc, map)) {
            vexl_displayMsg("Color palette initialization error.", "Initialization", MSG_ERROR);
            return vexl::fail(vexl::Error::CannotRealizePalette) != 0;
        }
    }
    if (!vexl::load_pattern_table())
        return false;
    foregroundRGB = kPaletteBlack;
    set_line_width_world(0);
    set_line_type(0);
    SetTextColor(dc, foregroundRGB);
    select_pen(foregroundRGB);
    backgroundRGB = kPaletteWhite;
    SetBkColor(dc, backgroundRGB);
    SetBkMode(dc, TRANSPARENT);
    select_solid_brush(backgroundRGB);
    set_foreground_color(0, 255);
    set_background_color(8);
    return true;
}
