// The XBM reader.
//
// Only what fill patterns need is understood: the first line gives the width
// and the second the height (as "#define name_width 16"), and the data bytes
// follow as numbers each ended by "," or "}". Lines starting with "static"
// (the array declaration) are skipped, as is any text after the last
// separator of a line. The data part is read character by character, so a
// line of any length costs no more memory than a short one.
#include "colour/xbm_reader.h"

#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "colour/text_line.h"
#include "support/integer_scan.h"
#include "support/rtk_files.h"

namespace vexl {

namespace {

// A "#define" line this long is not a bitmap header.
constexpr std::size_t kHeaderLineLimit = 1024;
// Text kept of one data value; a number is far shorter, and what follows a
// number up to its separator is ignored anyway.
constexpr std::size_t kValueTextLimit = 64;

// "%*s %*s %d" on one line: two words, then a decimal number.
bool scan_header_value(const std::string &line, int32_t &value) {
    std::size_t at = 0;
    for (int word = 0; word < 2; ++word) {
        while (at < line.size() && is_c_space(static_cast<unsigned char>(line[at])))
            ++at;
        if (at == line.size())
            return false;
        while (at < line.size() && !is_c_space(static_cast<unsigned char>(line[at])))
            ++at;
    }
    const std::optional<int32_t> parsed =
        scan_integer(std::string_view(line).substr(at)).exact_int32();
    if (!parsed)
        return false;
    value = *parsed;
    return true;
}

bool read_dimension(std::FILE *file, int32_t &value) {
    TextLine line;
    if (!read_text_line(file, kHeaderLineLimit, line) || line.truncated)
        return false;
    return scan_header_value(line.text, value) && value > 0 && value <= kXbmMaxSide;
}

// " %i" on the text of one value: 0x hexadecimal, 0 octal or decimal, with an
// optional sign. Text after the number is ignored, unless the number itself
// may have been cut short by the length limit.
bool scan_value(const std::string &text, bool cut, unsigned long long &value) {
    const ScannedInteger number = scan_integer(text, IntegerBase::Prefixed);
    const std::optional<int64_t> parsed = number.exact_int64();
    if (!parsed)
        return false;
    if (cut && number.length == text.size())
        return false;
    value = static_cast<unsigned long long>(*parsed);
    return true;
}

// Reads values into bits until it is full; false when the file ends first or
// a value is not a number.
bool read_data(std::FILE *file, std::vector<uint8_t> &bits) {
    static constexpr char kSkipPrefix[] = "static";
    constexpr std::size_t kSkipPrefixLength = sizeof kSkipPrefix - 1;

    std::size_t filled = 0;
    std::string value_text;
    bool value_cut = false;
    std::size_t column = 0;     // characters of this line seen, up to the prefix length
    bool prefix_so_far = true;  // the line so far matches "static"
    bool skipping_line = false; // a declaration line

    for (int c = std::getc(file); c != EOF; c = std::getc(file)) {
        if (c == '\n') {
            value_text.clear();
            value_cut = false;
            column = 0;
            prefix_so_far = true;
            skipping_line = false;
            continue;
        }
        if (skipping_line)
            continue;
        if (column < kSkipPrefixLength) {
            prefix_so_far = prefix_so_far && c == kSkipPrefix[column];
            if (++column == kSkipPrefixLength && prefix_so_far) {
                skipping_line = true;
                continue;
            }
        }
        if (c == ',' || c == '}') {
            unsigned long long value = 0;
            if (!scan_value(value_text, value_cut, value))
                return false;
            bits[filled++] = xbm_byte_to_device(value);
            if (filled == bits.size())
                return true;
            value_text.clear();
            value_cut = false;
            continue;
        }
        if (value_text.empty() && is_c_space(c))
            continue; // " %i" skips leading white space
        if (value_text.size() < kValueTextLimit)
            value_text.push_back(static_cast<char>(c));
        else
            value_cut = true;
    }
    return false;
}

} // namespace

std::optional<XbmBitmap> read_xbm(std::FILE *file) {
    if (!file)
        return std::nullopt;
    try {
        XbmBitmap bitmap;
        if (!read_dimension(file, bitmap.width) || !read_dimension(file, bitmap.height))
            return std::nullopt;
        bitmap.bits.assign(xbm_data_size(bitmap.width, bitmap.height), 0);
        if (!read_data(file, bitmap.bits))
            return std::nullopt;
        return bitmap;
    } catch (const std::bad_alloc &) {
        return std::nullopt;
    }
}

std::optional<XbmBitmap> read_xbm_file(const char *path) {
    if (!path || !*path)
        return std::nullopt;
    FilePtr file(rtk_fopen(path, "r"));
    return read_xbm(file.get());
}

} // namespace vexl
