// Records of a Hershey data file: parsing the next one, or the next one of a
// given Hershey number.
//
// A record is a line "NNNNNCCCLR" followed by coordinate pairs: the number in
// columns 1-5, the vertex count (the bound pair included) in 6-8, the left and
// right bound in 9 and 10, then two characters per point. A record too long
// for one line goes on at the start of the next ones. A physical line holds
// at most kLineLimit characters before its newline.
#ifndef VEXL33_FONTS_HERSHEY_DATA_H
#define VEXL33_FONTS_HERSHEY_DATA_H

#include <cstdint>
#include <cstdio>

#include "plot/gfonts.h"

namespace vexl::hershey {

inline constexpr int kLineLimit = 72;

// What a coordinate character stands for: its value as a signed 8-bit char
// less 'R', so 'R' is 0, 'S' 1 and 'Q' -1; the pen-up pair " R" is (-50, 0).
constexpr int32_t coordinate(char c) {
    return static_cast<signed char>(c) - 'R';
}

// Parses the next record of the stream into font (see gfont_load): its number
// of points, or -1 when there is no valid record. A record whose header
// cannot be read leaves font as it was; one that fails later leaves font
// without points. An array font held before is never freed here.
int load_record(GFont &font, std::FILE *stream);

// Reads on from the current position to the first line whose number column
// (as atoi reads its first 5 characters) holds number, and parses the record
// there as load_record does. -1 when no line does or its record is invalid;
// the stream has then been read to its end or past the invalid record.
// Only line starts are looked at: the rest of a line is coordinates, which
// may happen to read as digits.
int load_numbered_record(GFont &font, std::FILE *stream, int32_t number);

} // namespace vexl::hershey

#endif // VEXL33_FONTS_HERSHEY_DATA_H
