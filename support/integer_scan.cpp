#include "support/integer_scan.h"

#include <limits>

namespace vexl {

namespace {

constexpr int kEnd = -1;

unsigned digit_value(int c) {
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<unsigned>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return static_cast<unsigned>(c - 'A' + 10);
    return 99; // a digit in no base we read
}

class TextSource {
  public:
    explicit TextSource(std::string_view text) : text_(text) {}
    int peek(std::size_t ahead = 0) const {
        return at_ + ahead < text_.size() ? static_cast<unsigned char>(text_[at_ + ahead]) : kEnd;
    }
    void take() { ++at_; }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
};

// A stream can give back one character, so it can look one ahead only; the
// prefixed base, which needs two, is not read from streams.
class StreamSource {
  public:
    explicit StreamSource(std::FILE *stream) : stream_(stream) {}
    int peek(std::size_t ahead = 0) const {
        if (ahead > 0)
            return kEnd;
        const int c = std::getc(stream_);
        if (c == EOF)
            return kEnd;
        std::ungetc(c, stream_);
        return c;
    }
    void take() { std::getc(stream_); }

  private:
    std::FILE *stream_;
};

void add_digit(ScannedInteger &number, unsigned digit, unsigned radix) {
    constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
    if (number.low_bits > (kMax - digit) / radix)
        number.too_large = true;
    number.low_bits = number.low_bits * radix + digit; // wraps modulo 2^64
    number.found = true;
}

template <class Source>
ScannedInteger scan(Source &source, IntegerBase base, int width) {
    ScannedInteger number;
    std::size_t taken = 0;
    auto take = [&] {
        source.take();
        ++taken;
    };
    while (is_c_space(source.peek()))
        take();
    if (source.peek() == kEnd) {
        number.at_end = true;
        return number;
    }
    int left = width; // characters the field may still take
    if (left > 0 && (source.peek() == '+' || source.peek() == '-')) {
        number.negative = source.peek() == '-';
        take();
        --left;
    }
    unsigned radix = 10;
    if (base == IntegerBase::Prefixed && left > 0 && source.peek() == '0') {
        // "0x" is a prefix only when a hexadecimal digit follows it; on its
        // own the 0 is the whole (octal) number.
        const int second = source.peek(1);
        if (left > 2 && (second == 'x' || second == 'X') && digit_value(source.peek(2)) < 16) {
            take();
            take();
            left -= 2;
            radix = 16;
        } else {
            radix = 8;
        }
    }
    for (; left > 0; --left) {
        const unsigned digit = digit_value(source.peek());
        if (digit >= radix)
            break;
        take();
        add_digit(number, digit, radix);
    }
    number.length = number.found ? taken : 0;
    return number;
}

} // namespace

std::optional<int64_t> ScannedInteger::exact_int64() const {
    constexpr uint64_t kMaxMagnitude = uint64_t{1} << 63; // of a negative value
    if (!found || too_large || low_bits > kMaxMagnitude - (negative ? 0 : 1))
        return std::nullopt;
    if (!negative)
        return static_cast<int64_t>(low_bits);
    // -2^63 has no positive counterpart: negate in unsigned arithmetic.
    return low_bits == kMaxMagnitude ? std::numeric_limits<int64_t>::min()
                                     : -static_cast<int64_t>(low_bits);
}

std::optional<int32_t> ScannedInteger::exact_int32() const {
    const std::optional<int64_t> value = exact_int64();
    if (!value || *value < std::numeric_limits<int32_t>::min() ||
        *value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(*value);
}

int32_t ScannedInteger::saturated_int32() const {
    if (!found)
        return 0;
    const std::optional<int32_t> value = exact_int32();
    if (value)
        return *value;
    return negative ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int32_t>::max();
}

uint32_t ScannedInteger::wrapped_uint32() const {
    const uint64_t value = negative ? uint64_t{0} - low_bits : low_bits;
    return static_cast<uint32_t>(value);
}

ScannedInteger scan_integer(std::string_view text, IntegerBase base, int width) {
    TextSource source(text);
    return scan(source, base, width);
}

ScannedInteger scan_integer(std::FILE *stream) {
    StreamSource source(stream);
    return scan(source, IntegerBase::Decimal, INT_MAX);
}

void skip_c_space(std::FILE *stream) {
    int c = std::getc(stream);
    while (is_c_space(c))
        c = std::getc(stream);
    if (c != EOF)
        std::ungetc(c, stream);
}

} // namespace vexl
