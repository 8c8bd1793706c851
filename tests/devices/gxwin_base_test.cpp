// Tests of the shared device layers: mapping, rounding, state and
// failure propagation, observed through what reaches the integer layer of a
// recording device. Cases of one shape share a table; a test reads back only
// what the layers made of its input, never a value it stored itself.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/coordinate_flags.h"
#include "devices/recording_device.h"
#include "devices/work_buffer.h"

namespace {

using vexl::test::DeviceCall;
using vexl::test::RecordingDevice;
using Coords = std::vector<int32_t>;

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

Coords coords(const int32_t (&rect)[4]) {
    return Coords(rect, rect + 4);
}

// The process-wide switch and the error code are shared with every other
// suite; each test leaves them in their initial state.
class DeviceTest : public ::testing::Test {
  protected:
    void TearDown() override {
        vexl::world_units_on = false;
        GplotErrno = 0;
    }
    // 640 x 480 pixels showing world (0, 0)-(1000, 1000), y up.
    void use_screen_mapping() { p.set_mapping({0, 480, 640, 0}, {0, 0, 1000, 1000}); }

    vexl::test::RecordingPlot p;
    RecordingDevice &dev = p.device;
};

// ---- Defaults and work buffers --------------------------------------------------

TEST_F(DeviceTest, BaseDefaultsThatOtherCodeRelies) {
    EXPECT_EQ(dev.inches_to_font_height(0.0), 8.0);
    EXPECT_EQ(dev.inches_to_font_height(2.5), 8.0);
    // Buffering cannot be had without a buffer, but can always be switched off.
    EXPECT_TRUE(dev.set_buffer_mode(true));
    EXPECT_FALSE(dev.buffer_mode);
    dev.set_buffer_capacity(1);
    dev.set_buffer_mode(true);
    dev.set_buffer_capacity(0);
    EXPECT_TRUE(dev.buffer_mode);
    dev.set_buffer_mode(false);
    EXPECT_FALSE(dev.buffer_mode);
    // XOR drawing takes an opaque foreground first (refusal: ghpgl2_test.cpp).
    EXPECT_TRUE(dev.set_xor_drawing_mode(true, 5));
    EXPECT_EQ((Coords{p.plot.foreground_color, p.plot.transparency, p.plot.xor_mode}),
              (Coords{5, 255, 1}));
    // No resolution without a positive size; the outputs stay untouched.
    double x = -1, y = -1;
    dev.set_device_size(640, 480, 160.0, NAN);
    EXPECT_FALSE(dev.get_pixels_perinch(&x, &y));
    EXPECT_EQ(x, -1);
}

TEST(DeviceWorkBuffer, RefusesUnaddressableCountsAndKeepsItsStorage) {
    vexl::WorkBuffer<double> buffer;
    ASSERT_TRUE(buffer.fit(8));
    double *storage = buffer.data();
    EXPECT_FALSE(buffer.fit(std::numeric_limits<uint64_t>::max()));
    EXPECT_TRUE(buffer.fit(3));
    EXPECT_EQ(buffer.data(), storage);
}

// ---- Rounding and mapping -------------------------------------------------------

// The double layer rounds every coordinate with the device's rounding
// (halves away from zero) and keeps to the device-safe range, one unit inside
// int32 at both ends: a rectangle's sides are moved into it, NaN becomes 0.
TEST_F(DeviceTest, DoubleLayerRoundsAtTheEdges) {
    const DevicePointF edges[4] = {{0.5, -0.5},
                                   {-2.5, 0.49999999999999994},
                                   {2147483645.5, -2147483646.5},
                                   {2147483646.0, -2147483647.0}};
    const double rect[4] = {2.5, -1.5, 1e300, NAN};
    dev.draw_lines_device_f(edges, 4);
    dev.draw_rectangle_device_f(rect);
    EXPECT_EQ(dev.calls.at(0).coords,
              (Coords{1, -1, -3, 0, kMax - 1, kMin + 1, kMax - 1, kMin + 1}));
    EXPECT_EQ(dev.calls.at(1).coords, (Coords{3, -2, kMax - 1, 0}));
}

// Fraction 0 is the bottom of the extent; vx = trunc(left + width × fraction
// + 0.5), so -1.2 becomes -1, not -2, NaN becomes 0, and the result saturates.
TEST_F(DeviceTest, ViewportMapsWorldCornersToDeviceCorners) {
    use_screen_mapping();
    EXPECT_EQ(coords(p.plot.device_viewport), (Coords{0, 480, 640, 0}));
    const DevicePointS lo = dev.world_to_device({0, 0}), hi = dev.world_to_device({1000, 1000});
    const WorldPointS back = dev.device_to_world({320, 240});
    EXPECT_EQ((Coords{lo.x, lo.y, hi.x, hi.y, back.x, back.y}), (Coords{0, 480, 640, 0, 500, 500}));

    const int32_t narrow[4] = {0, 0, 10, 0}, wide[4] = {kMin, kMax, kMax, kMin};
    const float left_of_extent[4] = {-0.17f, NAN, 0.26f, 1.0f}, far_out[4] = {-2, -2, 2, 2};
    std::copy_n(narrow, 4, p.plot.device_extent);
    dev.set_viewport(left_of_extent);
    EXPECT_EQ(coords(p.plot.device_viewport), (Coords{-1, 0, 3, 0}));
    std::copy_n(wide, 4, p.plot.device_extent);
    dev.set_viewport(far_out);
    EXPECT_EQ(coords(p.plot.device_viewport), (Coords{kMin, kMax, kMax, kMin}));
}

// Single points, lines and rectangles map as scale × offset + origin; the
// array operations use a precomputed scale and offset. In this window the two
// differ in the last bit where x is 1182, exactly on a half, so they round
// apart (1704 and 1703); the other corners map exactly.
TEST_F(DeviceTest, ArrayAndSingleFormsKeepTheirOwnArithmetic) {
    const int32_t world[4] = {-708, -708, 552, 552}, viewport[4] = {22, 22, 1143, 1143};
    std::copy_n(world, 4, p.plot.world);
    std::copy_n(viewport, 4, p.plot.device_viewport);
    const WorldPointS pts[4] = {{1182, 1182}, {-708, 552}, {552, -708}, {1182, 1182}};
    const int32_t rects[8] = {1182, 1182, 552, -708, -708, 552, 1182, 1182};
    dev.draw_point_world(pts[0]);
    dev.draw_line_world(pts[0], pts[1]);
    dev.draw_rectangle_world(rects);
    dev.draw_points_world(pts, 2);
    dev.draw_lines_world(pts, 3);
    dev.draw_polygon_world(pts, 3);
    dev.draw_segments_world(pts, 2);
    dev.draw_rectangles_world(rects, 2);
    const Coords array = {1703, 1703, 22, 1143, 1143, 22, 1703, 1703};
    const std::vector<DeviceCall> want = {
        {"draw_point_device", 1, {1704, 1704}, true},
        {"draw_line_device", 1, {1704, 1704, 22, 1143}, true},
        {"draw_rectangle_device", 1, {1704, 1704, 1143, 22}, true},
        {"draw_point_device", 1, {1703, 1703}, true},
        {"draw_point_device", 1, {22, 1143}, true},
        {"draw_lines_device", 3, Coords(array.begin(), array.begin() + 6), true},
        {"draw_polygon_device", 3, Coords(array.begin(), array.begin() + 6), true},
        {"draw_segments_device", 2, array, true},
        {"draw_rectangle_device", 1, {1703, 1703, 1143, 22}, true},
        {"draw_rectangle_device", 1, {22, 1143, 1703, 1703}, true}};
    EXPECT_EQ(dev.calls, want);
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
        const DevicePointS lo = world_to_device({r[0], r[1]}), hi = world_to_device({r[2], r[3]});
        const int32_t d[4] = {lo.x, lo.y, hi.x, hi.y};
        return draw_rectangle_device(d);
    }
};

TEST_F(DeviceTest, OwnWorldOverrideAgreesWithTheSharedPath) {
    DirectDevice direct(&p.plot); // reads the same plot record
    std::mt19937 rng(33);
    std::uniform_int_distribution<int32_t> coord(-5000, 5000);
    const int32_t vp[4] = {7, 613, 997, 5};
    std::copy_n(vp, 4, p.plot.device_viewport);
    for (int i = 0; i < 1000; ++i) {
        const int32_t x1 = coord(rng), y1 = coord(rng);
        const int32_t world[4] = {x1, y1, x1 + 3001 + coord(rng) % 3000,
                                  y1 + 3001 + coord(rng) % 3000};
        std::copy_n(world, 4, p.plot.world);
        const WorldPointS a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
        const int32_t r[4] = {a.x, a.y, b.x, b.y};
        dev.draw_line_world(a, b);
        direct.draw_line_world(a, b);
        dev.draw_tracking_rectangle_world(r);
        direct.draw_rectangle_world(r);
    }
    EXPECT_EQ(dev.calls.size(), 2000u);
    EXPECT_EQ(dev.calls, direct.calls);
}

// The radius is mapped on its own, so it rounds the same wherever the arc
// lies, and in 64 bits, so an arc wider than the int32 range maps exactly.
TEST_F(DeviceTest, ArcRadiusRoundsTheSameWhereverTheArcLies) {
    use_screen_mapping(); // 0.64 pixels per world unit in x, -0.48 in y
    for (int32_t cx = 0; cx < 40; ++cx) {
        dev.draw_arc_world({cx + 3, cx - 5, cx, cx, -45000});
        const DevicePointS c = dev.world_to_device({cx, cx});
        // Radius (3, -5) anchored at the corner (1000, 1000): 640 + 1.92 rounds
        // to 642, 0 + 2.4 rounds to 2.
        EXPECT_EQ(dev.calls.back().coords, (Coords{c.x + 2, c.y + 2, c.x, c.y, -45000})) << cx;
    }
    p.set_mapping({0, 1000, 1000, 0}, {0, 0, 4000, 4000}); // a quarter pixel per unit
    dev.draw_arc_world({kMax, 0, kMin + 1, 0, 1});
    // 0.25 × kMax = 536870911.75; the centre is at -536870911.75.
    EXPECT_EQ(dev.calls.back().coords, (Coords{536870912, 1000, -536870912, 1000, 1}));
}

// ---- The device-safe range -------------------------------------------------------

// What the double layer cannot place in the device-safe range is left out,
// and answered with success, as clipping answers for what it removes: lines
// through non-numbers, shapes wholly beyond the range.
TEST_F(DeviceTest, NothingBeyondTheDeviceRangeReachesTheDevice) {
    const double far = 1e12;
    const DevicePointF nan_line[2] = {{0, 0}, {NAN, 5}};
    const DevicePointF beyond[4] = {{far, 0}, {far, 10}, {far + 5, 10}, {far, 0}};
    const DevicePointF across[2] = {{-far, -far}, {far, far}};
    EXPECT_TRUE(dev.draw_line_device_f(nan_line[0], nan_line[1]));
    EXPECT_TRUE(dev.draw_line_device_f({0, HUGE_VAL}, {1, 1}));
    EXPECT_TRUE(dev.draw_lines_device_f(beyond, 4));
    EXPECT_TRUE(dev.draw_segments_device_f(beyond, 2));
    EXPECT_TRUE(dev.draw_polygon_device_f(beyond, 4));
    EXPECT_TRUE(dev.draw_polygon_device_f(nan_line, 2));
    EXPECT_TRUE(dev.draw_point_device_f({0, -far}));
    EXPECT_TRUE(dev.calls.empty());
    EXPECT_TRUE(dev.draw_line_device_f(across[0], across[1]));
    EXPECT_EQ(dev.calls,
              (std::vector<DeviceCall>{
                  {"draw_line_device", 1, {kMin + 1, kMin + 1, kMax - 1, kMax - 1}, true}}));
}

// Lines with ends anywhere up to 1e12 away: what reaches the device lies in
// the range, on the line asked for (within the half unit rounding moves a
// point) and in its direction; a line that crosses the range is never lost.
TEST_F(DeviceTest, ClippedLinesStayOnTheirLine) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> coordinate(-1e12, 1e12);
    for (int i = 0; i < 2000; ++i) {
        const DevicePointF a{coordinate(random), coordinate(random) / (i % 3 == 0 ? 1e4 : 1)};
        const DevicePointF b{coordinate(random) / (i % 5 == 0 ? 1e4 : 1), coordinate(random)};
        dev.forget_calls();
        ASSERT_TRUE(dev.draw_line_device_f(a, b));
        // Where the line passes x = 0 or y = 0 inside the range, it is seen.
        const double t = -a.x / (b.x - a.x);
        const double y_at_0 = a.y + t * (b.y - a.y);
        if (t > 0 && t < 1 && std::fabs(y_at_0) < 1e9) {
            ASSERT_EQ(dev.calls.size(), 1u) << i;
        }
        if (dev.calls.empty())
            continue;
        const Coords &c = dev.calls[0].coords;
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        for (int k = 0; k < 4; k += 2) {
            EXPECT_TRUE(c[k] >= kMin + 1 && c[k] <= kMax - 1 && c[k + 1] >= kMin + 1 &&
                        c[k + 1] <= kMax - 1);
            const double off_line =
                std::fabs((b.x - a.x) * (c[k + 1] - a.y) - (b.y - a.y) * (c[k] - a.x)) / length;
            EXPECT_LT(off_line, 1.0) << i;
        }
        EXPECT_GE((c[2] - static_cast<double>(c[0])) * (b.x - a.x) +
                      (c[3] - static_cast<double>(c[1])) * (b.y - a.y),
                  0.0)
            << i;
    }
}

// A many-pointed star far larger than the range: every side crosses the
// border, which is where the clipped outline grows most. It must come back
// closed, inside the range and with its points in their turning order.
TEST_F(DeviceTest, StarLargerThanTheRangeStaysInsideIt) {
    std::vector<DevicePointF> star;
    const int tips = 200;
    for (int i = 0; i < 2 * tips; ++i) {
        const double angle = 3.141592653589793 * i / tips;
        const double radius = i % 2 == 0 ? 1e10 : 1e8;
        star.push_back({radius * std::cos(angle), radius * std::sin(angle)});
    }
    star.push_back(star.front());
    ASSERT_TRUE(dev.draw_polygon_device_f(star.data(), static_cast<int32_t>(star.size())));
    ASSERT_EQ(dev.calls.size(), 1u);
    const Coords &c = dev.calls[0].coords;
    EXPECT_EQ(c[0], c[c.size() - 2]);
    EXPECT_EQ(c[1], c.back());
    for (int32_t v : c)
        EXPECT_TRUE(v >= kMin + 1 && v <= kMax - 1) << v;
    // The tips are cut off along the border, the notches kept.
    EXPECT_GT(std::count(c.begin(), c.end(), kMax - 1), 0);
    EXPECT_GT(c.size() / 2, static_cast<std::size_t>(2 * tips));
}

// An arc's centre and start point are its device record; when either does
// not fit, no record describes the arc and the device is not handed one.
TEST_F(DeviceTest, ArcsThatDoNotFitAreRefused) {
    p.set_mapping({0, 0, 1000, 1000}, {0, 0, 10, 10}); // 100 units per world unit
    EXPECT_FALSE(dev.draw_arc_world({5, 5, 100000000, 5, 90000}));
    GplotErrno = 0;
    EXPECT_FALSE(dev.draw_arc_world({100000000, 5, 5, 5, 90000}));
    EXPECT_EQ(GplotErrno, 12) << "a refused arc says why";
    EXPECT_TRUE(dev.calls.empty());
    EXPECT_TRUE(dev.draw_arc_world({6, 5, 5, 5, 90000}));
    EXPECT_EQ(dev.calls.size(), 1u);
}

// ---- Failure propagation --------------------------------------------------------

// Lists of arcs, polygons and rectangles stop at their first failing element
// and succeed when empty; failing points do not fail their list. A line that
// fails still moves the current point.
TEST_F(DeviceTest, FailuresReachTheCallerAndStopLists) {
    use_screen_mapping();
    for (const char *op : {"draw_arc_device", "draw_polygon_device", "draw_rectangle_device"})
        dev.fail_operation(op, 2);
    const WorldArcS arcs[3] = {};
    const DeviceArcS device_arcs[3] = {};
    WorldPointS pts[3] = {};
    const DevicePointF fpts[3] = {};
    const WorldPolygonS polys[3] = {{pts, 3}, {pts, 3}, {pts, 3}};
    const DevicePolygonF fpolys[3] = {{fpts, 3}, {fpts, 3}, {fpts, 3}};
    const int32_t rects[12] = {};
    const std::function<bool(int32_t)> lists[] = {
        [&](int32_t n) { return dev.draw_arcs_world(arcs, n); },
        [&](int32_t n) { return dev.draw_arcs_device(device_arcs, n); },
        [&](int32_t n) { return dev.draw_polygons_world(polys, n); },
        [&](int32_t n) { return dev.draw_polygons_device_f(fpolys, n); },
        [&](int32_t n) { return dev.draw_rectangles_world(rects, n); },
        [&](int32_t n) { return dev.draw_rectangles_device(rects, n); }};
    for (const auto &draw : lists) {
        dev.forget_calls();
        EXPECT_FALSE(draw(3));
        EXPECT_EQ(dev.calls.size(), 2u);
        EXPECT_TRUE(draw(0));
    }
    const DevicePointS ipts[3] = {};
    dev.fail_operation("draw_point_device");
    EXPECT_TRUE(dev.draw_points_world(pts, 3) && dev.draw_points_device(ipts, 3));

    dev.move_to_world({0, 0});
    dev.fail_operation("draw_line_device", 1);
    EXPECT_FALSE(dev.draw_to_world({500, 1000}));
    EXPECT_TRUE(dev.draw_to_world({1000, 1000}));
    EXPECT_EQ(dev.calls.back().coords, (Coords{320, 0, 640, 0}));
}

// ---- World window, clip rectangles and clearing ---------------------------------

// Under the tiny window 1e9 world units are 6.4e10 pixels; under the huge one
// the tiny window is a few pixels again.
TEST_F(DeviceTest, WorldOutOfRangeIsJudgedWithThePreviousWindow) {
    use_screen_mapping();
    const int32_t tiny[4] = {0, 0, 10, 10}, huge[4] = {0, 0, 1000000000, 1000000000};
    const std::tuple<const int32_t *, bool, int> steps[] = {
        {tiny, false, 0}, {huge, false, 1}, {tiny, false, 0}, {huge, true, 1}, {tiny, true, 0}};
    for (const auto &[rect, clip, out_of_range] : steps) {
        clip ? dev.set_clip_world(rect, true) : dev.set_world(rect);
        EXPECT_EQ(dev.world_out_of_range, out_of_range);
    }
    EXPECT_EQ(coords(p.plot.world), coords(tiny));
}

// A clear reaches the whole world window and leaves the clip rectangle in
// force (that it is lifted meanwhile shows in ghpgl2_test.cpp's attributes
// file); a new world window replaces the clip rectangle but not the flag.
TEST_F(DeviceTest, ClearAndSetWorldKeepTheClipFlag) {
    use_screen_mapping();
    const int32_t clip[4] = {100, 200, 300, 400}, world[4] = {-50, -50, 500, 500};
    dev.set_clip_world(clip, true);
    EXPECT_TRUE(dev.clear());
    EXPECT_TRUE(dev.clear_clip_area());
    EXPECT_EQ(dev.calls.at(0).coords, (Coords{0, 0, 1000, 1000}));
    EXPECT_EQ(dev.calls.at(1).coords, coords(clip));
    EXPECT_TRUE(dev.clip_on);
    dev.set_world(world);
    EXPECT_TRUE(dev.clip_on);
    EXPECT_EQ(coords(p.plot.clip_world), coords(world));
    dev.set_clip_world(clip, true);
    dev.unset_clip_world();
    EXPECT_FALSE(dev.clip_on);
    EXPECT_EQ(coords(p.plot.clip_world), coords(world));
    dev.fail_operation("clear_world_rect");
    EXPECT_FALSE(dev.clear()) << "the clear's own result is returned";
    dev.set_clip_device(clip, true);
    EXPECT_TRUE(dev.unset_clip_device());
    EXPECT_FALSE(dev.clip_on);
    EXPECT_EQ(coords(p.plot.clip_device), (Coords{0, 480, 640, 0})) << "the whole extent";
}

// ---- Attributes -----------------------------------------------------------------

// In world units a width is scaled by the horizontal ratio and truncated;
// a negative width is code 7 either way and changes nothing.
TEST_F(DeviceTest, LineWidthsInWorldUnitsUseTheHorizontalScale) {
    use_screen_mapping(); // 0.64 pixels per unit across, 0.48 down
    const std::tuple<bool, int32_t, int32_t> cases[] = {
        {false, 10, 10}, {true, 10, 6}, {true, 9, 5}, {true, 1, 0}, {true, -1, 0}, {false, -1, 0}};
    for (const auto &[world_units, width, stored] : cases) {
        vexl::world_units_on = world_units;
        GplotErrno = 0;
        EXPECT_EQ(dev.set_line_width_world(width), width >= 0) << width;
        EXPECT_EQ(GplotErrno, width < 0 ? 7 : 0);
        EXPECT_EQ(p.plot.line_width, stored) << width;
    }
    GplotErrno = 0;
    EXPECT_FALSE(dev.set_line_width(-1));
    EXPECT_EQ(GplotErrno, 7);
}

} // namespace
