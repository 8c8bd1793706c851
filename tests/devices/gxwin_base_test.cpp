// Tests of the shared device layers: mapping, rounding, state, failure
// propagation and the work buffers, observed through what reaches the integer
// layer of a recording device.
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "devices/recording_device.h"
#include "devices/work_buffer.h"
#include "plot/coordinate_flags.h"
#include "plot/gplot.h"
#include "support/int32_conversions.h"

namespace {

using vexl::test::DeviceCall;
using vexl::test::RecordingDevice;
using vexl::test::RecordingPlot;
using Coords = std::vector<int32_t>;

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

// The process-wide switches and the error code are shared with every other
// suite; each test starts from and leaves them in their initial state.
class DeviceTest : public ::testing::Test {
  protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() {
        vexl::world_units_on = false;
        vexl::world_out_of_range = 0;
        GplotErrno = 0;
    }

    RecordingPlot p;
    // 640 x 480 pixels showing world (0, 0)-(1000, 1000), y up.
    void use_screen_mapping() { p.set_mapping({0, 480, 640, 0}, {0, 0, 1000, 1000}); }
    RecordingDevice &dev() { return p.device; }
};

// A device with no drawing layer at all: only the two roundings.
class BareDevice : public GXWINbase {
  public:
    using GXWINbase::GXWINbase;
    int32_t round_device_coord(double v) override { return vexl::round_to_int32(v); }
    int32_t round_world_coord(double v) override { return vexl::round_to_int32(v); }
};

// ---- Conversions to int32 ---------------------------------------------------

TEST(DeviceRounding, RoundsHalvesAwayFromZeroAndSaturates) {
    EXPECT_EQ(vexl::round_to_int32(0.5), 1);
    EXPECT_EQ(vexl::round_to_int32(-0.5), -1);
    EXPECT_EQ(vexl::round_to_int32(-2.5), -3);
    EXPECT_EQ(vexl::round_to_int32(0.49999999999999994), 0);
    EXPECT_EQ(vexl::round_to_int32(2147483647.2), kMax);
    EXPECT_EQ(vexl::round_to_int32(2147483647.5), kMax);
    EXPECT_EQ(vexl::round_to_int32(-2147483648.7), kMin);
    EXPECT_EQ(vexl::round_to_int32(1e300), kMax);
    EXPECT_EQ(vexl::round_to_int32(-HUGE_VAL), kMin);
    EXPECT_EQ(vexl::round_to_int32(std::nan("")), 0);
}

TEST(DeviceRounding, TruncatesTowardZeroAndSaturates) {
    EXPECT_EQ(vexl::trunc_to_int32(-1.9), -1);
    EXPECT_EQ(vexl::trunc_to_int32(1.9), 1);
    EXPECT_EQ(vexl::trunc_to_int32(2147483647.9), kMax);
    EXPECT_EQ(vexl::trunc_to_int32(-2147483648.9), kMin);
    EXPECT_EQ(vexl::trunc_to_int32(HUGE_VAL), kMax);
    EXPECT_EQ(vexl::trunc_to_int32(std::nan("")), 0);
    EXPECT_EQ(vexl::int32_difference(kMax, kMin), 4294967295.0);
    EXPECT_EQ(vexl::saturate_to_int32(int64_t{kMax} + 5), kMax);
}

TEST(DeviceWorkBuffer, RefusesUnaddressableCountsWithoutThrowing) {
    vexl::WorkBuffer<double> buffer;
    ASSERT_TRUE(buffer.fit(8));
    double *storage = buffer.data();
    EXPECT_FALSE(buffer.fit(std::numeric_limits<uint64_t>::max()));
    EXPECT_TRUE(buffer.fit(3)); // smaller requests reuse the storage
    EXPECT_EQ(buffer.data(), storage);
    EXPECT_EQ(buffer.capacity(), 8u);
}

// ---- Lifecycle, size and defaults ----------------------------------------------

TEST_F(DeviceTest, LinksIntoThePlotUntilDestroyed) {
    GPlot plot{};
    int window = 0;
    {
        BareDevice device(&plot, &window, DB_UNIT_MILLIMETRE, 7);
        EXPECT_EQ(plot.device, &device);
        EXPECT_EQ(device.window, &window);
        EXPECT_EQ(device.open_units, DB_UNIT_MILLIMETRE);
        EXPECT_EQ(device.open_value, 7);
        EXPECT_FALSE(device.buffer_mode);
        EXPECT_FALSE(device.clip_on);
    }
    EXPECT_EQ(plot.device, nullptr);
}

TEST_F(DeviceTest, PixelsPerInchNeedsAPositiveSize) {
    double x = -1, y = -1;
    EXPECT_FALSE(dev().get_pixels_perinch(&x, &y)) << "size never set";
    EXPECT_EQ(x, -1);
    dev().set_device_size(640, 480, 0.0, 120.0); // x resolution infinite, y 4
    dev().pixels_per_mm_x = std::nan("");
    EXPECT_FALSE(dev().get_pixels_perinch(&x, &y));
    dev().set_device_size(640, 480, 160.0, -120.0);
    EXPECT_FALSE(dev().get_pixels_perinch(&x, &y));
    EXPECT_EQ(y, -1);

    dev().set_device_size(640, 480, 160.0, 240.0);
    EXPECT_DOUBLE_EQ(dev().aspect_ratio, 2.0);
    ASSERT_TRUE(dev().get_pixels_perinch(&x, &y));
    EXPECT_DOUBLE_EQ(x, 4.0 * 25.4);
    EXPECT_DOUBLE_EQ(y, 2.0 * 25.4);
}

TEST_F(DeviceTest, BaseDefaultsThatOtherCodeRelies) {
    BareDevice bare(&p.plot, nullptr, 0, 0);
    EXPECT_EQ(bare.inches_to_font_height(0.0), 8.0);
    EXPECT_EQ(bare.inches_to_font_height(-3.5), 8.0);
    int32_t w = 11, h = 12;
    EXPECT_TRUE(bare.get_width_n_height(&w, &h));
    EXPECT_EQ(w, 11);
    EXPECT_EQ(h, 12);
    EXPECT_TRUE(bare.save_clipboard_to_file("x.emf"));
    // Without a drawing layer every primitive reports failure at every level.
    const WorldPointS a{0, 0}, b{10, 10};
    const int32_t rect[4] = {0, 0, 1, 1};
    const WorldArcS arc{1, 0, 0, 0, 90000};
    EXPECT_FALSE(bare.draw_line_world(a, b));
    EXPECT_FALSE(bare.draw_rectangle_world(rect));
    EXPECT_FALSE(bare.draw_arc_world(arc));
    EXPECT_FALSE(bare.clear());
    const WorldPointS pts[2] = {a, b};
    EXPECT_FALSE(bare.draw_lines_world(pts, 2));
    EXPECT_TRUE(bare.draw_points_world(pts, 2)) << "failing points do not fail the call";
}

// ---- Viewport and mapping ------------------------------------------------------

TEST_F(DeviceTest, FullViewportMapsWorldCornersToDeviceCorners) {
    use_screen_mapping();
    EXPECT_EQ(Coords(p.plot.device_viewport, p.plot.device_viewport + 4), (Coords{0, 480, 640, 0}));
    const DevicePointS lo = dev().world_to_device({0, 0});
    const DevicePointS hi = dev().world_to_device({1000, 1000});
    EXPECT_EQ(Coords({lo.x, lo.y, hi.x, hi.y}), (Coords{0, 480, 640, 0}));
    const WorldPointS back = dev().device_to_world({320, 240});
    EXPECT_EQ(back.x, 500);
    EXPECT_EQ(back.y, 500);
}

TEST_F(DeviceTest, ViewportTruncatesTowardZeroAndSaturates) {
    p.plot.device_extent[2] = 10; // left 0, bottom 0, right 10, top 0
    const float left_of_extent[4] = {-0.17f, 0.0f, 0.26f, 1.0f};
    dev().set_viewport(left_of_extent);
    EXPECT_EQ(p.plot.device_viewport[0], -1) << "-1.2 truncates to -1, not -2";
    EXPECT_EQ(p.plot.device_viewport[2], 3);
    EXPECT_EQ(p.plot.viewport[0], -0.17f);

    const int32_t wide[4] = {kMin, kMax, kMax, kMin};
    std::copy_n(wide, 4, p.plot.device_extent);
    const float far_out[4] = {-2.0f, -2.0f, 2.0f, 2.0f};
    dev().set_viewport(far_out);
    EXPECT_EQ(Coords(p.plot.device_viewport, p.plot.device_viewport + 4),
              (Coords{kMin, kMax, kMax, kMin}));
}

// Single points, lines and rectangles use scale × offset + origin; the array
// operations use a precomputed scale and offset. In this window the two differ
// in the last bit exactly where the result is a half, so they round apart.
TEST_F(DeviceTest, ArrayAndSinglePointFormsKeepTheirOwnArithmetic) {
    const int32_t world[4] = {-708, -708, 552, 552};
    const int32_t viewport[4] = {22, 22, 1143, 1143};
    std::copy_n(world, 4, p.plot.world);
    std::copy_n(viewport, 4, p.plot.device_viewport);
    const WorldPointS pt{1182, 1182};

    EXPECT_EQ(dev().world_to_device_f(pt).x, 1703.5);
    DevicePointF array_form[1];
    dev().world_to_device_array(&pt, 1, array_form);
    EXPECT_LT(array_form[0].x, 1703.5);

    dev().draw_point_world(pt);
    dev().draw_points_world(&pt, 1);
    const auto pts = dev().calls_to("draw_point_device");
    ASSERT_EQ(pts.size(), 2u);
    EXPECT_EQ(pts[0].coords, (Coords{1704, 1704}));
    EXPECT_EQ(pts[1].coords, (Coords{1703, 1703}));
}

TEST_F(DeviceTest, ArrayOperationsMapEveryElementAndPassTheCount) {
    use_screen_mapping();
    const WorldPointS pts[4] = {{0, 0}, {500, 500}, {1000, 0}, {250, 1000}};
    const Coords device = {0, 480, 320, 240, 640, 480, 160, 0};
    dev().draw_lines_world(pts, 4);
    dev().draw_polygon_world(pts, 3);
    dev().draw_segments_world(pts, 2);
    const int32_t rects[8] = {0, 0, 500, 500, 250, 1000, 1000, 0};
    dev().draw_rectangles_world(rects, 2);
    ASSERT_EQ(dev().calls.size(), 5u);
    EXPECT_EQ(dev().calls[0], (DeviceCall{"draw_lines_device", 4, device, true}));
    EXPECT_EQ(dev().calls[1], (DeviceCall{"draw_polygon_device", 3,
                                          Coords(device.begin(), device.end() - 2), true}));
    EXPECT_EQ(dev().calls[2], (DeviceCall{"draw_segments_device", 2, device, true}));
    EXPECT_EQ(dev().calls[3].coords, (Coords{0, 480, 320, 240}));
    EXPECT_EQ(dev().calls[4].coords, (Coords{160, 0, 640, 480}));
}

TEST_F(DeviceTest, WorkBuffersHoldNoStaleDataAcrossCalls) {
    use_screen_mapping();
    std::vector<WorldPointS> many(100000, WorldPointS{1000, 1000});
    dev().draw_lines_world(many.data(), static_cast<int32_t>(many.size()));
    const WorldPointS two[2] = {{0, 0}, {500, 0}};
    dev().draw_lines_world(two, 2);
    EXPECT_EQ(dev().calls.back(), (DeviceCall{"draw_lines_device", 2, {0, 480, 320, 480}, true}));
    dev().draw_lines_world(two, 0);
    EXPECT_EQ(dev().calls.back(), (DeviceCall{"draw_lines_device", 0, {}, true}));
}

// ---- The double layer ------------------------------------------------------------

TEST_F(DeviceTest, DoubleLayerRoundsEveryCoordinateWithTheDeviceRounding) {
    dev().draw_line_device_f({2.5, -2.5}, {0.49999999999999994, -0.5});
    const DevicePointF edges[3] = {{2147483647.2, -2147483648.7}, {1e300, -1e300}, {NAN, 7.5}};
    dev().draw_lines_device_f(edges, 3);
    const double rect[4] = {-0.5, 0.5, 1.5, -1.5};
    dev().draw_rectangle_device_f(rect);
    const double rects[8] = {0.4, 0.6, 1.4, 1.6, 2.5, 3.5, -4.5, -5.5};
    dev().draw_rectangles_device_f(rects, 2);
    ASSERT_EQ(dev().calls.size(), 5u);
    EXPECT_EQ(dev().calls[0].coords, (Coords{3, -3, 0, -1}));
    EXPECT_EQ(dev().calls[1].coords, (Coords{kMax, kMin, kMax, kMin, 0, 8}));
    EXPECT_EQ(dev().calls[2].coords, (Coords{-1, 1, 2, -2}));
    EXPECT_EQ(dev().calls[3].coords, (Coords{0, 1, 1, 2}));
    EXPECT_EQ(dev().calls[4].coords, (Coords{3, 4, -5, -6}));
}

// A device that draws lines and rectangles from world coordinates itself,
// through the integer mapping, must produce what the shared path produces.
class DirectDevice : public RecordingDevice {
  public:
    using RecordingDevice::RecordingDevice;
    bool draw_line_world(const WorldPointS &a, const WorldPointS &b) override {
        return draw_line_device(world_to_device(a), world_to_device(b));
    }
    bool draw_rectangle_world(const int32_t r[4]) override {
        const DevicePointS lo = world_to_device({r[0], r[1]});
        const DevicePointS hi = world_to_device({r[2], r[3]});
        const int32_t d[4] = {lo.x, lo.y, hi.x, hi.y};
        return draw_rectangle_device(d);
    }
};

TEST_F(DeviceTest, OwnWorldOverrideAgreesWithTheSharedPath) {
    GPlot direct_plot{};
    DirectDevice direct(&direct_plot);
    std::mt19937 rng(33);
    std::uniform_int_distribution<int32_t> coord(-5000, 5000);
    for (int window = 0; window < 20; ++window) {
        const int32_t x1 = coord(rng), y1 = coord(rng);
        const int32_t world[4] = {x1, y1, x1 + 1 + coord(rng) % 3000 + 3000,
                                  y1 + 1 + coord(rng) % 3000 + 3000};
        const int32_t vp[4] = {7, 613, 997, 5};
        for (GPlot *plot : {&p.plot, &direct_plot}) {
            std::copy_n(world, 4, plot->world);
            std::copy_n(vp, 4, plot->device_viewport);
        }
        for (int i = 0; i < 50; ++i) {
            const WorldPointS a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
            const int32_t r[4] = {a.x, a.y, b.x, b.y};
            dev().draw_line_world(a, b);
            direct.draw_line_world(a, b);
            dev().draw_tracking_rectangle_world(r);
            direct.draw_tracking_rectangle_world(r);
        }
    }
    EXPECT_EQ(dev().calls.size(), 2000u);
    EXPECT_EQ(dev().calls, direct.calls);
}

// ---- Arcs ------------------------------------------------------------------------

TEST_F(DeviceTest, ArcRadiusRoundsTheSameWhereverTheArcLies) {
    use_screen_mapping(); // 0.64 pixels per world unit in x, -0.48 in y
    for (int32_t cx = 0; cx < 40; ++cx) {
        const WorldArcS arc{cx + 3, cx - 5, cx, cx, -45000};
        dev().draw_arc_world(arc);
        const DevicePointS centre = dev().world_to_device({cx, cx});
        const Coords &got = dev().calls.back().coords;
        // Radius (3, -5) anchored at the corner (1000, 1000): 640 + 1.92 rounds
        // to 642, 0 + 2.4 rounds to 2.
        EXPECT_EQ(got, (Coords{centre.x + 2, centre.y + 2, centre.x, centre.y, -45000}))
            << "centre " << cx;
    }
}

// Start minus centre here exceeds the int32 range although every mapped
// coordinate fits: the radius must not wrap around.
TEST_F(DeviceTest, ArcWiderThanTheInt32RangeMapsExactly) {
    p.set_mapping({0, 1000, 1000, 0}, {0, 0, 4000, 4000}); // a quarter pixel per unit
    dev().draw_arc_world({kMax, 0, kMin + 1, 0, 1});
    ASSERT_EQ(dev().calls.size(), 1u);
    // 0.25 × kMax = 536870911.75; the centre is at -536870911.75.
    EXPECT_EQ(dev().calls[0].coords, (Coords{536870912, 1000, -536870912, 1000, 1}));
}

// ---- Lists stop at the first failure --------------------------------------------

TEST_F(DeviceTest, ListsStopAtTheFirstFailingElement) {
    use_screen_mapping();
    const WorldArcS arcs[3] = {{10, 0, 0, 0, 1}, {20, 0, 0, 0, 2}, {30, 0, 0, 0, 3}};
    dev().fail_operation("draw_arc_device", 2);
    EXPECT_FALSE(dev().draw_arcs_world(arcs, 3));
    EXPECT_EQ(dev().calls.size(), 2u);
    EXPECT_TRUE(dev().draw_arcs_world(arcs, 0));
    EXPECT_TRUE(dev().draw_arcs_world(arcs, -1));

    dev().forget_calls();
    const DeviceArcS device_arcs[2] = {{1, 1, 0, 0, 5}, {2, 2, 0, 0, 6}};
    EXPECT_FALSE(dev().draw_arcs_device(device_arcs, 2));
    EXPECT_EQ(dev().calls.size(), 2u);

    const WorldPointS tri[3] = {{0, 0}, {10, 0}, {0, 10}};
    const WorldPolygonS polys[3] = {{const_cast<WorldPointS *>(tri), 3},
                                    {const_cast<WorldPointS *>(tri), 2},
                                    {const_cast<WorldPointS *>(tri), 3}};
    dev().fail_operation("draw_polygon_device", 2);
    EXPECT_FALSE(dev().draw_polygons_world(polys, 3));
    EXPECT_EQ(dev().calls_to("draw_polygon_device").size(), 2u);
    EXPECT_TRUE(dev().draw_polygons_world(polys, 0));

    dev().forget_calls();
    const DevicePointF ftri[3] = {{0, 0}, {1, 0}, {0, 1}};
    const DevicePolygonF fpolys[2] = {{ftri, 3}, {ftri, 3}};
    EXPECT_FALSE(dev().draw_polygons_device_f(fpolys, 2));
    EXPECT_EQ(dev().calls.size(), 2u);

    dev().forget_calls();
    const int32_t rects[12] = {0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5};
    dev().fail_operation("draw_rectangle_device", 2);
    EXPECT_FALSE(dev().draw_rectangles_world(rects, 3));
    EXPECT_EQ(dev().calls.size(), 2u);
    EXPECT_FALSE(dev().draw_rectangles_device(rects, -1));
    EXPECT_FALSE(dev().draw_rectangles_device_f(nullptr, -1));
    EXPECT_TRUE(dev().draw_rectangles_device(rects, 0));
}

TEST_F(DeviceTest, PointsIgnoreFailingPointsButNotNegativeCounts) {
    const DevicePointS pts[3] = {{1, 1}, {2, 2}, {3, 3}};
    dev().fail_operation("draw_point_device", 1);
    EXPECT_TRUE(dev().draw_points_device(pts, 3));
    EXPECT_EQ(dev().calls.size(), 3u);
    EXPECT_FALSE(dev().draw_points_device(pts, -1));
    EXPECT_FALSE(dev().draw_points_device_f(nullptr, -1));
    EXPECT_EQ(dev().calls.size(), 3u);
}

TEST_F(DeviceTest, DrawToMovesTheCurrentPointEvenWhenTheLineFails) {
    use_screen_mapping();
    dev().move_to_world({0, 0});
    dev().fail_operation("draw_line_device");
    EXPECT_FALSE(dev().draw_to_world({500, 1000}));
    EXPECT_EQ(p.plot.current_point[0], 500);
    dev().stop_failing();
    EXPECT_TRUE(dev().draw_to_world({1000, 1000}));
    EXPECT_EQ(dev().calls.back().coords, (Coords{320, 0, 640, 0}));
}

// ---- World window and clip rectangles --------------------------------------------

TEST_F(DeviceTest, WorldOutOfRangeIsJudgedWithThePreviousWindow) {
    use_screen_mapping();
    const int32_t tiny[4] = {0, 0, 10, 10};
    const int32_t huge[4] = {0, 0, 1000000000, 1000000000};
    EXPECT_TRUE(dev().set_world(tiny));
    EXPECT_EQ(vexl::world_out_of_range, 0);
    // Under the tiny window 1e9 world units are 6.4e10 pixels.
    EXPECT_TRUE(dev().set_world(huge));
    EXPECT_EQ(vexl::world_out_of_range, 1);
    // Under the huge window the tiny one maps to a few pixels: in range again.
    EXPECT_TRUE(dev().set_world(tiny));
    EXPECT_EQ(vexl::world_out_of_range, 0);

    EXPECT_TRUE(dev().set_clip_world(huge, true));
    EXPECT_EQ(vexl::world_out_of_range, 1);
    EXPECT_EQ(Coords(p.plot.world, p.plot.world + 4), Coords(tiny, tiny + 4));
    EXPECT_TRUE(dev().set_clip_world(tiny, true));
    EXPECT_EQ(vexl::world_out_of_range, 0);
}

TEST_F(DeviceTest, SetWorldResetsTheClipRectangleButNotTheClipFlag) {
    use_screen_mapping();
    const int32_t clip[4] = {100, 100, 200, 200};
    const int32_t world[4] = {-50, -50, 50, 50};
    dev().set_clip_world(clip, true);
    dev().set_world(world);
    EXPECT_TRUE(dev().clip_on);
    int32_t got[4];
    dev().get_clip_world(got);
    EXPECT_EQ(Coords(got, got + 4), Coords(world, world + 4));

    dev().set_clip_world(clip, true);
    dev().unset_clip_world();
    EXPECT_FALSE(dev().clip_on);
    dev().get_clip_world(got);
    EXPECT_EQ(Coords(got, got + 4), Coords(world, world + 4));
}

TEST_F(DeviceTest, DeviceClipRectangleRoundTripsAndUnsetsToTheExtent) {
    use_screen_mapping();
    const int32_t clip[4] = {10, 400, 600, 20};
    EXPECT_TRUE(dev().set_clip_device(clip, true));
    int32_t got[4] = {};
    EXPECT_TRUE(dev().get_clip_device(got));
    EXPECT_EQ(Coords(got, got + 4), Coords(clip, clip + 4));
    EXPECT_TRUE(dev().unset_clip_device());
    EXPECT_FALSE(dev().clip_on);
    dev().get_clip_device(got);
    EXPECT_EQ(Coords(got, got + 4), (Coords{0, 480, 640, 0}));
}

// Checks, while the clear runs, that clipping has been lifted.
class ClipWatchingDevice : public RecordingDevice {
  public:
    using RecordingDevice::RecordingDevice;
    bool clip_on_during_clear = true;
    bool clear_world_rect(const int32_t rect[4]) override {
        clip_on_during_clear = clip_on;
        return RecordingDevice::clear_world_rect(rect);
    }
};

TEST_F(DeviceTest, ClearReachesTheWholeWorldAndRestoresTheClipRectangle) {
    GPlot plot{};
    ClipWatchingDevice device(&plot);
    const int32_t world[4] = {0, 0, 1000, 1000};
    const int32_t clip[4] = {100, 200, 300, 400};
    device.set_world(world);
    device.set_clip_world(clip, true);
    EXPECT_TRUE(device.clear());
    EXPECT_FALSE(device.clip_on_during_clear);
    EXPECT_EQ(device.calls_to("clear_world_rect").at(0).coords, Coords(world, world + 4));
    EXPECT_TRUE(device.clip_on);
    EXPECT_EQ(Coords(plot.clip_world, plot.clip_world + 4), Coords(clip, clip + 4));

    EXPECT_TRUE(device.clear_clip_area());
    EXPECT_EQ(device.calls.back().coords, Coords(clip, clip + 4));

    device.unset_clip_world();
    device.fail_operation("clear_world_rect");
    EXPECT_FALSE(device.clear()) << "the clear's own result is returned";
    EXPECT_FALSE(device.clip_on);
}

// ---- Attributes ---------------------------------------------------------------------

TEST_F(DeviceTest, NegativeWidthsAreRefusedWithCode7) {
    use_screen_mapping();
    dev().set_line_width(3);
    EXPECT_FALSE(dev().set_line_width(-1));
    EXPECT_EQ(GplotErrno, 7);
    GplotErrno = 0;
    vexl::world_units_on = true;
    EXPECT_FALSE(dev().set_line_width_world(-1));
    EXPECT_EQ(GplotErrno, 7);
    EXPECT_EQ(p.plot.line_width, 3);
}

TEST_F(DeviceTest, WorldUnitWidthsUseTheHorizontalScale) {
    use_screen_mapping(); // 0.64 pixels per unit across, 0.48 down
    EXPECT_TRUE(dev().set_line_width_world(10));
    EXPECT_EQ(p.plot.line_width, 10) << "world units off: width unchanged";
    vexl::world_units_on = true;
    EXPECT_TRUE(dev().set_line_width_world(10));
    EXPECT_EQ(p.plot.line_width, 6); // 6.4 truncated
    EXPECT_TRUE(dev().set_line_width_world(9));
    EXPECT_EQ(p.plot.line_width, 5); // 5.76 truncated, not rounded
    p.set_mapping({0, 480, 640, 0}, {0, 0, 1, 1});
    EXPECT_TRUE(dev().set_line_width_world(kMax));
    EXPECT_EQ(p.plot.line_width, kMax);
}

class NoColourDevice : public RecordingDevice {
  public:
    using RecordingDevice::RecordingDevice;
    bool set_foreground_color(int32_t, int32_t) override { return false; }
};

TEST_F(DeviceTest, XorModeSetsAnOpaqueForegroundFirst) {
    EXPECT_TRUE(dev().set_xor_drawing_mode(true, 5));
    EXPECT_EQ(p.plot.foreground_color, 5);
    EXPECT_EQ(p.plot.transparency, 255);
    EXPECT_EQ(p.plot.xor_mode, 1);

    GPlot plot{};
    NoColourDevice device(&plot);
    EXPECT_FALSE(device.set_xor_drawing_mode(true, 5));
    EXPECT_EQ(plot.xor_mode, 0);
}

TEST_F(DeviceTest, BufferModeNeedsABuffer) {
    EXPECT_TRUE(dev().set_buffer_mode(true));
    EXPECT_FALSE(dev().buffer_mode);
    dev().set_buffer_capacity(1);
    EXPECT_TRUE(dev().set_buffer_mode(true));
    EXPECT_TRUE(dev().buffer_mode);
    dev().set_buffer_capacity(0);
    EXPECT_TRUE(dev().set_buffer_mode(false));
    EXPECT_FALSE(dev().buffer_mode);
}

} // namespace
