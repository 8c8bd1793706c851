// GXWINwin32: points, lines, poly-lines, segments, rectangles and polygons.
//
// Device points are pairs of 32-bit integers laid out exactly as GDI's POINT,
// so point arrays go to GDI as they are. A poly-line of n points is drawn as
// its n - 1 pieces, each its own two-point Polyline, so each piece starts its
// dash pattern afresh; segments go to GDI in one PolyPolyline call.
#include "devices/gdi_device_win32.h"

#include <cstddef>

#include "devices/work_buffer.h"

static_assert(sizeof(POINT) == sizeof(DevicePointS) && offsetof(POINT, x) == 0 &&
                  offsetof(POINT, y) == offsetof(DevicePointS, y),
              "device points are handed to GDI as POINT arrays");

namespace {

const POINT *as_points(const DevicePointS *points) {
    return reinterpret_cast<const POINT *>(points);
}

// The point counts of PolyPolyline, all 2: kept for the library's life and
// grown, never shrunk, so segment drawing allocates only when a call brings
// more segments than any before it.
constexpr std::size_t kInitialSegmentCounts = 100;

class SegmentCounts {
  public:
    // At least n counts of 2; null when they cannot be had.
    const DWORD *counts(int32_t n) {
        const std::size_t needed = static_cast<std::size_t>(n);
        if (needed > buffer_.capacity()) {
            const std::size_t grown =
                buffer_.capacity() == 0
                    ? (needed > kInitialSegmentCounts ? needed : kInitialSegmentCounts)
                    : buffer_.capacity() + needed;
            if (!buffer_.fit(grown))
                return nullptr;
            DWORD *all = buffer_.data();
            for (std::size_t i = 0; i < buffer_.capacity(); ++i)
                all[i] = 2;
        }
        return buffer_.data();
    }

  private:
    vexl::WorkBuffer<DWORD> buffer_;
};

SegmentCounts &segment_counts() {
    static SegmentCounts shared;
    return shared;
}

} // namespace

bool GXWINwin32::draw_point_device(const DevicePointS &p) {
    HDC dc = device_context();
    const DevicePointS end = vexl::gdi::dot_end(p);
    return MoveToEx(dc, p.x, p.y, nullptr) != 0 && LineTo(dc, end.x, end.y) != 0;
}

bool GXWINwin32::draw_line_device(const DevicePointS &a, const DevicePointS &b) {
    const POINT line[2] = {{a.x, a.y}, {b.x, b.y}};
    return Polyline(device_context(), line, 2) != 0;
}

bool GXWINwin32::draw_lines_device(const DevicePointS *points, int32_t n) {
    if (n < 1)
        return true;
    if (n == 1)
        return draw_point_device(points[0]);
    HDC dc = device_context();
    const POINT *line = as_points(points);
    bool drawn = true;
    for (int32_t i = 0; i + 1 < n; ++i)
        drawn = Polyline(dc, line + i, 2) != 0 && drawn;
    return drawn;
}

bool GXWINwin32::draw_segments_device(const DevicePointS *points, int32_t n) {
    if (n < 0)
        return false;
    if (n == 0)
        return true;
    if (plot->xor_mode != 0) {
        // Under XOR each segment is drawn as a line of its own.
        bool drawn = true;
        for (int32_t i = 0; i < n; ++i)
            drawn = draw_line_device(points[2 * i], points[2 * i + 1]) && drawn;
        return drawn;
    }
    const DWORD *counts = segment_counts().counts(n);
    if (counts == nullptr)
        return false;
    return PolyPolyline(device_context(), as_points(points), counts, static_cast<DWORD>(n)) != 0;
}

bool GXWINwin32::draw_rectangle_device(const int32_t rect[4]) {
    return fill_shape(Shape::Rectangle, rect, nullptr, 0);
}

bool GXWINwin32::draw_polygon_device(const DevicePointS *points, int32_t n) {
    if (n < 0)
        return false;
    if (n == 0)
        return true;
    return fill_shape(Shape::Polygon, nullptr, points, n);
}
