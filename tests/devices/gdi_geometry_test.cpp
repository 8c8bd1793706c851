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

void expect_rect(const GdiRect &r, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
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

TEST(GdiRectangles, OutlineAndClipTakeTheUpperEdgeAsTop) {
    const int32_t rect[4] = {10, 200, 110, 50}; // y1 is the lower edge
    expect_rect(vexl::gdi::outline_rectangle(rect), 10, 50, 110, 200);
    expect_rect(vexl::gdi::clip_from_device_rect(rect), 10, 50, 110, 200);
}

TEST(GdiRectangles, FilledRectangleAndClipCornersReachOnePastTheFarEdges) {
    const int32_t rect[4] = {10, 200, 110, 50};
    expect_rect(vexl::gdi::filled_rectangle(rect), 10, 50, 111, 201);
    expect_rect(vexl::gdi::clip_from_device_corners({10, 200}, {110, 50}), 10, 50, 111, 201);
    const DevicePointS end = vexl::gdi::dot_end({-7, 3});
    EXPECT_EQ(end.x, -6);
    EXPECT_EQ(end.y, 4);
}

TEST(GdiRectangles, FarEdgesAtTheEndOfTheRangeStayThereInsteadOfWrapping) {
    const int32_t rect[4] = {kMin, kMax, kMax, kMin};
    expect_rect(vexl::gdi::filled_rectangle(rect), kMin, kMin, kMax, kMax);
    expect_rect(vexl::gdi::clip_from_device_corners({kMax - 1, kMax}, {kMax, kMin}), kMax - 1, kMin,
                kMax, kMax);
    const DevicePointS end = vexl::gdi::dot_end({kMax, kMax});
    EXPECT_EQ(end.x, kMax);
    EXPECT_EQ(end.y, kMax);
}

TEST(GdiArcGeometry, RadiusRoundsToTheNearestPixelAndAngleCountsUpward) {
    // Device y grows downward, so a start point above the centre is at 90°.
    const auto up = vexl::gdi::arc_geometry({100, 40, 100, 100, 90000});
    EXPECT_EQ(up.radius, 60);
    EXPECT_DOUBLE_EQ(up.start_degrees, 90.0);
    EXPECT_DOUBLE_EQ(up.sweep_degrees, 90.0);

    const auto diagonal = vexl::gdi::arc_geometry({102, 98, 100, 100, -1500}); // √8 = 2.83
    EXPECT_EQ(diagonal.radius, 3);
    EXPECT_DOUBLE_EQ(diagonal.start_degrees, 45.0);
    EXPECT_DOUBLE_EQ(diagonal.sweep_degrees, -1.5);

    const auto left_below = vexl::gdi::arc_geometry({98, 101, 100, 100, 1}); // √5 = 2.24
    EXPECT_EQ(left_below.radius, 2);
    EXPECT_NEAR(left_below.start_degrees, -153.43494882, 1e-8);
    EXPECT_DOUBLE_EQ(left_below.sweep_degrees, 0.001);
}

TEST(GdiArcGeometry, ZeroLengthArcHasRadiusAndStartAngleZero) {
    const auto g = vexl::gdi::arc_geometry({-5, 7, -5, 7, 360000});
    EXPECT_EQ(g.radius, 0);
    EXPECT_EQ(g.start_degrees, 0.0);
    EXPECT_DOUBLE_EQ(g.sweep_degrees, 360.0);
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
    EXPECT_EQ(points[0].x, 600);
    EXPECT_EQ(points[0].y, 500);
    // The 100th step, 1 radian up: (int)(100 cos 1) = 54, (int)(100 sin 1) = 84.
    EXPECT_EQ(points[100].x, 554);
    EXPECT_EQ(points[100].y, 416);
    // The last step stops just short of the top: (int) truncates toward zero.
    EXPECT_EQ(points.back().x, 500);
    EXPECT_EQ(points.back().y, 401);
}

TEST(GdiSteppedArc, NegativeSweepStartsAtItsEndAngle) {
    // From the top going clockwise down to 45°: the steps run from 45° up,
    // as for the same arc drawn the other way.
    const auto forward = stepped_points({600, 500, 500, 500, 45000});
    const auto backward = stepped_points({500, 400, 500, 500, -45000});
    ASSERT_EQ(backward.size(), forward.size());
    EXPECT_EQ(backward[0].x, 570); // (int)(100 cos 45°) = 70
    EXPECT_EQ(backward[0].y, 430);
    EXPECT_EQ(backward.back().x, 500);
    EXPECT_EQ(backward.back().y, 401);
}

TEST(GdiSteppedArc, FullTurnClosesOnItsFirstPoint) {
    for (int32_t sweep : {360000, -360000, 720000}) {
        const auto points = stepped_points({1500, 500, 500, 500, sweep});
        ASSERT_GE(points.size(), 3u) << sweep;
        const DevicePointS &first = points.front();
        const DevicePointS &last = points.back();
        EXPECT_EQ(last.x, first.x) << sweep;
        EXPECT_EQ(last.y, first.y) << sweep;
        // ... and the step before it has not got there yet.
        EXPECT_NE(points[points.size() - 2].y, first.y) << sweep;
    }
    // 2π as 6.283184: 628 steps, the move and the closing point; a hair
    // less than a turn stays open.
    EXPECT_EQ(vexl::gdi::SteppedArc({600, 500, 500, 500, 360000}).count(), 630);
    EXPECT_EQ(vexl::gdi::SteppedArc({600, 500, 500, 500, 359999}).count(), 629);
}

TEST(GdiSteppedArc, PointsOutsideTheCountAreTheCentre) {
    const vexl::gdi::SteppedArc arc({600, 500, 500, 500, 1000});
    for (int32_t i : {-1, arc.count(), kMax}) {
        EXPECT_EQ(arc.point(i).x, 500) << i;
        EXPECT_EQ(arc.point(i).y, 500) << i;
    }
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

TEST(GdiBounds, PolygonBoxIsTheExtremesOfItsPoints) {
    const DevicePointS points[] = {{5, 9}, {-3, 12}, {8, -1}, {0, 0}};
    expect_rect(vexl::gdi::polygon_bounds(points, 4), -3, -1, 8, 12);
    expect_rect(vexl::gdi::polygon_bounds(points, 1), 5, 9, 5, 9);
}

TEST(GdiBounds, ArcBoxIsTheSquareAroundItsCentreSaturated) {
    expect_rect(vexl::gdi::arc_bounds({100, 50}, 20), 80, 30, 120, 70);
    expect_rect(vexl::gdi::arc_bounds({kMax - 1, kMin + 1}, kMax), -1, kMin, kMax, 0);
}

TEST(GdiBounds, RectangleBoxPutsItsCornersInOrder) {
    const int32_t lower_left_first[4] = {10, 200, 110, 50};
    expect_rect(vexl::gdi::rectangle_bounds(lower_left_first), 10, 50, 110, 200);
    // Callers pass corners in their own order; the box is the same.
    const int32_t upper_right_first[4] = {110, 50, 10, 200};
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

TEST(GdiPatternMask, BoxTouchingTheClientAreaIsCutToIt) {
    const auto corner = vexl::gdi::pattern_mask_box({639, 479, 700, 500}, 640, 480);
    EXPECT_FALSE(corner.outside);
    EXPECT_EQ(corner.left, 639);
    EXPECT_EQ(corner.top, 479);
    EXPECT_EQ(corner.width, 2); // right cut to the client width: 640 - 639 + 1
    EXPECT_EQ(corner.height, 2);

    const auto origin = vexl::gdi::pattern_mask_box({-50, -60, 0, 0}, 640, 480);
    EXPECT_FALSE(origin.outside);
    EXPECT_EQ(origin.left, 0);
    EXPECT_EQ(origin.top, 0);
    EXPECT_EQ(origin.width, 1);
    EXPECT_EQ(origin.height, 1);

    const auto inside = vexl::gdi::pattern_mask_box({10, 20, 30, 60}, 640, 480);
    EXPECT_EQ(inside.left, 10);
    EXPECT_EQ(inside.top, 20);
    EXPECT_EQ(inside.width, 21);
    EXPECT_EQ(inside.height, 41);
}

TEST(GdiPatternMask, SizeOfAHugeBoxSaturates) {
    const auto mask = vexl::gdi::pattern_mask_box({kMin, kMin, kMax, kMax}, kMax, kMax);
    EXPECT_FALSE(mask.outside);
    EXPECT_EQ(mask.width, kMax);
    EXPECT_EQ(mask.height, kMax);
}

TEST(GdiDeviceFrame, PrinterKeepsItsAreaOffsetAndOthersStartAtZero) {
    const float part[4] = {0.25f, 0.5f, 0.75f, 1.0f};
    const GdiRect area{100, 50, 899, 1049}; // width 799, height 999 after the -1
    const auto printer = vexl::gdi::device_frame(area, part, true);
    EXPECT_EQ(std::vector<int32_t>(printer.extent, printer.extent + 4),
              (std::vector<int32_t>{100, 1049, 899, 50}));
    // x = (int)(799 * 0.25 + 100 + 0.5) = 300; y = (int)(1049 - 999 * 0.5 + 0.5) = 550
    EXPECT_EQ(std::vector<int32_t>(printer.viewport, printer.viewport + 4),
              (std::vector<int32_t>{300, 550, 699, 50}));
    const auto file = vexl::gdi::device_frame(area, part, false);
    EXPECT_EQ(std::vector<int32_t>(file.extent, file.extent + 4),
              (std::vector<int32_t>{0, 1049, 899, 0}));
    EXPECT_EQ(std::vector<int32_t>(file.viewport, file.viewport + 4),
              (std::vector<int32_t>{300, 550, 699, 50}));
}

TEST(GdiDeviceFrame, UnusableFractionsGiveDefinedPixels) {
    const float odd[4] = {std::numeric_limits<float>::quiet_NaN(), 1e30f, -1e30f, 0.5f};
    int32_t out[4];
    vexl::gdi::device_viewport({0, 0, 640, 480}, odd, out);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], kMin);
    EXPECT_EQ(out[2], kMin);
    EXPECT_EQ(out[3], 240);
}

TEST(GdiRounding, HalvesAwayFromZeroAndSaturatesAtTheEnds) {
    struct Case {
        double value;
        int32_t expected;
    };
    const Case cases[] = {
        {0.5, 1},
        {-0.5, -1},
        {-2.5, -3},
        {2.4999999, 2},
        {-0.4999999, 0},
        {0.49999999999999994, 0}, // adding 0.5 first would round this up to 1
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
        {kNaN, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(vexl::gdi::round_coord(c.value), c.expected) << c.value;
}

TEST(GdiDeviceRange, PointsThatRoundToTheLastPixelsAreOutside) {
    struct Case {
        double x, y;
        bool outside;
    };
    const Case cases[] = {
        {0.0, 0.0, false},
        {2147483646.4999, 0.0, false},
        {2147483646.5, 0.0, true},
        {0.0, 2147483646.5, true},
        {-2147483647.4999, 0.0, false},
        {0.0, -2147483647.5, true},
        {-2147483647.5, 0.0, true},
        {kInf, 0.0, true},
        {0.0, -kInf, true},
        // NaN has no pixel: it is outside, so the interface clips instead.
        {kNaN, 0.0, true},
        {0.0, kNaN, true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(vexl::gdi::outside_device_range({c.x, c.y}), c.outside) << c.x << "," << c.y;
}

} // namespace
