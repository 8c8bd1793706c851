// GHPGL2: the output device that writes a plot as an HP-GL/2 command file.
//
// A plotter scales by itself: the device sends the world window as a scaling
// instruction (SC) and then writes every drawing command in world units. It
// therefore overrides the world layer of GXWINbase and never maps to device
// pixels; the operations it leaves alone end in the integer device layer,
// which draws nothing here and reports false.
//
// The requested attributes live in the plot record, as for every device. What
// the device has actually sent is its own state: whether the pen is down, and
// whether the requested colour reached the file. Each instruction is written
// only when it changes what the plotter already has, so a plot that sets the
// same colour a thousand times costs one SP instruction.
//
// The file is text: one instruction, or a short group of them, per line,
// opened in text mode so that it reads as a native text file on each
// platform (plotters treat CR and LF alike as separators).
#ifndef VEXL33_DEVICES_GHPGL2_H
#define VEXL33_DEVICES_GHPGL2_H

#include <cstdint>

#include "core/gxwin_base.h"
#include "devices/ghpgl2_writer.h"
#include "plot/gplot.h"

// Thrown by the constructor when the plot file cannot be opened; GplotErrno
// is already 23 then.
struct Hpgl2FileNotOpened {};

class GHPGL2 : public GXWINbase {
  public:
    // Links into plot, sets the plot's defaults for this device, opens file
    // for writing and writes the prologue: the fill-type comment lines, "IN;"
    // and a pen-up move to (units, value). Throws Hpgl2FileNotOpened when the
    // file cannot be opened and whatever allocation throws; ghpgl2_create
    // turns both into codes. plot must not be null.
    GHPGL2(GPlot *plot, const char *file, int32_t units, int32_t value);
    // Ejects the page ("PG;") and closes the file; code 24 when the file
    // did not get all of its output.
    ~GHPGL2() override;

    // Half away from zero.
    int32_t round_device_coord(double value) override;
    // Toward zero.
    int32_t round_world_coord(double value) override;
    // Code 24 when some output, now or earlier, did not reach the file.
    void flush() override;

    // Attributes (ghpgl2.cpp).
    bool set_line_width_world(int32_t width) override;
    bool get_pixels_perinch(double *x, double *y) override;
    bool set_foreground_color(int32_t index, int32_t transparency) override;
    bool set_line_type(int32_t type) override;
    bool set_fill_pattern(int32_t pattern) override;
    bool clear_world_rect(const int32_t rect[4]) override;
    bool set_viewport(const float vp[4]) override;
    bool set_world(const int32_t rect[4]) override;
    bool set_clip_world(const int32_t rect[4], bool on) override;
    bool get_width_n_height(int32_t *width, int32_t *height) override;

    // Drawing in world units (ghpgl2_drawing.cpp).
    bool move_to_world(const WorldPointS &p) override;
    bool draw_to_world(const WorldPointS &p) override;
    bool draw_point_world(const WorldPointS &p) override;
    bool draw_points_world(const WorldPointS *points, int32_t n) override;
    bool draw_rectangle_world(const int32_t rect[4]) override;
    // Each rectangle as draw_rectangle_world; n < 1 draws nothing.
    bool draw_rectangles_world(const int32_t *rects, int32_t n) override;
    bool draw_arc_world(const WorldArcS &arc) override;
    bool draw_line_world(const WorldPointS &a, const WorldPointS &b) override;
    bool draw_lines_world(const WorldPointS *points, int32_t n) override;
    bool draw_segments_world(const WorldPointS *points, int32_t n) override;
    bool draw_polygon_world(const WorldPointS *points, int32_t n) override;

    // An edged rectangle from the current point to corner b: moves to a,
    // then "EA". Used by ghpgl2_draw_rectangle2_world.
    bool draw_edged_rectangle_world(const WorldPointS &a, const WorldPointS &b);

    // 1 after "PD;" was written and no "PU" since, else 0.
    int32_t pen_down = 0;

  private:
    vexl::PlotFile file;

    // "PU;" when the pen is down.
    void lift_pen();
    // "PD;" when the pen is up.
    void lower_pen();

    // False while the requested foreground colour has not reached the file
    // (its index was outside the colour map): asking for it again must be
    // judged again rather than taken as already done.
    bool colour_sent_ = true;
};

#endif // VEXL33_DEVICES_GHPGL2_H
