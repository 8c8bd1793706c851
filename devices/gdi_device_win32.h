// GXWINwin32: the output device that draws through the Windows graphics
// device interface, for window (screen), print-to-file, printer and clipboard
// plots.
//
// It overrides the integer device layer of GXWINbase and the state setters
// that touch the device context; world mapping and rounding to pixels stay
// in the base. Every piece of arithmetic (pen styles, the +1s of GDI's
// rectangles, clip rectangles, arc geometry, mask boxes, the resize frame,
// rounding) comes from devices/gdi_geometry.h, so these files only decide
// which GDI calls to make.
//
// The device's own GDI objects (its context, pen, brush and the pattern
// brush of pattern fills) are held by owners (gdi_handles_win32.h): a
// construction that fails part-way, and every close, gives back all of them.
// The files by concern:
//   gdi_device_win32.cpp      construction, destruction, size, world window
//   gdi_attributes_win32.cpp  colours, pens and brushes, line type and width,
//                             fill pattern, XOR drawing
//   gdi_primitives_win32.cpp  points, lines, segments, rectangles, polygons
//   gdi_fills_win32.cpp       filled shapes: hollow, solid, pattern masks,
//                             the hard-copy passes
//   gdi_arcs_win32.cpp        arcs
//   gdi_surface_win32.cpp     clip regions, viewport, clearing, resizing
//   gdi_hardcopy_win32.cpp    beginning, restarting and ending hard copy:
//                             metafile recordings and print jobs
//   gdi_text_win32.cpp        TrueType text
#ifndef VEXL33_DEVICES_GDI_DEVICE_WIN32_H
#define VEXL33_DEVICES_GDI_DEVICE_WIN32_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/gxwin_base.h"
#include "devices/gdi_geometry.h"
#include "devices/gdi_handles_win32.h"
#include "plot/gplot_win32.h"

// Thrown by the constructor when the device cannot be built; GplotErrno
// already says why unless it is still 0 (then the open reports code 35).
struct GdiDeviceNotBuilt {};

class GXWINwin32 : public GXWINbase {
  public:
    // Builds the device on plot (plot->device_kind says the kind) for window
    // (screen; a null window means the active one, else the desktop) or for
    // file (the output or print-job name of the other kinds). Throws
    // GdiDeviceNotBuilt, or whatever allocation throws, after giving back
    // everything it obtained.
    GXWINwin32(GPlot *plot, HWND window, const char *file, int32_t open_units, int32_t open_value);
    // Restores the context's own pen and brush, deletes the device's, and
    // gives the context back as it was obtained.
    ~GXWINwin32() override;

    // Half away from zero, saturating at the int32 limits, NaN to 0; the
    // same for world coordinates.
    int32_t round_device_coord(double value) override;
    int32_t round_world_coord(double value) override;

    // Attributes (gdi_attributes_win32.cpp).
    bool set_foreground_color(int32_t index, int32_t transparency) override;
    bool set_background_color(int32_t index) override;
    bool set_line_type(int32_t type) override;
    bool set_line_width(int32_t width) override;
    bool set_fill_pattern(int32_t pattern) override;
    bool set_xor_drawing_mode(bool on, int32_t colour) override;

    // Surface (gdi_surface_win32.cpp, world window in gdi_device_win32.cpp).
    bool clear_world_rect(const int32_t rect[4]) override;
    bool set_viewport(const float vp[4]) override;
    bool set_world(const int32_t rect[4]) override;
    bool set_clip_world(const int32_t rect[4], bool on) override;
    bool set_clip_device(const int32_t rect[4], bool on) override;

    // Primitives (gdi_primitives_win32.cpp, gdi_arcs_win32.cpp).
    bool draw_point_device(const DevicePointS &p) override;
    bool draw_arc_device(const DeviceArcS &arc) override;
    bool draw_line_device(const DevicePointS &a, const DevicePointS &b) override;
    bool draw_lines_device(const DevicePointS *points, int32_t n) override;
    bool draw_segments_device(const DevicePointS *points, int32_t n) override;
    bool draw_rectangle_device(const int32_t rect[4]) override;
    bool draw_polygon_device(const DevicePointS *points, int32_t n) override;
    bool is_outside_device_range(const DevicePointF &p) override;

    // TrueType text (gdi_text_win32.cpp).
    bool write_rotated_text(GFontTable *font, const WorldPointS &position, int32_t text_height,
                            double angle, const char *text) override;
    bool get_text_bound_box(GFontTable *font, int32_t text_height, const char *text,
                            int32_t *width_out, int32_t *height_out) override;
    double inches_to_font_height(double inches) override;

    bool get_width_n_height(int32_t *width, int32_t *height) override;
    bool resize_plot() override;

    // The current device context, for the GDI text layer.
    HDC device_context() const { return dc_.get(); }
    hDCstate device_context_state() const { return dc_.state(); }
    // The rectangle hard-copy output covers, in device pixels of the output:
    // until output begins, the reference context's size.
    const vexl::gdi::GdiRect &hardcopy_rectangle() const { return hardcopy_rect_; }

    // Pixels per world unit of scaled output for the setting named key
    // ("EMF_FILE_RES", "EMF_CLIPBOARD_RES" or "EMF_PRINTER_RES") on a world
    // window of W x H; kept as the process's last resolution factor.
    double emf_resolution(const char *key, double world_width, double world_height);
    static double last_resolution_factor();

    // Arcs are drawn with AngleArc where the system has it (the NT family)
    // and as short straight steps elsewhere. Tests switch to the steps to see
    // them drawn on any system.
    void use_stepped_arcs(bool stepped) { stepped_arcs_ = stepped; }

    // Runs the colour set-up of a hard copy on the current context: a
    // palette from the colour map for a palette-based output, then the
    // default pen, brush and colours. Called once the output context exists.
    bool setup_hardcopy_colours();

    HWND hWnd = nullptr;             // window drawn in, or lending the reference context
    COLORREF foregroundRGB = 0;      // colour of the foreground index
    COLORREF backgroundRGB = 0;      // colour of the background index
    COLORREF xorRGB = 0;             // pen colour while XOR drawing is on
    HBITMAP patternBitmap = nullptr; // bitmap of the current fill pattern (the table's)
    int32_t width = 0;               // drawing area in device pixels (resize_plot)
    int32_t height = 0;
    std::string fileName;         // output file, or print-job name
    bool hardcopyStarted = false; // hard-copy output has begun

  private:
    bool is_screen() const { return plot->device_kind == GPLOT_SCREEN; }
    bool is_printer() const { return plot->device_kind == GPLOT_PRINT; }
    bool is_print_to_file() const { return plot->device_kind == GPLOT_FILE; }

    // Construction steps.
    void obtain_context();
    void set_up_screen();
    void set_up_hardcopy_kind(const char *file);

    // Hard copy (gdi_hardcopy_win32.cpp). begin_hardcopy starts output on
    // the current world window: picks the scaling, opens the metafile
    // recording or the print job, and runs setup_hardcopy_colours; output
    // that fails on the way is thrown away again.
    bool begin_hardcopy();
    bool setup_scaled_hardcopy();
    bool setup_true_size_hardcopy();
    bool start_print_job();
    bool start_recording(const RECT &frame, const char *description,
                         const std::vector<std::string> &comments);
    // Throws away the output begun: the print job cancelled, the recording
    // closed, deleted and its file removed; the reference context back.
    void discard_hardcopy();
    // Ends the output at close: the page and job ended, the recording
    // closed and left in its file. True when a recording was made.
    bool finish_hardcopy();
    // Closes the recording and puts the reference context back.
    void close_recording();

    // Pens and brushes: made from the current attributes and selected into
    // the context by the select-or-delete rule. False when GDI refuses.
    bool select_pen(COLORREF colour);
    bool select_solid_brush(COLORREF colour);
    // The colour lines are drawn in: the XOR colour while XOR drawing is on.
    COLORREF line_colour() const;
    // Makes the device's pattern brush from patternBitmap.
    bool make_pattern_brush();

    // Filled shapes (gdi_fills_win32.cpp).
    enum class Shape { Rectangle, Polygon };
    bool fill_shape(Shape shape, const int32_t rect[4], const DevicePointS *points, int32_t n);
    bool fill_solid(Shape shape, const int32_t rect[4], const DevicePointS *points, int32_t n);
    bool fill_pattern_on_screen(Shape shape, const int32_t rect[4], const DevicePointS *points,
                                int32_t n);
    bool fill_pattern_hardcopy(Shape shape, const int32_t rect[4], const DevicePointS *points,
                               int32_t n);
    // The monochrome mask of a pattern fill: a memory context holding a
    // bitmap of the mask box, all 1s (white) when asked, and the pattern's
    // phase set to follow the window. The shape is then filled into it with
    // the pattern brush, leaving 0s on the pattern's set pixels.
    struct PatternMask {
        vexl::gdi::MemoryDc dc;
        vexl::gdi::OwnedBitmap bits;
        HGDIOBJ replaced = nullptr; // the context's own bitmap, put back first
        PatternMask() = default;
        PatternMask(const PatternMask &) = delete;
        PatternMask &operator=(const PatternMask &) = delete;
        ~PatternMask() {
            if (replaced != nullptr)
                SelectObject(dc.get(), replaced);
        }
    };
    bool make_mask(const vexl::gdi::MaskBox &box, bool start_white, PatternMask &mask);
    // Puts a filled mask over the window: the set pixels take the
    // foreground colour, the rest stays as it was.
    bool paint_through_mask(HDC mask, const vexl::gdi::MaskBox &box);
    // The client area the mask boxes are cut to.
    bool client_size(int32_t &client_width, int32_t &client_height) const;

    // Arcs (gdi_arcs_win32.cpp): the curve from the current position, which
    // is the start point, into whatever path or pen is in force.
    bool trace_arc(HDC dc, const DeviceArcS &arc);
    bool draw_flattened_arc(HDC dc, const DeviceArcS &arc, bool fill);
    bool fill_arc_on_screen(const DeviceArcS &arc);

    // Clip region of a GDI rectangle.
    bool clip_to(const vexl::gdi::GdiRect &rect);

    // Declared in this order so that the pattern brush (never selected in
    // the context) and then the selected pen and brush are deleted, the
    // context's own put back, before the context is given back.
    vexl::gdi::DeviceContext dc_;
    vexl::gdi::SelectedObjects selected_;
    // Pattern brush of the current fill pattern, used by pattern fills (the
    // selected brush may since have become the background's).
    vexl::gdi::OwnedBrush pattern_brush_;
    vexl::gdi::GdiRect hardcopy_rect_{0, 0, 0, 0};
    // While a metafile records: the context it replaced, given back after.
    vexl::gdi::DeviceContext reference_dc_;
    bool print_job_open_ = false;
    bool stepped_arcs_ = false;
};

#endif // VEXL33_DEVICES_GDI_DEVICE_WIN32_H
