// Reading decimal integers as the C library's scanf "%d" reads them, from a
// line in memory or straight from a stream.
//
// The font files were always read with scanf, so the same text must give the
// same numbers: leading white space is skipped, a sign may come first and a
// field width counts the sign and the digits but not the skipped space. Unlike
// scanf, a number that does not fit in 32 bits is refused instead of being
// undefined.
#ifndef VEXL33_FONTS_HERSHEY_SCAN_H
#define VEXL33_FONTS_HERSHEY_SCAN_H

#include <cstdint>
#include <cstdio>

namespace vexl::hershey {

// White space as scanf sees it in the "C" locale.
constexpr bool is_scan_space(int c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// "%<width>d" on the NUL-terminated text: on success text is moved past the
// number. False when no digit follows or the value does not fit.
bool scan_int(const char *&text, int width, int32_t &value);

enum class Scan {
    Number,   // a value was read
    End,      // the stream ended before anything but white space
    NoNumber, // something else stands there, or the value does not fit
};

// "%d" on the stream. The character after the number is pushed back.
Scan scan_int(std::FILE *stream, int32_t &value);

// The " " directive: skips white space, leaving the next character unread.
void skip_space(std::FILE *stream);

} // namespace vexl::hershey

#endif // VEXL33_FONTS_HERSHEY_SCAN_H
