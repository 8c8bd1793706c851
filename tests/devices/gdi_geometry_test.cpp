// The Windows graphics device's arithmetic, checked natively: the numbers
// handed to GDI for pens, rectangles, clip regions, arcs and pattern masks,
// and what happens to them at the ends of the 32-bit range.
#include "devices/gdi_geometry.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

namespace {

using vexl::gdi::GdiRect;
using vexl::gdi::PenStyle;

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

using Ints = std::vector<int32_t>;

void expect_rect(const GdiRect &r, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    EXPECT_EQ((Ints{r.left, r.top, r.right, r.bottom}), (Ints{left, top, right, bottom}));
}

Ints xy(const DevicePointS &p) {
    return {p.x, p.y};
}

std::vector<DevicePointS> stepped_points(const DeviceArcS &arc) {
    const vexl::gdi::SteppedArc steps(arc);
    std::vector<DevicePointS> points;
    for (int32_t i = 0; i < steps.count(); ++i)
        points.push_back(steps.point(i));
    return points;
}

TEST(GdiPenStyle, LineTypesDrawWithTheirTableStylesAndUnknownOnesSolid) {
    const PenStyle expected[] = {PenStyle::Solid,     PenStyle::Dot,     PenStyle::Dot,
                                 PenStyle::Dash,      PenStyle::DashDot, PenStyle::Dash,
                                 PenStyle::DashDotDot};
    for (int32_t type = 0; type < 7; ++type)
        EXPECT_EQ(vexl::gdi::pen_style_for_line_type(type), expected[type]) << type;
    EXPECT_EQ(static_cast<int>(PenStyle::DashDotDot), 4); // GDI's PS_DASHDOTDOT
    // Never read past the table.
    for (int32_t type : {-1, 7, kMax, kMin})
        EXPECT_EQ(vexl::gdi::pen_style_for_line_type(type), PenStyle::Solid) << type;
}

// Outlines and rectangle clips take the upper edge as top; fills, corner
// clips and dots reach one past the far edges, except at the end of the
// range, where they stay instead of wrapping.
TEST(GdiRectangles, TopIsTheUpperEdgeAndFarEdgesReachOnePastUnlessAtTheEnd) {
    const int32_t rect[4] = {10, 200, 110, 50}; // y1 is the lower edge
    expect_rect(vexl::gdi::outline_rectangle(rect), 10, 50, 110, 200);
    expect_rect(vexl::gdi::clip_from_device_rect(rect), 10, 50, 110, 200);
    expect_rect(vexl::gdi::filled_rectangle(rect), 10, 50, 111, 201);
    expect_rect(vexl::gdi::clip_from_device_corners({10, 200}, {110, 50}), 10, 50, 111, 201);
    EXPECT_EQ(xy(vexl::gdi::dot_end({-7, 3})), (Ints{-6, 4}));

    const int32_t whole[4] = {kMin, kMax, kMax, kMin};
    expect_rect(vexl::gdi::filled_rectangle(whole), kMin, kMin, kMax, kMax);
    expect_rect(vexl::gdi::clip_from_device_corners({kMax - 1, kMax}, {kMax, kMin}), kMax - 1, kMin,
                kMax, kMax);
    EXPECT_EQ(xy(vexl::gdi::dot_end({kMax, kMax})), (Ints{kMax, kMax}));
}

// Device y grows downward, so a start point above the centre is at 90°; a
// zero-length arc has radius and start angle 0.
TEST(GdiArcGeometry, RadiusRoundsToTheNearestPixelAndAngleCountsUpward) {
    const struct {
        DeviceArcS arc;
        int32_t radius;
        double start, sweep;
    } cases[] = {{{100, 40, 100, 100, 90000}, 60, 90.0, 90.0},
                 {{102, 98, 100, 100, -1500}, 3, 45.0, -1.5},       // √8 = 2.83
                 {{98, 101, 100, 100, 1}, 2, -153.43494882, 0.001}, // √5 = 2.24
                 {{-5, 7, -5, 7, 360000}, 0, 0.0, 360.0}};
    for (const auto &c : cases) {
        const auto g = vexl::gdi::arc_geometry(c.arc);
        SCOPED_TRACE(c.radius);
        EXPECT_EQ(g.radius, c.radius);
        EXPECT_NEAR(g.start_degrees, c.start, 1e-8);
        EXPECT_DOUBLE_EQ(g.sweep_degrees, c.sweep);
    }
}

TEST(GdiArcGeometry, RadiusAcrossTheWholeRangeSaturatesInsteadOfOverflowing) {
    // dx and dy need 33 bits each; their squares do not fit 64.
    const auto g = vexl::gdi::arc_geometry({kMax, kMin, kMin, kMax, 0});
    EXPECT_EQ(g.radius, kMax);
    EXPECT_DOUBLE_EQ(g.start_degrees, 45.0);
    // One axis of exactly 2^32 - 1 pixels is beyond int32 too.
    EXPECT_EQ(vexl::gdi::arc_geometry({kMax, 0, kMin, 0, 0}).radius, kMax);
    // Just inside: 2147483647 along one axis.
    EXPECT_EQ(vexl::gdi::arc_geometry({kMax, 0, 0, 0, 0}).radius, kMax);
    EXPECT_EQ(vexl::gdi::arc_geometry({0, 0, 0, kMin + 1, 0}).radius, kMax);
}

TEST(GdiSteppedArc, QuarterArcStepsEveryHundredthOfARadian) {
    const auto points = stepped_points({600, 500, 500, 500, 90000});
    // 90° is 1.570796 radians with 2π taken as 6.283184: 157 steps.
    ASSERT_EQ(points.size(), 158u);
    EXPECT_EQ(xy(points[0]), (Ints{600, 500}));
    // The 100th step, 1 radian up: (int)(100 cos 1) = 54, (int)(100 sin 1) = 84.
    EXPECT_EQ(xy(points[100]), (Ints{554, 416}));
    // The last step stops just short of the top: (int) truncates toward zero.
    EXPECT_EQ(xy(points.back()), (Ints{500, 401}));
}

TEST(GdiSteppedArc, NegativeSweepStartsAtItsEndAngle) {
    // From the top going clockwise down to 45°: the steps run from 45° up,
    // as for the same arc drawn the other way.
    const auto forward = stepped_points({600, 500, 500, 500, 45000});
    const auto backward = stepped_points({500, 400, 500, 500, -45000});
    ASSERT_EQ(backward.size(), forward.size());
    EXPECT_EQ(xy(backward[0]), (Ints{570, 430})); // (int)(100 cos 45°) = 70
    EXPECT_EQ(xy(backward.back()), (Ints{500, 401}));
}

TEST(GdiSteppedArc, FullTurnClosesOnItsFirstPoint) {
    for (int32_t sweep : {360000, -360000, 720000}) {
        const auto points = stepped_points({1500, 500, 500, 500, sweep});
        ASSERT_GE(points.size(), 3u) << sweep;
        EXPECT_EQ(xy(points.back()), xy(points.front())) << sweep;
        // ... and the step before it has not got there yet.
        EXPECT_NE(points[points.size() - 2].y, points.front().y) << sweep;
    }
    // 2π as 6.283184: 628 steps, the move and the closing point; a hair
    // less than a turn stays open.
    EXPECT_EQ(vexl::gdi::SteppedArc({600, 500, 500, 500, 360000}).count(), 630);
    EXPECT_EQ(vexl::gdi::SteppedArc({600, 500, 500, 500, 359999}).count(), 629);
}

TEST(GdiSteppedArc, PointsOutsideTheCountAreTheCentre) {
    const vexl::gdi::SteppedArc arc({600, 500, 500, 500, 1000});
    for (int32_t i : {-1, arc.count(), kMax})
        EXPECT_EQ(xy(arc.point(i)), (Ints{500, 500})) << i;
}

TEST(GdiSteppedArc, StepsOfAnArcAtTheEdgeOfTheRangeSaturate) {
    // The centre sits at the far corner; three quarters of the circle lie
    // beyond it and pin to the ends of the range instead of wrapping round.
    const auto points = stepped_points({kMax - 1000, kMin, kMax, kMin, 360000});
    bool reached_right = false;
    bool reached_top = false;
    for (const DevicePointS &p : points) {
        EXPECT_GE(p.x, kMax - 1000);
        EXPECT_LE(p.y, kMin + 1000);
        reached_right = reached_right || p.x == kMax;
        reached_top = reached_top || p.y == kMin;
    }
    EXPECT_TRUE(reached_right);
    EXPECT_TRUE(reached_top);
}

// Polygon boxes are the extremes of their points, arc boxes the square
// around the centre (saturated), rectangle boxes the corners in order
// whichever order the caller gave them in.
TEST(GdiBounds, BoxesOfPolygonsArcsAndRectangles) {
    const DevicePointS points[] = {{5, 9}, {-3, 12}, {8, -1}, {0, 0}};
    expect_rect(vexl::gdi::polygon_bounds(points, 4), -3, -1, 8, 12);
    expect_rect(vexl::gdi::polygon_bounds(points, 1), 5, 9, 5, 9);
    expect_rect(vexl::gdi::arc_bounds({100, 50}, 20), 80, 30, 120, 70);
    expect_rect(vexl::gdi::arc_bounds({kMax - 1, kMin + 1}, kMax), -1, kMin, kMax, 0);
    const int32_t lower_left_first[4] = {10, 200, 110, 50},
                  upper_right_first[4] = {110, 50, 10, 200};
    expect_rect(vexl::gdi::rectangle_bounds(lower_left_first), 10, 50, 110, 200);
    expect_rect(vexl::gdi::rectangle_bounds(upper_right_first), 10, 50, 110, 200);
}

TEST(GdiPatternMask, BoxWhollyOutsideTheClientAreaDrawsNothing) {
    const GdiRect outside[] = {
        {640, 0, 700, 10},                        // left >= width
        {0, 480, 10, 500},                        // top >= height
        {-20, 0, -1, 10},                         // right < 0
        {0, -20, 10, -1},                         // bottom < 0
        {kMin, kMin, kMax, -1}, {30, 20, 10, 60}, // empty: right < left
        {10, 60, 30, 20},                         // empty: bottom < top
    };
    for (const GdiRect &box : outside)
        EXPECT_TRUE(vexl::gdi::pattern_mask_box(box, 640, 480).outside)
            << box.left << "," << box.top << "," << box.right << "," << box.bottom;
    // A window with no area has nothing to draw in.
    EXPECT_TRUE(vexl::gdi::pattern_mask_box({0, 0, 10, 10}, 0, 0).outside);
}

// Cut to the client area, corners included (right 700 at the corner is cut
// to 640 - 639 + 1 = 2 wide); the size of a huge box saturates.
TEST(GdiPatternMask, BoxTouchingTheClientAreaIsCutToIt) {
    const struct {
        GdiRect box;
        int32_t client;
        Ints left_top_width_height;
    } cases[] = {{{639, 479, 700, 500}, 640, {639, 479, 2, 2}},
                 {{-50, -60, 0, 0}, 640, {0, 0, 1, 1}},
                 {{10, 20, 30, 60}, 640, {10, 20, 21, 41}},
                 {{kMin, kMin, kMax, kMax}, kMax, {0, 0, kMax, kMax}}};
    for (const auto &c : cases) {
        const auto mask =
            vexl::gdi::pattern_mask_box(c.box, c.client, c.client == kMax ? kMax : 480);
        EXPECT_FALSE(mask.outside);
        EXPECT_EQ((Ints{mask.left, mask.top, mask.width, mask.height}), c.left_top_width_height);
    }
}

TEST(GdiDeviceFrame, PrinterKeepsItsAreaOffsetAndOthersStartAtZero) {
    const float part[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    const GdiRect area{100, 50, 899, 1049}; // width 799, height 999 after the -1
    const auto printer = vexl::gdi::device_frame(area, part, true);
    EXPECT_EQ(Ints(printer.extent, printer.extent + 4), (Ints{100, 1049, 899, 50}));
    // x = (int)(799 * 0.25 + 100 + 0.5) = 300; y = (int)(1049 - 999 * 0.5 + 0.5) = 550
    EXPECT_EQ(Ints(printer.viewport, printer.viewport + 4), (Ints{300, 550, 699, 50}));
    const auto file = vexl::gdi::device_frame(area, part, false);
    EXPECT_EQ(Ints(file.extent, file.extent + 4), (Ints{0, 1049, 899, 0}));
    EXPECT_EQ(Ints(file.viewport, file.viewport + 4), (Ints{300, 550, 699, 50}));
}

TEST(GdiDeviceFrame, UnusableFractionsGiveDefinedPixels) {
    const float odd[4] = {std::numeric_limits<float>::quiet_NaN(), 1e30f, -1e30f, 0.5f};
    int32_t out[4];
    vexl::gdi::device_viewport({0, 0, 640, 480}, odd, out);
    EXPECT_EQ(Ints(out, out + 4), (Ints{0, kMin, kMin, 240}));
}

TEST(GdiRounding, HalvesAwayFromZeroAndSaturatesAtTheEnds) {
    struct Case {
        double value;
        int32_t expected;
    };
    // 0.49999999999999994 would round up to 1 if 0.5 were added first.
    const Case cases[] = {{0.5, 1},
                          {-0.5, -1},
                          {-2.5, -3},
                          {2.4999999, 2},
                          {-0.4999999, 0},
                          {0.49999999999999994, 0},
                          {2147483646.5, kMax},
                          {2147483647.2, kMax},
                          {2147483647.7, kMax},
                          {-2147483647.5, kMin},
                          {-2147483648.4, kMin},
                          {-2147483648.7, kMin},
                          {1e300, kMax},
                          {-1e300, kMin},
                          {kInf, kMax},
                          {-kInf, kMin},
                          {kNaN, 0}};
    for (const Case &c : cases)
        EXPECT_EQ(vexl::gdi::round_coord(c.value), c.expected) << c.value;
}

TEST(GdiDeviceRange, PointsThatRoundToTheLastPixelsAreOutside) {
    struct Case {
        double x, y;
        bool outside;
    };
    // NaN has no pixel: it is outside, so the interface clips instead.
    const Case cases[] = {{0.0, 0.0, false},
                          {2147483646.4999, 0.0, false},
                          {2147483646.5, 0.0, true},
                          {0.0, 2147483646.5, true},
                          {-2147483647.4999, 0.0, false},
                          {0.0, -2147483647.5, true},
                          {-2147483647.5, 0.0, true},
                          {kInf, 0.0, true},
                          {0.0, -kInf, true},
                          {kNaN, 0.0, true},
                          {0.0, kNaN, true}};
    for (const Case &c : cases)
        EXPECT_EQ(vexl::gdi::outside_device_range({c.x, c.y}), c.outside) << c.x << "," << c.y;
}

} // namespace
