// Parsing and finding Hershey records.
//
// Lines are read character by character into a bounded buffer, so a line
// longer than the format allows is noticed (and its record refused) instead
// of being split into two lines or read past. Nothing here seeks: a search
// parses the record from the line it found, because positions taken with
// ftell are unreliable on a Windows text-mode stream of a file with bare
// newlines, which is how the font files are opened.
#include "fonts/hershey_data.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "fonts/hershey_scan.h"
#include "support/integer_scan.h"

namespace vexl::hershey {

namespace {

struct Line {
    char text[kLineLimit + 1]; // the characters before the newline, NUL-terminated
    int length = 0;
    bool has_newline = false; // false: the stream ended this line
};

enum class LineRead { Read, End, TooLong };

void skip_rest_of_line(std::FILE *stream) {
    int c = std::getc(stream);
    while (c != EOF && c != '\n')
        c = std::getc(stream);
}

// Reads one physical line. TooLong consumes the whole line but keeps only
// its head; End means no character was left.
LineRead read_line(std::FILE *stream, Line &line) {
    line.length = 0;
    line.has_newline = false;
    line.text[0] = '\0';
    int c = std::getc(stream);
    if (c == EOF)
        return LineRead::End;
    for (; c != EOF; c = std::getc(stream)) {
        if (c == '\n') {
            line.has_newline = true;
            break;
        }
        if (line.length == kLineLimit) {
            skip_rest_of_line(stream);
            return LineRead::TooLong;
        }
        line.text[line.length++] = static_cast<char>(c);
        line.text[line.length] = '\0';
    }
    return LineRead::Read;
}

// The first line that is neither empty nor a comment. A comment line holds no
// data, so it is skipped whatever its length.
LineRead read_header_line(std::FILE *stream, Line &line) {
    for (;;) {
        const LineRead read = read_line(stream, line);
        if (read == LineRead::End)
            return read;
        if (line.length > 0 && line.text[0] == '#')
            continue;
        if (read == LineRead::TooLong || line.length > 0)
            return read;
    }
}

// Columns of the header: 1-5 number, 6-8 vertex count, 9 and 10 bounds.
constexpr int kNumberWidth = 5;
constexpr int kCountWidth = 3;
constexpr int kLeftColumn = 8; // 0-based
constexpr int kRightColumn = 9;
constexpr int kFirstPairColumn = 10;

// "%d" on one column field alone. Scanning the header as a whole would let a
// number run into the next field: " 3502110" is glyph 3502 with 110 vertices,
// and the count only starts after the number's columns.
bool read_field(const Line &line, int first, int width, int32_t &value) {
    char field[kNumberWidth + 1] = {};
    std::memcpy(field, line.text + first, static_cast<std::size_t>(width));
    const char *text = field;
    return scan_int(text, width, value);
}

// Reads the pairs of a record whose header is in line into font's array.
bool read_pairs(GFont &font, std::FILE *stream, Line &line) {
    int at = kFirstPairColumn;
    for (int32_t i = 0; i < font.num_points; ++i) {
        if (at == line.length) {
            // The pairs go on at the start of the next line.
            if (!line.has_newline || read_line(stream, line) != LineRead::Read)
                return false;
            at = 0;
        }
        if (at + 1 >= line.length) // a pair never spans two lines
            return false;
        font.points[2 * i] = coordinate(line.text[at]);
        font.points[2 * i + 1] = coordinate(line.text[at + 1]);
        at += 2;
    }
    // The record must end with its line. A last line cut off by the end of
    // the file still holds the whole record, so that counts as its end too.
    return at == line.length;
}

// The number a line starts with as atoi reads the number column (the first
// 5 characters); 0 when there is none.
int32_t leading_number(const Line &line) {
    const std::size_t columns = static_cast<std::size_t>(std::min(line.length, kNumberWidth));
    return scan_integer(std::string_view(line.text, columns)).saturated_int32();
}

// Parses the record whose header is in line; its continuation lines come
// from the stream.
int parse_record(GFont &font, Line &line, std::FILE *stream) {
    int32_t number = 0;
    int32_t vertices = 0;
    if (line.length < kFirstPairColumn || !read_field(line, 0, kNumberWidth, number) ||
        !read_field(line, kNumberWidth, kCountWidth, vertices) || number < 1 || vertices < 1)
        return -1;

    // The record may be a copy sharing a font set's array: it gets an array of
    // its own, and the one it held stays with its owner.
    if (!gfont_make_points(&font, vertices - 1))
        return -1;
    font.left = coordinate(line.text[kLeftColumn]);
    font.right = coordinate(line.text[kRightColumn]);
    if (!read_pairs(font, stream, line)) {
        gfont_unload(&font);
        return -1;
    }
    font.hershey_index = number;
    return font.num_points;
}

} // namespace

int load_record(GFont &font, std::FILE *stream) {
    if (!stream)
        return -1;
    Line line;
    if (read_header_line(stream, line) != LineRead::Read)
        return -1;
    return parse_record(font, line, stream);
}

int load_numbered_record(GFont &font, std::FILE *stream, int32_t number) {
    if (!stream || number < 1)
        return -1;
    Line line;
    for (;;) {
        const LineRead read = read_line(stream, line);
        if (read == LineRead::End)
            return -1;
        if (leading_number(line) == number)
            return read == LineRead::Read ? parse_record(font, line, stream) : -1;
    }
}

} // namespace vexl::hershey
