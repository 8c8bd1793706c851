// The arithmetic of the Windows graphics device, kept apart from the GDI
// calls so that it is tested natively: which pen style a line type draws
// with, the rectangles handed to Rectangle, FillRect and the clip regions,
// the radius and start angle of an arc, the stepped arc used where AngleArc
// is missing, the mask box of a pattern fill, the viewport of a resized
// plot, and the rounding and range test of device coordinates.
//
// Every +1 saturates at INT32_MAX: a pixel's far edge at the end of the
// 32-bit range stays the last pixel rather than wrapping to the far side.
#ifndef VEXL33_DEVICES_GDI_GEOMETRY_H
#define VEXL33_DEVICES_GDI_GEOMETRY_H

#include <cstdint>

#include "core/gxwin_base.h"
#include "plot/gplot.h"

namespace vexl::gdi {

// GDI's pen styles, with the values of the PS_* constants.
enum class PenStyle : int32_t { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4 };

// Pen style of a plot line type (0..6); any other line type draws solid.
PenStyle pen_style_for_line_type(int32_t line_type);

// A rectangle in GDI's order (the fields of RECT): left, top, right, bottom.
struct GdiRect {
    int32_t left, top, right, bottom;
};

// Device rectangles are (x1, y1, x2, y2) with y1 the lower edge, the larger
// device y.

// The outline drawn with the current pen: (x1, y2, x2, y1).
GdiRect outline_rectangle(const int32_t rect[4]);
// A filled rectangle, which GDI draws without its right and bottom edges:
// (x1, y2, x2 + 1, y1 + 1).
GdiRect filled_rectangle(const int32_t rect[4]);
// A world clip rectangle from its two device corners, p1 the lower left and
// p2 the upper right: (p1.x, p2.y, p2.x + 1, p1.y + 1).
GdiRect clip_from_device_corners(const DevicePointS &lower_left, const DevicePointS &upper_right);
// A device clip rectangle: (x1, y2, x2, y1).
GdiRect clip_from_device_rect(const int32_t rect[4]);
// The far end of a one-pixel dot: (p.x + 1, p.y + 1).
DevicePointS dot_end(const DevicePointS &p);

// Radius and angles of a device arc record.
struct ArcGeometry {
    int32_t radius;       // sqrt(dx^2 + dy^2) to the nearest integer
    double start_degrees; // atan2(dy, dx) in degrees; 0 for a zero-length arc
    double sweep_degrees; // record sweep / 1000
};
ArcGeometry arc_geometry(const DeviceArcS &arc);

// The arc as short straight steps, for systems without AngleArc: the first
// point at the smaller of the start and end angles, then one point every
// 0.01 radian up to the larger, and for a sweep of 360 degrees or more
// (either way round) a last point equal to the first. point() outside
// 0 .. count() - 1 gives the centre.
class SteppedArc {
  public:
    explicit SteppedArc(const DeviceArcS &arc);
    // Number of points: the MoveToEx point, each LineTo point, and the
    // closing point when there is one.
    int32_t count() const { return count_; }
    // Point i, 0 <= i < count().
    DevicePointS point(int32_t i) const;

  private:
    DevicePointS centre_;
    int32_t radius_;
    double first_;
    int32_t steps_; // LineTo points along the curve
    bool closes_;
    int32_t count_;
};

// Bounding box of a filled shape, in device pixels.
GdiRect polygon_bounds(const DevicePointS *points, int32_t n); // n >= 1
GdiRect arc_bounds(const DevicePointS &centre, int32_t radius);
// (x1, y2, x2, y1) with the corners put in order: left <= right, top <= bottom.
GdiRect rectangle_bounds(const int32_t rect[4]);

// Where a pattern fill's mask goes: the box cut to the client area, or
// nothing at all when the box lies wholly outside it.
struct MaskBox {
    // box left >= client width, top >= client height, right < 0 or
    // bottom < 0, or an empty box (right < left or bottom < top)
    bool outside;
    int32_t left, top;
    int32_t width, height; // right - left + 1 and bottom - top + 1 after the cut
};
MaskBox pattern_mask_box(const GdiRect &box, int32_t client_width, int32_t client_height);

// The device extent and viewport of a plot whose drawing area is `area`
// (for a window: its client rectangle; for a hard copy: the hard-copy
// rectangle with right and bottom already reduced by 1).
struct DeviceFrame {
    int32_t extent[4];   // (0, bottom, right, 0); a printer (left, bottom, right, top)
    int32_t viewport[4]; // from the fractions, see device_viewport
};
DeviceFrame device_frame(const GdiRect &area, const float fractions[4], bool printer);

// The device viewport of viewport fractions (x1, y1, x2, y2) over `area`:
// x = (int)((right - left) * fx + left + 0.5),
// y = (int)(bottom - (bottom - top) * fy + 0.5).
void device_viewport(const GdiRect &area, const float fractions[4], int32_t out[4]);

// Rounding of device and world coordinates: halves away from zero,
// saturating at the int32 limits, NaN to 0.
int32_t round_coord(double value);

// Whether a device point cannot be held in 32-bit device coordinates: a
// coordinate <= -2147483647.5 or >= 2147483646.5, or one that is NaN.
bool outside_device_range(const DevicePointF &p);

} // namespace vexl::gdi

#endif // VEXL33_DEVICES_GDI_GEOMETRY_H
