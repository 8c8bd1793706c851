// GXWINwin32: filled rectangles and polygons, by fill pattern.
//
// No fill draws the outline with the current pen. A solid fill paints the
// shape in the foreground colour without an outline. A pattern on the screen
// must leave the window visible where the pattern is clear, which a pattern
// brush cannot do (it paints both of its colours), so the shape is filled
// with the pattern into a monochrome mask of its bounding box, and the mask
// is put over the window in two raster operations: the set pixels are
// cleared to black, then painted in the foreground colour. On hard copy the
// pattern brush paints the shape in passes that leave white where the
// pattern is clear.
#include "devices/gdi_device_win32.h"

#include <memory>
#include <new>

#include "core/errors.h"

namespace {

using vexl::gdi::GdiRect;
using vexl::gdi::MaskBox;

// Destination AND NOT source: where the mask is set, the window goes black.
constexpr DWORD kClearUnderMask = 0x220326;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A coordinate moved into the mask, held to the int32 range.
LONG moved(int32_t value, int32_t by) {
    const int64_t result = static_cast<int64_t>(value) - by;
    return result > INT32_MAX   ? INT32_MAX
           : result < INT32_MIN ? INT32_MIN
                                : static_cast<LONG>(result);
}

// Paints the interior of the shape with the selected brush and no pen: a
// rectangle as Rectangle (x1, y2, x2 + 1, y1 + 1), which GDI, leaving out
// the missing pen's edge, fills over x1 .. x2 - 1 and y2 .. y1 - 1; a
// polygon as one PolyPolygon that GDI closes.
bool paint_interior(HDC dc, bool rectangle, const int32_t rect[4], const POINT *points, int32_t n) {
    if (rectangle) {
        const GdiRect r = vexl::gdi::filled_rectangle(rect);
        return Rectangle(dc, r.left, r.top, r.right, r.bottom) != 0;
    }
    const INT count = n;
    return PolyPolygon(dc, points, &count, 1) != 0;
}

const POINT *as_points(const DevicePointS *points) {
    return reinterpret_cast<const POINT *>(points);
}

} // namespace

bool GXWINwin32::fill_shape(Shape shape, const int32_t rect[4], const DevicePointS *points,
                            int32_t n) {
    HDC dc = device_context();
    const int32_t pattern = plot->fill_pattern;
    if (pattern == -1) {
        vexl::gdi::ScopedSelection hollow(dc, GetStockObject(HOLLOW_BRUSH));
        if (shape == Shape::Rectangle) {
            const GdiRect r = vexl::gdi::outline_rectangle(rect);
            return Rectangle(dc, r.left, r.top, r.right, r.bottom) != 0;
        }
        const INT count = n;
        return PolyPolygon(dc, as_points(points), &count, 1) != 0;
    }
    if (pattern == -2)
        return fill_solid(shape, rect, points, n);
    return is_screen() ? fill_pattern_on_screen(shape, rect, points, n)
                       : fill_pattern_hardcopy(shape, rect, points, n);
}

bool GXWINwin32::fill_solid(Shape shape, const int32_t rect[4], const DevicePointS *points,
                            int32_t n) {
    HDC dc = device_context();
    const vexl::gdi::OwnedBrush brush(CreateSolidBrush(line_colour()));
    if (!brush)
        return false;
    const vexl::gdi::ScopedSelection no_pen(dc, GetStockObject(NULL_PEN));
    const vexl::gdi::ScopedSelection fill(dc, brush.get());
    return paint_interior(dc, shape == Shape::Rectangle, rect, as_points(points), n);
}

bool GXWINwin32::client_size(int32_t &client_width, int32_t &client_height) const {
    RECT client;
    if (!GetClientRect(hWnd, &client))
        return false;
    client_width = client.right;
    client_height = client.bottom;
    return true;
}

bool GXWINwin32::make_mask(const MaskBox &box, bool start_white, PatternMask &mask) {
    if (!pattern_brush_)
        return false;
    mask.dc.reset(CreateCompatibleDC(device_context()));
    mask.bits.reset(CreateBitmap(box.width, box.height, 1, 1, nullptr));
    if (!mask.dc || !mask.bits)
        return false;
    HGDIOBJ replaced = SelectObject(mask.dc.get(), mask.bits.get());
    if (replaced == nullptr || replaced == HGDI_ERROR)
        return false;
    mask.replaced = replaced;
    // The pattern's phase follows the window, not the shape.
    SetBrushOrgEx(mask.dc.get(), -box.left, -box.top, nullptr);
    return !start_white ||
           BitBlt(mask.dc.get(), 0, 0, box.width, box.height, nullptr, 0, 0, WHITENESS) != 0;
}

bool GXWINwin32::paint_through_mask(HDC mask, const MaskBox &box) {
    HDC dc = device_context();
    const vexl::gdi::SavedColours saved(dc);
    // A monochrome source blits its 1s in the background colour and its 0s
    // (the pattern's set pixels) in the text colour.
    SetBkColor(dc, kBlack);
    SetTextColor(dc, kWhite);
    const bool cleared =
        BitBlt(dc, box.left, box.top, box.width, box.height, mask, 0, 0, kClearUnderMask) != 0;
    SetTextColor(dc, foregroundRGB);
    const bool painted =
        BitBlt(dc, box.left, box.top, box.width, box.height, mask, 0, 0, SRCPAINT) != 0;
    return cleared && painted;
}

bool GXWINwin32::fill_pattern_on_screen(Shape shape, const int32_t rect[4],
                                        const DevicePointS *points, int32_t n) {
    const bool rectangle = shape == Shape::Rectangle;
    const GdiRect bounds =
        rectangle ? vexl::gdi::rectangle_bounds(rect) : vexl::gdi::polygon_bounds(points, n);
    int32_t client_width = 0, client_height = 0;
    if (!client_size(client_width, client_height))
        return false;
    const MaskBox box = vexl::gdi::pattern_mask_box(bounds, client_width, client_height);
    if (box.outside)
        return true;

    std::unique_ptr<POINT[]> moved_points;
    if (!rectangle) {
        moved_points.reset(new (std::nothrow) POINT[static_cast<std::size_t>(n)]);
        if (!moved_points)
            return vexl::fail(vexl::Error::GxwinOutOfMemory) != 0;
        for (int32_t i = 0; i < n; ++i)
            moved_points[i] = {moved(points[i].x, box.left), moved(points[i].y, box.top)};
    }

    // A rectangle's box is the rectangle cut to the window: its fill covers
    // the whole mask.
    PatternMask mask;
    if (!make_mask(box, !rectangle, mask))
        return false;
    HDC mask_dc = mask.dc.get();
    if (rectangle) {
        const RECT whole{0, 0, box.width, box.height};
        if (!FillRect(mask_dc, &whole, pattern_brush_.get()))
            return false;
    } else {
        const vexl::gdi::ScopedSelection no_pen(mask_dc, GetStockObject(NULL_PEN));
        const vexl::gdi::ScopedSelection fill(mask_dc, pattern_brush_.get());
        if (!paint_interior(mask_dc, false, nullptr, moved_points.get(), n))
            return false;
    }
    return paint_through_mask(mask_dc, box);
}

bool GXWINwin32::fill_pattern_hardcopy(Shape shape, const int32_t rect[4],
                                       const DevicePointS *points, int32_t n) {
    HDC dc = device_context();
    const bool rectangle = shape == Shape::Rectangle;
    const POINT *outline = as_points(points);
    if (!pattern_brush_)
        return false;
    const vexl::gdi::ScopedSelection no_pen(dc, GetStockObject(NULL_PEN));
    const vexl::gdi::ScopedSelection fill(dc, pattern_brush_.get());
    if (is_print_to_file())
        return paint_interior(dc, rectangle, rect, outline, n);

    // A pattern brush paints both its colours: the first pass lays the
    // pattern in black on white, the second puts the foreground colour on
    // the set pixels.
    const vexl::gdi::SavedColours saved(dc);
    const vexl::gdi::SavedRasterOperation saved_operation(dc);
    SetBkColor(dc, kWhite);
    SetTextColor(dc, kBlack);
    bool drawn = paint_interior(dc, rectangle, rect, outline, n);
    if (rectangle || is_printer()) {
        SetBkColor(dc, kWhite);
    } else {
        SetBkColor(dc, kBlack);
        SetROP2(dc, R2_MERGEPEN);
    }
    SetTextColor(dc, foregroundRGB);
    drawn = paint_interior(dc, rectangle, rect, outline, n) && drawn;
    return drawn;
}
