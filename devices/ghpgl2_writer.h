// Formatting and writing the text of an HP-GL/2 plot file.
//
// Every instruction of a plot file is described by a printf-style pattern
// with two directives: %d, a decimal integer, and %lf, a double in fixed
// notation with exactly six decimals. The C library's printf would do, but its
// decimal point follows the process locale, and an application that calls
// setlocale would then get "90,000000" in its plot files. These helpers format
// both directives themselves, so the bytes depend on nothing but the values.
#ifndef VEXL33_DEVICES_GHPGL2_WRITER_H
#define VEXL33_DEVICES_GHPGL2_WRITER_H

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "plot/gplot.h"
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

// "00" to "99": one lookup gives two digits, halving the divisions.
inline constexpr char kDigitPairs[] = "0001020304050607080910111213141516171819"
                                      "2021222324252627282930313233343536373839"
                                      "4041424344454647484950515253545556575859"
                                      "6061626364656667686970717273747576777879"
                                      "8081828384858687888990919293949596979899";

// Two digits, with a leading zero when value < 10; value < 100.
inline char *put_pair(char *out, uint32_t value) {
    std::memcpy(out, &kDigitPairs[2 * value], 2);
    return out + 2;
}

// One or two digits; value < 100.
inline char *put_up_to_2(char *out, uint32_t value) {
    if (value >= 10)
        return put_pair(out, value);
    *out = static_cast<char>('0' + value);
    return out + 1;
}

// One to four digits; value < 10000.
inline char *put_up_to_4(char *out, uint32_t value) {
    if (value < 100)
        return put_up_to_2(out, value);
    return put_pair(put_up_to_2(out, value / 100), value % 100);
}

// Exactly four digits; value < 10000.
inline char *put_4(char *out, uint32_t value) {
    return put_pair(put_pair(out, value / 100), value % 100);
}

// Writes value in decimal (the characters std::to_chars writes) at out, which
// has room for 11 characters, and returns the end. Pen moves are most of a
// plot file, and this is faster than std::to_chars on them: the digits are
// taken in groups of four whose divisions do not wait on one another, where a
// loop taking two digits at a time waits for each division in turn.
inline char *put_decimal(char *out, int32_t value) {
    uint32_t magnitude = static_cast<uint32_t>(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = 0u - magnitude; // also right for INT32_MIN
    }
    if (magnitude < 10000)
        return put_up_to_4(out, magnitude);
    if (magnitude < 100000000)
        return put_4(put_up_to_4(out, magnitude / 10000), magnitude % 10000);
    const uint32_t low_eight = magnitude % 100000000;
    out = put_up_to_2(out, magnitude / 100000000); // at most 42
    return put_4(put_4(out, low_eight / 10000), low_eight % 10000);
}

inline void append_integer(std::string &out, int32_t value) {
    char digits[11];
    out.append(digits, put_decimal(digits, value));
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

// The plot file of an HP-GL/2 device: owns the stream and a block of memory
// that gathers the output.
//
// Why the block: a drawing writes one short instruction per point, and
// handing each to fwrite (a call, the stream's lock, a copy of a dozen bytes)
// after parsing its pattern cost about ten times what formatting the numbers
// does. So the text is gathered here and given to the stream a full block at
// a time, and pen moves, most of a plot file, are formatted straight into the
// block without a pattern. The block is large because the system takes large
// writes much faster than small ones: in 64 KiB pieces a plot file took about
// twice as long to reach the file cache as in 1 MiB pieces. Its size is fixed:
// a plot file of any length is streamed, never held.
//
// The block must not make the file worse off than a C stream would be: a
// program that ends through exit() or by returning from main with a plot
// still open gets everything it wrote, as stdio gives it for its own
// streams. So every open plot file is listed process-wide, and an exit
// handler, registered with the first, hands each one's block to its stream
// (no page eject: the plot was not closed). From then on the plot files
// write straight through to their streams, so that what a later exit handler
// of the application draws still reaches the file with the stream's own
// final flush.
//
// Whether the output reached the file is known only when it is flushed or
// closed, and those report it: a write error of the stream (a full disk, a
// broken pipe) makes them fail.
class PlotFile {
  public:
    PlotFile() = default;
    PlotFile(const PlotFile &) = delete;
    PlotFile &operator=(const PlotFile &) = delete;
    ~PlotFile() { close(); }

    // Takes the stream to write to, after closing any earlier one. Throws
    // std::bad_alloc when the block cannot be had.
    void open(FilePtr stream);
    bool is_open() const { return stream_ != nullptr; }

    // Formats and writes one piece of output; nothing when the file is closed.
    void write(const char *format, std::initializer_list<PlotArg> args = {}) {
        if (!stream_)
            return;
        text_.clear();
        append_plot_text(text_, format, args);
        write_text(text_);
    }
    // Writes text as it stands (no directives); nothing when the file is closed.
    void write_text(std::string_view text) {
        if (!stream_)
            return;
        if (text.size() > capacity_ - used_) {
            drain();
            if (text.size() > capacity_) {
                std::fwrite(text.data(), 1, text.size(), stream_.get());
                return;
            }
        }
        std::memcpy(block_.get() + used_, text.data(), text.size());
        used_ += text.size();
    }
    // "PA<x>,<y>;\n", the same bytes as write("PA%d,%d;\n", {x, y}).
    void write_absolute_move(int32_t x, int32_t y) {
        if (!stream_)
            return;
        if (kLongestMove > capacity_ - used_) {
            drain();
            if (kLongestMove > capacity_) {
                char move[kLongestMove];
                const char *end = put_absolute_move(move, x, y);
                std::fwrite(move, 1, static_cast<std::size_t>(end - move), stream_.get());
                return;
            }
        }
        used_ =
            static_cast<std::size_t>(put_absolute_move(block_.get() + used_, x, y) - block_.get());
    }

    // The moves of points[0 .. n-1], as n calls of write_absolute_move write
    // them. The room for a whole batch is checked once, so the loop over the
    // points only formats.
    void write_absolute_moves(const WorldPointS *points, std::size_t n) {
        if (!stream_)
            return;
        while (n > 0) {
            std::size_t room = (capacity_ - used_) / kLongestMove;
            if (room == 0) {
                drain();
                room = capacity_ / kLongestMove;
                if (room == 0) { // no block any more: straight to the stream
                    for (; n > 0; --n, ++points)
                        write_absolute_move(points->x, points->y);
                    return;
                }
            }
            const std::size_t batch = room < n ? room : n;
            char *const start = block_.get();
            char *out = start + used_;
            for (std::size_t i = 0; i < batch; ++i)
                out = put_absolute_move(out, points[i].x, points[i].y);
            used_ = static_cast<std::size_t>(out - start);
            points += batch;
            n -= batch;
        }
    }

    // Hands everything written so far to the system. False when some of the
    // output, now or earlier, did not reach the file; true when nothing is
    // open.
    bool flush();
    // Writes what is left and closes the stream; false as for flush, or
    // when closing fails. The file is closed either way.
    bool close();

  private:
    static constexpr std::size_t kBlockSize = 1024 * 1024;
    // "PA", two signed 32-bit integers of up to 11 characters, ",", ";", "\n".
    static constexpr std::size_t kLongestMove = 2 + 11 + 1 + 11 + 2;

    static char *put_absolute_move(char *out, int32_t x, int32_t y) {
        *out++ = 'P';
        *out++ = 'A';
        out = detail::put_decimal(out, x);
        *out++ = ',';
        out = detail::put_decimal(out, y);
        *out++ = ';';
        *out++ = '\n';
        return out;
    }

    void drain() {
        if (used_ > 0)
            std::fwrite(block_.get(), 1, used_, stream_.get());
        used_ = 0;
    }

    // The process-wide list of open plot files (ghpgl2_writer.cpp).
    void enlist();
    void leave_list();
    static void drain_all_at_exit();

    FilePtr stream_;
    std::unique_ptr<char[]> block_;
    std::size_t used_ = 0;
    // How much of the block may be used: all of it until the process
    // exits, then none, so that every write goes straight to the stream.
    std::size_t capacity_ = kBlockSize;
    std::string text_; // formatting space of write(), reused
    PlotFile *newer_ = nullptr;
    PlotFile *older_ = nullptr;
};

} // namespace vexl

#endif // VEXL33_DEVICES_GHPGL2_WRITER_H
