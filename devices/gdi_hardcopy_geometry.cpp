// The arithmetic of hard copy. Divisions by a world extent go through
// per_world_unit, which answers 0 for an extent that is not positive, so no
// setting and no world window can make a factor infinite or NaN.
#include "devices/gdi_hardcopy_geometry.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/int32_conversions.h"

namespace vexl::gdi {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kHundredthsMmPerInch = 2540.0;

// amount / extent, or 0 when the extent gives nothing to divide by.
double per_world_unit(double amount, double extent) {
    return extent > 0.0 ? amount / extent : 0.0;
}

// a / b for the output's own sizes, which a broken context may report as 0.
double ratio(double a, double b) {
    return b != 0.0 ? a / b : 0.0;
}

// One pixel at least: a picture never vanishes or turns inside out.
int32_t picture_side(double extent) {
    return std::max(trunc_to_int32(extent), 1);
}

bool is_separator(char c) {
    return c == '\t' || c == ',' || c == ' ';
}

// The first two words of a setting's value.
void first_two_words(const char *value, std::string &first, std::string &second) {
    std::string *words[2] = {&first, &second};
    int found = 0;
    const char *p = value;
    while (*p != '\0' && found < 2) {
        while (*p != '\0' && is_separator(*p))
            ++p;
        const char *start = p;
        while (*p != '\0' && !is_separator(*p))
            ++p;
        if (p > start)
            words[found++]->assign(start, p);
    }
}

// The number a word starts with, if it starts with one.
bool leading_number(const std::string &word, double &number) {
    if (word.empty())
        return false;
    char *end = nullptr;
    number = std::strtod(word.c_str(), &end);
    return end != word.c_str();
}

void append(std::string &out, const char *format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    out += line;
}

constexpr char kRule[] = "-----------------------------\n";
constexpr char kDoubleRule[] = "===============================\n";

} // namespace

const char *resolution_key_name(ResolutionKey key) {
    switch (key) {
        case ResolutionKey::File:
            return "EMF_FILE_RES";
        case ResolutionKey::Clipboard:
            return "EMF_CLIPBOARD_RES";
        case ResolutionKey::Printer:
            break;
    }
    return "EMF_PRINTER_RES";
}

ResolutionKey scaled_resolution_key(bool print_to_file, bool copy_to_clipboard,
                                    bool clipboard_plot) {
    if (print_to_file)
        return ResolutionKey::File;
    if (copy_to_clipboard || clipboard_plot)
        return ResolutionKey::Clipboard;
    return ResolutionKey::Printer;
}

double default_resolution(ResolutionKey key, const ResolutionInputs &in) {
    switch (key) {
        case ResolutionKey::File:
            return per_world_unit(in.width_pixels, in.world_width);
        case ResolutionKey::Clipboard:
            return per_world_unit(in.client_width, in.world_width);
        case ResolutionKey::Printer:
            break;
    }
    // Both ratios are needed to choose; either extent missing gives none.
    if (!(in.world_width > 0.0) || !(in.world_height > 0.0))
        return 0.0;
    const double sx = in.page_width / in.world_width;
    const double sy = in.page_height / in.world_height;
    const double big = std::max(sx, sy);
    const double small = std::min(sx, sy);
    const bool fits =
        big * in.world_height <= in.page_height && in.world_width * big <= in.page_width;
    return fits ? big : small;
}

double resolution_with_setting(double factor, const char *value, const ResolutionInputs &in) {
    std::string first, second;
    first_two_words(value, first, second);
    if (!first.empty()) {
        const unsigned char lead = static_cast<unsigned char>(first[0]);
        if (std::isdigit(lead)) {
            const double dots_per_inch = std::strtod(first.c_str(), nullptr);
            factor = per_world_unit(dots_per_inch * kMillimetresPerInch * in.pixels_per_mm_x,
                                    in.world_width);
        } else if (std::isalpha(lead)) {
            switch (std::tolower(lead)) {
                case 'h':
                    factor = 1.0;
                    break;
                case 'l':
                    factor = per_world_unit(in.width_pixels, in.world_width) * 0.5;
                    break;
                case 'm':
                    factor = per_world_unit(in.width_pixels, in.world_width);
                    break;
                default:
                    break;
            }
        }
    }
    double percent = 0.0;
    // A second word that is no number would otherwise make the factor 0 and
    // the picture a single pixel.
    if (leading_number(second, percent))
        factor *= percent / 100.0;
    return factor;
}

double resolution_factor(ResolutionKey key, const ResolutionInputs &in, const char *value) {
    const double factor = default_resolution(key, in);
    return value != nullptr ? resolution_with_setting(factor, value, in) : factor;
}

GdiRect scaled_rectangle(double world_width, double world_height, double factor) {
    return {0, 0, picture_side(world_width * factor), picture_side(world_height * factor)};
}

GdiRect centred_on_page(const GdiRect &picture, int32_t page_right, int32_t page_bottom) {
    const int64_t room_x = static_cast<int64_t>(page_right) - picture.right;
    const int64_t room_y = static_cast<int64_t>(page_bottom) - picture.bottom;
    const int64_t dx = room_x >= 1 ? room_x / 2 : 0;
    const int64_t dy = room_y >= 1 ? room_y / 2 : 0;
    return {saturate_to_int32(picture.left + dx), saturate_to_int32(picture.top + dy),
            saturate_to_int32(picture.right + dx), saturate_to_int32(picture.bottom + dy)};
}

GdiRect metafile_frame(const GdiRect &pixels, double width_mm, double height_mm,
                       double width_pixels, double height_pixels) {
    const double sx = ratio(width_mm * 100.0, width_pixels);
    const double sy = ratio(height_mm * 100.0, height_pixels);
    return {round_to_int32(pixels.left * sx), round_to_int32(pixels.top * sy),
            round_to_int32(pixels.right * sx), round_to_int32(pixels.bottom * sy)};
}

double database_precision(int32_t open_value) {
    switch (open_value) {
        case -1:
            return 10.0;
        case -2:
            return 100.0;
        case -3:
            return 1000.0;
        case -4:
            return 10000.0;
        default:
            return 1.0;
    }
}

double inches_per_database_unit(int32_t open_units) {
    switch (open_units) {
        case 1: // mil
            return 0.001;
        case 3: // micrometre
            return 3.93700787e-05;
        case 4: // millimetre
            return 0.0393700787;
        case 5: // centimetre
            return 0.393700787;
        default: // inch, and whatever is not a unit
            return 1.0;
    }
}

TrueSize true_size(double world_width, double world_height, int32_t open_units, int32_t open_value,
                   double width_pixels, double height_pixels, double width_mm, double height_mm) {
    TrueSize s;
    s.precision = database_precision(open_value);
    s.units_x = world_width / s.precision;
    s.units_y = world_height / s.precision;
    s.unit_factor = inches_per_database_unit(open_units);
    s.inches_x = s.unit_factor * s.units_x;
    s.inches_y = s.unit_factor * s.units_y;
    s.frame = {0, 0, trunc_to_int32(s.inches_x * kHundredthsMmPerInch),
               trunc_to_int32(s.inches_y * kHundredthsMmPerInch)};
    s.device_units_x = ratio(s.inches_x * kMillimetresPerInch * width_pixels, width_mm);
    s.device_units_y = ratio(s.inches_y * kMillimetresPerInch * height_pixels, height_mm);
    s.window_extent_x = saturate_to_int32(int64_t{trunc_to_int32(s.device_units_x)} - 1);
    s.window_extent_y = saturate_to_int32(int64_t{trunc_to_int32(s.device_units_y)} - 1);
    const double right = ratio(width_pixels * s.inches_x * kHundredthsMmPerInch, width_mm * 100.0);
    const double bottom =
        ratio(height_pixels * s.inches_y * kHundredthsMmPerInch, height_mm * 100.0);
    s.rectangle = {0, 0, saturate_to_int32(int64_t{trunc_to_int32(right)} - 1),
                   saturate_to_int32(int64_t{trunc_to_int32(bottom)} - 1)};
    return s;
}

int32_t viewport_extent(int32_t logical_pixels_per_inch, double inches) {
    return trunc_to_int32(logical_pixels_per_inch * inches);
}

bool larger_than_paper(double world_width, double world_height, double pixels_per_mm_x,
                       double pixels_per_mm_y, double width_mm, double height_mm) {
    // A context without a pixel density has no paper to compare with.
    return (pixels_per_mm_x > 0.0 && world_width / pixels_per_mm_x > width_mm) ||
           (pixels_per_mm_y > 0.0 && world_height / pixels_per_mm_y > height_mm);
}

std::vector<std::string> scaled_comments(double world_width, double world_height,
                                         int32_t open_units, int32_t open_value,
                                         const GdiRect &picture) {
    std::vector<std::string> comments(5);
    const double aspect = world_width != 0.0 ? world_height / world_width : 1.0;
    append(comments[0], "%lf", aspect);
    append(comments[1], "%d", open_units);
    append(comments[2], "%d", open_value);
    append(comments[3], "%lf", static_cast<double>(int64_t{picture.right} - picture.left));
    append(comments[4], "%lf", static_cast<double>(int64_t{picture.bottom} - picture.top));
    return comments;
}

std::vector<std::string> true_size_comments(double aspect_ratio, int32_t open_units,
                                            int32_t open_value) {
    std::vector<std::string> comments(3);
    append(comments[0], "%lf", aspect_ratio);
    append(comments[1], "%d", open_units);
    append(comments[2], "%d", open_value);
    return comments;
}

std::string scaled_trace_message(const int32_t world[4], double world_width, double world_height,
                                 const GdiRect &picture) {
    std::string text;
    append(text,
           "SCREEN World: \nll (%d, %d) \nur (%d, %d)\nwidth = %d\nheight = %d \n\n"
           "EMF Device: \nlt (%d, %d) \nrb (%d, %d)\nwidth = %d\nheight =%d",
           world[0], world[1], world[2], world[3], trunc_to_int32(world_width),
           trunc_to_int32(world_height), picture.left, picture.top, picture.right, picture.bottom,
           saturate_to_int32(int64_t{picture.right} + 1),
           saturate_to_int32(int64_t{picture.bottom} + 1));
    return text;
}

std::string true_size_trace_start(const TrueSize &s, double world_width, double world_height,
                                  bool printer, const std::string &file_name) {
    std::string t;
    t += kDoubleRule;
    t += printer ? "[*** PRINTER SCALED OUTPUT ***]\n" : "[*** CREATE_EMF ***]\n";
    t += "[World coords]\n";
    append(t, "WorldWidth  = %lf\n", world_width);
    append(t, "WorldHeight = %lf\n", world_height);
    append(t, "dbPrecision  = %lf\n", s.precision);
    append(t, "unitWidth  = %lf = (worldWidth  / dbPrecision) %lf / %lf\n", s.units_x, world_width,
           s.precision);
    append(t, "unitHeight = %lf = (worldHeight / dbPrecision) %lf / %lf\n", s.units_y, world_height,
           s.precision);
    append(t, "dbUnitCode (unitFactor) = %lg\n", s.unit_factor);
    append(t, "dwInchesX = (unitFactor * unitWidth) %lg * %lf\n", s.unit_factor, s.units_x);
    append(t, "dwinchesY = (unitFactor * unitHeight) %lg * %lf\n", s.unit_factor, s.units_y);
    t += "[inches]\n";
    append(t, "dwInchesX = %lf\n", s.inches_x);
    append(t, "dwInchesY = %lf\n", s.inches_y);
    t += kRule;
    t += printer ? "[.01 mm LPT RECTANGLE DEVICE]\n" : "[.01 mm EMF RECTANGLE DEVICE]\n";
    t += kRule;
    append(t, "Rect.left   = %d\n", s.frame.left);
    append(t, "Rect.top    = %d\n", s.frame.top);
    append(t, "Rect.right  = %d\n", s.frame.right);
    append(t, "Rect.bottom = %d\n", s.frame.bottom);
    t += kRule;
    if (printer)
        t += "Output directly to printer\n";
    else
        t += "CreateEnhMetaFile(" + file_name + ")\n";
    return t;
}

std::string true_size_trace_mapping(const TrueSize &s, const TrueSizeMapping &m) {
    std::string t;
    t += "===> SetMapMode (MM_ANISOTROPIC) <===\n";
    t += kRule;
    t += "[LOGICAL/DEVICE UNITS]   \n";
    t += kRule;
    append(t, "PixelsX = %lf\n", m.pixels_x);
    append(t, "PixelsY = %lf\n", m.pixels_y);
    append(t, "MMX     = %lf\n", m.mm_x);
    append(t, "MMY     = %lf\n", m.mm_y);
    append(t, "deviceUnitsX = %lf\n", s.device_units_x);
    append(t, "deviceUnitsY = %lf\n", s.device_units_y);
    append(t, "===> SetWindowExtEx (%d, %d); <===\n", s.window_extent_x, s.window_extent_y);
    t += kRule;
    t += "[DEVICE/LOGICAL UNITS]   \n";
    t += kRule;
    append(t, "logicalUnitsX = %lf\n", m.logical_units_x);
    append(t, "logicalUnitsY = %lf\n", m.logical_units_y);
    append(t, "===> SetViewportExtEx (%d, %d); <===\n", m.viewport_extent_x, m.viewport_extent_y);
    t += kRule;
    t += "[resize_plot]     \n";
    t += kRule;
    append(t, "deviceRect.top    = %d\n", s.rectangle.top);
    append(t, "deviceRect.left   = %d\n", s.rectangle.left);
    append(t, "deviceRect.right  = %d\n", s.rectangle.right);
    append(t, "deviceRect.bottom = %d\n", s.rectangle.bottom);
    t += kDoubleRule;
    t += "\n";
    return t;
}

} // namespace vexl::gdi
