// Drawing primitives through the C interface onto the recording device:
// what reaches the device with world clipping on and off.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "drawing_fixture.h"

namespace {

using vexl::test::DrawingTest;

using Primitives = DrawingTest;

// Null plots and pointers are the C-boundary table's; here counts.
TEST_F(Primitives, ArgumentsAreCheckedBeforeAnythingIsDrawn) {
    WorldPointS p[2] = {{1, 1}, {2, 2}};
    EXPECT_EQ(gplot_draw_polygon_world(plot, p, -1), 0);
    EXPECT_EQ(GplotErrno, 10);
    GplotErrno = 0;
    EXPECT_EQ(gplot_draw_points_world(plot, p, 0), 1);
    EXPECT_EQ(gplot_draw_polygons_world(plot, nullptr, 0), 1);
    EXPECT_EQ(GplotErrno, 0);
    EXPECT_TRUE(calls().empty());
}

TEST_F(Primitives, PointsOnTheClipBoundaryAreDrawnAndOneUnitOutsideDropped) {
    clip_to(100, 100, 200, 200);
    const WorldPointS on{200, 100}, beyond{201, 150};
    EXPECT_EQ(gplot_draw_point_world(plot, &on), 1);
    EXPECT_EQ(gplot_draw_point_world(plot, &beyond), 1);
    WorldPointS scatter[4] = {{99, 150}, {150, 150}, {300, 300}, {100, 200}};
    EXPECT_EQ(gplot_draw_points_world(plot, scatter, 4), 1);
    EXPECT_EQ(calls(), (std::vector{call("draw_point_device", 1, {200, 100}),
                                    call("draw_point_device", 1, {150, 150}),
                                    call("draw_point_device", 1, {100, 200})}));
    // The visible points were moved to the front of the caller's array.
    EXPECT_EQ(scatter[1].x, 100);
    EXPECT_EQ(scatter[1].y, 200);
}

TEST_F(Primitives, LinesAreCutWhereTheyLeave) {
    clip_to(100, 100, 400, 400);
    const WorldPointS a{200, 200}, b{500, 301}; // crosses x = 400 at y = 267.33
    const WorldPointS c{0, 0}, d{400, 200};     // starts in the lower-left corner region
    const WorldPointS e{500, 500}, f{600, 450}; // wholly outside
    EXPECT_EQ(gplot_draw_line_world(plot, &a, &b), 1);
    EXPECT_EQ(gplot_draw_line_world(plot, &c, &d), 1);
    EXPECT_EQ(gplot_draw_line_world(plot, &e, &f), 1);
    // The corner-region line is drawn from where it enters, not from the
    // rectangle's corner (100, 100), which is not on it.
    EXPECT_EQ(calls(), (std::vector{call("draw_line_device", 1, {200, 200, 400, 267}),
                                    call("draw_line_device", 1, {200, 100, 400, 200})}));
    EXPECT_EQ(gplot_set_clip_mode(plot, 0), 1);
    rec.device.forget_calls();
    EXPECT_EQ(gplot_draw_line_world(plot, &e, &f), 1);
    EXPECT_EQ(calls(), std::vector{call("draw_line_device", 1, {500, 500, 600, 450})});
}

TEST_F(Primitives, PolyLinesBreakWhereTheyLeaveAndResumeWhereTheyReturn) {
    clip_to(100, 100, 400, 400);
    // In, out through the right side, around the upper-right corner and back
    // in through the top, then ending outside on the left.
    WorldPointS path[] = {{200, 200}, {300, 200}, {500, 300}, {500, 500},
                          {300, 500}, {300, 300}, {200, 300}, {0, 300}};
    EXPECT_EQ(gplot_draw_lines_world(plot, path, 8), 1);
    EXPECT_EQ(calls(), (std::vector{call("draw_lines_device", 3, {200, 200, 300, 200, 400, 250}),
                                    call("draw_lines_device", 4,
                                         {300, 400, 300, 300, 200, 300, 100, 300})}));
    // Clipping off: the whole poly-line goes to the device as given.
    rec.device.forget_calls();
    gplot_set_clip_mode(plot, 0);
    EXPECT_EQ(gplot_draw_lines_world(plot, path, 8), 1);
    ASSERT_EQ(calls().size(), 1u);
    EXPECT_EQ(calls()[0].count, 8);
}

TEST_F(Primitives, SegmentsKeepOnlyTheirVisiblePieces) {
    clip_to(100, 100, 400, 400);
    const WorldPointS pairs[] = {{0, 500},   {500, 500}, {50, 200},
                                 {450, 200}, {150, 150}, {160, 160}};
    EXPECT_EQ(gplot_draw_segments_world(plot, pairs, 3), 1);
    EXPECT_EQ(calls(), std::vector{call("draw_segments_device", 2,
                                        {100, 200, 400, 200, 150, 150, 160, 160})});
    rec.device.forget_calls();
    EXPECT_EQ(gplot_draw_segments_world(plot, pairs, 1), 1);
    EXPECT_TRUE(calls().empty());
}

TEST_F(Primitives, PolygonsReachTheDeviceClosedAndClippedToTheirArea) {
    const WorldPointS open[] = {{10, 10}, {90, 10}, {50, 80}};
    EXPECT_EQ(gplot_draw_polygon_world(plot, open, 3), 1);
    EXPECT_EQ(calls(),
              std::vector{call("draw_polygon_device", 4, {10, 10, 90, 10, 50, 80, 10, 10})});
    EXPECT_EQ(open[2].x, 50) << "the caller's points are left alone";

    // A polygon around the clip rectangle becomes the rectangle itself.
    clip_to(100, 100, 400, 400);
    const WorldPointS around[] = {{0, 0}, {500, 0}, {500, 500}, {0, 500}};
    EXPECT_EQ(gplot_draw_polygon_world(plot, around, 4), 1);
    EXPECT_EQ(calls(), std::vector{call("draw_polygon_device", 4,
                                        {100, 100, 400, 100, 400, 400, 100, 400})});
    rec.device.forget_calls();
    const WorldPointS away[] = {{500, 500}, {600, 500}, {600, 600}};
    WorldPolygonS list[] = {
        {const_cast<WorldPointS *>(open), 3}, {nullptr, 3}, {const_cast<WorldPointS *>(away), 3}};
    EXPECT_EQ(gplot_draw_polygons_world(plot, list, 3), 0) << "one entry failed";
    EXPECT_TRUE(calls().empty()) << "the others were still tried; all lie outside";
}

TEST_F(Primitives, RectanglesByClassification) {
    clip_to(100, 100, 400, 400);
    int32_t empty[4] = {200, 200, 200, 300};
    int32_t around[4] = {0, 0, 500, 500};
    int32_t crossing[4] = {300, 300, 500, 350};
    EXPECT_EQ(gplot_draw_rectangle_world(plot, empty), 1);
    EXPECT_EQ(gplot_draw_rectangle_world(plot, around), 1);
    EXPECT_TRUE(calls().empty());
    EXPECT_EQ(gplot_draw_rectangle_world(plot, crossing), 1);
    EXPECT_EQ(calls(),
              std::vector{call("draw_segments_device", 3,
                               {300, 300, 400, 300, 400, 350, 300, 350, 300, 350, 300, 300})});
    // Filled, the enclosing rectangle is trimmed in the caller's array and filled.
    rec.device.forget_calls();
    plot->fill_pattern = -2;
    EXPECT_EQ(gplot_draw_rectangle_world(plot, around), 1);
    EXPECT_EQ(std::vector<int32_t>(around, around + 4), (std::vector<int32_t>{100, 100, 400, 400}));
    EXPECT_EQ(calls(), std::vector{call("draw_rectangle_device", 1, {100, 100, 400, 400})});
    // Unclipped, even an empty rectangle is the device's business.
    rec.device.forget_calls();
    gplot_set_clip_mode(plot, 0);
    EXPECT_EQ(gplot_draw_rectangle_world(plot, empty), 1);
    EXPECT_EQ(calls(), std::vector{call("draw_rectangle_device", 1, {200, 200, 200, 300})});
}

TEST_F(Primitives, RectanglesFromCornersAndClearing) {
    const WorldPointS a{300, 50}, b{100, 250};
    EXPECT_EQ(gplot_draw_rectangle2_world(plot, &a, &b), 1);
    EXPECT_EQ(gplot_clear_rectangle2_world(plot, &a, &b), 1);
    EXPECT_EQ(calls(), (std::vector{call("draw_rectangle_device", 1, {100, 50, 300, 250}),
                                    call("clear_world_rect", 1, {100, 50, 300, 250})}));
    clip_to(500, 500, 600, 600);
    int32_t away[4] = {0, 0, 10, 10};
    EXPECT_EQ(gplot_clear_rectangle_world(plot, away), 1);
    EXPECT_EQ(calls(), std::vector<vexl::test::DeviceCall>{});
    int32_t rects[8] = {510, 510, 520, 520, 0, 0, 10, 10};
    rec.device.fail_operation("draw_rectangle_device");
    EXPECT_EQ(gplot_draw_rectangles_world(plot, rects, 2), 0);
    EXPECT_EQ(calls().size(), 1u) << "stops at the first failure";
}

// A world window whose corners lie beyond the device's integer range makes
// every plot clip in world coordinates, so no coordinate that does not fit
// ever reaches the device.
TEST_F(Primitives, HugeWorldWindowsAreClippedBeforeTheDevice) {
    const int32_t tiny[4] = {0, 0, 10, 10};
    ASSERT_EQ(gplot_set_world(plot, tiny), 1); // 100 device units per world unit
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    const int32_t huge[4] = {-1000000000, -1000000000, 1000000000, 1000000000};
    ASSERT_EQ(gplot_set_world(plot, huge), 1);
    EXPECT_EQ(rec.device.world_out_of_range, 1);
    EXPECT_EQ(gplot_get_clip_mode(plot), 0);
    rec.device.forget_calls();

    WorldPointS line[] = {{kMin, kMin}, {kMax, kMax}, {kMin, kMax}};
    EXPECT_EQ(gplot_draw_lines_world(plot, line, 3), 1);
    const WorldPointS far_off{kMax, 0};
    EXPECT_EQ(gplot_draw_point_world(plot, &far_off), 1);
    const WorldPointS shape[] = {{kMin, 0}, {0, kMax}, {kMax, kMin}};
    EXPECT_EQ(gplot_draw_polygon_world(plot, shape, 3), 1);
    ASSERT_FALSE(calls().empty());
    for (const auto &c : calls())
        for (int32_t v : c.coords)
            EXPECT_TRUE(v >= 0 && v <= 1000) << c.op << " got " << v;
}

} // namespace

namespace {

using vexl::test::DrawingTest;
using vexl::test::RecordingPlot;

// Whether a plot's world window fits its device is that plot's own business:
// another plot's world, clip or arc call (a circle marker is an arc) must not
// switch off the clipping that keeps the first plot's coordinates in range,
// and a fresh plot's first window, judged against no mapping at all, does not
// switch it on.
TEST_F(DrawingTest, OutOfRangeFlagSharedByAllPlots) {
    const int32_t tiny[4] = {0, 0, 10, 10};
    const int32_t huge[4] = {-1000000000, -1000000000, 1000000000, 1000000000};
    ASSERT_EQ(gplot_set_world(plot, tiny), 1);
    ASSERT_EQ(gplot_set_world(plot, huge), 1); // judged under the tiny window

    RecordingPlot other;
    other.set_mapping({0, 0, 1000, 1000}, {0, 0, 1000, 1000});
    other.plot.line_clipping = 1;
    other.plot.fill_pattern = -1;
    const WorldPointS across[2] = {{-100, 500}, {1100, 500}};
    EXPECT_EQ(gplot_draw_line_world(&other.plot, &across[0], &across[1]), 1);
    EXPECT_EQ(other.device.calls, std::vector{call("draw_line_device", 1, {-100, 500, 1100, 500})});
    ASSERT_EQ(gplot_set_world(&other.plot, tiny), 1);
    ASSERT_EQ(gplot_set_clip_world(&other.plot, tiny), 1);
    gplot_set_marker(&other.plot, 1);
    WorldPointS centre[] = {{5, 5}};
    ASSERT_EQ(gplot_draw_markers_world(&other.plot, centre, 1, 4), 1);

    // Nor does an arc of its own that fits: the window still does not.
    gplot_set_marker(plot, 1);
    ASSERT_EQ(gplot_draw_markers_world(plot, centre, 1, 4), 1);

    rec.device.forget_calls();
    const WorldPointS a{std::numeric_limits<int32_t>::min(), 0};
    const WorldPointS b{std::numeric_limits<int32_t>::max(), 0};
    EXPECT_EQ(gplot_draw_line_world(plot, &a, &b), 1);
    EXPECT_EQ(calls(), std::vector{call("draw_line_device", 1, {0, 500, 1000, 500})})
        << "still clipped to its world window";
}

} // namespace

namespace {

using ClearRectangle = vexl::test::DrawingTest;

// Clearing is an area fill even while the plot draws outlines (fill pattern
// -1): a rectangle around the clip rectangle clears all of it, one across its
// border only the part inside.
TEST_F(ClearRectangle, ClearWithClippingClearsNothingOrTooMuch) {
    clip_to(100, 100, 400, 400);
    ASSERT_EQ(plot->fill_pattern, -1);
    int32_t around[4] = {0, 0, 500, 500};
    int32_t crossing[4] = {300, 50, 600, 200};
    int32_t inside[4] = {200, 200, 300, 300};
    int32_t away[4] = {500, 500, 600, 600};
    int32_t flat[4] = {200, 200, 200, 300};
    for (int32_t *r : {around, crossing, inside, away, flat})
        EXPECT_EQ(gplot_clear_rectangle_world(plot, r), 1);
    EXPECT_EQ(calls(), (std::vector{call("clear_world_rect", 1, {100, 100, 400, 400}),
                                    call("clear_world_rect", 1, {300, 100, 400, 200}),
                                    call("clear_world_rect", 1, {200, 200, 300, 300})}));
    EXPECT_EQ(std::vector<int32_t>(crossing, crossing + 4),
              (std::vector<int32_t>{300, 50, 600, 200}))
        << "the caller's rectangle is not trimmed";
}

} // namespace

namespace {

using FarAwayPoints = vexl::test::DrawingTest;

constexpr int32_t kDeviceTop = std::numeric_limits<int32_t>::max() - 1;
constexpr int32_t kDeviceBottom = std::numeric_limits<int32_t>::min() + 1;

// Slope of the first line of a device call.
double slope(const vexl::test::DeviceCall &c) {
    return (static_cast<double>(c.coords.at(3)) - c.coords.at(1)) /
           (static_cast<double>(c.coords.at(2)) - c.coords.at(0));
}

// With the default settings (clip mode 0) and a zoomed-in window, a point far
// away maps beyond the device's integer range. What reaches the device is the
// part of the primitive that fits, on the line the caller asked for, never a
// coordinate pinned to the int32 limits.
TEST_F(FarAwayPoints, FarAwayPointsReachTheDeviceAtTheWrongAngle) {
    const int32_t zoomed[4] = {0, 0, 10, 10}; // 100 device units per world unit
    ASSERT_EQ(gplot_set_world(plot, zoomed), 1);
    ASSERT_EQ(gplot_get_clip_mode(plot), 0);
    rec.device.forget_calls();

    const WorldPointS origin{0, 0}, far_off{100000000, 10000000};
    EXPECT_EQ(gplot_draw_line_world(plot, &origin, &far_off), 1);
    ASSERT_EQ(calls().size(), 1u);
    EXPECT_EQ(calls()[0], call("draw_line_device", 1, {0, 0, kDeviceTop, 214748365}));
    EXPECT_NEAR(slope(calls()[0]), 0.1, 1e-9);

    // A poly-line that goes out and comes back is drawn as the two runs that
    // fit, each on its own line.
    rec.device.forget_calls();
    WorldPointS out_and_back[3] = {{0, 0}, {100000000, 10000000}, {0, 5}};
    EXPECT_EQ(gplot_draw_lines_world(plot, out_and_back, 3), 1);
    ASSERT_EQ(calls().size(), 2u);
    EXPECT_EQ(calls()[0], call("draw_lines_device", 2, {0, 0, kDeviceTop, 214748365}));
    EXPECT_EQ(calls()[1].op, "draw_lines_device");
    EXPECT_EQ(calls()[1].coords.at(0), kDeviceTop);
    EXPECT_EQ(calls()[1].coords.at(2), 0);
    EXPECT_EQ(calls()[1].coords.at(3), 500);

    // Segments keep their pieces that fit; one wholly beyond is left out.
    rec.device.forget_calls();
    const WorldPointS pairs[4] = {{5, 5}, {-50000000, 5}, {50000000, 0}, {50000000, 9}};
    EXPECT_EQ(gplot_draw_segments_world(plot, pairs, 2), 1);
    EXPECT_EQ(calls(),
              std::vector{call("draw_segments_device", 1, {500, 500, kDeviceBottom, 500})});

    // A polygon is cut along the range's border and still arrives closed.
    rec.device.forget_calls();
    const WorldPointS wedge[3] = {{0, 0}, {100000000, 0}, {0, 10}};
    EXPECT_EQ(gplot_draw_polygon_world(plot, wedge, 3), 1);
    ASSERT_EQ(calls().size(), 1u);
    const std::vector<int32_t> &c = calls()[0].coords;
    ASSERT_GE(c.size(), 8u);
    EXPECT_EQ(c.front(), c[c.size() - 2]);
    EXPECT_EQ(c[1], c.back());
    for (int32_t v : c)
        EXPECT_TRUE(v >= 0 && v <= kDeviceTop) << v;
    // The slanted edge keeps its slope where it was cut: -1000 / 1e10.
    EXPECT_NE(std::find(c.begin(), c.end(), 785), c.end()) << "y at the right border";

    // A rectangle is trimmed to the range, a point beyond it is not drawn.
    rec.device.forget_calls();
    int32_t wide[4] = {-100000000, 0, 100000000, 5};
    EXPECT_EQ(gplot_draw_rectangle_world(plot, wide), 1);
    const WorldPointS beyond{-100000000, 5};
    EXPECT_EQ(gplot_draw_point_world(plot, &beyond), 1);
    EXPECT_EQ(calls(),
              std::vector{call("draw_rectangle_device", 1, {kDeviceBottom, 0, kDeviceTop, 500})});
}

} // namespace
