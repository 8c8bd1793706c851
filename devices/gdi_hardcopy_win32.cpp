// GXWINwin32: beginning, restarting and ending the hard copy of a
// print-to-file, printer or clipboard plot.
//
// Output can only begin once the world window is known, since it fixes the
// picture's size: every set_world of a hard-copy plot throws away what was
// begun and begins again. A printer plot draws straight into the printer
// context inside a print job; the other kinds record an enhanced metafile
// into their file, whose recording context stands in for the reference
// context (the window's) until the recording is closed. The sizes come from
// devices/gdi_hardcopy_geometry.h; this file makes the GDI calls.
#include "devices/gdi_device_win32.h"

#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "core/errors.h"
#include "devices/gdi_hardcopy_geometry.h"
#include "hardcopy/print_dialog_win32.h"
#include "hardcopy/print_options.h"
#include "support/int32_conversions.h"
#include "support/rtk_debug.h"
#include "support/settings_lookup.h"

namespace {

// Two strings and the NUL that ends the list, as GDI reads a description.
constexpr char kScaledDescription[] = "Tarnex Kalden\0Velox\0\0";
constexpr char kTrueSizeDescription[] = "Kalden\0Velox 1.7\0\0";
constexpr char kDefaultJobName[] = "Tarnex Kalden Print";
constexpr char kSizeWarning[] =
    "The image is larger than the paper's printable area;\nsome clipping may occur.";

double &process_resolution_factor() {
    static double factor = 0.0;
    return factor;
}

bool hardcopy_traced() {
    return is_debug_mode_active_for("MOLVERN_DEBUG_MODE", "kdhcopy", "all", nullptr) != 0;
}

bool setting_is_set(const char *name) {
    char unused[vexl::kSettingBufferSize];
    return vexl::lookup_setting(name, unused) != 0;
}

// Read by the first true-size hard copy of the process; later changes to the
// variable do not count.
bool size_warning_enabled() {
    static const bool enabled = setting_is_set("DEVICE_SIZE_EXCEEDED_WARNING");
    return enabled;
}

// Tells the user the picture will not fit. False when the user refused to
// go on printing it.
bool user_accepts_oversized_picture() {
    if (setting_is_set("STDERR_OUTPUT")) {
        std::fprintf(stderr, "%s\n", kSizeWarning);
        return true;
    }
    MessageBeep(0);
    return MessageBoxA(nullptr, kSizeWarning, "Printing",
                       MB_OKCANCEL | MB_ICONQUESTION | MB_SETFOREGROUND) == IDOK;
}

vexl::gdi::ResolutionKey key_of(const char *name) {
    using vexl::gdi::ResolutionKey;
    for (ResolutionKey key : {ResolutionKey::File, ResolutionKey::Clipboard})
        if (std::string(name) == vexl::gdi::resolution_key_name(key))
            return key;
    return ResolutionKey::Printer;
}

} // namespace

double GXWINwin32::last_resolution_factor() {
    return process_resolution_factor();
}

double GXWINwin32::emf_resolution(const char *key, double world_width, double world_height) {
    vexl::gdi::ResolutionInputs in;
    in.world_width = world_width;
    in.world_height = world_height;
    in.width_pixels = width_pixels;
    in.pixels_per_mm_x = pixels_per_mm_x;
    RECT client{};
    in.client_width = GetClientRect(hWnd, &client) ? client.right - client.left : width_pixels;
    // The page of the printer chosen in the print dialog; without one, the
    // plot's own context is the best idea of a page there is.
    HDC printer = static_cast<HDC>(vexl::print_dialog_printer_context());
    in.page_width = printer != nullptr ? GetDeviceCaps(printer, HORZRES) : width_pixels;
    in.page_height = printer != nullptr ? GetDeviceCaps(printer, VERTRES) : height_pixels;
    char value[vexl::kSettingBufferSize];
    const bool overridden = vexl::lookup_setting(key, value) != 0;
    process_resolution_factor() =
        vexl::gdi::resolution_factor(key_of(key), in, overridden ? value : nullptr);
    return process_resolution_factor();
}

bool GXWINwin32::begin_hardcopy() {
    const vexl::PrintOptions &options = vexl::print_options();
    const bool true_size =
        options.scaleToFitPage == 0 && options.copyToClipboard == 0 && open_units != 0;
    if (!(true_size ? setup_true_size_hardcopy() : setup_scaled_hardcopy())) {
        discard_hardcopy();
        return false;
    }
    // Output that has begun but cannot get its colours would otherwise stay
    // open, and the next world window would begin a second one beside it.
    if (!setup_hardcopy_colours()) {
        discard_hardcopy();
        return false;
    }
    return true;
}

bool GXWINwin32::start_print_job() {
    // A job the system could not cancel is still open with its page: the
    // new picture goes on that page, since a second job could not start
    // while it is open, and ending it would print the old picture as a job
    // of its own.
    if (print_job_open_)
        return true;
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = fileName.empty() ? kDefaultJobName : fileName.c_str();
    HDC dc = device_context();
    if (StartDocA(dc, &info) <= 0) {
        vexl_displayMsg("Unable to start print job (StartDoc)", "Print Error", MSG_ERROR);
        return false;
    }
    print_job_open_ = true;
    // A job without a page would stay in the spooler until the plot closes;
    // it is cancelled at once.
    if (StartPage(dc) <= 0) {
        AbortDoc(dc);
        print_job_open_ = false;
        return false;
    }
    return true;
}

bool GXWINwin32::start_recording(const RECT &frame, const char *description,
                                 const std::vector<std::string> &comments) {
    HDC recording = CreateEnhMetaFileA(device_context(), fileName.c_str(), &frame, description);
    if (recording == nullptr) {
        char text[64 + MAX_PATH];
        std::snprintf(text, sizeof text, "Unable to create EMF output file: %s", fileName.c_str());
        vexl_displayMsg(text, "Initialization", MSG_ERROR);
        return false;
    }
    // The device's pen and brush leave the reference context with it; the
    // colour set-up makes new ones on the recording.
    selected_.restore();
    reference_dc_ = std::move(dc_);
    dc_ = vexl::gdi::DeviceContext(hWnd, recording, HDC_METAFILE);
    selected_.attach(recording);
    for (const std::string &comment : comments)
        GdiComment(recording, static_cast<UINT>(comment.size() + 1),
                   reinterpret_cast<const BYTE *>(comment.c_str()));
    return true;
}

bool GXWINwin32::setup_scaled_hardcopy() {
    const double world_width = vexl::int32_difference(plot->world[2], plot->world[0]);
    const double world_height = vexl::int32_difference(plot->world[3], plot->world[1]);
    const vexl::PrintOptions &options = vexl::print_options();
    const vexl::gdi::ResolutionKey key =
        vexl::gdi::scaled_resolution_key(options.printToFile != 0, options.copyToClipboard != 0,
                                         plot->device_kind == GPLOT_CLIPBOARD);
    const double factor =
        emf_resolution(vexl::gdi::resolution_key_name(key), world_width, world_height);
    vexl::gdi::GdiRect picture = vexl::gdi::scaled_rectangle(world_width, world_height, factor);
    if (hardcopy_traced())
        vexl_displayMsg(
            vexl::gdi::scaled_trace_message(plot->world, world_width, world_height, picture)
                .c_str(),
            "EMF Print Info", MSG_INFORMATION);

    if (is_printer()) {
        if (!start_print_job())
            return false;
        // Centred on the page itself: the plot's device extent has become the
        // previous picture's once a world window was set before.
        picture = vexl::gdi::centred_on_page(picture, width_pixels - 1, height_pixels - 1);
        hardcopy_rect_ = picture;
        resize_plot();
    } else {
        hardcopy_rect_ = picture;
        resize_plot();
        const vexl::gdi::GdiRect frame =
            vexl::gdi::metafile_frame(picture, width_mm, height_mm, width_pixels, height_pixels);
        const RECT bounds{frame.left, frame.top, frame.right, frame.bottom};
        if (!start_recording(bounds, kScaledDescription,
                             vexl::gdi::scaled_comments(world_width, world_height, open_units,
                                                        open_value, picture)))
            return false;
    }
    IntersectClipRect(device_context(), picture.left, picture.top, picture.right, picture.bottom);
    return true;
}

bool GXWINwin32::setup_true_size_hardcopy() {
    const double world_width = vexl::int32_difference(plot->world[2], plot->world[0]);
    const double world_height = vexl::int32_difference(plot->world[3], plot->world[1]);
    const vexl::gdi::TrueSize size =
        vexl::gdi::true_size(world_width, world_height, open_units, open_value, width_pixels,
                             height_pixels, width_mm, height_mm);
    const bool traced = hardcopy_traced();
    if (traced)
        std::fputs(vexl::gdi::true_size_trace_start(size, world_width, world_height, is_printer(),
                                                    fileName)
                       .c_str(),
                   stderr);

    if (size_warning_enabled() && vexl::print_options().printStatus != 0 &&
        vexl::gdi::larger_than_paper(world_width, world_height, pixels_per_mm_x, pixels_per_mm_y,
                                     width_mm, height_mm) &&
        !user_accepts_oversized_picture()) {
        plot->device_kind = GPLOT_FILE;
        vexl::print_options().printStatus = 0;
    }

    if (is_printer()) {
        if (!start_print_job())
            return false;
    } else {
        const RECT bounds{size.frame.left, size.frame.top, size.frame.right, size.frame.bottom};
        if (!start_recording(bounds, kTrueSizeDescription,
                             vexl::gdi::true_size_comments(aspect_ratio, open_units, open_value)))
            return false;
    }

    HDC dc = device_context();
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, size.window_extent_x, size.window_extent_y, nullptr);
    vexl::gdi::TrueSizeMapping mapping{};
    mapping.logical_units_x = GetDeviceCaps(dc, LOGPIXELSX) * size.inches_x;
    mapping.logical_units_y = GetDeviceCaps(dc, LOGPIXELSY) * size.inches_y;
    mapping.viewport_extent_x =
        vexl::gdi::viewport_extent(GetDeviceCaps(dc, LOGPIXELSX), size.inches_x);
    mapping.viewport_extent_y =
        vexl::gdi::viewport_extent(GetDeviceCaps(dc, LOGPIXELSY), size.inches_y);
    SetViewportExtEx(dc, mapping.viewport_extent_x, mapping.viewport_extent_y, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    hardcopy_rect_ = size.rectangle;
    if (traced) {
        mapping.pixels_x = width_pixels;
        mapping.pixels_y = height_pixels;
        mapping.mm_x = width_mm;
        mapping.mm_y = height_mm;
        std::fputs(vexl::gdi::true_size_trace_mapping(size, mapping).c_str(), stderr);
    }
    resize_plot();
    return true;
}

void GXWINwin32::close_recording() {
    // The device's pen and brush go before GDI deletes the context they are
    // selected in.
    selected_.restore();
    if (HENHMETAFILE recorded = CloseEnhMetaFile(device_context()))
        DeleteEnhMetaFile(recorded);
    dc_ = std::move(reference_dc_);
    selected_.attach(dc_.get());
}

void GXWINwin32::discard_hardcopy() {
    if (print_job_open_) {
        HDC dc = device_context();
        // Some spoolers cannot cancel a job (AbortDoc fails); it then stays
        // open for the next picture (start_print_job).
        if (AbortDoc(dc) > 0)
            print_job_open_ = false;
        // The next picture may be scaled: the true-size mapping goes with
        // the picture it was set for.
        SetMapMode(dc, MM_TEXT);
    }
    if (device_context_state() == HDC_METAFILE) {
        close_recording();
        std::remove(fileName.c_str());
    }
    hardcopyStarted = false;
}

bool GXWINwin32::finish_hardcopy() {
    if (print_job_open_) {
        HDC dc = device_context();
        EndPage(dc);
        EndDoc(dc);
        print_job_open_ = false;
        // The printer context goes back to the print dialog, and the next
        // printer plot takes it as it finds it: without this plot's mapping
        // and clip region.
        SetMapMode(dc, MM_TEXT);
        SelectClipRgn(dc, nullptr);
    }
    if (device_context_state() != HDC_METAFILE)
        return false;
    close_recording();
    return true;
}
