// Reading an integer from text as the C library's conversions read it
// (scanf's "%d", "%u" and "%i", strtol and atoi): leading white space, an
// optional sign, then digits, stopping at the first character that cannot
// continue the number.
//
// The file readers and settings each need one of those conversions, and each
// differs only in what a number too large for its type becomes: refused,
// held at the limits, or cut to its low bits. So the scan itself keeps every
// digit's worth of information and the caller picks the conversion; none of
// them is undefined for any input, unlike the C functions on overflow.
#ifndef VEXL33_SUPPORT_INTEGER_SCAN_H
#define VEXL33_SUPPORT_INTEGER_SCAN_H

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

namespace vexl {

// White space as the C library sees it in the "C" locale.
constexpr bool is_c_space(int c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

enum class IntegerBase {
    Decimal,  // "%d", "%u", strtol(..., 10), atoi
    Prefixed, // "%i", strtol(..., 0): "0x" hexadecimal, a leading 0 octal
};

struct ScannedInteger {
    bool found = false;     // at least one digit was read
    bool negative = false;  // a '-' came before the digits
    bool too_large = false; // the digits' value does not fit in 64 bits
    uint64_t low_bits = 0;  // the digits' value modulo 2^64
    std::size_t length = 0; // characters up to the end of the number; 0 when none found
    bool at_end = false;    // the text ended before anything but white space

    // The value when it fits the type; nothing without digits or beyond it.
    std::optional<int64_t> exact_int64() const;
    std::optional<int32_t> exact_int32() const;
    // The value held at the int32 limits; 0 without digits (atoi).
    int32_t saturated_int32() const;
    // The value modulo 2^32, negated when it had a '-' ("%u").
    uint32_t wrapped_uint32() const;
};

// Scans text from its start. width caps the sign and digits together (not
// the leading white space) as a scanf field width does. The text need not be
// NUL-terminated; a NUL byte ends the number like any other non-digit.
ScannedInteger scan_integer(std::string_view text, IntegerBase base = IntegerBase::Decimal,
                            int width = INT_MAX);

// Scans a decimal number from the stream; the first character that does not
// belong to it is left unread. length counts the characters read.
ScannedInteger scan_integer(std::FILE *stream);

// Skips white space on the stream, leaving the next character unread.
void skip_c_space(std::FILE *stream);

} // namespace vexl

#endif // VEXL33_SUPPORT_INTEGER_SCAN_H
