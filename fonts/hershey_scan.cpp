#include "fonts/hershey_scan.h"

#include <limits>

namespace vexl::hershey {

namespace {

constexpr bool is_digit(int c) {
    return c >= '0' && c <= '9';
}

// Adds one digit to a magnitude; false once it passes what an int32_t of
// either sign can hold.
bool add_digit(int64_t &magnitude, int c) {
    magnitude = magnitude * 10 + (c - '0');
    return magnitude <= int64_t{std::numeric_limits<int32_t>::max()} + 1;
}

bool finish(bool negative, int64_t magnitude, int32_t &value) {
    const int64_t signed_value = negative ? -magnitude : magnitude;
    if (signed_value > std::numeric_limits<int32_t>::max())
        return false;
    value = static_cast<int32_t>(signed_value);
    return true;
}

} // namespace

bool scan_int(const char *&text, int width, int32_t &value) {
    const char *at = text;
    while (is_scan_space(static_cast<unsigned char>(*at)))
        ++at;
    int left = width; // characters the field may still take
    bool negative = false;
    if (left > 0 && (*at == '+' || *at == '-')) {
        negative = *at == '-';
        ++at;
        --left;
    }
    if (left == 0 || !is_digit(*at))
        return false;
    int64_t magnitude = 0;
    for (; left > 0 && is_digit(*at); ++at, --left) {
        if (!add_digit(magnitude, *at))
            return false;
    }
    if (!finish(negative, magnitude, value))
        return false;
    text = at;
    return true;
}

Scan scan_int(std::FILE *stream, int32_t &value) {
    skip_space(stream);
    int c = std::getc(stream);
    if (c == EOF)
        return Scan::End;
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        c = std::getc(stream);
    }
    if (!is_digit(c)) {
        if (c != EOF)
            std::ungetc(c, stream);
        return Scan::NoNumber;
    }
    int64_t magnitude = 0;
    for (; is_digit(c); c = std::getc(stream)) {
        if (!add_digit(magnitude, c))
            return Scan::NoNumber;
    }
    if (c != EOF)
        std::ungetc(c, stream);
    return finish(negative, magnitude, value) ? Scan::Number : Scan::NoNumber;
}

void skip_space(std::FILE *stream) {
    int c = std::getc(stream);
    while (is_scan_space(c))
        c = std::getc(stream);
    if (c != EOF)
        std::ungetc(c, stream);
}

} // namespace vexl::hershey
