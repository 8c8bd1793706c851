// World window, viewport, clip rectangles and drawing attributes through the
// C interface: the argument checks and what the device is asked to do.
#include <cmath>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "drawing_fixture.h"

namespace {

using vexl::test::DrawingTest;

std::vector<int32_t> rect_of(const int32_t r[4]) {
    return {r[0], r[1], r[2], r[3]};
}

using Coordinates = DrawingTest;

TEST_F(Coordinates, WorldWindowAndViewportChecks) {
    const int32_t flat[4] = {5, 0, 5, 10}, reversed[4] = {6, 0, 5, 10};
    EXPECT_EQ(gplot_set_world(plot, flat), 1);
    EXPECT_EQ(gplot_set_world(plot, reversed), 0);
    EXPECT_EQ(GplotErrno, 2);
    int32_t world[4];
    EXPECT_EQ(gplot_get_world(plot, world), 1);
    EXPECT_EQ(rect_of(world), rect_of(flat));

    EXPECT_EQ(gplot_set_viewport(plot, 0.5f, 0.0f, 0.5f, 1.0f), 0);
    EXPECT_EQ(GplotErrno, 3);
    EXPECT_EQ(gplot_set_viewport(plot, 0.0f, NAN, 1.0f, 1.0f), 0);
    EXPECT_EQ(gplot_set_viewport(plot, -0.5f, -0.5f, 1.5f, 1.5f), 1);
    float vp[4];
    EXPECT_EQ(gplot_get_viewport(plot, vp), 1);
    EXPECT_EQ((std::vector<float>(vp, vp + 4)), (std::vector<float>{-0.5f, -0.5f, 1.5f, 1.5f}));
}

TEST_F(Coordinates, ConversionsBothWaysAndNoneThroughAFlatWindow) {
    const int32_t world[4] = {0, 0, 100, 100};
    ASSERT_EQ(gplot_set_world(plot, world), 1);
    const WorldPointS w{25, 75};
    DevicePointS d{};
    WorldPointS back{};
    EXPECT_EQ(gplot_world_to_device(plot, &w, &d), 1);
    EXPECT_EQ(gplot_device_to_world(plot, &d, &back), 1);
    EXPECT_EQ((std::vector<int32_t>{d.x, d.y, back.x, back.y}),
              (std::vector<int32_t>{250, 750, 25, 75}));

    const int32_t flat[4] = {0, 0, 0, 100};
    ASSERT_EQ(gplot_set_world(plot, flat), 1);
    d = {7, 7};
    EXPECT_EQ(gplot_world_to_device(plot, &w, &d), 0);
    EXPECT_EQ(GplotErrno, 2);
    EXPECT_EQ(d.x, 7);
}

TEST_F(Coordinates, ClipRectanglesAndClipMode) {
    const int32_t clip[4] = {10, 20, 300, 400};
    EXPECT_EQ(gplot_set_clip_world(plot, clip), 1);
    EXPECT_TRUE(rec.device.clip_on);
    EXPECT_EQ(gplot_get_clip_mode(plot), 0)
        << "a clip rectangle alone leaves clipping to the device";
    // Clearing by either name fills the world clip rectangle.
    EXPECT_EQ(gplot_clear_clip_world(plot), 1);
    EXPECT_EQ(gplot_clear_clip_device(plot), 1);
    EXPECT_EQ(calls(), (std::vector{call("clear_world_rect", 1, rect_of(clip)),
                                    call("clear_world_rect", 1, rect_of(clip))}));
    int32_t got[4];
    EXPECT_EQ(gplot_unset_clip_world(plot), 1);
    EXPECT_EQ(gplot_get_clip_world(plot, got), 1);
    EXPECT_EQ(rect_of(got), (std::vector<int32_t>{0, 0, 1000, 1000}));
    EXPECT_FALSE(rec.device.clip_on);

    EXPECT_EQ(gplot_set_clip_device(plot, clip), 1);
    EXPECT_EQ(gplot_get_clip_device(plot, got), 1);
    EXPECT_EQ(rect_of(got), rect_of(clip));
    EXPECT_EQ(gplot_unset_clip_device(plot), 1);

    EXPECT_EQ(gplot_set_clip_mode(plot, 7), 1);
    EXPECT_EQ(gplot_get_clip_mode(plot), 7);
    EXPECT_EQ(gplot_set_world_units(5), 1);
    EXPECT_EQ(gplot_get_world_units(), 1);
    EXPECT_EQ(gplot_set_world_units(0), 1);
    EXPECT_EQ(gplot_get_world_units(), 0);
}

using Attributes = DrawingTest;

TEST_F(Attributes, SettersValidateAndReadBack) {
    EXPECT_EQ(gplot_set_line_type(plot, 6), 1);
    for (int bad : {7, -1}) {
        EXPECT_EQ(gplot_set_line_type(plot, bad), 0);
        EXPECT_EQ(GplotErrno, 6);
    }
    int value = 0, transparency = 0;
    EXPECT_EQ(gplot_get_line_type(plot, &value), 1);
    EXPECT_EQ(value, 6);
    EXPECT_EQ(gplot_set_marker(plot, 99), 1);
    EXPECT_EQ(gplot_get_marker(plot, &value), 1);
    EXPECT_EQ(value, 99);
    EXPECT_EQ(gplot_set_foreground_color_with_transparency(plot, 1, 40), 1);
    EXPECT_EQ(gplot_set_foreground_color(plot, 2), 1);
    EXPECT_EQ(gplot_get_foreground_color_and_transparency(plot, &value, &transparency), 1);
    EXPECT_EQ((std::vector<int>{value, transparency}), (std::vector<int>{2, 255}));
    EXPECT_EQ(gplot_set_line_width(plot, -1), 0);
    EXPECT_EQ(GplotErrno, 7);
    EXPECT_EQ(gplot_set_fill_pattern(plot, -2), 1);
    EXPECT_EQ(gplot_get_fill_pattern(plot, &value), 1);
    EXPECT_EQ(value, -2);
}

TEST_F(Attributes, ForegroundAndTransparencyWritesNothingWhenItFails) {
    int index = -7, transparency = -7;
    EXPECT_EQ(gplot_get_foreground_color_and_transparency(plot, &index, nullptr), 0);
    EXPECT_EQ(GplotErrno, 10);
    EXPECT_EQ(index, -7) << "one output written by a failed call";
    EXPECT_EQ(gplot_get_foreground_color_and_transparency(plot, nullptr, &transparency), 0);
    EXPECT_EQ(transparency, -7);
    EXPECT_EQ(gplot_get_foreground_color_and_transparency(nullptr, &index, &transparency), 0);
    EXPECT_EQ(GplotErrno, 1);
}

TEST_F(Attributes, PixelsPerInchChecksThePlotBeforeItsOutputs) {
    EXPECT_EQ(gxwin_get_pixels_perinch(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(GplotErrno, 1);
    GPlot no_device{};
    EXPECT_EQ(gxwin_get_pixels_perinch(&no_device, nullptr, nullptr), 0);
    EXPECT_EQ(GplotErrno, 1);
    float x = 0.0f;
    EXPECT_EQ(gxwin_get_pixels_perinch(plot, &x, nullptr), 0);
    EXPECT_EQ(GplotErrno, 10);
}

// A device with a colour map of three entries, whatever the shared map holds.
class ThreeColours : public vexl::test::RecordingDevice {
  public:
    using RecordingDevice::RecordingDevice;
    bool get_color_size(int32_t *n) override {
        *n = 3;
        return true;
    }
    bool get_color_RGB(int32_t index, int32_t *r, int32_t *g, int32_t *b) override {
        *r = index;
        *g = *b = 0;
        return true;
    }
    bool get_color_pixel(int32_t index, uint32_t *pixel) override {
        *pixel = 100 + static_cast<uint32_t>(index);
        return true;
    }
};

struct ColourPlot {
    GPlot record{};
    ThreeColours device{&record};
};

TEST_F(Attributes, ColourIndexesAreCheckedAgainstTheColourMap) {
    ColourPlot p;
    int r = 0, g = 0, b = 0, contrast = 9;
    EXPECT_EQ(gplot_get_color_RGB(&p.record, 2, &r, &g, &b), 1);
    EXPECT_EQ(r, 2);
    EXPECT_EQ(gplot_get_color_RGB(&p.record, 3, &r, &g, &b), 0);
    EXPECT_EQ(GplotErrno, 36);
    EXPECT_EQ(gplot_get_contrast_color(&p.record, -1, &contrast), 0);
    EXPECT_EQ(contrast, 0);
    const char *name = "unchanged";
    EXPECT_EQ(gplot_get_color_name(&p.record, 3, &name), 0);
    EXPECT_EQ(name, nullptr);
}

TEST_F(Attributes, ByAttributeCode) {
    ColourPlot p;
    int size = 0, r = -1, g = -1, b = -1;
    uint32_t pixel = 12345;
    ASSERT_EQ(gplot_get_attribute(&p.record, 1, &size, nullptr, nullptr, nullptr, nullptr), 1);
    EXPECT_EQ(size, 3);
    // An invalid colour fails at the RGB step; the pixel is never written.
    void *index3 = reinterpret_cast<void *>(static_cast<intptr_t>(3));
    EXPECT_EQ(gplot_get_attribute(&p.record, 2, index3, &pixel, &r, &g, &b), 0);
    EXPECT_EQ(GplotErrno, 36);
    EXPECT_EQ(pixel, 12345u);
    void *index1 = reinterpret_cast<void *>(static_cast<intptr_t>(1));
    EXPECT_EQ(gplot_get_attribute(&p.record, 2, index1, &pixel, &r, &g, &b), 1);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(pixel, 101u);

    GplotErrno = 0;
    EXPECT_EQ(gplot_set_attribute(plot, 4, 1, 1), 0);
    EXPECT_EQ(gplot_get_attribute(plot, 4, nullptr, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(GplotErrno, 0) << "unknown codes set nothing";
    EXPECT_EQ(gplot_set_attribute(nullptr, 6, 1, 0), 1) << "world units need no plot";
    EXPECT_EQ(gplot_get_world_units(), 1);
    gplot_set_world_units(0);
    EXPECT_EQ(gplot_set_attribute(nullptr, 3, 0, 0), 0);
    EXPECT_EQ(GplotErrno, 1);
    EXPECT_EQ(gplot_set_attribute(plot, 5, 1, 0), 1);
    EXPECT_EQ(plot->xor_mode, 1);
}

} // namespace
