// GXWINbase: the abstract output device every plot draws through.
//
// The plotting interface validates its arguments once and then calls exactly
// one virtual operation here. The operations come in layers so that a concrete
// device overrides only the layer in which its output is naturally expressed:
//
//   world (_world)      maps world to device coordinates in double precision
//                       and calls the double layer;
//   double (_device_f)  keeps the primitive to the device-safe range (one
//                       unit inside int32; a primitive leaving it is clipped
//                       against it), rounds every coordinate with
//                       round_device_coord and calls the integer layer;
//   integer (_device)   draws nothing and reports failure until a concrete
//                       device provides it.
//
// The HP-GL/2 device stays in world units and overrides the world layer; the
// GDI device overrides the integer layer. The order of the virtual operations
// below is the device interface's fixed slot order: do not reorder, insert or
// remove any of them.
//
// All coordinate state (viewport, world window, clip rectangles, attributes)
// lives in the GPlot record the device reaches through `plot`; the device
// itself keeps only its size, its buffering and its clip flag. Device
// operations trust their input: null pointers and negative counts are refused
// by the plotting interface before a device sees them, and the device layers
// only make sure such input never makes them overrun a buffer.
#ifndef VEXL33_CORE_GXWIN_BASE_H
#define VEXL33_CORE_GXWIN_BASE_H

#include <cstdint>

#include "plot/gplot.h"

// A device point in double precision, before rounding to pixels.
struct DevicePointF {
    double x, y;
};

// One polygon of a list drawn with draw_polygons_device_f.
struct DevicePolygonF {
    const DevicePointF *points;
    int32_t n;
};

class GXWINbase {
  public:
    // Links the device into `plot` (plot->device = this); buffering and
    // clipping start off, the size members at 0.
    GXWINbase(GPlot *plot, void *window, int32_t open_units, int32_t open_value);

    GXWINbase(const GXWINbase &) = delete;
    GXWINbase &operator=(const GXWINbase &) = delete;

    // ---- Virtual operations, in slot order ------------------------------

    // Turns a device coordinate computed in double into a pixel. Must accept
    // any double, including NaN and values beyond the int32 range. No default.
    virtual int32_t round_device_coord(double value) = 0;
    // Key of the colour map this device reads. Default: 0, the shared map.
    virtual int32_t get_colormap_key();
    // Finishes the output. Default (and every override): plot->device = null.
    // Output that did not reach its destination sets a code (24 for a file).
    virtual ~GXWINbase();
    // Pushes pending output to its destination; sets a code when some of
    // it did not arrive. Default: does nothing.
    virtual void flush();
    // Requests double buffering. Default: ignored (buffer_mode unchanged)
    // when on and buffer_capacity < 1, else buffer_mode = on; true.
    virtual bool set_buffer_mode(bool on);
    // Number of drawing buffers the device offers. Default: stores it; true.
    virtual bool set_buffer_capacity(int32_t n);
    // Line width in world units when world_units_on, else device units.
    // Default: negative width is code 7 and false; else set_line_width of the
    // width scaled by the horizontal world-to-device ratio.
    virtual bool set_line_width_world(int32_t width);
    // Default: copies plot->clip_device into rect; true.
    virtual bool get_clip_device(int32_t rect[4]);
    // Default: set_clip_device(device_extent, false), its result.
    virtual bool unset_clip_device();
    // Default: copies plot->viewport into vp; true.
    virtual bool get_viewport(float vp[4]);
    // Default: copies plot->world into rect; true.
    virtual bool get_world(int32_t rect[4]);
    // Default: copies plot->clip_world into rect; true.
    virtual bool get_clip_world(int32_t rect[4]);
    // Default: clip world back to the world window, clipping off; true.
    virtual bool unset_clip_world();
    // Whether XOR drawing is available. Default: true.
    virtual bool get_uses_xor_draw();
    // Default: plot->current_point = p; true.
    virtual bool move_to_world(const WorldPointS &p);
    // Default: draw_line_device_f from the current point to p, then
    // current_point = p whatever the result; the line's result.
    virtual bool draw_to_world(const WorldPointS &p);
    // Default: maps p, draw_point_device_f.
    virtual bool draw_point_world(const WorldPointS &p);
    // Default: maps all points (array mapping), draw_points_device_f.
    virtual bool draw_points_world(const WorldPointS *points, int32_t n);
    // Default: maps both corners, draw_rectangle_device_f.
    virtual bool draw_rectangle_world(const int32_t rect[4]);
    // Rubber-band rectangle. Default: draw_rectangle_world.
    virtual bool draw_tracking_rectangle_world(const int32_t rect[4]);
    // Default: maps centre and radius separately so the radius rounds the
    // same wherever the arc lies, then draw_arc_device. False, nothing
    // drawn, when the centre or start point maps beyond the device-safe
    // range (the interface flattens such arcs instead).
    virtual bool draw_arc_world(const WorldArcS &arc);
    // Default: draw_arc_world on each in order, stopping at the first
    // failure (false); n < 1 is true.
    virtual bool draw_arcs_world(const WorldArcS *arcs, int32_t n);
    // Default: maps both points, draw_line_device_f.
    virtual bool draw_line_world(const WorldPointS &a, const WorldPointS &b);
    // Poly-line. Default: maps all points (array mapping), draw_lines_device_f.
    virtual bool draw_lines_world(const WorldPointS *points, int32_t n);
    // n segments from 2n points. Default: maps all, draw_segments_device_f.
    virtual bool draw_segments_world(const WorldPointS *points, int32_t n);
    // n rectangles of 4 values. Default: maps all 2n corners (array
    // mapping), draw_rectangles_device_f.
    virtual bool draw_rectangles_world(const int32_t *rects, int32_t n);
    // Default: maps all points (array mapping), draw_polygon_device_f.
    virtual bool draw_polygon_world(const WorldPointS *points, int32_t n);
    // Default: draw_polygon_world on each entry, stopping at the first
    // failure (false); m < 1 is true.
    virtual bool draw_polygons_world(const WorldPolygonS *list, int32_t m);
    // Default: draw_arc_device on each, stopping at the first failure
    // (false); n < 1 is true.
    virtual bool draw_arcs_device(const DeviceArcS *arcs, int32_t n);
    // Default: n < 0 false, n = 0 true; draw_rectangle_device on each,
    // stopping at the first failure.
    virtual bool draw_rectangles_device(const int32_t *rects, int32_t n);
    // Default: n < 0 false; trims all to the device-safe range, rounds,
    // draw_rectangles_device.
    virtual bool draw_rectangles_device_f(const double *rects, int32_t n);
    // Default: draw_polygon_device_f on each entry, stopping at the first
    // failure (false); m < 1 is true.
    virtual bool draw_polygons_device_f(const DevicePolygonF *list, int32_t m);
    // Red, green, blue of a colour-map entry. Default: from the colour map.
    virtual bool get_color_RGB(int32_t index, int32_t *red, int32_t *green, int32_t *blue);
    // Black or white, whichever contrasts with the entry. Default: colour map.
    virtual bool get_contrast_color(int32_t index, int32_t *out);
    // Name of a colour-map entry. Default: from the colour map.
    virtual bool get_color_name(int32_t index, const char **out);
    // Index of the entry with this name. Default: from the colour map.
    virtual bool get_color_index(const char *name, int32_t *out);
    // Platform pixel value of an entry. Default: from the colour map.
    virtual bool get_color_pixel(int32_t index, uint32_t *out);
    // Default: pixels per millimetre × 25.4; false, outputs untouched, while
    // either pixels-per-millimetre value is not positive (or NaN).
    virtual bool get_pixels_perinch(double *x, double *y);
    // Asks the window to redraw itself. Default: does nothing.
    virtual void force_display_repaint();
    // Default: stores the colour index and transparency (255 opaque); true.
    virtual bool set_foreground_color(int32_t index, int32_t transparency);
    // Default: stores the colour index; true.
    virtual bool set_background_color(int32_t index);
    // Default: stores the line type; true.
    virtual bool set_line_type(int32_t type);
    // Width in device units. Default: negative is code 7 and false; else
    // stores it; true.
    virtual bool set_line_width(int32_t width);
    // -1 no fill, -2 solid, >= 0 a pattern-table entry. Default: stores; true.
    virtual bool set_fill_pattern(int32_t pattern);
    // Default: set_foreground_color(colour, 255); on failure its result and
    // the XOR flag unchanged, else xor_mode = on; true.
    virtual bool set_xor_drawing_mode(bool on, int32_t colour);
    // Fills a world rectangle with the background colour. Default: false.
    virtual bool clear_world_rect(const int32_t rect[4]);
    // Default: stores the fractions and derives plot->device_viewport from
    // the device extent (fraction 0 in y is the bottom); true.
    virtual bool set_viewport(const float vp[4]);
    // Default: world and clip world = rect (clip_on kept); world_out_of_range
    // from the corners under the previous mapping (see judge_device_range);
    // true.
    virtual bool set_world(const int32_t rect[4]);
    // Default: world_out_of_range from the corners under the current
    // mapping; clip world = rect, clip_on = on; true.
    virtual bool set_clip_world(const int32_t rect[4], bool on);
    // Default: clip device = rect, clip_on = on; true.
    virtual bool set_clip_device(const int32_t rect[4], bool on);
    // Default: false (nothing drawn).
    virtual bool draw_point_device(const DevicePointS &p);
    // Default: rounds, draw_point_device; a point beyond the device-safe
    // range is left out (true).
    virtual bool draw_point_device_f(const DevicePointF &p);
    // Default: n < 0 false; draw_point_device on each, results ignored; true.
    virtual bool draw_points_device(const DevicePointS *points, int32_t n);
    // Default: n < 0 false; draw_point_device_f on each, results ignored; true.
    virtual bool draw_points_device_f(const DevicePointF *points, int32_t n);
    // Default: false (nothing drawn).
    virtual bool draw_arc_device(const DeviceArcS &arc);
    // Default: false (nothing drawn).
    virtual bool draw_line_device(const DevicePointS &a, const DevicePointS &b);
    // Default: clipped to the device-safe range (nothing left: true),
    // rounded, draw_line_device.
    virtual bool draw_line_device_f(const DevicePointF &a, const DevicePointF &b);
    // Poly-line. Default: false (nothing drawn).
    virtual bool draw_lines_device(const DevicePointS *points, int32_t n);
    // Default: rounds all, draw_lines_device. One that leaves the
    // device-safe range is drawn as the runs that lie in it, one
    // draw_lines_device each; false if any failed.
    virtual bool draw_lines_device_f(const DevicePointF *points, int32_t n);
    // n segments from 2n points. Default: false (nothing drawn).
    virtual bool draw_segments_device(const DevicePointS *points, int32_t n);
    // Default: rounds all 2n points, draw_segments_device; segments leaving
    // the device-safe range are clipped to it, those wholly beyond left out.
    virtual bool draw_segments_device_f(const DevicePointF *points, int32_t n);
    // Default: false (nothing drawn).
    virtual bool draw_rectangle_device(const int32_t rect[4]);
    // Default: trims to the device-safe range, rounds, draw_rectangle_device.
    virtual bool draw_rectangle_device_f(const double rect[4]);
    // Default: false (nothing drawn).
    virtual bool draw_polygon_device(const DevicePointS *points, int32_t n);
    // Default: rounds all, draw_polygon_device; one leaving the device-safe
    // range is clipped to it (a closed outline stays closed).
    virtual bool draw_polygon_device_f(const DevicePointF *points, int32_t n);
    // Whether p cannot be held in the device's integer coordinates; the
    // interface then clips in world coordinates. Default: false.
    virtual bool is_outside_device_range(const DevicePointF &p);
    // Saves the clipboard metafile under another name. Default: true, nothing
    // done.
    virtual bool save_clipboard_to_file(const char *file);
    // TrueType text at a world position, angle in radians. Default: false.
    virtual bool write_rotated_text(GFontTable *font, const WorldPointS &position, int32_t length,
                                    double angle, const char *text);
    // Extent of TrueType text in world units. Default: false.
    virtual bool get_text_bound_box(GFontTable *font, int32_t length, const char *text,
                                    int32_t *width, int32_t *height);
    // Font height for a size in inches. Default: 8.0 whatever the argument.
    virtual double inches_to_font_height(double inches);
    // Turns a world coordinate computed in double into an integer. Must
    // accept any double, including NaN and out-of-range values. No default.
    virtual int32_t round_world_coord(double value) = 0;
    // Drawing surface size. Default: true, outputs untouched.
    virtual bool get_width_n_height(int32_t *width, int32_t *height);
    // Number of colour-map entries, capped at INT32_MAX. Default: colour map.
    virtual bool get_color_size(int32_t *n);
    // Re-reads the device size after the window changed. Default: true.
    virtual bool resize_plot();
    // Kept for the slot order; nothing calls it. Default: 0.
    virtual int32_t reserved_query();

    // ---- Shared helpers for the slots and the concrete devices -----------

    // Stores the size and derives pixels per millimetre and the aspect ratio.
    void set_device_size(int32_t width_px, int32_t height_px, double width_in_mm,
                         double height_in_mm);
    // World point to device point in double precision (single-point mapping).
    DevicePointF world_to_device_f(const WorldPointS &p) const;
    // The same, each coordinate rounded with round_device_coord.
    DevicePointS world_to_device(const WorldPointS &p);
    // Device pixel to world point, rounded with round_world_coord.
    WorldPointS device_to_world(const DevicePointS &p);
    // Maps n points with one precomputed scale and offset per axis; may
    // differ from world_to_device_f in the last bits. n <= 0 writes nothing.
    void world_to_device_array(const WorldPointS *in, int32_t n, DevicePointF *out) const;
    // Fills the whole world window with the background colour, with any clip
    // rectangle lifted for the duration and restored afterwards.
    bool clear();
    // Fills the world clip rectangle with the background colour.
    bool clear_clip_area();
    // 1 when a corner of rect, mapped with the mapping in force, cannot be
    // held in the device's integer coordinates, else 0. A mapping from a
    // world window without width or height (a fresh plot's all-zero one)
    // maps nothing, so it finds every rectangle in range.
    int32_t judge_device_range(const int32_t rect[4]);

    // ---- Data members, in declaration order ------------------------------

    int32_t width_pixels = 0;
    int32_t height_pixels = 0;
    double aspect_ratio = 0.0;
    double width_mm = 0.0;
    double height_mm = 0.0;
    double pixels_per_mm_x = 0.0;
    double pixels_per_mm_y = 0.0;
    bool buffer_mode = false;    // double buffering requested and available
    int32_t buffer_capacity = 0; // drawing buffers offered; no device offers any
    GPlot *plot;                 // the owning plot (not owned)
    bool clip_on = false;        // a world or device clip rectangle is in force
    int32_t open_units;          // DBUnitCode handed over by the open call
    int32_t open_value;          // second integer of the open call
    void *window;                // window drawn into; null for file devices
    // 1 when this plot's last world window or world clip rectangle, or an
    // arc drawn since, did not fit the device's integer range; the interface
    // then clips this plot in world coordinates. Kept per plot: another
    // plot's window says nothing about this one.
    int32_t world_out_of_range = 0;
};

#endif // VEXL33_CORE_GXWIN_BASE_H
