// The arithmetic of the Windows graphics device. Every coordinate handed in
// may sit anywhere in the int32 range, so each sum that can cross an end of
// it is formed in 64 bits and saturated: a far edge at INT32_MAX stays the
// last pixel instead of wrapping to the other side of the surface.
#include "devices/gdi_geometry.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "support/int32_conversions.h"

namespace vexl::gdi {

namespace {

// 2π to six places: the stepped arc has always converted its angles with
// it, so keeping it keeps its steps on the pixels they have always had.
constexpr double kTwoPi = 6.283184;
constexpr double kRadiansPerStep = 0.01;
constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;

int32_t plus(int32_t value, int64_t offset) {
    return saturate_to_int32(static_cast<int64_t>(value) + offset);
}

// The outer edges of the device-safe range, halfway to the first pixel
// that cannot take a +1 or -1 any more.
constexpr double kRangeLow = -2147483647.5;
constexpr double kRangeHigh = 2147483646.5;

bool coordinate_fits(double value) {
    // Written so that NaN fails: it has no pixel to round to.
    return value > kRangeLow && value < kRangeHigh;
}

} // namespace

PenStyle pen_style_for_line_type(int32_t line_type) {
    static constexpr PenStyle kStyles[] = {PenStyle::Solid,     PenStyle::Dot,     PenStyle::Dot,
                                           PenStyle::Dash,      PenStyle::DashDot, PenStyle::Dash,
                                           PenStyle::DashDotDot};
    if (line_type < 0 || line_type >= static_cast<int32_t>(std::size(kStyles)))
        return PenStyle::Solid;
    return kStyles[line_type];
}

GdiRect outline_rectangle(const int32_t rect[4]) {
    return {rect[0], rect[3], rect[2], rect[1]};
}

GdiRect filled_rectangle(const int32_t rect[4]) {
    return {rect[0], rect[3], plus(rect[2], 1), plus(rect[1], 1)};
}

GdiRect clip_from_device_corners(const DevicePointS &lower_left, const DevicePointS &upper_right) {
    return {lower_left.x, upper_right.y, plus(upper_right.x, 1), plus(lower_left.y, 1)};
}

GdiRect clip_from_device_rect(const int32_t rect[4]) {
    return {rect[0], rect[3], rect[2], rect[1]};
}

DevicePointS dot_end(const DevicePointS &p) {
    return {plus(p.x, 1), plus(p.y, 1)};
}

ArcGeometry arc_geometry(const DeviceArcS &arc) {
    // Differences of two int32 values need 33 bits, their squares 66: both
    // are formed in double, whose exact square root rounds the same in every
    // build.
    const double dx = static_cast<double>(static_cast<int64_t>(arc.x) - arc.cx);
    const double dy = static_cast<double>(static_cast<int64_t>(arc.cy) - arc.y);
    ArcGeometry g{};
    g.radius = round_to_int32(std::sqrt(dx * dx + dy * dy));
    g.start_degrees = (dx == 0.0 && dy == 0.0) ? 0.0 : std::atan2(dy, dx) * kDegreesPerRadian;
    g.sweep_degrees = arc.sweep / 1000.0;
    return g;
}

SteppedArc::SteppedArc(const DeviceArcS &arc)
    : centre_{arc.cx, arc.cy}, radius_(0), first_(0.0), steps_(0), closes_(false), count_(1) {
    const ArcGeometry g = arc_geometry(arc);
    radius_ = g.radius;
    const double start = g.start_degrees * kTwoPi / 360.0;
    const double end = (g.start_degrees + g.sweep_degrees) * kTwoPi / 360.0;
    first_ = std::min(start, end);
    const double last = std::max(start, end);

    // Steps are placed at first + k * 0.01 rather than by adding 0.01 each
    // time, so a long sweep does not drift; the estimate is then corrected by
    // the same comparison the points are made with. The largest sweep (about
    // 37,500 radians) stays far inside int32.
    int64_t k = static_cast<int64_t>((last - first_) / kRadiansPerStep);
    while (first_ + static_cast<double>(k + 1) * kRadiansPerStep <= last)
        ++k;
    while (k > 0 && first_ + static_cast<double>(k) * kRadiansPerStep > last)
        --k;
    steps_ = static_cast<int32_t>(k);
    // A full turn either way closes on its first point: without the closing
    // line the last step stops short of it and leaves a gap in the circle.
    closes_ = std::fabs(g.sweep_degrees) >= 360.0;
    count_ = 1 + steps_ + (closes_ ? 1 : 0);
}

DevicePointS SteppedArc::point(int32_t i) const {
    if (i < 0 || i >= count_)
        return centre_;
    const double t =
        (closes_ && i == count_ - 1) ? first_ : first_ + static_cast<double>(i) * kRadiansPerStep;
    const double r = radius_;
    return {plus(centre_.x, trunc_to_int32(r * std::cos(t))),
            plus(centre_.y, -static_cast<int64_t>(trunc_to_int32(r * std::sin(t))))};
}

GdiRect polygon_bounds(const DevicePointS *points, int32_t n) {
    GdiRect box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (int32_t i = 1; i < n; ++i) {
        box.left = std::min(box.left, points[i].x);
        box.right = std::max(box.right, points[i].x);
        box.top = std::min(box.top, points[i].y);
        box.bottom = std::max(box.bottom, points[i].y);
    }
    return box;
}

GdiRect arc_bounds(const DevicePointS &centre, int32_t radius) {
    return {plus(centre.x, -static_cast<int64_t>(radius)),
            plus(centre.y, -static_cast<int64_t>(radius)), plus(centre.x, radius),
            plus(centre.y, radius)};
}

GdiRect rectangle_bounds(const int32_t rect[4]) {
    // The corners come in the caller's order; a box is always the smaller
    // coordinate to the larger, or a reversed rectangle would cut to nothing.
    return {std::min(rect[0], rect[2]), std::min(rect[1], rect[3]), std::max(rect[0], rect[2]),
            std::max(rect[1], rect[3])};
}

MaskBox pattern_mask_box(const GdiRect &box, int32_t client_width, int32_t client_height) {
    MaskBox mask{};
    mask.outside = box.left >= client_width || box.top >= client_height || box.right < 0 ||
                   box.bottom < 0 || box.right < box.left || box.bottom < box.top;
    if (mask.outside)
        return mask;
    mask.left = std::max(box.left, 0);
    mask.top = std::max(box.top, 0);
    const int32_t right = std::min(box.right, client_width);
    const int32_t bottom = std::min(box.bottom, client_height);
    mask.width = saturate_to_int32(static_cast<int64_t>(right) - mask.left + 1);
    mask.height = saturate_to_int32(static_cast<int64_t>(bottom) - mask.top + 1);
    return mask;
}

DeviceFrame device_frame(const GdiRect &area, const float fractions[4], bool printer) {
    DeviceFrame frame{};
    if (printer) {
        frame.extent[0] = area.left;
        frame.extent[1] = area.bottom;
        frame.extent[2] = area.right;
        frame.extent[3] = area.top;
    } else {
        frame.extent[0] = 0;
        frame.extent[1] = area.bottom;
        frame.extent[2] = area.right;
        frame.extent[3] = 0;
    }
    device_viewport(area, fractions, frame.viewport);
    return frame;
}

void device_viewport(const GdiRect &area, const float fractions[4], int32_t out[4]) {
    const double width = int32_difference(area.right, area.left);
    const double height = int32_difference(area.bottom, area.top);
    for (int corner = 0; corner < 2; ++corner) {
        const double fx = fractions[2 * corner];
        const double fy = fractions[2 * corner + 1];
        out[2 * corner] = trunc_to_int32(width * fx + area.left + 0.5);
        out[2 * corner + 1] = trunc_to_int32(area.bottom - height * fy + 0.5);
    }
}

int32_t round_coord(double value) {
    // The library's one rounding to pixels, shared with the other devices:
    // halves away from zero, exact even next to a half, saturating, NaN 0.
    return round_to_int32(value);
}

bool outside_device_range(const DevicePointF &p) {
    return !coordinate_fits(p.x) || !coordinate_fits(p.y);
}

} // namespace vexl::gdi
