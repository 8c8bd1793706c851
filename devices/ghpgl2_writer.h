// Formatting and writing the text of an HP-GL/2 plot file.
//
// Every instruction of a plot file is described by a printf-style pattern
// with two directives: %d, a decimal integer, and %lf, a double in fixed
// notation with exactly six decimals. The C library's printf would do, but its
// decimal point follows the process locale, and an application that calls
// setlocale would then get "90,000000" in its plot files. These helpers format
// both directives themselves (std::to_chars), so the bytes depend on nothing
// but the values.
#ifndef VEXL33_DEVICES_GHPGL2_WRITER_H
#define VEXL33_DEVICES_GHPGL2_WRITER_H

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>

#include "support/int32_conversions.h"
#include "support/rtk_files.h"

namespace vexl {

// One value for a directive: an integer or a double. A %d given a double
// writes it truncated toward zero; a %lf given an integer writes it as a
// double, so a mismatch never reads the wrong kind of value.
class PlotArg {
  public:
    PlotArg(int32_t value) : is_integer_(true), integer_(value) {}
    PlotArg(double value) : is_integer_(false), real_(value) {}

    int32_t as_integer() const { return is_integer_ ? integer_ : trunc_to_int32(real_); }
    double as_real() const { return is_integer_ ? static_cast<double>(integer_) : real_; }

  private:
    bool is_integer_;
    int32_t integer_ = 0;
    double real_ = 0.0;
};

namespace detail {

inline void append_integer(std::string &out, int32_t value) {
    char digits[16];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, end.ptr);
}

// Six decimals in fixed notation, rounded to nearest as printf's "%f" does.
// The widest double needs 309 integer digits, a sign, a point and six
// decimals; infinities and NaN come out as "inf" and "nan".
inline void append_fixed6(std::string &out, double value) {
    char digits[400];
    const std::to_chars_result end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 6);
    if (end.ec == std::errc())
        out.append(digits, end.ptr);
}

} // namespace detail

// Appends `format` to out with each %d and %lf replaced by the next value of
// args; "%%" is one percent sign, any other '%' is copied as it stands, and a
// directive without a value left writes nothing.
inline void append_plot_text(std::string &out, const char *format,
                             std::initializer_list<PlotArg> args) {
    const PlotArg *next = args.begin();
    const char *p = format;
    while (*p != '\0') {
        const char *percent = std::strchr(p, '%');
        if (percent == nullptr) {
            out.append(p);
            return;
        }
        out.append(p, percent);
        if (percent[1] == 'd') {
            if (next != args.end())
                detail::append_integer(out, (next++)->as_integer());
            p = percent + 2;
        } else if (percent[1] == 'l' && percent[2] == 'f') {
            if (next != args.end())
                detail::append_fixed6(out, (next++)->as_real());
            p = percent + 3;
        } else if (percent[1] == '%') {
            out.push_back('%');
            p = percent + 2;
        } else {
            out.push_back('%');
            p = percent + 1;
        }
    }
}

// The plot file of an HP-GL/2 device: owns the stream and formats into one
// reused buffer, so writing an instruction costs no allocation once warm.
// Write errors are not reported: a plot file that fills the disk is noticed
// by whoever reads it, as with any other plot output.
class PlotFile {
  public:
    PlotFile() = default;
    explicit PlotFile(FilePtr stream) : stream_(std::move(stream)) {}

    bool is_open() const { return stream_ != nullptr; }
    // Formats and writes one piece of output; nothing when the file is closed.
    void write(const char *format, std::initializer_list<PlotArg> args = {}) {
        if (!stream_)
            return;
        text_.clear();
        append_plot_text(text_, format, args);
        std::fwrite(text_.data(), 1, text_.size(), stream_.get());
    }
    void flush() {
        if (stream_)
            std::fflush(stream_.get());
    }
    void close() { stream_.reset(); }

  private:
    FilePtr stream_;
    std::string text_;
};

} // namespace vexl

#endif // VEXL33_DEVICES_GHPGL2_WRITER_H
