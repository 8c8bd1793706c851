// A plot on the recording device with world and device coordinates equal
// (device 0..1000 in both axes, world 0..1000), so what the device records
// can be read as world coordinates.
#ifndef VEXL33_TESTS_PLOT_DRAWING_FIXTURE_H
#define VEXL33_TESTS_PLOT_DRAWING_FIXTURE_H

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "devices/recording_device.h"
#include "plot/gplot.h"

namespace vexl::test {

class DrawingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rec.set_mapping({0, 0, 1000, 1000}, {0, 0, 1000, 1000});
        plot->line_clipping = 1; // as every real device sets it
        plot->fill_pattern = -1;
        GplotErrno = 0;
    }
    void TearDown() override { GplotErrno = 0; }

    // World clipping on against this rectangle; calls so far forgotten.
    void clip_to(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        const int32_t rect[4] = {x1, y1, x2, y2};
        ASSERT_EQ(gplot_set_clip_world(plot, rect), 1);
        ASSERT_EQ(gplot_set_clip_mode(plot, 1), 1);
        rec.device.forget_calls();
    }
    const std::vector<DeviceCall> &calls() const { return rec.device.calls; }

    static DeviceCall call(const std::string &op, int32_t count, std::vector<int32_t> coords) {
        return {op, count, std::move(coords), true};
    }

    RecordingPlot rec;
    GPlot *plot = &rec.plot;
};

} // namespace vexl::test

#endif // VEXL33_TESTS_PLOT_DRAWING_FIXTURE_H
