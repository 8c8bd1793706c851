// GXWINwin32: colours, pens and brushes, line type and width, fill pattern
// and XOR drawing.
//
// The plot record holds the requested attributes (the base operations store
// them); the device turns them into the pen and brush selected in its
// context. A pen always carries the line type, the line width and the colour
// lines are drawn in, so every change of one of them makes a new pen.
#include "devices/gdi_device_win32.h"

#include "colour/color_map.h"
#include "colour/pattern_table.h"
#include "core/errors.h"
#include "hardcopy/print_options.h"

namespace {

// The colour of a colour-map entry (its pixel is the COLORREF), or nothing
// (code 36) for an index outside the map.
bool colour_of_index(int32_t index, COLORREF &colour) {
    const vexl::ColorMapEntry *entry = vexl::color_entry(vexl::find_color_map(0), index);
    if (entry == nullptr)
        return vexl::fail(vexl::Error::InvalidColor) != 0;
    colour = entry->pixel;
    return true;
}

bool colour_output_off() {
    return vexl::print_options().colorOutput == 0;
}

} // namespace

COLORREF GXWINwin32::line_colour() const {
    return plot->xor_mode != 0 ? xorRGB : foregroundRGB;
}

bool GXWINwin32::select_pen(COLORREF colour) {
    LOGPEN description{};
    description.lopnStyle = static_cast<UINT>(vexl::gdi::pen_style_for_line_type(plot->line_type));
    description.lopnWidth.x = plot->line_width;
    description.lopnColor = colour;
    return selected_.select_pen(vexl::gdi::OwnedPen(CreatePenIndirect(&description)));
}

bool GXWINwin32::select_solid_brush(COLORREF colour) {
    LOGBRUSH description{};
    description.lbStyle = BS_SOLID;
    description.lbColor = colour;
    return selected_.select_brush(vexl::gdi::OwnedBrush(CreateBrushIndirect(&description)));
}

bool GXWINwin32::make_pattern_brush() {
    LOGBRUSH description{};
    description.lbStyle = BS_PATTERN;
    description.lbHatch = reinterpret_cast<ULONG_PTR>(patternBitmap);
    pattern_brush_.reset(CreateBrushIndirect(&description));
    return pattern_brush_ != nullptr;
}

bool GXWINwin32::set_foreground_color(int32_t index, int32_t transparency) {
    if (index == plot->foreground_color && transparency == plot->transparency)
        return true;
    // A printer without colour keeps the colours its output started with.
    if (is_printer() && colour_output_off())
        return true;
    COLORREF colour = 0;
    if (!colour_of_index(index, colour))
        return false;
    foregroundRGB = colour;
    GXWINbase::set_foreground_color(index, transparency);
    if (plot->xor_mode != 0)
        xorRGB = backgroundRGB ^ foregroundRGB;
    SetTextColor(device_context(), foregroundRGB);
    select_pen(line_colour());
    return true;
}

bool GXWINwin32::set_background_color(int32_t index) {
    if (index == plot->background_color)
        return true;
    if (!is_screen()) {
        const vexl::PrintOptions &options = vexl::print_options();
        if (is_printer() && colour_output_off())
            return true;
        // Without a background to draw, the hard copy keeps its white one
        // and only the plot remembers the index.
        const bool background_drawn =
            options.printToFile != 0 ? options.preserveBkgColor != 0 : options.copyToClipboard != 0;
        if (!background_drawn)
            return GXWINbase::set_background_color(index);
    }
    COLORREF colour = 0;
    if (!colour_of_index(index, colour))
        return false;
    backgroundRGB = colour;
    GXWINbase::set_background_color(index);
    SetBkColor(device_context(), backgroundRGB);
    select_solid_brush(backgroundRGB);
    return true;
}

bool GXWINwin32::set_line_type(int32_t type) {
    if (type == plot->line_type)
        return true;
    GXWINbase::set_line_type(type);
    select_pen(line_colour());
    return true;
}

bool GXWINwin32::set_line_width(int32_t line_width) {
    if (!GXWINbase::set_line_width(line_width))
        return false;
    select_pen(line_colour());
    return true;
}

bool GXWINwin32::set_fill_pattern(int32_t pattern) {
    if (pattern == plot->fill_pattern)
        return true;
    if (pattern == -1)
        return GXWINbase::set_fill_pattern(pattern);
    if (pattern == -2) {
        vexl::load_pattern_table();
        const vexl::PatternEntry *solid = vexl::default_solid_pattern();
        patternBitmap = solid != nullptr ? static_cast<HBITMAP>(solid->bitmap.handle()) : nullptr;
        return GXWINbase::set_fill_pattern(pattern);
    }
    vexl::load_pattern_table();
    const std::vector<vexl::PatternEntry> &patterns = vexl::pattern_table();
    if (pattern < 0 || static_cast<std::size_t>(pattern) >= patterns.size())
        return vexl::fail(vexl::Error::InvalidPatternNumber) != 0;
    patternBitmap =
        static_cast<HBITMAP>(patterns[static_cast<std::size_t>(pattern)].bitmap.handle());
    GXWINbase::set_fill_pattern(pattern);
    make_pattern_brush();
    LOGBRUSH description{};
    description.lbStyle = BS_PATTERN;
    description.lbHatch = reinterpret_cast<ULONG_PTR>(patternBitmap);
    selected_.select_brush(vexl::gdi::OwnedBrush(CreateBrushIndirect(&description)));
    return true;
}

bool GXWINwin32::set_xor_drawing_mode(bool on, int32_t colour) {
    if (!GXWINbase::set_xor_drawing_mode(on, colour))
        return false;
    xorRGB = backgroundRGB ^ foregroundRGB;
    HDC dc = device_context();
    // Leaving XOR drawing also leaves its pen: lines drawn afterwards are in
    // the foreground colour again.
    const bool done = on ? select_pen(xorRGB) && SetROP2(dc, R2_XORPEN) != 0
                         : SetROP2(dc, R2_COPYPEN) != 0 && select_pen(foregroundRGB);
    if (!done)
        plot->xor_mode = 0;
    return true;
}
