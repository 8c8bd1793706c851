// GXWINwin32: clip regions, the viewport, clearing and resizing.
//
// GDI clips to a region of the context: the viewport, a world clip rectangle
// and a device clip rectangle each replace it. Clearing fills with the
// background colour; on hard copy only when the output is to have a
// background at all.
#include "devices/gdi_device_win32.h"

#include <algorithm>
#include <cstring>

#include "core/errors.h"
#include "hardcopy/print_options.h"
#include "support/settings_lookup.h"

namespace {

// EMF_WHITE_BACKGROUND set to anything but "off" asks print-to-file output
// for the white background of the hard copy.
bool white_background_requested() {
    char value[vexl::kSettingBufferSize];
    if (vexl::lookup_setting("EMF_WHITE_BACKGROUND", value) == 0)
        return false;
    return std::strcmp(value, "off") != 0 && std::strcmp(value, "OFF") != 0;
}

} // namespace

bool GXWINwin32::clip_to(const vexl::gdi::GdiRect &rect) {
    const RECT area{rect.left, rect.top, rect.right, rect.bottom};
    const vexl::gdi::OwnedRegion region(CreateRectRgnIndirect(&area));
    if (!region)
        return false;
    return SelectClipRgn(device_context(), region.get()) != ERROR;
}

bool GXWINwin32::set_viewport(const float vp[4]) {
    GXWINbase::set_viewport(vp);
    return clip_to(vexl::gdi::clip_from_device_rect(plot->device_viewport));
}

bool GXWINwin32::set_clip_world(const int32_t rect[4], bool on) {
    int32_t corners[4];
    std::copy_n(rect, 4, corners); // rect may be the plot's own clip rectangle
    GXWINbase::set_clip_world(corners, on);
    const DevicePointS lower_left = world_to_device({corners[0], corners[1]});
    const DevicePointS upper_right = world_to_device({corners[2], corners[3]});
    return clip_to(vexl::gdi::clip_from_device_corners(lower_left, upper_right));
}

bool GXWINwin32::set_clip_device(const int32_t rect[4], bool on) {
    int32_t corners[4];
    std::copy_n(rect, 4, corners);
    GXWINbase::set_clip_device(corners, on);
    return clip_to(vexl::gdi::clip_from_device_rect(corners));
}

bool GXWINwin32::clear_world_rect(const int32_t rect[4]) {
    if (!is_screen()) {
        const vexl::PrintOptions &options = vexl::print_options();
        const bool background = options.printToFile != 0
                                    ? options.preserveBkgColor != 0 || white_background_requested()
                                    : options.copyToClipboard != 0;
        if (!background)
            return true;
    }
    HDC dc = device_context();
    const DevicePointS lower_left = world_to_device({rect[0], rect[1]});
    const DevicePointS upper_right = world_to_device({rect[2], rect[3]});
    const vexl::gdi::GdiRect area = vexl::gdi::clip_from_device_corners(lower_left, upper_right);
    const vexl::gdi::OwnedBrush brush(CreateSolidBrush(backgroundRGB));
    if (!brush)
        return false;
    const vexl::gdi::ScopedSelection no_pen(dc, GetStockObject(NULL_PEN));
    const vexl::gdi::ScopedSelection fill(dc, brush.get());
    return Rectangle(dc, area.left, area.top, area.right, area.bottom) != 0;
}

bool GXWINwin32::resize_plot() {
    vexl::gdi::GdiRect area{};
    if (is_screen()) {
        RECT client;
        if (!GetClientRect(hWnd, &client))
            return vexl::fail(vexl::Error::CannotGetWindowAttribute) != 0;
        area = {client.left, client.top, client.right, client.bottom};
        width = client.right;
        height = client.bottom;
    } else {
        area = hardcopy_rect_;
        area.right = area.right > INT32_MIN ? area.right - 1 : area.right;
        area.bottom = area.bottom > INT32_MIN ? area.bottom - 1 : area.bottom;
        width = hardcopy_rect_.right;
        height = hardcopy_rect_.bottom;
    }
    const vexl::gdi::DeviceFrame frame =
        vexl::gdi::device_frame(area, plot->viewport, is_printer());
    std::copy_n(frame.extent, 4, plot->device_extent);
    std::copy_n(frame.viewport, 4, plot->device_viewport);
    set_viewport(plot->viewport);
    if (clip_on)
        set_clip_world(plot->clip_world, true);
    return true;
}
