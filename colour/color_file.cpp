// The colour-file reader: kdcolor_create, kdcolor_read, kdcolor_destroy.
//
// A colour file is a text file with one colour per line:
//
//     red green blue : name : pen
//
// where the three numbers may be left out (a colour known by name only).
// Blank lines, comment lines ("#") and lines that do not have this shape are
// skipped, so a damaged line never hides the good ones after it.
//
// The reader takes the line apart itself instead of handing it to sscanf and
// atoi: it behaves as those conversions do on every well-formed number, but a
// number too long for an int is reduced to its low bits (colours) or held at
// the int32 limits (pens) instead of being undefined, and a NUL byte cannot
// silently end a field early.
#include "colour/color_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

#include "colour/entry_array.h"
#include "core/c_boundary.h"
#include "support/integer_scan.h"
#include "support/rtk_memory.h"

namespace vexl {

namespace {

std::string_view trim_front(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && is_c_space(text[start]))
        ++start;
    return text.substr(start);
}

std::string_view trim(std::string_view text) {
    text = trim_front(text);
    std::size_t end = text.size();
    while (end > 0 && is_c_space(text[end - 1]))
        --end;
    return text.substr(0, end);
}

// One "%u" conversion: white space, an optional sign, at least one digit.
// The value wraps modulo 2^32 as the conversion's unsigned result does, which
// keeps the low 8 bits a colour component is stored as.
bool scan_unsigned(std::string_view &text, uint32_t &value) {
    const ScannedInteger number = scan_integer(text);
    if (!number.found)
        return false;
    value = number.wrapped_uint32();
    text.remove_prefix(number.length);
    return true;
}

// "%u %u %u": three numbers; whatever follows the third is not looked at.
bool scan_components(std::string_view text, uint32_t (&rgb)[3]) {
    for (uint32_t &component : rgb) {
        if (!scan_unsigned(text, component))
            return false;
    }
    return true;
}

// One line of the file as the reader sees it: at most kColorLineLimit
// characters, without the newline.
struct Line {
    char text[kColorLineLimit];
    std::size_t length = 0;
    bool usable = true; // false for a cut line or one holding a NUL byte
};

// Reads up to and including the next newline. The part of a long line beyond
// the limit is consumed here, so it can never come back as a line of its own;
// if that part holds more than white space the line is marked unusable, since
// what was read is not the whole line (its pen number may have been cut in
// two). False at the end of the file.
bool next_line(FILE *file, Line &line) {
    line.length = 0;
    line.usable = true;
    int c = std::getc(file);
    if (c == EOF)
        return false;
    for (; c != EOF && c != '\n'; c = std::getc(file)) {
        const char ch = static_cast<char>(c);
        if (line.length < sizeof line.text) {
            line.text[line.length++] = ch;
            if (ch == '\0')
                line.usable = false; // binary, not a line of text
        } else if (!is_c_space(ch)) {
            line.usable = false;
        }
    }
    return true;
}

// Takes a line apart by the colour-file rules; false when it defines nothing.
bool parse_color_line(std::string_view line, ColorEntry &entry) {
    line = trim_front(line);
    if (line.empty() || line[0] == '#')
        return false;

    const std::size_t first_colon = line.find(':');
    if (first_colon == std::string_view::npos)
        return false;
    const std::string_view values = trim(line.substr(0, first_colon));
    const std::string_view rest = line.substr(first_colon + 1);
    const std::size_t second_colon = rest.find(':');
    if (second_colon == std::string_view::npos)
        return false;
    const std::string_view name = trim(rest.substr(0, second_colon));
    const std::string_view pen = rest.substr(second_colon + 1);
    if (trim(pen).empty())
        return false;

    ColorEntry parsed{};
    if (values.empty()) {
        parsed.name_only = 1;
    } else {
        uint32_t rgb[3];
        if (!scan_components(values, rgb))
            return false;
        parsed.red = static_cast<uint8_t>(rgb[0] & 0xFFu);
        parsed.green = static_cast<uint8_t>(rgb[1] & 0xFFu);
        parsed.blue = static_cast<uint8_t>(rgb[2] & 0xFFu);
    }
    const std::size_t name_length = std::min(name.size(), sizeof parsed.name - 1);
    std::memcpy(parsed.name, name.data(), name_length);
    parsed.name[name_length] = '\0';
    // atoi without its undefined overflow: too many digits are held at the
    // int32 limits, no digits give 0.
    parsed.pen = scan_integer(pen).saturated_int32();
    entry = parsed;
    return true;
}

bool is_consistent(const ColorEntryList &list) {
    return list.count >= 0 && list.capacity >= 0 && list.count <= list.capacity &&
           (list.capacity == 0 || list.entries != nullptr);
}

} // namespace

int read_color_file(ColorEntryList *list, FILE *file, int32_t max_capacity) {
    if (!list || !file || !is_consistent(*list))
        return -1;
    Line line;
    ColorEntry entry;
    while (next_line(file, line)) {
        if (!line.usable || !parse_color_line(std::string_view(line.text, line.length), entry))
            continue;
        if (!make_room(*list, max_capacity))
            return -1;
        list->entries[list->count++] = entry;
    }
    return list->count;
}

} // namespace vexl

extern "C" {

VEXL_API void kdcolor_create(ColorEntryList *list) VEXL_TRY {
    vexl::clear_entry_array(list);
}
VEXL_CATCH_RETURN()

VEXL_API int kdcolor_read(ColorEntryList *list, FILE *file) VEXL_TRY {
    return vexl::read_color_file(list, file, std::numeric_limits<int32_t>::max());
}
VEXL_CATCH_RETURN(-1)

VEXL_API void kdcolor_destroy(ColorEntryList *list) VEXL_TRY {
    vexl::release_entry_array(list);
}
VEXL_CATCH_RETURN()

} // extern "C"
