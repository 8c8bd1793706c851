// GXWINbase: construction, the state operations and the device queries.
//
// Everything a plot remembers (viewport, world window, clip rectangles,
// attributes) is stored in its GPlot record, so these defaults mostly copy
// values in and out of that record. The drawing layers are in
// gxwin_base_device.cpp (double and integer) and gxwin_base_world.cpp (world).
#include "core/gxwin_base.h"

#include <algorithm>

#include "colour/color_map.h"
#include "core/errors.h"
#include "support/int32_conversions.h"

GXWINbase::GXWINbase(GPlot *owner, void *window_handle, int32_t units, int32_t value)
    : plot(owner), open_units(units), open_value(value), window(window_handle) {
    if (plot)
        plot->device = this;
}

GXWINbase::~GXWINbase() {
    if (plot)
        plot->device = nullptr;
}

int32_t GXWINbase::get_colormap_key() {
    return 0;
}

void GXWINbase::flush() {}

bool GXWINbase::set_buffer_mode(bool on) {
    // Buffering cannot be requested from a device that has no buffers, but it
    // can always be switched off.
    if (on && buffer_capacity < 1)
        return true;
    buffer_mode = on;
    return true;
}

bool GXWINbase::set_buffer_capacity(int32_t n) {
    buffer_capacity = n;
    return true;
}

bool GXWINbase::get_clip_device(int32_t rect[4]) {
    std::copy_n(plot->clip_device, 4, rect);
    return true;
}

bool GXWINbase::unset_clip_device() {
    int32_t extent[4];
    std::copy_n(plot->device_extent, 4, extent);
    return set_clip_device(extent, false);
}

bool GXWINbase::get_viewport(float vp[4]) {
    std::copy_n(plot->viewport, 4, vp);
    return true;
}

bool GXWINbase::get_world(int32_t rect[4]) {
    std::copy_n(plot->world, 4, rect);
    return true;
}

bool GXWINbase::get_clip_world(int32_t rect[4]) {
    std::copy_n(plot->clip_world, 4, rect);
    return true;
}

bool GXWINbase::get_uses_xor_draw() {
    return true;
}

// The colour queries answer from the colour map of this device's key. The
// plotting interface has checked the index already; an index outside the map
// is still refused here rather than read past its end.
bool GXWINbase::get_color_RGB(int32_t index, int32_t *red, int32_t *green, int32_t *blue) {
    const vexl::ColorMapEntry *entry =
        vexl::color_entry(vexl::find_color_map(get_colormap_key()), index);
    if (!entry)
        return false;
    *red = entry->red;
    *green = entry->green;
    *blue = entry->blue;
    return true;
}

bool GXWINbase::get_contrast_color(int32_t index, int32_t *out) {
    return vexl::get_contrast_color(vexl::find_color_map(get_colormap_key()), index, out);
}

bool GXWINbase::get_color_name(int32_t index, const char **out) {
    // The map lives as long as the library, so the name may be kept.
    const vexl::ColorMapEntry *entry =
        vexl::color_entry(vexl::find_color_map(get_colormap_key()), index);
    if (!entry)
        return false;
    *out = entry->name.c_str();
    return true;
}

bool GXWINbase::get_color_index(const char *name, int32_t *out) {
    const int32_t index = vexl::find_color_by_name(vexl::find_color_map(get_colormap_key()), name);
    *out = index < 0 ? 0 : index;
    return index >= 0;
}

bool GXWINbase::get_color_pixel(int32_t index, uint32_t *out) {
    const vexl::ColorMapEntry *entry =
        vexl::color_entry(vexl::find_color_map(get_colormap_key()), index);
    if (!entry)
        return false;
    *out = entry->pixel;
    return true;
}

bool GXWINbase::get_color_size(int32_t *n) {
    *n = vexl::color_count(vexl::find_color_map(get_colormap_key()));
    return true;
}

bool GXWINbase::get_pixels_perinch(double *x, double *y) {
    // Written so that NaN fails too: a device whose size was never set has
    // no resolution to report.
    if (!(pixels_per_mm_x > 0.0 && pixels_per_mm_y > 0.0))
        return false;
    *x = pixels_per_mm_x * 25.4;
    *y = pixels_per_mm_y * 25.4;
    return true;
}

void GXWINbase::force_display_repaint() {}

bool GXWINbase::set_foreground_color(int32_t index, int32_t transparency) {
    plot->foreground_color = index;
    plot->transparency = transparency;
    return true;
}

bool GXWINbase::set_background_color(int32_t index) {
    plot->background_color = index;
    return true;
}

bool GXWINbase::set_line_type(int32_t type) {
    plot->line_type = type;
    return true;
}

bool GXWINbase::set_line_width(int32_t width) {
    if (width < 0) {
        vexl::fail(vexl::Error::InvalidLineWidth);
        return false;
    }
    plot->line_width = width;
    return true;
}

bool GXWINbase::set_fill_pattern(int32_t pattern) {
    plot->fill_pattern = pattern;
    return true;
}

bool GXWINbase::set_xor_drawing_mode(bool on, int32_t colour) {
    // XOR drawing needs an opaque pen of the given colour; without it the
    // mode would have nothing to draw with, so the flag stays as it was.
    if (!set_foreground_color(colour, 255))
        return false;
    plot->xor_mode = on ? 1 : 0;
    return true;
}

bool GXWINbase::clear_world_rect(const int32_t[4]) {
    return false;
}

bool GXWINbase::set_viewport(const float vp[4]) {
    float fractions[4];
    std::copy_n(vp, 4, fractions); // vp may be the plot's own viewport
    std::copy_n(fractions, 4, plot->viewport);

    const int32_t *extent = plot->device_extent; // left, bottom, right, top
    const double left = extent[0];
    const double bottom = extent[1];
    const double width = vexl::int32_difference(extent[2], extent[0]);
    const double height = vexl::int32_difference(extent[1], extent[3]);
    // Fraction 0 in y is the bottom of the extent: device y grows downward.
    int32_t *dv = plot->device_viewport;
    dv[0] = vexl::trunc_to_int32(left + width * fractions[0] + 0.5);
    dv[1] = vexl::trunc_to_int32(bottom - height * fractions[1] + 0.5);
    dv[2] = vexl::trunc_to_int32(left + width * fractions[2] + 0.5);
    dv[3] = vexl::trunc_to_int32(bottom - height * fractions[3] + 0.5);
    return true;
}

bool GXWINbase::set_clip_device(const int32_t rect[4], bool on) {
    std::copy_n(rect, 4, plot->clip_device);
    clip_on = on;
    return true;
}

bool GXWINbase::is_outside_device_range(const DevicePointF &) {
    return false;
}

bool GXWINbase::save_clipboard_to_file(const char *) {
    return true;
}

bool GXWINbase::write_rotated_text(GFontTable *, const WorldPointS &, int32_t, double,
                                   const char *) {
    return false;
}

bool GXWINbase::get_text_bound_box(GFontTable *, int32_t, const char *, int32_t *, int32_t *) {
    return false;
}

double GXWINbase::inches_to_font_height(double) {
    return 8.0;
}

bool GXWINbase::get_width_n_height(int32_t *, int32_t *) {
    return true;
}

bool GXWINbase::resize_plot() {
    return true;
}

int32_t GXWINbase::reserved_query() {
    return 0;
}

void GXWINbase::set_device_size(int32_t width_px, int32_t height_px, double width_in_mm,
                                double height_in_mm) {
    width_pixels = width_px;
    height_pixels = height_px;
    width_mm = width_in_mm;
    height_mm = height_in_mm;
    pixels_per_mm_x = static_cast<double>(width_px) / width_in_mm;
    pixels_per_mm_y = static_cast<double>(height_px) / height_in_mm;
    aspect_ratio = pixels_per_mm_x / pixels_per_mm_y;
}

bool GXWINbase::clear() {
    // The clear must reach the whole world window even while a smaller clip
    // rectangle is in force, and the caller's clip rectangle must survive it.
    const bool was_clipping = clip_on;
    int32_t saved_clip[4] = {0, 0, 0, 0};
    int32_t whole[4];
    std::copy_n(plot->world, 4, whole);
    if (was_clipping) {
        get_clip_world(saved_clip);
        set_clip_world(whole, false);
    }
    const bool cleared = clear_world_rect(whole);
    if (was_clipping)
        set_clip_world(saved_clip, true);
    return cleared;
}

bool GXWINbase::clear_clip_area() {
    int32_t area[4];
    std::copy_n(plot->clip_world, 4, area);
    return clear_world_rect(area);
}
