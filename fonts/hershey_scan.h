// The scanf directives the font files were always read with, "%d" and " ",
// from a line in memory or straight from a stream, so the same text gives the
// same numbers: leading white space is skipped, a sign may come first and a
// field width counts the sign and the digits but not the skipped space. Unlike
// scanf, a number that does not fit in 32 bits is refused instead of being
// undefined.
#ifndef VEXL33_FONTS_HERSHEY_SCAN_H
#define VEXL33_FONTS_HERSHEY_SCAN_H

#include <cstdint>
#include <cstdio>

namespace vexl::hershey {

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
