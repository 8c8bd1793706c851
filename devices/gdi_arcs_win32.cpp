// GXWINwin32: arcs.
//
// The curve is built in a path, so one arc can be stroked (no fill) or filled
// (solid, pattern) with the same calls. It is drawn with AngleArc where the
// system has it and as short straight steps (vexl::gdi::SteppedArc) where it
// does not. The arc leaves the context's current position where it found it.
//
// Some printer drivers keep a path but cannot render it (Wine's fails every
// StrokePath and FillPath): the arc is then drawn as the points of its
// flattened path, which every driver draws.
#include "devices/gdi_device_win32.h"

#include <vector>

namespace {

// Where a path ends up: closed and filled, or stroked.
bool end_and_fill(HDC dc) {
    return EndPath(dc) != 0 && FillPath(dc) != 0;
}

// The arc record moved by (-dx, -dy), each coordinate held to the int32 range.
DeviceArcS moved_arc(const DeviceArcS &arc, int32_t dx, int32_t dy) {
    const auto move = [](int32_t value, int32_t by) {
        const int64_t result = static_cast<int64_t>(value) - by;
        return static_cast<int32_t>(result > INT32_MAX   ? INT32_MAX
                                    : result < INT32_MIN ? INT32_MIN
                                                         : result);
    };
    return {move(arc.x, dx), move(arc.y, dy), move(arc.cx, dx), move(arc.cy, dy), arc.sweep};
}

} // namespace

bool GXWINwin32::trace_arc(HDC dc, const DeviceArcS &arc) {
    if (stepped_arcs_) {
        const vexl::gdi::SteppedArc steps(arc);
        if (steps.count() < 1)
            return true;
        const DevicePointS first = steps.point(0);
        bool traced = MoveToEx(dc, first.x, first.y, nullptr) != 0;
        for (int32_t i = 1; i < steps.count(); ++i) {
            const DevicePointS p = steps.point(i);
            traced = LineTo(dc, p.x, p.y) != 0 && traced;
        }
        return traced;
    }
    const vexl::gdi::ArcGeometry geometry = vexl::gdi::arc_geometry(arc);
    return MoveToEx(dc, arc.x, arc.y, nullptr) != 0 &&
           AngleArc(dc, arc.cx, arc.cy, static_cast<DWORD>(geometry.radius),
                    static_cast<FLOAT>(geometry.start_degrees),
                    static_cast<FLOAT>(geometry.sweep_degrees)) != 0;
}

// The arc traced again, flattened into straight steps and drawn as a
// poly-line with the pen, or as a polygon with the brush when filled.
bool GXWINwin32::draw_flattened_arc(HDC dc, const DeviceArcS &arc, bool fill) {
    AbortPath(dc);
    if (!(BeginPath(dc) != 0 && trace_arc(dc, arc) && EndPath(dc) != 0 && FlattenPath(dc) != 0)) {
        AbortPath(dc);
        return false;
    }
    const int count = GetPath(dc, nullptr, nullptr, 0);
    std::vector<POINT> points(count > 0 ? static_cast<size_t>(count) : 0);
    std::vector<BYTE> kinds(points.size());
    const bool read = count > 0 && GetPath(dc, points.data(), kinds.data(), count) == count;
    AbortPath(dc);
    if (!read)
        return false;
    return fill ? Polygon(dc, points.data(), count) != 0 : Polyline(dc, points.data(), count) != 0;
}

bool GXWINwin32::draw_arc_device(const DeviceArcS &arc) {
    HDC dc = device_context();
    POINT position{0, 0};
    GetCurrentPositionEx(dc, &position);
    const int32_t pattern = plot->fill_pattern;
    bool drawn = false;
    if (pattern == -1) {
        const vexl::gdi::ScopedSelection hollow(dc, GetStockObject(HOLLOW_BRUSH));
        if (plot->xor_mode != 0)
            set_xor_drawing_mode(true, plot->foreground_color);
        drawn =
            (BeginPath(dc) != 0 && trace_arc(dc, arc) && EndPath(dc) != 0 && StrokePath(dc) != 0) ||
            draw_flattened_arc(dc, arc, false);
    } else if (pattern != -2 && is_screen()) {
        drawn = fill_arc_on_screen(arc);
    } else {
        const bool solid = pattern == -2;
        const vexl::gdi::OwnedBrush solid_brush(solid ? CreateSolidBrush(line_colour()) : nullptr);
        HBRUSH brush = solid ? solid_brush.get() : pattern_brush_.get();
        if (brush != nullptr) {
            const vexl::gdi::ScopedSelection no_pen(dc, GetStockObject(NULL_PEN));
            const vexl::gdi::ScopedSelection fill(dc, brush);
            const vexl::gdi::SavedColours saved(dc);
            const vexl::gdi::SavedRasterOperation saved_operation(dc);
            drawn = BeginPath(dc) != 0 && trace_arc(dc, arc);
            if (drawn && !solid && !is_print_to_file()) {
                // Two passes, as for polygons: the pattern first masks the
                // set pixels, then paints them in the foreground colour.
                if (is_printer()) {
                    SetBkColor(dc, RGB(255, 255, 255));
                    SetTextColor(dc, RGB(0, 0, 0));
                } else {
                    SetBkColor(dc, RGB(0, 0, 0));
                    SetTextColor(dc, RGB(255, 255, 255));
                    SetROP2(dc, R2_MASKNOTPEN);
                }
                drawn = (end_and_fill(dc) || draw_flattened_arc(dc, arc, true)) &&
                        BeginPath(dc) != 0 && trace_arc(dc, arc);
                if (is_printer()) {
                    SetBkColor(dc, RGB(255, 255, 255));
                } else {
                    SetBkColor(dc, RGB(0, 0, 0));
                    SetROP2(dc, R2_MERGEPEN);
                }
                SetTextColor(dc, foregroundRGB);
            }
            // The path is ended (and filled) even after a failed trace.
            const bool filled = end_and_fill(dc) || (drawn && draw_flattened_arc(dc, arc, true));
            drawn = filled && drawn;
        }
    }
    MoveToEx(dc, position.x, position.y, nullptr);
    return drawn;
}

bool GXWINwin32::fill_arc_on_screen(const DeviceArcS &arc) {
    const vexl::gdi::ArcGeometry geometry = vexl::gdi::arc_geometry(arc);
    int32_t client_width = 0, client_height = 0;
    if (!client_size(client_width, client_height))
        return false;
    const vexl::gdi::MaskBox box = vexl::gdi::pattern_mask_box(
        vexl::gdi::arc_bounds({arc.cx, arc.cy}, geometry.radius), client_width, client_height);
    if (box.outside)
        return true;

    PatternMask mask;
    if (!make_mask(box, true, mask))
        return false;
    HDC mask_dc = mask.dc.get();
    {
        const vexl::gdi::ScopedSelection no_pen(mask_dc, GetStockObject(NULL_PEN));
        const vexl::gdi::ScopedSelection fill(mask_dc, pattern_brush_.get());
        if (!(BeginPath(mask_dc) && trace_arc(mask_dc, moved_arc(arc, box.left, box.top)) &&
              end_and_fill(mask_dc)))
            return false;
    }
    return paint_through_mask(mask_dc, box);
}
