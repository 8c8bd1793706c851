// GHPGL2: creation, the plot-file prologue and epilogue, and the attribute
// and state operations. Drawing is in ghpgl2_drawing.cpp, the fill-type
// table in ghpgl2_fill_types.cpp.
//
// Attribute instructions (SP, LT, FT) are written only when the requested
// value differs from the one in force. The viewport (IR) and world window
// (SC) are written on every call: they change rarely, and sending them again
// re-establishes the plotter's scaling whatever happened before.
#include "devices/ghpgl2.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

#include "colour/color_map.h"
#include "core/c_boundary.h"
#include "core/errors.h"
#include "devices/ghpgl2_fill_types.h"
#include "support/int32_conversions.h"
#include "support/rtk_files.h"
#include "support/settings_lookup.h"

namespace {

// Resolution in dots per inch; 72 unless set.
double resolution(const char *name) {
    return vexl::integer_setting(name).value_or(72);
}

// Paper size in inches. The default height is a fraction (US letter,
// landscape); a set value is a whole number of inches.
double paper_size(const char *name, double fallback) {
    const std::optional<int32_t> inches = vexl::integer_setting(name);
    return inches ? static_cast<double>(*inches) : fallback;
}

} // namespace

GHPGL2::GHPGL2(GPlot *owner, const char *name, int32_t units, int32_t value)
    : GXWINbase(owner, nullptr, units, value) {
    plot->device_kind = GPLOT_HPGL2;
    plot->fill_pattern = -1;
    plot->foreground_color = -1;
    plot->background_color = -1;
    plot->transparency = 255;
    plot->line_width = 1;
    plot->line_clipping = 1;

    vexl::FilePtr stream(rtk_fopen(name, "w"));
    if (!stream) {
        vexl::fail(vexl::Error::FileOpenFailed);
        throw Hpgl2FileNotOpened{};
    }
    file.open(std::move(stream));

    vexl::hpgl2_fill_types().rebuild(file);
    // Loaded now rather than at the first colour change, so that the colour
    // file's messages come when the plot is opened.
    vexl::find_color_map(get_colormap_key());

    file.write_text("IN;\n");
    // The open call's two integers go out as the initial pen-up move; the
    // viewport's IR instruction follows on the same line.
    file.write("PU%d,%d;", {units, value});
    pen_down = 0;
}

GHPGL2::~GHPGL2() {
    file.write_text("PG;\n");
    if (!file.close())
        vexl::fail(vexl::Error::FileCloseFailed);
    pen_down = 0;
}

int32_t GHPGL2::round_device_coord(double value) {
    return vexl::round_to_int32(value);
}

int32_t GHPGL2::round_world_coord(double value) {
    return vexl::trunc_to_int32(value);
}

void GHPGL2::flush() {
    if (!file.flush())
        vexl::fail(vexl::Error::FileCloseFailed);
}

void GHPGL2::lift_pen() {
    if (pen_down == 1) {
        file.write_text("PU;");
        pen_down = 0;
    }
}

void GHPGL2::lower_pen() {
    if (pen_down == 0) {
        file.write_text("PD;");
        pen_down = 1;
    }
}

// ---- Attributes ---------------------------------------------------------------

bool GHPGL2::set_line_width_world(int32_t width) {
    if (width < 0) {
        vexl::fail(vexl::Error::InvalidLineWidth);
        return false;
    }
    lift_pen();
    plot->line_width = width;
    // The width is the application's own number, not world units: the
    // plotter receives it in millimetres at 0.35 mm per unit.
    file.write("PW%lf;\n", {width * 0.35});
    return true;
}

bool GHPGL2::set_foreground_color(int32_t index, int32_t transparency) {
    if (colour_sent_ && plot->foreground_color == index && plot->transparency == transparency)
        return true;
    plot->foreground_color = index;
    plot->transparency = transparency;

    const vexl::ColorMap &map = vexl::find_color_map(get_colormap_key());
    const int32_t colours = vexl::color_count(map);
    int32_t pen = 1;
    if (!ghpgl2_force_monochrome(colours)) {
        if (index < 0 || index >= colours) {
            colour_sent_ = false;
            return false;
        }
        pen = map.entries[static_cast<std::size_t>(index)].pen;
    }
    lift_pen();
    file.write("SP%d;\n", {pen});
    colour_sent_ = true;
    return true;
}

bool GHPGL2::set_line_type(int32_t type) {
    if (plot->line_type == type)
        return true;
    plot->line_type = type;
    // Pattern number and pattern length (in percent of the diagonal) for
    // each of the library's line types; types beyond these keep whatever
    // the plotter has.
    switch (type) {
        case 0:
            file.write_text("LT;\n");
            break;
        case 1:
            file.write("LT1,%d;\n", {2});
            break;
        case 2:
            file.write("LT1,%d;\n", {1});
            break;
        case 3:
            file.write("LT2,%d;\n", {1});
            break;
        case 4:
            file.write("LT6,%d;\n", {3});
            break;
        case 5:
            file.write("LT3,%d;\n", {2});
            break;
        case 6:
            file.write("LT4,%d;\n", {3});
            break;
        default:
            break;
    }
    return true;
}

bool GHPGL2::set_fill_pattern(int32_t pattern) {
    if (plot->fill_pattern == pattern)
        return true;
    plot->fill_pattern = pattern;
    if (pattern == -1)
        return true; // no fill: polygons are only edged
    const vexl::FillType *fill = vexl::hpgl2_fill_types().find(pattern);
    if (fill == nullptr) {
        // Solid, and also the fallback for a pattern the table lacks.
        file.write_text("FT;\n");
        return true;
    }
    // The fill-pattern file gives hatch spacing in plotter units, and FT
    // reads it in the units in force: scaling is switched off around FT and
    // back on with the plot's world window.
    const int32_t *w = plot->world;
    file.write_text("SC;\n");
    file.write("FT%d,%d,%lf;\n",
               {fill->fill_type, fill->fill_option1, static_cast<double>(fill->fill_option2)});
    file.write("SC%d,%d,%d,%d,1;\n", {w[0], w[2], w[1], w[3]});
    return true;
}

bool GHPGL2::clear_world_rect(const int32_t[4]) {
    return true; // paper is cleared by the next page, not by drawing
}

bool GHPGL2::set_viewport(const float vp[4]) {
    float fractions[4];
    std::copy_n(vp, 4, fractions); // vp may be the plot's own viewport
    GXWINbase::set_viewport(fractions);
    // Percent of the hard-clip limits, formed in the viewport's own float
    // precision so that a fraction such as 0.29f gives 29 and not 28.
    int32_t percent[4];
    for (int i = 0; i < 4; ++i) {
        const float scaled = fractions[i] * 100.0f;
        percent[i] = vexl::trunc_to_int32(scaled);
    }
    file.write("IR%d,%d,%d,%d;\n", {percent[0], percent[1], percent[2], percent[3]});
    return true;
}

bool GHPGL2::set_world(const int32_t rect[4]) {
    GXWINbase::set_world(rect);
    const int32_t *w = plot->world;
    file.write("SC%d,%d,%d,%d,1;\n", {w[0], w[2], w[1], w[3]}); // x range, then y range
    return true;
}

bool GHPGL2::set_clip_world(const int32_t rect[4], bool on) {
    GXWINbase::set_clip_world(rect, on);
    const int32_t *c = plot->clip_world;
    if (on)
        file.write("IW%d,%d,%d,%d;\n", {c[0], c[1], c[2], c[3]});
    else
        file.write_text("IW;\n");
    return true;
}

bool GHPGL2::get_pixels_perinch(double *x, double *y) {
    *x = resolution("HPGL2_DPI_WIDTH");
    *y = resolution("HPGL2_DPI_HEIGHT");
    return true;
}

bool GHPGL2::get_width_n_height(int32_t *width, int32_t *height) {
    // Read on every call, so a change of the settings shows at once.
    *width =
        vexl::trunc_to_int32(paper_size("HPGL2_PAPER_WIDTH", 11.0) * resolution("HPGL2_DPI_WIDTH"));
    *height = vexl::trunc_to_int32(paper_size("HPGL2_PAPER_HEIGHT", 8.5) *
                                   resolution("HPGL2_DPI_HEIGHT"));
    return true;
}

// ---- Exported functions ---------------------------------------------------------

extern "C" {

VEXL_API int ghpgl2_create(GPlot *plot, const char *file, DBUnitCode units, int value) VEXL_TRY {
    vexl::clear_error();
    if (plot == nullptr)
        return vexl::fail(vexl::Error::InvalidPlot);
    // A plot owns one device for its whole life; building a second one on
    // it would orphan the first, file and all.
    if (plot->device != nullptr)
        return vexl::fail(vexl::Error::InvalidArgument);
    try {
        new GHPGL2(plot, file, units, value); // owned by plot->device from here
        return 1;
    } catch (...) {
        // The partly built device has unlinked itself from the plot.
        if (GplotErrno == 0) {
            std::perror("malloc");
            vexl::fail(vexl::Error::Hpgl2MallocFailed);
        }
        return 0;
    }
}
VEXL_CATCH_RETURN(0, vexl::Error::Hpgl2MallocFailed)

VEXL_API int ghpgl2_color_mode(int on) VEXL_TRY {
    return on != 0 ? 1 : 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API int ghpgl2_force_monochrome(int colors) VEXL_TRY {
    return colors < 3 ? 1 : 0;
}
VEXL_CATCH_RETURN(0)

} // extern "C"
