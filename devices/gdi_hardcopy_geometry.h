// The arithmetic of hard copy on the Windows graphics device: how large a
// recorded metafile or a printed picture is, kept apart from the GDI calls
// so that the native tests cover it.
//
// Two scalings exist. Scaled output maps the world window onto a pixel
// rectangle whose size follows a resolution factor (device pixels per world
// unit) chosen by a setting; a printed picture is centred on its page.
// True-size output converts the world window to inches from the plot's
// database unit and precision, so one world unit prints at its physical
// length.
//
// A world window without width or height (or one turned inside out, which
// only a direct device call can hand over) has no factor: every division by
// its extent gives 0 instead, and the picture shrinks to one pixel rather
// than becoming infinite, negative or undefined. Every conversion to an
// integer saturates, so a huge resolution cannot overflow a rectangle.
#ifndef VEXL33_DEVICES_GDI_HARDCOPY_GEOMETRY_H
#define VEXL33_DEVICES_GDI_HARDCOPY_GEOMETRY_H

#include <cstdint>
#include <string>
#include <vector>

#include "devices/gdi_geometry.h"

namespace vexl::gdi {

// The settings that choose the resolution of scaled output.
enum class ResolutionKey { File, Clipboard, Printer };

// "EMF_FILE_RES", "EMF_CLIPBOARD_RES" or "EMF_PRINTER_RES".
const char *resolution_key_name(ResolutionKey key);

// Print-to-file takes the file resolution, copy-to-clipboard and clipboard
// plots the clipboard one, everything else (a printer) the printer one.
ResolutionKey scaled_resolution_key(bool print_to_file, bool copy_to_clipboard,
                                    bool clipboard_plot);

// What the factor is computed from. world_width and world_height are the
// world window's extents; the rest describe the output.
struct ResolutionInputs {
    double world_width = 0.0;
    double world_height = 0.0;
    double width_pixels = 0.0;    // the reference (or printer) context's width
    double pixels_per_mm_x = 0.0; // of the same context
    double client_width = 0.0;    // the window's client width (clipboard default)
    double page_width = 0.0;      // the printer's HORZRES (printer default)
    double page_height = 0.0;     // the printer's VERTRES
};

// The factor before any setting overrides it: file, the context's width over
// the world width; clipboard, the client width over it; printer, the larger
// of the two page-to-world ratios when the whole picture then fits the page,
// else the smaller.
double default_resolution(ResolutionKey key, const ResolutionInputs &in);

// The factor a setting's value makes of the default. The value is split at
// tabs, commas and blanks. A first word starting with a digit is dots per
// inch; one starting with h, l or m (either case) asks for one pixel per
// world unit, half the context's width, or all of it; anything else keeps
// the default. A second word starting with a number is a percentage of the
// factor so far; any other second word is ignored.
double resolution_with_setting(double default_factor, const char *value,
                               const ResolutionInputs &in);

// The factor for key: the default, overridden by value when the setting is
// set (value not null).
double resolution_factor(ResolutionKey key, const ResolutionInputs &in, const char *value);

// The scaled picture: (0, 0, W * factor, H * factor), truncated; a side that
// comes out below one pixel is one pixel.
GdiRect scaled_rectangle(double world_width, double world_height, double factor);

// A printed picture moved to the middle of the page whose last pixel is
// (page_right, page_bottom): by half the room left on each axis where there
// is at least one pixel of room, else not at all on that axis.
GdiRect centred_on_page(const GdiRect &picture, int32_t page_right, int32_t page_bottom);

// The frame a metafile records for a rectangle of reference pixels, in
// 0.01 mm: each side times the reference's size in 0.01 mm per pixel,
// rounded half away from zero. A context reporting no pixels gives 0.
GdiRect metafile_frame(const GdiRect &pixels, double width_mm, double height_mm,
                       double width_pixels, double height_pixels);

// World units per database unit of a precision code (-1 .. -4 are 10 ..
// 10000; anything else 1), and inches per database unit of a unit code
// (mil, micrometre, millimetre, centimetre; inch and anything else 1).
double database_precision(int32_t open_value);
double inches_per_database_unit(int32_t open_units);

// Every figure of a true-size hard copy.
struct TrueSize {
    double precision = 1.0; // world units per database unit
    double units_x = 0.0;   // world extents in database units
    double units_y = 0.0;
    double unit_factor = 1.0; // inches per database unit
    double inches_x = 0.0;
    double inches_y = 0.0;
    GdiRect frame{0, 0, 0, 0};   // in 0.01 mm, truncated
    double device_units_x = 0.0; // the picture in reference pixels
    double device_units_y = 0.0;
    int32_t window_extent_x = 0; // (int)device units - 1
    int32_t window_extent_y = 0;
    GdiRect rectangle{0, 0, 0, 0}; // the hard-copy rectangle
};

// The figures of a world window of W x H on a reference of the given size.
TrueSize true_size(double world_width, double world_height, int32_t open_units, int32_t open_value,
                   double width_pixels, double height_pixels, double width_mm, double height_mm);

// The viewport extent of one axis: the context's logical pixels per inch
// times the picture's inches, truncated.
int32_t viewport_extent(int32_t logical_pixels_per_inch, double inches);

// Whether a world window of W x H, in reference pixels, is larger than the
// reference's paper on either axis.
bool larger_than_paper(double world_width, double world_height, double pixels_per_mm_x,
                       double pixels_per_mm_y, double width_mm, double height_mm);

// The texts of the comment records written right after a recording starts,
// without their terminating NULs.
std::vector<std::string> scaled_comments(double world_width, double world_height,
                                         int32_t open_units, int32_t open_value,
                                         const GdiRect &picture);
std::vector<std::string> true_size_comments(double aspect_ratio, int32_t open_units,
                                            int32_t open_value);

// The message the scaled set-up shows when hard copy is traced.
std::string scaled_trace_message(const int32_t world[4], double world_width, double world_height,
                                 const GdiRect &picture);

// The two blocks the true-size set-up writes when hard copy is traced: the
// first before its output begins, the second once the mapping is set.
std::string true_size_trace_start(const TrueSize &size, double world_width, double world_height,
                                  bool printer, const std::string &file_name);
struct TrueSizeMapping {
    double pixels_x, pixels_y, mm_x, mm_y;
    double logical_units_x, logical_units_y;
    int32_t viewport_extent_x, viewport_extent_y;
};
std::string true_size_trace_mapping(const TrueSize &size, const TrueSizeMapping &mapping);

} // namespace vexl::gdi

#endif // VEXL33_DEVICES_GDI_HARDCOPY_GEOMETRY_H
