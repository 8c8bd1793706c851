// Every exported call, called the way a careless C caller calls it: with a
// null plot, with a plot record that has no device, and with null pointer
// arguments. Each must come back with its failure result and the code of
// its error class instead of crashing or writing through a null pointer:
// code 1 for an unusable plot, code 10 for a missing argument, and no code
// where a call reports failure by its result alone.
//
// One table per situation; a row is the call, the result it must give and
// the code it must leave. GplotErrno is cleared before every row, so a
// row expecting code 0 also checks that the call left the code alone.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "core/errors.h"
#include "hardcopy/print_options.h"
#include "plot/gfonts.h"
#include "plot/gplot.h"
#ifdef _WIN32
#include "devices/gdi_text_win32.h"
#include "plot/gplot_win32.h"
#endif
#include "support/temp_dir.h"

namespace {

using Outcome = long long;

// Results of every type as one number: a pointer counts as 1 when non-null.
template <typename T>
Outcome outcome(T value) {
    return static_cast<Outcome>(value);
}
template <typename T>
Outcome outcome(T *value) {
    return value != nullptr ? 1 : 0;
}

constexpr int kNoCode = 0;
constexpr Outcome kAnyResult = -12345; // the row checks only the code
constexpr int kInvalidPlot = 1;
constexpr int kInvalidArgument = 10;
#ifdef _WIN32
constexpr int kNoFileToDeliver = kInvalidArgument;
#else
constexpr int kNoFileToDeliver = 14; // no printing without Windows
#endif

// The arguments a row may pass besides the one under test; all valid.
struct Arguments {
    int32_t rect[4] = {0, 0, 100, 100};
    int32_t rects[8] = {0, 0, 10, 10, 20, 20, 30, 30};
    float viewport[4] = {};
    WorldPointS a{10, 10};
    WorldPointS b{20, 30};
    WorldPointS points[3] = {{0, 0}, {50, 0}, {50, 50}};
    WorldPolygonS polygon{points, 3};
    WorldArcS arc{10, 0, 0, 0, 90000};
    DevicePointS device_point{5, 5};
    DevicePointS device_points[2] = {{5, 5}, {6, 6}};
    int32_t codes[2] = {65, 66};
    int one = 0, two = 0, three = 0;
    int32_t n32 = 0;
    uint32_t pixel = 0;
    double x = 0, y = 0;
    float fx = 0, fy = 0;
    const char *name = nullptr;
    char buffer[260] = {};
    GFontTable table{};
    GFont font{};
    GFontSet set{};
    WorldPolygonS hollow{nullptr, 3}; // a polygon entry without its points
};

// Runs one row's call; a call that returns nothing counts as 0.
template <typename Call>
Outcome outcome_of(Call call) {
    if constexpr (std::is_void_v<decltype(call())>) {
        call();
        return 0;
    } else {
        return outcome(call());
    }
}

// The first two fields of a row: the call as written, which names the row,
// and the call itself. Inside the call, p is the plot under test and v the
// valid arguments of the row.
// clang-format off
#define CALL(expr)                                                                   \
    #expr, [](GPlot *p, Arguments &v) {                                              \
        (void)p;                                                                     \
        (void)v;                                                                     \
        return outcome_of([&] { return expr; });                                     \
    }
// clang-format on

// A call that takes a plot, with every other argument valid.
struct PlotRow {
    const char *call;
    std::function<Outcome(GPlot *, Arguments &)> run;
    int code = kInvalidPlot;
};

std::vector<PlotRow> plot_rows() {
    return {
        {CALL(gplot_close(p))},
        {CALL(gplot_clear(p))},
        {CALL(gplot_flush(p))},
        {CALL(gplot_set_buffer_mode(p, 1))},
        {CALL(gplot_get_buffer_mode(p))},
        {CALL(gplot_resize_plot(p))},
        {CALL(gplot_force_display_repaint(p))},
        {CALL(gplot_save_clipboard_to_file(p, "c.emf"))},
        {CALL(gplot_set_world(p, v.rect))},
        {CALL(gplot_get_world(p, v.rect))},
        {CALL(gplot_set_viewport(p, 0, 0, 1, 1))},
        {CALL(gplot_get_viewport(p, v.viewport))},
        {CALL(gplot_world_to_device(p, &v.a, &v.device_point))},
        {CALL(gplot_device_to_world(p, &v.device_point, &v.a))},
        {CALL(gplot_set_clip_world(p, v.rect))},
        {CALL(gplot_get_clip_world(p, v.rect))},
        {CALL(gplot_unset_clip_world(p))},
        {CALL(gplot_clear_clip_world(p))},
        {CALL(gplot_clear_clip_device(p))},
        {CALL(gplot_set_clip_device(p, v.rect))},
        {CALL(gplot_get_clip_device(p, v.rect))},
        {CALL(gplot_unset_clip_device(p))},
        {CALL(gplot_set_clip_mode(p, 1))},
        {CALL(gplot_get_clip_mode(p))},
        {CALL(gplot_set_foreground_color(p, 1))},
        {CALL(gplot_set_foreground_color_with_transparency(p, 1, 128))},
        {CALL(gplot_set_background_color(p, 0))},
        {CALL(gplot_set_line_type(p, 1))},
        {CALL(gplot_set_line_width(p, 1))},
        {CALL(gplot_set_fill_pattern(p, -1))},
        {CALL(gplot_set_marker(p, 1))},
        {CALL(gplot_set_xor_drawing_mode(p, 1, 0))},
        {CALL(gplot_get_uses_xor_draw(p))},
        {CALL(gplot_get_foreground_color(p, &v.one))},
        {CALL(gplot_get_foreground_color_and_transparency(p, &v.one, &v.two))},
        {CALL(gplot_get_background_color(p, &v.one))},
        {CALL(gplot_get_line_type(p, &v.one))},
        {CALL(gplot_get_line_width(p, &v.one))},
        {CALL(gplot_get_fill_pattern(p, &v.one))},
        {CALL(gplot_get_marker(p, &v.one))},
        {CALL(gplot_get_width_n_height(p, &v.one, &v.two))},
        {CALL(gplot_get_pixels_perinch(p, &v.x, &v.y))},
        {CALL(gxwin_get_pixels_perinch(p, &v.fx, &v.fy))},
        {CALL(gplot_get_color_size(p, &v.one))},
        {CALL(gplot_get_color_RGB(p, 0, &v.one, &v.two, &v.three))},
        {CALL(gplot_get_contrast_color(p, 0, &v.one))},
        {CALL(gplot_get_color_name(p, 0, &v.name))},
        {CALL(gplot_get_color_pixel(p, 0, &v.pixel))},
        {CALL(gplot_get_color_index(p, "black", &v.one))},
        {CALL(gplot_get_pattern_name(p, 0, &v.name))},
        {CALL(gplot_get_pattern_index(p, "solid", &v.one))},
        // Attributes 3 and 5 resize and set XOR drawing; 0 and 1 read the
        // device size and the colour map size.
        {CALL(gplot_set_attribute(p, 3, 0, 0))},
        {CALL(gplot_set_attribute(p, 5, 1, 0))},
        {CALL(gplot_get_attribute(p, 0, &v.one, &v.two, nullptr, nullptr, nullptr))},
        {CALL(gplot_get_attribute(p, 1, &v.one, nullptr, nullptr, nullptr, nullptr))},
        {CALL(gplot_draw_point_world(p, &v.a))},
        {CALL(gplot_draw_points_world(p, v.points, 3))},
        {CALL(gplot_move_to_world(p, &v.a))},
        {CALL(gplot_draw_to_world(p, &v.a))},
        {CALL(gplot_draw_line_world(p, &v.a, &v.b))},
        {CALL(gplot_draw_lines_world(p, v.points, 3))},
        {CALL(gplot_draw_segments_world(p, v.points, 1))},
        {CALL(gplot_draw_rectangle_world(p, v.rect))},
        {CALL(gplot_draw_rectangles_world(p, v.rects, 2))},
        {CALL(gplot_draw_rectangle2_world(p, &v.a, &v.b))},
        {CALL(gplot_draw_tracking_rectangle2_world(p, &v.a, &v.b))},
        {CALL(gplot_clear_rectangle_world(p, v.rect))},
        {CALL(gplot_clear_rectangle2_world(p, &v.a, &v.b))},
        {CALL(gplot_draw_polygon_world(p, v.points, 3))},
        {CALL(gplot_draw_polygons_world(p, &v.polygon, 1))},
        {CALL(gplot_draw_arc_world(p, &v.arc))},
        {CALL(gplot_draw_arcs_world(p, &v.arc, 1))},
        {CALL(gplot_draw_marker_world(p, &v.a, 5))},
        {CALL(gplot_draw_markers_world(p, v.points, 3, 5))},
        {CALL(gplot_draw_marker_device(p, &v.device_point, 1))},
        {CALL(gplot_draw_markers_device(p, v.device_points, 2, 1))},
        {CALL(ghpgl2_draw_rectangle2_world(p, &v.a, &v.b))},
        {CALL(gplot_write_ascii_text_world(p, &v.table, &v.a, 10, "AB"))},
        {CALL(gplot_write_rotated_ascii_text_world(p, &v.table, &v.a, 10, 0.5, "AB"))},
        {CALL(gplot_write_virtual_text_world(p, &v.table, &v.a, 10, v.codes, 2))},
        {CALL(gplot_write_rotated_virtual_text_world(p, &v.table, &v.a, 10, 0.5, v.codes, 2))},
        {CALL(gplot_draw_rotated_ascii_font_world(p, &v.table, 'A', &v.a, &v.b, 0, 10))},
        // Measuring on a plot reports every unusable argument alike.
        {CALL(gplot_get_ascii_text_bound_box(p, &v.table, 10, "AB", &v.n32, &v.n32)),
         kInvalidArgument},
        {CALL(gplot_set_ascii_text_justification(p, 2))},
        {CALL(gplot_get_ascii_text_justification(p, &v.one))},
        {CALL(gplot_set_ascii_text_tabstop(p, 4))},
        {CALL(gplot_get_ascii_text_tabstop(p, &v.one))},
        {CALL(justify_starting_point(p, &v.a, 10, "AB", 1))},
        {CALL(gttfont_worldToDeviceWidth(p, 10))},
        {CALL(gttfont_worldToDeviceHeight(p, 10))},
        {CALL(gttfont_deviceToWorldWidth(p, 10))},
        {CALL(gttfont_deviceToWorldHeight(p, 10))},
        {CALL(gttfont_worldToPointSize(p, &v.table, 10))},
        {CALL(gttfont_pointSizeToWorld(p, &v.table, 10))},
    };
}

// One line per wrong row, so a run lists every faulty call at once.
void expect_answer(const std::string &call, Outcome result, int code, Outcome wanted_result,
                   int wanted_code) {
    if (result != wanted_result || code != wanted_code)
        ADD_FAILURE() << call << ": gave " << result << " with code " << code << ", expected "
                      << wanted_result << " with code " << wanted_code;
}

void expect_refused(const PlotRow &row, GPlot *plot, const char *situation) {
    Arguments arguments;
    GplotErrno = 0;
    const Outcome result = row.run(plot, arguments);
    expect_answer(std::string(row.call) + " with " + situation, result, GplotErrno, 0, row.code);
}

TEST(CBoundaryTable, EveryPlotCallRefusesANullPlot) {
    for (const PlotRow &row : plot_rows())
        expect_refused(row, nullptr, "a null plot");
}

TEST(CBoundaryTable, EveryPlotCallRefusesAPlotWithoutDeviceAndLeavesItAlone) {
    for (const PlotRow &row : plot_rows()) {
        GPlot deviceless{};
        expect_refused(row, &deviceless, "a plot without device");
        const GPlot untouched{};
        EXPECT_EQ(std::memcmp(&deviceless, &untouched, sizeof deviceless), 0)
            << row.call << " wrote into a plot it refused";
    }
}

TEST(CBoundaryTable, BuildingADeviceNeedsAPlotWithoutOne) {
    vexl::test::TempDir dir;
    const std::string path = dir.file("twice.hgl");
    GplotErrno = 0;
    EXPECT_EQ(ghpgl2_create(nullptr, path.c_str(), DB_UNIT_INCH, 0), 0);
    EXPECT_EQ(GplotErrno, kInvalidPlot);
    GPlot *plot = gplot_open_hpgl2(path.c_str(), DB_UNIT_INCH, 0);
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(ghpgl2_create(plot, path.c_str(), DB_UNIT_INCH, 0), 0);
    EXPECT_EQ(GplotErrno, kInvalidArgument);
    EXPECT_EQ(gplot_close(plot), 1);
}

// A call with a missing argument, and what it must answer.
struct Row {
    const char *call;
    std::function<Outcome(GPlot *, Arguments &)> run;
    Outcome result;
    int code;
};

// The plot, once its text is set to the given justification.
GPlot *justified(GPlot *plot, int justification) {
    gplot_set_ascii_text_justification(plot, justification);
    return plot;
}

// Opens a file or print plot while print-to-file in HP-GL/2 form is chosen,
// without a file name; the print options are put back afterwards.
GPlot *open_hard_copy_as_hpgl2(GPlot *(*open)(const char *, int, int, void *)) {
    const vexl::PrintOptions saved = vexl::print_options();
    vexl::print_options().printToFile = 1;
    vexl::print_options().fileType = vexl::PrintFileType::Hpgl2;
    GPlot *plot = open(nullptr, 0, 0, nullptr);
    vexl::print_options() = saved;
    if (plot != nullptr)
        gplot_close(plot);
    return plot;
}

// Calls on a live plot with one pointer argument missing.
std::vector<Row> null_argument_rows() {
    constexpr int bad = kInvalidArgument;
    return {
        {CALL(gplot_set_world(p, nullptr)), 0, bad},
        {CALL(gplot_get_world(p, nullptr)), 0, bad},
        {CALL(gplot_get_viewport(p, nullptr)), 0, bad},
        {CALL(gplot_world_to_device(p, nullptr, &v.device_point)), 0, bad},
        {CALL(gplot_world_to_device(p, &v.a, nullptr)), 0, bad},
        {CALL(gplot_device_to_world(p, nullptr, &v.a)), 0, bad},
        {CALL(gplot_device_to_world(p, &v.device_point, nullptr)), 0, bad},
        {CALL(gplot_set_clip_world(p, nullptr)), 0, bad},
        {CALL(gplot_get_clip_world(p, nullptr)), 0, bad},
        {CALL(gplot_set_clip_device(p, nullptr)), 0, bad},
        {CALL(gplot_get_clip_device(p, nullptr)), 0, bad},
        // A missing clipboard file name means "nothing to save".
        {CALL(gplot_save_clipboard_to_file(p, nullptr)), 1, kNoCode},
        {CALL(gplot_get_foreground_color(p, nullptr)), 0, bad},
        {CALL(gplot_get_foreground_color_and_transparency(p, nullptr, &v.two)), 0, bad},
        // Fails on the transparency and must not have written the index.
        {"gplot_get_foreground_color_and_transparency (transparency)",
         [](GPlot *p, Arguments &v) {
             v.one = 12345;
             const int result = gplot_get_foreground_color_and_transparency(p, &v.one, nullptr);
             return v.one == 12345 ? outcome(result) : Outcome{-99};
         },
         0, bad},
        {CALL(gplot_get_background_color(p, nullptr)), 0, bad},
        {CALL(gplot_get_line_type(p, nullptr)), 0, bad},
        {CALL(gplot_get_line_width(p, nullptr)), 0, bad},
        {CALL(gplot_get_fill_pattern(p, nullptr)), 0, bad},
        {CALL(gplot_get_marker(p, nullptr)), 0, bad},
        {CALL(gplot_get_width_n_height(p, nullptr, &v.two)), 0, bad},
        {CALL(gplot_get_width_n_height(p, &v.one, nullptr)), 0, bad},
        {CALL(gplot_get_pixels_perinch(p, nullptr, &v.y)), 0, bad},
        {CALL(gxwin_get_pixels_perinch(p, &v.fx, nullptr)), 0, bad},
        // The plot is judged before the outputs.
        {CALL(gxwin_get_pixels_perinch(nullptr, nullptr, nullptr)), 0, kInvalidPlot},
        {CALL(gplot_get_color_size(p, nullptr)), 0, bad},
        {CALL(gplot_get_color_RGB(p, 0, &v.one, nullptr, &v.three)), 0, bad},
        {CALL(gplot_get_contrast_color(p, 0, nullptr)), 0, bad},
        {CALL(gplot_get_color_name(p, 0, nullptr)), 0, bad},
        {CALL(gplot_get_color_pixel(p, 0, nullptr)), 0, bad},
        {CALL(gplot_get_color_index(p, nullptr, &v.one)), 0, bad},
        {CALL(gplot_get_color_index(p, "black", nullptr)), 0, bad},
        {CALL(gplot_get_pattern_name(p, 0, nullptr)), 0, bad},
        {CALL(gplot_get_pattern_index(p, "solid", nullptr)), 0, bad},
        {CALL(gplot_get_attribute(p, 0, nullptr, nullptr, nullptr, nullptr, nullptr)), 0, bad},
        // Attribute 8 reads a colour name.
        {CALL(gplot_get_attribute(p, 8, nullptr, nullptr, nullptr, nullptr, nullptr)), 0, bad},
        {CALL(gplot_draw_point_world(p, nullptr)), 0, bad},
        {CALL(gplot_draw_points_world(p, nullptr, 3)), 0, bad},
        {CALL(gplot_draw_points_world(p, v.points, -1)), 0, bad},
        {CALL(gplot_move_to_world(p, nullptr)), 0, bad},
        {CALL(gplot_draw_to_world(p, nullptr)), 0, bad},
        {CALL(gplot_draw_line_world(p, &v.a, nullptr)), 0, bad},
        {CALL(gplot_draw_lines_world(p, nullptr, 3)), 0, bad},
        {CALL(gplot_draw_segments_world(p, nullptr, 1)), 0, bad},
        {CALL(gplot_draw_rectangle_world(p, nullptr)), 0, bad},
        {CALL(gplot_draw_rectangles_world(p, nullptr, 2)), 0, bad},
        {CALL(gplot_draw_rectangle2_world(p, nullptr, &v.b)), 0, bad},
        {CALL(gplot_draw_tracking_rectangle2_world(p, &v.a, nullptr)), 0, bad},
        {CALL(gplot_clear_rectangle_world(p, nullptr)), 0, bad},
        {CALL(gplot_clear_rectangle2_world(p, nullptr, &v.b)), 0, bad},
        {CALL(gplot_draw_polygon_world(p, nullptr, 3)), 0, bad},
        {CALL(gplot_draw_polygons_world(p, nullptr, 1)), 0, bad},
        {CALL(gplot_draw_polygons_world(p, &v.hollow, 1)), 0, bad},
        {CALL(gplot_draw_arc_world(p, nullptr)), 0, bad},
        {CALL(gplot_draw_arcs_world(p, nullptr, 1)), 0, bad},
        {CALL(gplot_draw_marker_world(p, nullptr, 5)), 0, bad},
        {CALL(gplot_draw_markers_world(p, nullptr, 3, 5)), 0, bad},
        {CALL(gplot_draw_marker_device(p, nullptr, 1)), 0, bad},
        {CALL(gplot_draw_markers_device(p, nullptr, 2, 1)), 0, bad},
        {CALL(ghpgl2_draw_rectangle2_world(p, &v.a, nullptr)), 0, bad},
        {CALL(gplot_write_ascii_text_world(p, nullptr, &v.a, 10, "AB")), 0, bad},
        {CALL(gplot_write_ascii_text_world(p, &v.table, nullptr, 10, "AB")), 0, bad},
        // No text is nothing to draw.
        {CALL(gplot_write_ascii_text_world(p, &v.table, &v.a, 10, nullptr)), 1, kNoCode},
        {CALL(gplot_write_rotated_ascii_text_world(p, nullptr, &v.a, 10, 1, "AB")), 0, bad},
        {CALL(gplot_write_virtual_text_world(p, &v.table, nullptr, 10, v.codes, 2)), 0, bad},
        {CALL(gplot_write_virtual_text_world(p, &v.table, &v.a, 10, nullptr, 2)), 1, kNoCode},
        {CALL(gplot_write_rotated_virtual_text_world(p, nullptr, &v.a, 10, 1, v.codes, 2)), 0, bad},
        {CALL(gplot_draw_rotated_ascii_font_world(p, nullptr, 'A', &v.a, &v.b, 0, 10)), 0, bad},
        {CALL(gplot_draw_rotated_ascii_font_world(p, &v.table, 'A', nullptr, &v.b, 0, 10)), 0, bad},
        {CALL(gplot_draw_rotated_ascii_font_world(p, &v.table, 'A', &v.a, nullptr, 0, 10)), 0, bad},
        {CALL(gplot_get_ascii_text_bound_box(p, nullptr, 10, "AB", &v.n32, &v.n32)), 0, bad},
        {CALL(gplot_get_ascii_text_bound_box(p, &v.table, 10, "AB", nullptr, &v.n32)), 0, bad},
        {CALL(gplot_get_ascii_text_justification(p, nullptr)), 0, bad},
        {CALL(gplot_get_ascii_text_tabstop(p, nullptr)), 0, bad},
        {CALL(justify_starting_point(justified(p, 2), nullptr, 10, "AB", 1)), 0, bad},
        {CALL(justify_starting_point(justified(p, 2), &v.a, 10, nullptr, 1)), 0, 11},
        // The table plays no part in the conversion.
        {CALL(gttfont_worldToPointSize(p, nullptr, 0)), 0, kNoCode},
    };
}

class CBoundaryOnAPlot : public ::testing::Test {
  protected:
    void SetUp() override {
        plot_ = gplot_open_hpgl2(dir_.file("table.hgl").c_str(), DB_UNIT_INCH, 0);
        ASSERT_NE(plot_, nullptr);
        const int32_t world[4] = {0, 0, 1000, 1000};
        ASSERT_EQ(gplot_set_world(plot_, world), 1);
    }
    void TearDown() override {
        if (plot_ != nullptr)
            gplot_close(plot_);
    }

    vexl::test::TempDir dir_;
    GPlot *plot_ = nullptr;
};

void check_row(const Row &row, GPlot *plot) {
    Arguments arguments;
    GplotErrno = 0;
    const Outcome result = row.run(plot, arguments);
    expect_answer(row.call, result, GplotErrno, row.result == kAnyResult ? result : row.result,
                  row.code);
}

TEST_F(CBoundaryOnAPlot, EveryCallRefusesANullArgument) {
    for (const Row &row : null_argument_rows())
        check_row(row, plot_);
}

// Runs a print call with the print status set, and puts the options back.
template <typename Call>
int with_print_status(int status, Call call) {
    const vexl::PrintOptions saved = vexl::print_options();
    vexl::print_options().printStatus = status;
    const int result = call();
    vexl::print_options() = saved;
    return result;
}

// Calls without a plot, each with a null pointer where it takes one.
std::vector<Row> free_call_rows() {
    return {
        {CALL(gplot_open(static_cast<GPlotDevice>(9), nullptr, nullptr, nullptr, nullptr)), 0, 4},
        {CALL(gplot_open_hpgl2(nullptr, DB_UNIT_INCH, 0)), 0, 23},
        {CALL(gplot_get_environment(nullptr, v.buffer)), 0, kNoCode},
        {CALL(gplot_get_environment("PATH", nullptr)), 0, kNoCode},
        {CALL(vexl_displayMsg(nullptr, nullptr, MSG_INFORMATION)), MSG_RESULT_NONE, kNoCode},
        {CALL(debug_mode_active_for(nullptr, nullptr, nullptr)), 0, kNoCode},
        {CALL(gprint_set_printtofile_filename(nullptr)), 0, kNoCode},
        {CALL(vexl_printdlg_set_printtofile_filename(nullptr)), 0, kNoCode},
        {CALL(kdcolor_create(nullptr)), 0, kNoCode},
        {CALL(kdcolor_read(nullptr, nullptr)), -1, kNoCode},
        {CALL(kdcolor_destroy(nullptr)), 0, kNoCode},
        {CALL(gplot_get_filename(nullptr)), 0, kNoCode},
        {CALL(gplot_close_file(nullptr)), 0, kInvalidArgument},
        {CALL(gxwin_screen_get_color_size(nullptr)), 0, kInvalidArgument},
        {CALL(gxwin_widget_get_color_size(nullptr, nullptr)), 0, kInvalidArgument},
        {CALL(gxwin_widget_get_color_RGB(nullptr, 0, &v.n32, nullptr, &v.n32)), 0,
         kInvalidArgument},
        {CALL(gxwin_screen_get_color_RGB(0, nullptr, &v.n32, &v.n32)), 0, kInvalidArgument},
        {CALL(kdfill_create(nullptr)), 0, kNoCode},
        {CALL(kdfill_read(nullptr, nullptr)), -1, kInvalidArgument},
        {CALL(kdfill_destroy(nullptr)), 0, kNoCode},
        {CALL(gxwin_get_pattern_size(nullptr)), 0, kInvalidArgument},
        {CALL(gxwin_get_pattern_index(nullptr, &v.n32)), 0, kInvalidArgument},
        {CALL(gxwin_get_pattern_index("solid", nullptr)), 0, kInvalidArgument},
        {CALL(gxwin_get_pattern_name(0, nullptr)), 0, kInvalidArgument},
        {CALL(gxwin_get_pixmap_id(0, nullptr)), 0, kInvalidArgument},
        {CALL(gfont_create(nullptr)), 0, kNoCode},
        {CALL(gfont_make_points(nullptr, 4)), 0, kNoCode},
        {CALL(gfont_set_character(nullptr, 'A')), 0, kNoCode},
        {CALL(gfont_get_character(&v.font, nullptr)), 0, kNoCode},
        {CALL(gfont_set_hershey_index(nullptr, 1)), 0, kNoCode},
        {CALL(gfont_get_hershey_index(nullptr, &v.n32)), 0, kNoCode},
        {CALL(gfont_set_font_no(nullptr, 1)), 0, kNoCode},
        {CALL(gfont_get_font_no(&v.font, nullptr)), 0, kNoCode},
        {CALL(gfont_set_coord(nullptr, 0, 1, 2)), 0, kNoCode},
        {CALL(gfont_get_coord(nullptr, 0, &v.n32, &v.n32)), 0, kNoCode},
        {CALL(gfont_num_points(nullptr)), 0, kNoCode},
        {CALL(gfont_unload(nullptr)), 0, kNoCode},
        {CALL(gfont_destroy(nullptr)), 0, kNoCode},
        {CALL(gfont_load(nullptr, nullptr)), -1, kNoCode},
        {CALL(gfs_open(nullptr, nullptr, nullptr)), 0, kNoCode},
        {CALL(gfs_load_ascii_table(nullptr)), 0, kNoCode},
        {CALL(gfs_load_virtual_table(nullptr)), 0, kNoCode},
        {CALL(gfs_get_font_ascii(nullptr, 'A', &v.font)), 0, kNoCode},
        {CALL(gfs_get_font_virtual(&v.set, 65, nullptr)), 0, kNoCode},
        {CALL(gfs_set_font(nullptr, 0, &v.font)), 0, kNoCode},
        {CALL(gfs_set_bound_box(&v.set, nullptr)), 0, kNoCode},
        {CALL(gfs_get_bound_box(nullptr, v.rect)), 0, kNoCode},
        {CALL(gfs_num_fonts(nullptr)), 0, kNoCode},
        {CALL(gfs_get_font_aspect_ratio(&v.set, nullptr)), 0, kNoCode},
        {CALL(gfs_unload(nullptr)), 0, kNoCode},
        // Closing always succeeds: there is nothing to release.
        {CALL(gfs_close(nullptr)), 1, kNoCode},
        {CALL(gftable_load_font_table(nullptr, 0, 0, "x")), 0, kInvalidArgument},
        {CALL(gftable_unload_font_table(nullptr)), 0, kNoCode},
        {CALL(gftable_get_ascii_font(nullptr, 'A', &v.font)), 0, kNoCode},
        {CALL(gftable_get_virtual_font(&v.table, 65, nullptr)), 0, kNoCode},
        {CALL(gftable_get_font_aspect_ratio(nullptr, &v.x)), 0, kNoCode},
        {CALL(gftable_get_font_name(nullptr)), 0, kNoCode},
        {CALL(gftable_get_ascii_text_bound_box(nullptr, 10, "AB", &v.n32, &v.n32)), 0,
         kInvalidArgument},
        {CALL(gftable_get_ascii_text_bound_box(&v.table, 10, "AB", &v.n32, nullptr)), 0,
         kInvalidArgument},
        {CALL(gftable_get_ascii_fonttable_name(nullptr, -1)), 0, kNoCode},
        {CALL(gttfont_loadFont(nullptr, "x")), 0, kNoCode},
        {CALL(gttfont_unloadFont(nullptr)), 0, kNoCode},
        {CALL(gttfont_displayFontDialog(nullptr)), 0, kNoCode},
        {CALL(gttfont_getFontName(nullptr)), 0, kNoCode},
        {CALL(gttfont_setFontName(nullptr, "x")), 0, kNoCode},
        {CALL(gttfont_setFontName(&v.table, nullptr)), 0, kNoCode},
        {CALL(gttfont_get_bounding_box_nw(nullptr, DB_UNIT_INCH, 1, 10, "AB", &v.n32, &v.n32)), 0,
         kNoCode},
        {CALL(gfreetype_loadFont(nullptr)), 0, kNoCode},
        {CALL(gfreetype_unloadFont(nullptr)), 0, kNoCode},
        {CALL(gfreetype_displayFontDialog(nullptr)), 0, kNoCode},
        {CALL(gfreetype_get_bounding_box_nw(nullptr, DB_UNIT_INCH, 1, 10, "AB", &v.n32, &v.n32)), 0,
         kNoCode},
        {CALL(gfreetype_get_bounding_box(nullptr, &v.table, 10, "AB", &v.n32, &v.n32)), 0, kNoCode},
        {CALL(
             gplot_get_ascii_text_bound_box_nw(nullptr, DB_UNIT_INCH, 1, 10, "AB", &v.n32, &v.n32)),
         0, kInvalidArgument},
        {CALL(gplot_get_ascii_text_bound_box_nw(&v.table, DB_UNIT_INCH, 1, 10, "AB", &v.n32,
                                                nullptr)),
         0, kInvalidArgument},
        {CALL(gttfont_get_bounding_box_nw(&v.table, DB_UNIT_INCH, 1, 10, "AB", nullptr, &v.n32)), 0,
         kNoCode},
        {CALL(gfreetype_get_bounding_box_nw(&v.table, DB_UNIT_INCH, 1, 10, "AB", &v.n32, nullptr)),
         0, kNoCode},
        // A list without its count is still the list.
        {CALL(gttfont_getFontList(nullptr) != nullptr), kAnyResult, kNoCode},
        // Converting a size needs no table.
        {CALL(gttfont_db_worldToPointSize(nullptr, DB_UNIT_INCH, 1, 10)), 720, kNoCode},
        // The count does not depend on its argument.
        {CALL(gftable_get_number_ascii_fonts(nullptr)), kAnyResult, kNoCode},
        // A tab stop of 0 would divide by zero; it counts as 1.
        {CALL(gftable_expand_tab_to_spaces(3, 0)), 1, kNoCode},
        // File and print plots in HP-GL/2 form need the file name.
        {"gplot_open_file (no file name)",
         [](GPlot *, Arguments &) { return outcome(open_hard_copy_as_hpgl2(&gplot_open_file)); }, 0,
         23},
        {"gplot_open_print (no file name)",
         [](GPlot *, Arguments &) { return outcome(open_hard_copy_as_hpgl2(&gplot_open_print)); },
         0, 23},
        // An accepted print without a file goes on to delivering it, which
        // needs the file (Windows) or is not available (elsewhere).
        {"gprint_printFile (no file)",
         [](GPlot *, Arguments &) {
             return outcome(
                 with_print_status(1, [] { return gprint_printFile(1, nullptr, nullptr); }));
         },
         0, kNoFileToDeliver},
        {"gprint_printFileDialog (accepted, no file)",
         [](GPlot *, Arguments &) {
             return outcome(with_print_status(1, [] {
                 vexl::print_options().printToFile = 1;
                 return gprint_printFileDialog(0, nullptr, nullptr);
             }));
         },
         0, kNoFileToDeliver},
#ifndef _WIN32
        {CALL(gprint_printSetupDialog(0, nullptr)), 0, 14},
#endif
#ifdef _WIN32
        // No file to put on the clipboard.
        {CALL(TEXTtoClipBoard(nullptr, 0, nullptr)), 0, kNoCode},
        {CALL(EMFtoClipBoard(nullptr, 0, nullptr)), 0, kNoCode},
        // Content other than graphics and text has no save dialog.
        {CALL(PrintToFile_Dialog(nullptr, 0, 2)), 0, kNoCode},
        // Without a window and with nothing accepted no dialog is shown.
        {"gprint_display_printui_dialogs",
         [](GPlot *, Arguments &) {
             return outcome(with_print_status(
                 0, [] { return gprint_display_printui_dialogs(1, 0, nullptr); }));
         },
         0, kNoCode},
        // A null device context fails in GDI itself.
        {CALL(vexl_TextOut(nullptr, 0, 0, "AB", 2)), 0, kNoCode},
        {CALL(vexl_GetTextExtentPoint32(nullptr, "AB", 2, nullptr)), 0, kNoCode},
        // GDI text: without a device or an output nothing is drawn or measured.
        {CALL(gttfont32_writeTextOut(nullptr, &v.table, &v.a, 10, 0, "AB")), 0, kNoCode},
        {CALL(gttfont32_get_bounding_box(nullptr, &v.table, 10, "AB", &v.n32, &v.n32)), 0, kNoCode},
        {CALL(gttfont32_get_bounding_box_nw(&v.table, DB_UNIT_INCH, 1, 10, "AB", nullptr, &v.n32)),
         0, kNoCode},
        // No table to put a face in: no dialog.
        {CALL(gttfont32_displayFontDialog(nullptr)), 0, kNoCode},
        // The screen's own context, given straight back; no state to report.
        {"GetScreenDC",
         [](GPlot *, Arguments &) {
             void *dc = GetScreenDC(nullptr, nullptr);
             FreeDC(nullptr, dc, HDC_WINDOW);
             return outcome(dc);
         },
         1, kNoCode},
        {CALL(FreeDC(nullptr, nullptr, HDC_MEMORY)), 0, kNoCode},
        // The dialog's printer context, whether or not a dialog left one;
        // a null state is not written.
        {CALL(GetPrinterDC(nullptr, nullptr)), kAnyResult, kNoCode},
        // The default printer, whether or not the machine has one.
        {"CreatePrinterDC",
         [](GPlot *, Arguments &) {
             void *dc = CreatePrinterDC();
             FreeDC(nullptr, dc, HDC_PRINTER);
             return outcome(dc);
         },
         kAnyResult, kNoCode},
        {CALL(paletteBasedDevice(nullptr)), 0, kNoCode},
        {CALL(win32_native_widget_get_color_pixel(nullptr, 0, nullptr)), 0, kInvalidArgument},
        {CALL(gxwin_widget_get_pixmap_id_with_depth(nullptr, 0, 1, 0, nullptr)), 0,
         kInvalidArgument},
        // The default printer's context shows no dialog; whether there is a
        // printer depends on the machine. The options stay as they were.
        {"PrintSetup_Dialog",
         [](GPlot *, Arguments &) {
             const vexl::PrintOptions saved = vexl::print_options();
             const int result = PrintSetup_Dialog(nullptr, 0, 0);
             vexl::print_options() = saved;
             return outcome(result);
         },
         kAnyResult, kNoCode},
#endif
    };
}

// Calls that take no pointer at all: none can be handed a null, so each row
// only checks that the call answers without reporting a failure.
std::vector<Row> pointerless_rows() {
    return {
        {CALL(gplot_get_error_message()), 1, kNoCode},
        {CALL(gplot_error_is_warning()), 1, kNoCode},
        {CALL(gplot_error_is_severe()), 0, kNoCode},
        {CALL(gplot_error_is_fatal()), 0, kNoCode},
        {CALL(gplot_set_world_units(gplot_get_world_units())), 1, kNoCode},
        {CALL(gplot_get_world_units()), kAnyResult, kNoCode},
        {CALL(ghpgl2_color_mode(1)), 1, kNoCode},
        {CALL(ghpgl2_force_monochrome(2)), 1, kNoCode},
        {CALL(getPrintStatus()), kAnyResult, kNoCode},
        {CALL(setPrintStatus(getPrintStatus())), 0, kNoCode},
        {CALL(printToFileSelected()), kAnyResult, kNoCode},
        {CALL(gprint_get_printtofile_status()), kAnyResult, kNoCode},
        {CALL(vexl_printdlg_get_printtofile_status()), kAnyResult, kNoCode},
        {CALL(printToHPGL2Selected()), kAnyResult, kNoCode},
        {CALL(copyToClipboardSelected()), kAnyResult, kNoCode},
        {CALL(colorOutputSelected()), kAnyResult, kNoCode},
        {CALL(scaleToFitPageSelected()), kAnyResult, kNoCode},
        {CALL(preserveBkgColorSelected()), kAnyResult, kNoCode},
        {CALL(AldusPlaceableSelected()), kAnyResult, kNoCode},
        {CALL(fileType()), kAnyResult, kNoCode},
        {CALL(setScaleToFitPage(scaleToFitPageSelected())), 0, kNoCode},
        {CALL(setCopyToClipboardActive(0)), 0, kNoCode},
        {"gprint_enable_copy_to_clipboard",
         [](GPlot *, Arguments &) {
             const vexl::PrintOptions saved = vexl::print_options();
             const int result = gprint_enable_copy_to_clipboard(0);
             vexl::print_options() = saved;
             return outcome(result);
         },
         0, kNoCode},
        {CALL(gprint_get_printtofile_filename()), kAnyResult, kNoCode},
        {CALL(vexl_printdlg_get_printtofile_filename()), kAnyResult, kNoCode},
        {CALL(gxwin_printtofile_using_screenshot_method()), kAnyResult, kNoCode},
        {CALL(gplot_set_font()), 1, kNoCode},
        {CALL(gscrndump_syscall()), 1, kNoCode},
        {CALL(gscrndump_window()), 1, kNoCode},
        {CALL(gftable_set_global_font_tabstop(gftable_get_global_font_tabstop())), 0, kNoCode},
        {CALL(gftable_get_global_font_tabstop()), kAnyResult, kNoCode},
        // The plot-file kind needs no module.
        {CALL(vexldll_load(GPLOT_HPGL2)), 1, kNoCode},
        {CALL(vexldll_loadStatus()), kAnyResult, kNoCode},
        {CALL(vexl_get_version().text[0] == ' '), 1, kNoCode},
        {CALL(getPrintTable() != nullptr), 1, kNoCode},
#ifdef _WIN32
        {CALL(GetScreenHwnd()), 1, kNoCode},
        {CALL(GetScaleFactor() > 0), 1, kNoCode},
#endif
    };
}

#undef CALL

TEST(CBoundaryTable, EveryCallWithoutAPlotRefusesANullArgument) {
    for (const Row &row : free_call_rows())
        check_row(row, nullptr);
}

TEST(CBoundaryTable, EveryCallWithoutPointersAnswersWithoutAFailure) {
    for (const Row &row : pointerless_rows())
        check_row(row, nullptr);
}

// The name a row calls: its label up to the call's parenthesis, or the
// first word of a label written out by hand.
std::string called(const char *label) {
    const std::string text(label);
    return text.substr(0, text.find_first_of(" ("));
}

std::set<std::string> exported_functions() {
    std::set<std::string> names;
    for (const char *list : {VEXL_SOURCE_DIR "/tests/exports/expected_exports.txt",
#ifdef _WIN32
                             VEXL_SOURCE_DIR "/tests/exports/expected_exports_win32.txt"
#endif
         }) {
        std::istringstream lines(vexl::test::TempDir::read(list));
        for (std::string name; std::getline(lines, name);) {
            if (name.rfind("_Z", 0) == 0) // the one C++ name, mangled
                name = "gfreetype_get_bounding_box";
            if (!name.empty() && name != "GplotErrno")
                names.insert(name);
        }
    }
    return names;
}

TEST(CBoundaryTable, CoversEveryExportedFunction) {
    std::set<std::string> covered = {
        "ghpgl2_create", // BuildingADeviceNeedsAPlotWithoutOne
        // A window and a clipboard plot take no pointer that could be
        // missing, and opening one would reach the desktop.
        "gplot_open_screen",
        "gplot_open_clipboard",
        "vexldll_unload", // would unload the module other tests load
#ifdef _WIN32
        // Shows the printer set-up dialog; driven in print_entries_win32_test.cpp.
        "gprint_printSetupDialog",
#endif
    };
    for (const PlotRow &row : plot_rows())
        covered.insert(called(row.call));
    for (const auto &rows : {null_argument_rows(), free_call_rows(), pointerless_rows()})
        for (const Row &row : rows)
            covered.insert(called(row.call));
    const std::set<std::string> exported = exported_functions();
    ASSERT_GT(exported.size(), 200u);
    for (const std::string &name : exported)
        EXPECT_EQ(covered.count(name), 1u) << name << " has no row";
}

} // namespace
