// The Windows graphics device drawing into a real window, checked by reading
// the window's pixels back: each primitive in its colour at its device
// position, pens of the right style, pattern fills transparent where the
// pattern is clear and aligned to the window, XOR drawing that undoes itself,
// clip regions, and arcs both through AngleArc and as steps.
//
// The primitives are called on the device's integer layer, so every position
// is a device pixel chosen by the test; the world layer above it is the
// base's and has tests of its own.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <string>

#include "colour/color_map.h"
#include "colour/pattern_table.h"
#include "devices/gdi_device_win32.h"
#include "gdi_window_win32.h"
#include "plot/gplot.h"
#include "test_env.h"

namespace {

using vexl::test::kBackdrop;
using vexl::test::Snapshot;
using vexl::test::TestWindow;

constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr int32_t kPenIndex = 1;

// The shipped colour file and fill patterns, loaded into the process's
// colour map and pattern table before any test can load them without.
class ShippedColoursAndPatterns : public ::testing::Environment {
  public:
    void SetUp() override {
        const std::string data = std::string(VEXL_SOURCE_DIR) + "/data";
        const std::string colours = data + "/vexl33.kdcolor";
        const std::string fill = data + "/molvfill.cfg";
        vexl::test::ScopedEnv dir("MOLVERN_DIR", data.c_str());
        vexl::test::ScopedEnv colour_file("MOLVERN_COLOR", colours.c_str());
        vexl::test::ScopedEnv fill_file("MOLVERN_FILL", fill.c_str());
        vexl::find_color_map(0);
        vexl::load_pattern_table();
    }
};

const ::testing::Environment *const shipped_colours_and_patterns =
    ::testing::AddGlobalTestEnvironment(new ShippedColoursAndPatterns);

// Whether pixel (x, y) of a 16 x 16 pattern is set (drawn): a 0 bit.
bool pattern_set(const vexl::PatternEntry &pattern, int x, int y) {
    const int column = ((x % 16) + 16) % 16;
    const int row = ((y % 16) + 16) % 16;
    return (pattern.bits[static_cast<std::size_t>(row * 2 + column / 8)] &
            (0x80 >> (column % 8))) == 0;
}

// Index of the first table pattern with set and clear pixels whose phase is
// visible: it differs from itself moved by one pixel either way.
int32_t telling_pattern() {
    const std::vector<vexl::PatternEntry> &table = vexl::pattern_table();
    for (std::size_t i = 0; i < table.size(); ++i) {
        bool moved_x = false, moved_y = false, some_set = false, some_clear = false;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const bool set = pattern_set(table[i], x, y);
                (set ? some_set : some_clear) = true;
                moved_x |= set != pattern_set(table[i], x + 1, y);
                moved_y |= set != pattern_set(table[i], x, y + 1);
            }
        if (some_set && some_clear && moved_x && moved_y)
            return static_cast<int32_t>(i);
    }
    return -1;
}

class GdiScreenPlot : public ::testing::Test {
  protected:
    void SetUp() override {
        window_.fill(kBackdrop);
        plot_ = gplot_open_screen(window_.handle());
        ASSERT_NE(plot_, nullptr) << "code " << GplotErrno;
        device_ = static_cast<GXWINwin32 *>(plot_->device);
        ASSERT_TRUE(device_->set_foreground_color(kPenIndex, 255));
        pen_ = colour(kPenIndex);
        ASSERT_NE(pen_, kBackdrop);
    }
    void TearDown() override {
        if (plot_ != nullptr) {
            EXPECT_EQ(gplot_close(plot_), 1);
        }
    }

    COLORREF colour(int32_t index) {
        int red = 0, green = 0, blue = 0;
        EXPECT_EQ(gplot_get_color_RGB(plot_, index, &red, &green, &blue), 1);
        return RGB(red, green, blue);
    }
    Snapshot shot() const {
        GdiFlush();
        return Snapshot(window_.handle());
    }
    HDC dc() const { return device_->device_context(); }
    LOGPEN current_pen() const {
        LOGPEN pen{};
        GetObject(GetCurrentObject(dc(), OBJ_PEN), sizeof pen, &pen);
        return pen;
    }
    // Selects the first pattern whose phase shows (telling_pattern); null
    // when the table has none or the device refuses it.
    const vexl::PatternEntry *select_telling_pattern() {
        const int32_t index = telling_pattern();
        if (index < 0 || !device_->set_fill_pattern(index))
            return nullptr;
        return &vexl::pattern_table()[static_cast<std::size_t>(index)];
    }
    // Pixels of the pen colour in a 3 x 3 square around (x, y).
    int pen_pixels_near(const Snapshot &image, int x, int y) const {
        return image.count(pen_, x - 1, y - 1, x + 2, y + 2);
    }

    vexl::test::Deadline deadline_{120, "a GDI device window test"};
    TestWindow &window_ = TestWindow::shared(kWidth, kHeight);
    GPlot *plot_ = nullptr;
    GXWINwin32 *device_ = nullptr;
    COLORREF pen_ = 0;
};

// ---- Points and lines ----------------------------------------------------------

TEST_F(GdiScreenPlot, PointIsOnePixelAndALineCoversItsStartButNotItsEnd) {
    ASSERT_TRUE(device_->draw_point_device({10, 20}));
    ASSERT_TRUE(device_->draw_line_device({10, 10}, {30, 10}));
    const Snapshot image = shot();
    EXPECT_EQ(image.at(10, 20), pen_);
    EXPECT_EQ(image.count(pen_, 10, 10, 30, 11), 20);
    EXPECT_EQ(image.count(pen_, 0, 0, kWidth, kHeight), 21);
}

// Counts the figures (move-to points) of what a drawing call adds to a path.
template <class Draw>
int figures_drawn(HDC dc, Draw draw) {
    BeginPath(dc);
    draw();
    EndPath(dc);
    const int n = GetPath(dc, nullptr, nullptr, 0);
    std::vector<POINT> points(static_cast<std::size_t>(n > 0 ? n : 0));
    std::vector<BYTE> types(points.size());
    GetPath(dc, points.data(), types.data(), n);
    AbortPath(dc);
    int figures = 0;
    for (BYTE type : types)
        figures += (type & ~PT_CLOSEFIGURE) == PT_MOVETO ? 1 : 0;
    return figures;
}

TEST_F(GdiScreenPlot, ThreePointPolyLineIsTwoTwoPointLines) {
    const DevicePointS points[3] = {{10, 10}, {40, 10}, {40, 40}};
    EXPECT_EQ(figures_drawn(dc(), [&] { device_->draw_lines_device(points, 3); }), 2);
    ASSERT_TRUE(device_->draw_lines_device(points, 3));
    const Snapshot image = shot();
    EXPECT_EQ(image.count(pen_, 10, 10, 41, 11), 31); // the corner comes from the second line
    EXPECT_EQ(image.count(pen_, 40, 10, 41, 41), 30); // the last point is left out
    // One point is a dot; none draws nothing.
    EXPECT_TRUE(device_->draw_lines_device(points, 0));
    ASSERT_TRUE(device_->draw_lines_device(points + 2, 1));
    EXPECT_EQ(shot().count(pen_, 0, 0, kWidth, kHeight), 30 + 30 + 1); // the corner is shared
}

TEST_F(GdiScreenPlot, SegmentsAreSeparateLinesWithAndWithoutXor) {
    const DevicePointS segments[4] = {{10, 10}, {30, 10}, {10, 20}, {30, 20}};
    EXPECT_EQ(figures_drawn(dc(), [&] { device_->draw_segments_device(segments, 2); }), 2);
    EXPECT_FALSE(device_->draw_segments_device(segments, -1));
    EXPECT_TRUE(device_->draw_segments_device(segments, 0));
    ASSERT_TRUE(device_->draw_segments_device(segments, 2));
    Snapshot image = shot();
    EXPECT_EQ(image.count(pen_, 10, 10, 30, 11), 20);
    EXPECT_EQ(image.count(pen_, 10, 20, 30, 21), 20);
    EXPECT_EQ(image.count(pen_, 0, 0, kWidth, kHeight), 40);

    // Under XOR each segment flips its pixels, and a second drawing flips
    // them back.
    const DevicePointS lower[4] = {{10, 60}, {30, 60}, {10, 70}, {30, 70}};
    ASSERT_TRUE(device_->set_xor_drawing_mode(true, kPenIndex));
    ASSERT_TRUE(device_->draw_segments_device(lower, 2));
    image = shot();
    EXPECT_EQ(image.count(kBackdrop, 10, 60, 30, 61), 0);
    EXPECT_EQ(image.count(kBackdrop, 10, 70, 30, 71), 0);
    ASSERT_TRUE(device_->draw_segments_device(lower, 2));
    EXPECT_EQ(shot().count(kBackdrop, 0, 50, kWidth, kHeight), kWidth * (kHeight - 50));
}

// More segments than the shared count buffer started with.
TEST_F(GdiScreenPlot, ManySegmentsGrowTheirCountBuffer) {
    std::vector<DevicePointS> segments;
    for (int32_t i = 0; i < 150; ++i) {
        segments.push_back({i % 150, 0});
        segments.push_back({i % 150, 5});
    }
    ASSERT_TRUE(device_->draw_segments_device(segments.data(), 150));
    EXPECT_EQ(shot().count(pen_, 0, 0, 150, 5), 150 * 5);
}

// ---- Pens ------------------------------------------------------------------------

TEST_F(GdiScreenPlot, LineTypesSelectTheirPenStyles) {
    const UINT styles[7] = {PS_SOLID, PS_DOT, PS_DOT, PS_DASH, PS_DASHDOT, PS_DASH, PS_DASHDOTDOT};
    ASSERT_TRUE(device_->set_line_width(3));
    for (int32_t type = 6; type >= 0; --type) {
        ASSERT_TRUE(device_->set_line_type(type));
        const LOGPEN pen = current_pen();
        EXPECT_EQ(pen.lopnStyle, styles[type]) << "line type " << type;
        EXPECT_EQ(pen.lopnWidth.x, 3);
        EXPECT_EQ(pen.lopnColor, pen_);
    }
}

TEST_F(GdiScreenPlot, UnchangedLineTypeKeepsThePenAndAWidthAlwaysMakesOne) {
    HGDIOBJ before = GetCurrentObject(dc(), OBJ_PEN);
    ASSERT_TRUE(device_->set_line_type(plot_->line_type));
    EXPECT_EQ(GetCurrentObject(dc(), OBJ_PEN), before);
    ASSERT_TRUE(device_->set_line_width(plot_->line_width));
    EXPECT_NE(GetCurrentObject(dc(), OBJ_PEN), before);
    EXPECT_EQ(GetObjectType(before), 0u) << "the replaced pen is deleted";
}

TEST_F(GdiScreenPlot, ColourOrPatternOutsideItsTableIsRefused) {
    int32_t size = 0;
    ASSERT_TRUE(device_->get_color_size(&size));
    EXPECT_FALSE(device_->set_foreground_color(size, 255));
    EXPECT_EQ(GplotErrno, 36);
    EXPECT_FALSE(device_->set_background_color(-5));
    EXPECT_EQ(GplotErrno, 36);
    EXPECT_EQ(plot_->foreground_color, kPenIndex);
    EXPECT_EQ(current_pen().lopnColor, pen_);
    const int32_t patterns = static_cast<int32_t>(vexl::pattern_table().size());
    EXPECT_FALSE(device_->set_fill_pattern(patterns));
    EXPECT_EQ(GplotErrno, 37);
    EXPECT_FALSE(device_->set_fill_pattern(-3));
    EXPECT_EQ(GplotErrno, 37);
    EXPECT_EQ(plot_->fill_pattern, -1);
}

TEST_F(GdiScreenPlot, FillsLeaveTheDevicesPenAndBrushSelected) {
    HGDIOBJ pen = GetCurrentObject(dc(), OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(dc(), OBJ_BRUSH);
    const int32_t rect[4] = {10, 40, 40, 10};
    const DevicePointS triangle[3] = {{50, 50}, {90, 50}, {70, 20}};
    for (int32_t fill : {-1, -2, telling_pattern()}) {
        ASSERT_TRUE(device_->set_fill_pattern(fill));
        pen = GetCurrentObject(dc(), OBJ_PEN);
        brush = GetCurrentObject(dc(), OBJ_BRUSH);
        EXPECT_TRUE(device_->draw_rectangle_device(rect));
        EXPECT_TRUE(device_->draw_polygon_device(triangle, 3));
        EXPECT_TRUE(device_->draw_arc_device({100, 60, 80, 60, 360000}));
        EXPECT_EQ(GetCurrentObject(dc(), OBJ_PEN), pen) << "fill " << fill;
        EXPECT_EQ(GetCurrentObject(dc(), OBJ_BRUSH), brush) << "fill " << fill;
    }
}

// ---- Rectangles and polygons ---------------------------------------------------

TEST_F(GdiScreenPlot, HollowRectangleIsItsOutline) {
    const int32_t rect[4] = {10, 50, 40, 20}; // y1 is the lower edge
    ASSERT_TRUE(device_->draw_rectangle_device(rect));
    const Snapshot image = shot();
    // Rectangle (10, 20, 40, 50): the pen's edge on the near sides, one
    // pixel inside on the far ones.
    EXPECT_EQ(image.count(pen_, 10, 20, 40, 21), 30);
    EXPECT_EQ(image.count(pen_, 10, 49, 40, 50), 30);
    EXPECT_EQ(image.count(pen_, 10, 20, 11, 50), 30);
    EXPECT_EQ(image.count(pen_, 39, 20, 40, 50), 30);
    EXPECT_EQ(image.count(pen_, 11, 21, 39, 49), 0);
    EXPECT_EQ(image.count(pen_, 0, 0, kWidth, kHeight), 2 * 30 + 2 * 28);
}

// Rectangle (x1, y2, x2 + 1, y1 + 1) without a pen fills x1 .. x2 - 1 and
// y2 .. y1 - 1: GDI leaves out the pen's edge as well.
TEST_F(GdiScreenPlot, SolidRectangleAndPolygonAreFilledInTheForegroundWithoutAnOutline) {
    ASSERT_TRUE(device_->set_fill_pattern(-2));
    const int32_t rect[4] = {10, 50, 40, 20};
    ASSERT_TRUE(device_->draw_rectangle_device(rect));
    const DevicePointS square[4] = {{60, 10}, {100, 10}, {100, 40}, {60, 40}};
    ASSERT_TRUE(device_->draw_polygon_device(square, 4));
    const Snapshot image = shot();
    EXPECT_EQ(image.count(pen_, 10, 20, 40, 50), 30 * 30);
    EXPECT_EQ(image.count(pen_, 61, 11, 99, 39), 38 * 28);
    EXPECT_EQ(image.count(pen_, 0, 0, 60, kHeight), 30 * 30);
    EXPECT_EQ(image.count(pen_, 101, 0, kWidth, kHeight), 0);
    EXPECT_EQ(image.count(pen_, 60, 41, kWidth, kHeight), 0);
    EXPECT_FALSE(device_->draw_polygon_device(square, -1));
    EXPECT_TRUE(device_->draw_polygon_device(square, 0));
}

// ---- Pattern fills ---------------------------------------------------------------

// Every pixel of [left, right) x [top, bottom) is the pen where the pattern,
// taken at window position, is set, and the backdrop where it is clear.
void expect_pattern(const Snapshot &image, const vexl::PatternEntry &pattern, COLORREF pen,
                    int left, int top, int right, int bottom) {
    int wrong = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            wrong += image.at(x, y) != (pattern_set(pattern, x, y) ? pen : kBackdrop) ? 1 : 0;
    EXPECT_EQ(wrong, 0) << "in [" << left << ", " << right << ") x [" << top << ", " << bottom
                        << ")";
}

TEST_F(GdiScreenPlot, PatternRectangleIsTransparentAndAlignedToTheWindow) {
    const vexl::PatternEntry *pattern = select_telling_pattern();
    ASSERT_NE(pattern, nullptr) << "no fill pattern with a visible phase";
    const int32_t rect[4] = {13, 61, 50, 7}; // odd corners: the phase must follow the window
    ASSERT_TRUE(device_->draw_rectangle_device(rect));
    const Snapshot image = shot();
    // The mask box is the rectangle's corners, both included.
    expect_pattern(image, *pattern, pen_, 13, 7, 51, 62);
    EXPECT_EQ(image.count(kBackdrop, 0, 0, kWidth, 7), kWidth * 7);
    EXPECT_EQ(image.count(kBackdrop, 51, 0, kWidth, kHeight), (kWidth - 51) * kHeight);
}

TEST_F(GdiScreenPlot, PatternRectangleCutAtTheWindowEdge) {
    const vexl::PatternEntry *pattern = select_telling_pattern();
    ASSERT_NE(pattern, nullptr);
    const int32_t rect[4] = {-30, 200, 20, -40};
    ASSERT_TRUE(device_->draw_rectangle_device(rect));
    const Snapshot image = shot();
    expect_pattern(image, *pattern, pen_, 0, 0, 21, kHeight);
    EXPECT_EQ(image.count(kBackdrop, 21, 0, kWidth, kHeight), (kWidth - 21) * kHeight);
}

TEST_F(GdiScreenPlot, PatternPolygonIsTransparentInsideAndUntouchedOutside) {
    const vexl::PatternEntry *pattern = select_telling_pattern();
    ASSERT_NE(pattern, nullptr);
    const DevicePointS square[4] = {{21, 9}, {70, 9}, {70, 50}, {21, 50}};
    ASSERT_TRUE(device_->draw_polygon_device(square, 4));
    const Snapshot image = shot();
    expect_pattern(image, *pattern, pen_, 22, 10, 69, 49);
    EXPECT_EQ(image.count(kBackdrop, 0, 0, 20, kHeight), 20 * kHeight);
    EXPECT_EQ(image.count(kBackdrop, 0, 52, kWidth, kHeight), kWidth * (kHeight - 52));
    EXPECT_EQ(image.count(kBackdrop, 72, 0, kWidth, kHeight), (kWidth - 72) * kHeight);
}

TEST_F(GdiScreenPlot, PatternFillWhollyOutsideTheWindowDrawsNothingAndSucceeds) {
    ASSERT_NE(select_telling_pattern(), nullptr);
    const Snapshot before = shot();
    const int32_t right_of[4] = {kWidth, 50, kWidth + 40, 10};
    const int32_t above[4] = {10, -1, 50, -30};
    const DevicePointS below[3] = {{10, kHeight}, {50, kHeight + 5}, {30, kHeight + 30}};
    EXPECT_TRUE(device_->draw_rectangle_device(right_of));
    EXPECT_TRUE(device_->draw_rectangle_device(above));
    EXPECT_TRUE(device_->draw_polygon_device(below, 3));
    EXPECT_TRUE(device_->draw_arc_device({-20, 50, -40, 50, 360000}));
    EXPECT_TRUE(shot() == before);
}

// ---- XOR ---------------------------------------------------------------------------

TEST_F(GdiScreenPlot, XorDrawingUndoesItself) {
    ASSERT_TRUE(device_->set_xor_drawing_mode(true, kPenIndex));
    EXPECT_EQ(GetROP2(dc()), R2_XORPEN);
    EXPECT_EQ(plot_->xor_mode, 1);
    const COLORREF xor_colour = colour(kPenIndex) ^ colour(plot_->background_color);
    EXPECT_EQ(current_pen().lopnColor, xor_colour);

    const Snapshot before = shot();
    ASSERT_TRUE(device_->draw_line_device({5, 30}, {100, 30}));
    EXPECT_EQ(shot().at(50, 30), kBackdrop ^ xor_colour);
    ASSERT_TRUE(device_->draw_line_device({5, 30}, {100, 30}));
    EXPECT_TRUE(shot() == before);
}

// Leaving XOR drawing went back to the copy raster operation but kept the
// XOR colour's pen, so every line drawn afterwards came out in the wrong
// colour. (On a black background the two colours are the same.)
TEST_F(GdiScreenPlot, LeavingXorDrawsInTheForegroundAgain) {
    ASSERT_TRUE(device_->set_background_color(2));
    ASSERT_NE(colour(2), colour(0));
    ASSERT_TRUE(device_->set_xor_drawing_mode(true, kPenIndex));
    ASSERT_TRUE(device_->set_xor_drawing_mode(false, kPenIndex));
    EXPECT_EQ(GetROP2(dc()), R2_COPYPEN);
    EXPECT_EQ(current_pen().lopnColor, pen_);
    ASSERT_TRUE(device_->draw_line_device({5, 30}, {100, 30}));
    EXPECT_EQ(shot().at(50, 30), pen_);
}

// A new line width or type made its pen in the foreground colour even while
// XOR drawing was on: over the background the line then showed the two
// colours mixed instead of the foreground.
TEST_F(GdiScreenPlot, LineWidthChangedDuringXorKeepsTheXorColour) {
    ASSERT_TRUE(device_->set_background_color(2));
    window_.fill(colour(2));
    ASSERT_TRUE(device_->set_xor_drawing_mode(true, kPenIndex));
    const COLORREF xor_colour = current_pen().lopnColor;
    ASSERT_TRUE(device_->set_line_width(1));
    EXPECT_EQ(current_pen().lopnColor, xor_colour);
    ASSERT_TRUE(device_->set_line_type(4));
    EXPECT_EQ(current_pen().lopnColor, xor_colour);
    ASSERT_TRUE(device_->set_line_type(0));
    ASSERT_TRUE(device_->draw_line_device({5, 30}, {100, 30}));
    EXPECT_EQ(shot().at(50, 30), pen_) << "XOR over the background shows the foreground";
}

TEST_F(GdiScreenPlot, PatternFillAfterABackgroundChangeKeepsThePattern) {
    const vexl::PatternEntry *pattern = select_telling_pattern();
    ASSERT_NE(pattern, nullptr);
    ASSERT_TRUE(device_->set_background_color(2)); // selects a solid background brush
    const int32_t rect[4] = {10, 40, 40, 10};
    ASSERT_TRUE(device_->draw_rectangle_device(rect));
    expect_pattern(shot(), *pattern, pen_, 10, 10, 41, 41);
}

// ---- Clip regions --------------------------------------------------------------------

// A device clip rectangle (left, lower, right, upper) ends before its far
// sides; a world one, where world (x, y) is device (x, 120 - y), includes
// its far corner.
TEST_F(GdiScreenPlot, ClipRectanglesLimitDrawing) {
    const int32_t world[4] = {0, 0, kWidth, kHeight};
    ASSERT_EQ(gplot_set_world(plot_, world), 1);
    const int32_t device_clip[4] = {20, 80, 100, 30}, world_clip[4] = {20, 40, 100, 90};
    for (const bool in_world : {false, true}) {
        window_.fill(kBackdrop);
        ASSERT_TRUE(in_world ? device_->set_clip_world(world_clip, true)
                             : device_->set_clip_device(device_clip, true));
        ASSERT_TRUE(device_->draw_line_device({0, 50}, {kWidth, 50}));
        ASSERT_TRUE(device_->draw_line_device({60, 0}, {60, kHeight}));
        const Snapshot image = shot();
        const int past = in_world ? 1 : 0; // x 20 .. 99 (100), y 30 .. 79 (80)
        EXPECT_EQ(image.count(pen_, 20, 50, 100 + past, 51), 80 + past) << in_world;
        EXPECT_EQ(image.count(pen_, 0, 50, kWidth, 51), 80 + past) << in_world;
        EXPECT_EQ(image.count(pen_, 60, 30, 61, 80 + past), 50 + past) << in_world;
        EXPECT_EQ(image.count(pen_, 60, 0, 61, kHeight), 50 + past) << in_world;
    }
}

TEST_F(GdiScreenPlot, ViewportClipsToItsDeviceRectangle) {
    ASSERT_EQ(gplot_set_viewport(plot_, 0.25f, 0.0f, 0.75f, 1.0f), 1);
    ASSERT_TRUE(device_->draw_line_device({0, 60}, {kWidth, 60}));
    EXPECT_EQ(shot().count(pen_, 40, 60, 120, 61), 80);
    EXPECT_EQ(shot().count(pen_, 0, 60, kWidth, 61), 80);
}

// ---- Clearing ------------------------------------------------------------------------

TEST_F(GdiScreenPlot, ClearFillsTheWorldWindowWithTheBackground) {
    ASSERT_TRUE(device_->set_background_color(kPenIndex));
    const int32_t world[4] = {0, 0, kWidth, kHeight};
    ASSERT_EQ(gplot_set_world(plot_, world), 1);
    const int32_t clip[4] = {10, 10, 20, 20};
    ASSERT_EQ(gplot_set_clip_world(plot_, clip), 1);
    ASSERT_EQ(gplot_clear(plot_), 1);
    EXPECT_EQ(shot().count(pen_, 0, 0, kWidth, kHeight), kWidth * kHeight);
}

// ---- A window's own context --------------------------------------------------------

// The device deleted whatever its first pen and brush replaced, and left
// its null pen and hollow brush behind at close: in a window with its own
// context that destroyed the application's pen and brush.
TEST(GdiOwnContext, WindowOwnPenAndBrushSurviveAPlot) {
    vexl::test::Deadline deadline(60, "a window with its own context");
    TestWindow window(60, 40, true);
    HDC own = GetDC(window.handle());
    HPEN application_pen = CreatePen(PS_DASH, 1, RGB(1, 2, 3));
    HBRUSH application_brush = CreateSolidBrush(RGB(4, 5, 6));
    SelectObject(own, application_pen);
    SelectObject(own, application_brush);
    ReleaseDC(window.handle(), own);

    GPlot *plot = gplot_open_screen(window.handle());
    ASSERT_NE(plot, nullptr);
    EXPECT_TRUE(plot->device->set_line_type(2));
    EXPECT_TRUE(plot->device->set_background_color(3));
    EXPECT_TRUE(plot->device->draw_line_device({0, 0}, {50, 30}));
    EXPECT_EQ(gplot_close(plot), 1);

    EXPECT_EQ(GetObjectType(application_pen), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(GetObjectType(application_brush), static_cast<DWORD>(OBJ_BRUSH));
    own = GetDC(window.handle());
    EXPECT_EQ(GetCurrentObject(own, OBJ_PEN), application_pen);
    EXPECT_EQ(GetCurrentObject(own, OBJ_BRUSH), application_brush);
    SelectObject(own, GetStockObject(BLACK_PEN));
    SelectObject(own, GetStockObject(WHITE_BRUSH));
    ReleaseDC(window.handle(), own);
    DeleteObject(application_pen);
    DeleteObject(application_brush);
}

// ---- Arcs ---------------------------------------------------------------------------

// Each case through AngleArc and through the stepped fallback.
class GdiArcs : public GdiScreenPlot, public ::testing::WithParamInterface<bool> {
  protected:
    void SetUp() override {
        GdiScreenPlot::SetUp();
        if (device_ != nullptr)
            device_->use_stepped_arcs(GetParam());
    }
};

TEST_P(GdiArcs, QuarterArcRunsCounterClockwiseFromItsStart) {
    MoveToEx(dc(), 3, 4, nullptr);
    // Centre (80, 60), radius 30, from the right-hand point a quarter turn
    // up to the top.
    ASSERT_TRUE(device_->draw_arc_device({110, 60, 80, 60, 90000}));
    POINT position{};
    GetCurrentPositionEx(dc(), &position);
    EXPECT_EQ(position.x, 3);
    EXPECT_EQ(position.y, 4);
    const Snapshot image = shot();
    EXPECT_GT(pen_pixels_near(image, 110, 59), 0);
    EXPECT_GT(pen_pixels_near(image, 101, 39), 0); // 45 degrees
    EXPECT_GT(pen_pixels_near(image, 81, 31), 0);
    EXPECT_EQ(image.count(pen_, 0, 62, kWidth, kHeight), 0); // nothing below the centre
    EXPECT_EQ(image.count(pen_, 0, 0, 78, kHeight), 0);      // nor left of it
}

TEST_P(GdiArcs, FullCircleClosesOnItself) {
    ASSERT_TRUE(device_->draw_arc_device({100, 60, 80, 60, 360000}));
    const Snapshot image = shot();
    for (int degrees = 0; degrees < 360; degrees += 15) {
        const double angle = degrees * 3.14159265358979 / 180;
        const int x = 80 + static_cast<int>(std::lround(20 * std::cos(angle)));
        const int y = 60 - static_cast<int>(std::lround(20 * std::sin(angle)));
        EXPECT_GT(pen_pixels_near(image, x, y), 0) << degrees << " degrees";
    }
    EXPECT_EQ(image.count(pen_, 70, 50, 91, 71), 0) << "the inside stays empty";
}

TEST_P(GdiArcs, SolidArcFillsItsInside) {
    ASSERT_TRUE(device_->set_fill_pattern(-2));
    ASSERT_TRUE(device_->draw_arc_device({100, 60, 80, 60, 360000}));
    const Snapshot image = shot();
    EXPECT_EQ(image.count(pen_, 68, 48, 93, 73), 25 * 25);
    EXPECT_EQ(image.count(pen_, 0, 0, 58, kHeight), 0);
}

TEST_P(GdiArcs, PatternArcIsTransparentAndAligned) {
    const vexl::PatternEntry *pattern = select_telling_pattern();
    ASSERT_NE(pattern, nullptr);
    ASSERT_TRUE(device_->draw_arc_device({105, 61, 81, 61, 360000}));
    const Snapshot image = shot();
    expect_pattern(image, *pattern, pen_, 68, 48, 95, 75);
    EXPECT_EQ(image.count(kBackdrop, 0, 0, 55, kHeight), 55 * kHeight);
    EXPECT_EQ(image.count(kBackdrop, 0, 88, kWidth, kHeight), kWidth * (kHeight - 88));
}

TEST_P(GdiArcs, ZeroRadiusArcDrawsAtMostItsCentre) {
    EXPECT_TRUE(device_->draw_arc_device({50, 50, 50, 50, 90000}));
    EXPECT_LE(shot().count(pen_, 0, 0, kWidth, kHeight), 1);
}

INSTANTIATE_TEST_SUITE_P(AngleArcAndSteps, GdiArcs, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &stepped) {
                             return stepped.param ? "Stepped" : "AngleArc";
                         });

} // namespace
