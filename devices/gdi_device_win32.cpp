// GXWINwin32: construction, destruction, rounding, size and the world window.
//
// Construction obtains one device context for the plot's whole life: the
// window's own for a screen plot, and for the hard-copy kinds a reference
// context (the window's) until their output begins, or the print dialog's
// printer context when a printer was chosen there. Everything obtained is
// held by an owner as soon as it exists, so the exceptions thrown on the way
// out of a failed construction give all of it back.
#include "devices/gdi_device_win32.h"

#include <algorithm>
#include <cstdio>

#include "colour/color_map.h"
#include "colour/pattern_table.h"
#include "core/errors.h"
#include "hardcopy/print_dialog_win32.h"
#include "hardcopy/print_options.h"
#include "plot/gplot.h"
#include "support/platform.h"
#include "support/settings_lookup.h"

namespace {

// Colours before a colour index is applied: palette-relative white and black.
constexpr COLORREF kPaletteWhite = 0x02FFFFFF;
constexpr COLORREF kPaletteBlack = 0x02000000;

// The world window and clip rectangle of a new plot.
constexpr int32_t kInitialWorld[4] = {0, 0, 1000, 1000};

const char kNoContextMessage[] = "Could not get device context (hDC).";

// The printer context the last print dialog returned. The dialog's record
// keeps it; a printer plot only borrows it.
HDC printer_context_of_print_dialog() {
    return static_cast<HDC>(vexl::print_dialog_printer_context());
}

// Told once, on the error stream when the user asked for it, else in a box.
void report_no_context() {
    char unused[vexl::kSettingBufferSize];
    if (vexl::lookup_setting("STDERR_OUTPUT", unused) != 0) {
        std::fprintf(stderr, "%s\n", kNoContextMessage);
        return;
    }
    vexl::platform::message_box(kNoContextMessage, "Initialization", MB_ICONEXCLAMATION,
                                MB_ICONERROR | MB_TASKMODAL);
}

// The companion module is loaded by the first device of the process only.
void load_companion_module_once(GPlotDevice kind) {
    static bool tried = false;
    if (tried)
        return;
    tried = true;
    vexldll_load(kind);
}

// AngleArc exists on the NT family only.
bool system_has_angle_arc() {
    return GetVersion() < 0x80000000u;
}

} // namespace

GXWINwin32::GXWINwin32(GPlot *owner, HWND window_handle, const char *file, int32_t units,
                       int32_t value)
    : GXWINbase(owner, window_handle, units, value) {
    hWnd = window_handle != nullptr ? window_handle : static_cast<HWND>(GetScreenHwnd());
    window = hWnd;
    load_companion_module_once(plot->device_kind);
    stepped_arcs_ = !system_has_angle_arc();

    obtain_context();
    HDC dc = dc_.get();
    set_device_size(GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES),
                    GetDeviceCaps(dc, HORZSIZE), GetDeviceCaps(dc, VERTSIZE));

    plot->line_type = 0;
    plot->fill_pattern = -1;
    plot->marker = 2;
    plot->foreground_color = -1;
    plot->transparency = 255;
    plot->background_color = -1;
    plot->line_clipping = 1;
    vexl::find_color_map(get_colormap_key());

    if (is_screen())
        set_up_screen();
    else
        set_up_hardcopy_kind(file);

    resize_plot();
    std::copy_n(kInitialWorld, 4, plot->world);
    std::copy_n(kInitialWorld, 4, plot->clip_world);
}

GXWINwin32::~GXWINwin32() {
    // The hard copy is ended first, on its own context; then the owners give
    // everything back in their declaration order: the pen and brush (put
    // out of the context), then the context.
    const bool recorded = finish_hardcopy();
    // A clipboard plot's recording goes onto the clipboard, and its
    // temporary file (with or without a recording) goes away, unless the
    // plot is to keep the file for its caller.
    if (plot->device_kind != GPLOT_CLIPBOARD || plot->keep_clipboard_file != 0 || fileName.empty())
        return;
    if (recorded)
        EMFtoClipBoard(nullptr, 0, fileName.c_str());
    std::remove(fileName.c_str());
}

void GXWINwin32::obtain_context() {
    const vexl::PrintOptions &options = vexl::print_options();
    const GPlotDevice kind = plot->device_kind;
    const bool reference_context = kind == GPLOT_SCREEN || kind == GPLOT_CLIPBOARD ||
                                   options.copyToClipboard != 0 || options.printToFile != 0 ||
                                   options.printStatus == 0;
    if (reference_context) {
        hDCstate state = HDC_NONE;
        HDC dc = static_cast<HDC>(GetScreenDC(hWnd, &state));
        dc_ = vexl::gdi::DeviceContext(hWnd, dc, state);
    } else {
        // A file or print plot while a printer was chosen in the print
        // dialog prints on that printer.
        plot->device_kind = GPLOT_PRINT;
        HDC dc = printer_context_of_print_dialog();
        dc_ = vexl::gdi::DeviceContext(hWnd, dc, dc != nullptr ? HDC_PRINTER : HDC_NONE);
    }
    if (!dc_) {
        report_no_context();
        vexl::fail(vexl::Error::NoDeviceContext);
        throw GdiDeviceNotBuilt{};
    }
    selected_.attach(dc_.get());
}

void GXWINwin32::set_up_screen() {
    if (!vexl::load_pattern_table())
        throw GdiDeviceNotBuilt{};
    HDC dc = dc_.get();
    foregroundRGB = kPaletteWhite;
    select_pen(foregroundRGB);
    set_line_width_world(0);
    set_line_type(0);
    SetTextColor(dc, foregroundRGB);
    backgroundRGB = kPaletteBlack;
    SetBkColor(dc, backgroundRGB);
    SetBkMode(dc, TRANSPARENT);
    select_solid_brush(backgroundRGB);
    set_foreground_color(8, 255);
    set_background_color(0);
    const float whole[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    set_viewport(whole);
}

void GXWINwin32::set_up_hardcopy_kind(const char *file) {
    if (file == nullptr)
        throw GdiDeviceNotBuilt{};
    fileName = file;
    hardcopyStarted = false;
    const float whole[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    set_viewport(whole);
    hardcopy_rect_ = {0, 0, width_pixels, height_pixels};
}

int32_t GXWINwin32::round_device_coord(double value) {
    return vexl::gdi::round_coord(value);
}

int32_t GXWINwin32::round_world_coord(double value) {
    return vexl::gdi::round_coord(value);
}

bool GXWINwin32::is_outside_device_range(const DevicePointF &p) {
    return vexl::gdi::outside_device_range(p);
}

bool GXWINwin32::get_width_n_height(int32_t *w, int32_t *h) {
    *w = width;
    *h = height;
    return true;
}

bool GXWINwin32::set_world(const int32_t rect[4]) {
    GXWINbase::set_world(rect);
    if (is_screen())
        return true;
    if (hardcopyStarted)
        discard_hardcopy();
    if (!begin_hardcopy())
        return false;
    hardcopyStarted = true;
    return true;
}
