// Arcs and markers through the C interface: when arcs are flattened, what the
// flattened poly-line looks like, and which markers are drawn.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "drawing_fixture.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

using vexl::test::DrawingTest;
using vexl::test::ScopedEnv;
using vexl::test::TempDir;

class Arcs : public DrawingTest {
  protected:
    // World clipping with arcs flattened, as MOLVERN_CLIPPING sets it up.
    void flatten_arcs(GPlotDevice kind, int32_t step) {
        plot->device_kind = kind;
        plot->arc_clipping = 1;
        plot->arc_step = step;
        clip_to(0, 0, 1000, 1000);
    }
    // The points of the one poly-line or polygon the arc became.
    std::vector<WorldPointS> drawn_points(const char *op) const {
        EXPECT_EQ(calls().size(), 1u);
        std::vector<WorldPointS> points;
        if (calls().size() != 1 || calls()[0].op != op)
            return points;
        const std::vector<int32_t> &c = calls()[0].coords;
        for (std::size_t i = 0; i + 1 < c.size(); i += 2)
            points.push_back({c[i], c[i + 1]});
        return points;
    }
};

TEST_F(Arcs, DegenerateArcsDrawOnePoint) {
    flatten_arcs(GPLOT_SCREEN, 0);
    const WorldArcS no_sweep{600, 500, 500, 500, 0}, no_radius{500, 500, 500, 500, 90000};
    EXPECT_EQ(gplot_draw_arc_world(plot, &no_sweep), 1);
    EXPECT_EQ(gplot_draw_arc_world(plot, &no_radius), 1);
    EXPECT_EQ(calls(), (std::vector{call("draw_point_device", 1, {600, 500}),
                                    call("draw_point_device", 1, {500, 500})}));
}

// Eight steps per turn: the angle is accumulated by addition, so the last
// step may fall either side of the loop end; either way the outline closes.
TEST_F(Arcs, ClippedFullCircleBecomesAClosedPolyLine) {
    flatten_arcs(GPLOT_SCREEN, 8);
    const WorldArcS circle{500, 600, 500, 500, 400000}; // more than a turn: one turn
    EXPECT_EQ(gplot_draw_arc_world(plot, &circle), 1);
    const std::vector<WorldPointS> ring = drawn_points("draw_lines_device");
    ASSERT_GE(ring.size(), 9u);
    EXPECT_LE(ring.size(), 10u);
    EXPECT_EQ(ring.front().x, ring.back().x);
    EXPECT_EQ(ring.front().y, ring.back().y);
    for (const WorldPointS &p : ring)
        EXPECT_NEAR(std::hypot(p.x - 500.0, p.y - 500.0), 100.0, 1.0);

    rec.device.forget_calls();
    plot->fill_pattern = -2;
    EXPECT_EQ(gplot_draw_arc_world(plot, &circle), 1);
    EXPECT_GE(drawn_points("draw_polygon_device").size(), 9u);
}

TEST_F(Arcs, ClockwiseArcsTurnTowardsMinusY) {
    flatten_arcs(GPLOT_HPGL2, 0); // a plotter: no aspect correction, 100 steps per turn
    const WorldArcS quarter{600, 500, 500, 500, -90000};
    EXPECT_EQ(gplot_draw_arc_world(plot, &quarter), 1);
    const std::vector<WorldPointS> points = drawn_points("draw_lines_device");
    ASSERT_EQ(points.size(), 26u); // 25 steps of 3.6 degrees and the end point
    EXPECT_EQ(points.back().x, 500);
    EXPECT_EQ(points.back().y, 400);
    for (const WorldPointS &p : points)
        EXPECT_LE(p.y, 500);
}

TEST_F(Arcs, DeviceDrawsTheArcUnlessFlatteningIsAskedFor) {
    const WorldArcS arc{600, 500, 500, 500, 45000};
    flatten_arcs(GPLOT_PRINT, 0); // hard copy keeps its arcs even while clipping
    EXPECT_EQ(gplot_draw_arc_world(plot, &arc), 1);
    plot->device_kind = GPLOT_SCREEN;
    plot->arc_clipping = 0; // clip mode switched on after open: arcs stay arcs
    EXPECT_EQ(gplot_draw_arc_world(plot, &arc), 1);
    ASSERT_EQ(calls().size(), 2u);
    EXPECT_EQ(calls()[0].op, "draw_arc_device");
    EXPECT_EQ(calls()[1].op, "draw_arc_device");

    // A centre beyond the device range flattens it whatever the settings.
    const int32_t small[4] = {0, 0, 10, 10}; // 100 device units per world unit
    gplot_set_world(plot, small);
    gplot_set_clip_mode(plot, 0);
    rec.device.forget_calls();
    const WorldArcS far_centre{5, 5, 100000000, 5, 10};
    EXPECT_EQ(gplot_draw_arc_world(plot, &far_centre), 1);
    EXPECT_EQ(rec.device.world_out_of_range, 1);
    // Hard copy too: no device record can describe such an arc.
    plot->device_kind = GPLOT_PRINT;
    EXPECT_EQ(gplot_draw_arc_world(plot, &far_centre), 1);
    ASSERT_FALSE(calls().empty());
    for (const auto &c : calls())
        EXPECT_NE(c.op, "draw_arc_device");
}

// Counter-clockwise, 45 degrees in steps of 3.6: twelve steps fall short of
// the end, so the exact end point is added.
TEST_F(Arcs, CounterClockwisePartialArcEndsOnItsFinalAngle) {
    flatten_arcs(GPLOT_HPGL2, 0);
    const WorldArcS eighth{600, 500, 500, 500, 45000};
    EXPECT_EQ(gplot_draw_arc_world(plot, &eighth), 1);
    const std::vector<WorldPointS> points = drawn_points("draw_lines_device");
    ASSERT_EQ(points.size(), 14u);
    EXPECT_EQ(points.front().x, 600);
    EXPECT_EQ(points.front().y, 500);
    EXPECT_EQ(points.back().x, 571);
    EXPECT_EQ(points.back().y, 571);
    double previous = -1;
    for (const WorldPointS &p : points) {
        EXPECT_NEAR(std::hypot(p.x - 500.0, p.y - 500.0), 100.0, 1.0);
        const double angle = std::atan2(p.y - 500.0, p.x - 500.0);
        EXPECT_GT(angle, previous) << "turns from +x towards +y";
        previous = angle;
    }
}

// A recording device with a drawing surface of 640 x 480 pixels.
class SizedDevice : public vexl::test::RecordingDevice {
  public:
    using RecordingDevice::RecordingDevice;
    bool get_width_n_height(int32_t *width, int32_t *height) override {
        *width = 640;
        *height = 480;
        return true;
    }
};

// World 1000 x 1000 on 640 x 480 pixels: a world circle would come out as an
// ellipse, so the flattening stretches it to look round. Starting at or
// below 45 degrees the horizontal scale sets the radius, above it the
// vertical one; either way every vertex lies within a pixel of it.
TEST(ArcAspect, FlattenedCirclesAreRoundInDevicePixels) {
    GPlot plot{};
    SizedDevice device(&plot);
    const int32_t extent[4] = {0, 480, 640, 0};
    std::copy_n(extent, 4, plot.device_extent);
    const float full[4] = {0, 0, 1, 1};
    const int32_t world[4] = {0, 0, 1000, 1000};
    device.set_viewport(full);
    device.set_world(world);
    plot.device_kind = GPLOT_SCREEN;
    plot.line_clipping = 1;
    plot.fill_pattern = -1;
    plot.clip_mode = 1;
    plot.arc_clipping = 1;
    const struct {
        WorldArcS circle;
        double device_radius;
    } cases[] = {{{600, 500, 500, 500, 360000}, 64.0},  // 100 world units at 0.64 px
                 {{500, 600, 500, 500, 360000}, 48.0},  // 100 world units at 0.48 px
                 {{500, 400, 500, 500, 360000}, 48.0},  // 270 degrees
                 {{400, 500, 500, 500, 360000}, 64.0}}; // -180 degrees
    for (const auto &c : cases) {
        device.forget_calls();
        EXPECT_EQ(gplot_draw_arc_world(&plot, &c.circle), 1);
        ASSERT_EQ(device.calls.size(), 1u);
        const std::vector<int32_t> &v = device.calls[0].coords;
        ASSERT_GT(v.size(), 100u) << "one step per pixel of the scaled axis";
        for (std::size_t i = 0; i + 1 < v.size(); i += 2)
            EXPECT_NEAR(std::hypot(v[i] - 320.0, v[i + 1] - 240.0), c.device_radius, 1.0)
                << "start " << c.circle.x << "," << c.circle.y << " vertex " << i / 2;
    }
}

using Markers = DrawingTest;

TEST_F(Markers, OnlyMarkersCentredInsideTheWorldWindowAreDrawn) {
    gplot_set_marker(plot, 7); // plus
    WorldPointS centres[] = {{1001, 500}, {1000, 500}};
    EXPECT_EQ(gplot_draw_markers_world(plot, centres, 2, 11), 1);
    EXPECT_EQ(calls(), (std::vector{call("draw_line_device", 1, {1000, 495, 1000, 505}),
                                    call("draw_line_device", 1, {995, 500, 1005, 500})}));
    rec.device.forget_calls();
    gplot_set_marker(plot, 99);
    EXPECT_EQ(gplot_draw_markers_world(plot, centres + 1, 1, 11), 1);
    EXPECT_TRUE(calls().empty());
    EXPECT_EQ(gplot_draw_marker_world(plot, centres, 0), 1);
    EXPECT_EQ(gplot_draw_marker_world(plot, centres, -1), 0);
    EXPECT_EQ(GplotErrno, 10);
}

// Size 11 gives half-size 5 (integer division) about the centre (500, 500).
TEST_F(Markers, EachShapeHasItsVertices) {
    using Coords = std::vector<int32_t>;
    const struct {
        int32_t marker;
        std::vector<vexl::test::DeviceCall> expected;
    } shapes[] = {
        {0, {call("draw_polygon_device", 5, {495, 495, 505, 495, 505, 505, 495, 505, 495, 495})}},
        {1, {call("draw_arc_device", 1, {500, 505, 500, 500, 360000})}},
        {2, {call("draw_polygon_device", 4, {500, 495, 495, 505, 505, 505, 500, 495})}},
        {3, {call("draw_polygon_device", 4, {495, 495, 500, 505, 505, 495, 495, 495})}},
        {4, {call("draw_polygon_device", 5, {500, 495, 495, 500, 500, 505, 505, 500, 500, 495})}},
        {5,
         {call("draw_line_device", 1, Coords{495, 500, 505, 500}),
          call("draw_line_device", 1, Coords{495, 495, 505, 505}),
          call("draw_line_device", 1, Coords{505, 495, 495, 505})}},
        {6,
         {call("draw_line_device", 1, Coords{495, 495, 505, 505}),
          call("draw_line_device", 1, Coords{505, 495, 495, 505})}},
    };
    WorldPointS centre[] = {{500, 500}};
    for (const auto &shape : shapes) {
        rec.device.forget_calls();
        gplot_set_marker(plot, shape.marker);
        EXPECT_EQ(gplot_draw_markers_world(plot, centre, 1, 11), 1);
        EXPECT_EQ(calls(), shape.expected) << "marker " << shape.marker;
    }
}

TEST_F(Markers, LineTypeIsSolidWhileDrawingAndRestoredAfter) {
    WorldPointS centre[] = {{500, 500}};
    plot->line_type = 3;
    EXPECT_EQ(gplot_draw_markers_world(plot, centre, 1, 10), 1);
    EXPECT_EQ(plot->line_type, 3);
    plot->line_type = 99; // not a line type: left solid, with the code
    EXPECT_EQ(gplot_draw_markers_world(plot, centre, 1, 10), 1);
    EXPECT_EQ(plot->line_type, 0);
    EXPECT_EQ(GplotErrno, 6);
}

TEST_F(Markers, DeviceMarkersDrawNothing) {
    const DevicePointS p{5, 5};
    EXPECT_EQ(gplot_draw_marker_device(plot, &p, 0), 1);
    EXPECT_EQ(gplot_draw_marker_device(plot, &p, 3), 0);
    EXPECT_EQ(GplotErrno, 0);
    EXPECT_EQ(gplot_draw_markers_device(plot, &p, 1, -1), 0);
    EXPECT_EQ(GplotErrno, 10);
    EXPECT_TRUE(calls().empty());
}

// End to end on a plot file: clipping switched on for HP-GL/2 by the
// settings, an arc flattened in four steps, a marker and a trimmed fill.
TEST(ClippedPlotFile, MatchesTheGoldenFile) {
    const std::string source = VEXL_SOURCE_DIR;
    ScopedEnv clipping("MOLVERN_CLIPPING", "print;hpgl"), step("MOLVERN_ARC_STEPVALUE", "4"),
        fills("MOLVERN_FILL", (source + "/tests/data/hpgl2/fills.kdfill").c_str());
    TempDir dir;
    const std::string path = dir.file("clipped.hgl");
    GPlot *plot = gplot_open_hpgl2(path.c_str(), DB_UNIT_MILLIMETRE, 100);
    ASSERT_NE(plot, nullptr);
    const int32_t world[4] = {0, 0, 1000, 1000}, clip[4] = {100, 100, 900, 900};
    ASSERT_EQ(gplot_set_viewport(plot, 0, 0, 1, 1), 1);
    ASSERT_EQ(gplot_set_world(plot, world), 1);
    ASSERT_EQ(gplot_set_clip_world(plot, clip), 1);
    const WorldPointS a{0, 500}, b{1000, 500}, outside{950, 950};
    EXPECT_EQ(gplot_draw_line_world(plot, &a, &b), 1);
    EXPECT_EQ(gplot_draw_point_world(plot, &outside), 1);
    const WorldArcS circle{500, 600, 500, 500, 360000};
    EXPECT_EQ(gplot_draw_arc_world(plot, &circle), 1);
    gplot_set_marker(plot, 7);
    WorldPointS centre[] = {{500, 500}};
    EXPECT_EQ(gplot_draw_markers_world(plot, centre, 1, 100), 1);
    gplot_set_fill_pattern(plot, -2);
    int32_t corner[4] = {800, 800, 1000, 1000};
    EXPECT_EQ(gplot_draw_rectangle_world(plot, corner), 1);
    EXPECT_EQ(gplot_close(plot), 1);

    std::string text = TempDir::read(path);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    EXPECT_EQ(text, TempDir::read(source + "/tests/golden/hpgl2/clipped_interface.hgl"));
}

} // namespace
