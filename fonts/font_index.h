// Index files of the Hershey font sets: which glyphs of a Hershey data file a
// set holds, and under which character or code.
//
// Both kinds start with any number of '#' comment lines and a header line
// "x_min x_max<tab>y_min y_max" giving the glyph cell. An ASCII index (.asc)
// then has one line per character 32..127: the character (or "^^" for the
// space and "$$" for DEL), a separator and the Hershey number. A virtual
// index (.vft) has lines "code number" up to the end of the file.
#ifndef VEXL33_FONTS_FONT_INDEX_H
#define VEXL33_FONTS_FONT_INDEX_H

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

namespace vexl::hershey {

// Characters of an ASCII set: 32 (space) to 127 (DEL), each once.
inline constexpr int32_t kFirstAsciiCharacter = 32;
inline constexpr int32_t kAsciiGlyphs = 96;

struct IndexEntry {
    int32_t code;   // the character, or the virtual code
    int32_t number; // Hershey number, >= 1
};

struct FontIndex {
    std::array<int32_t, 4> bound_box{}; // x_min, x_max, y_min, y_max
    std::vector<IndexEntry> entries;
};

// The index used when a set has no index file.
FontIndex builtin_ascii_index();

// Nothing when the index is malformed: a header without four numbers, fewer
// than 96 entries, a number below 1, or characters that do not cover 32..127
// exactly once. Entries after the 96th are ignored. May throw std::bad_alloc.
std::optional<FontIndex> read_ascii_index(std::FILE *stream);

// Nothing when the index is malformed or has no entry. May throw
// std::bad_alloc.
std::optional<FontIndex> read_virtual_index(std::FILE *stream);

} // namespace vexl::hershey

#endif // VEXL33_FONTS_FONT_INDEX_H
