#include "fonts/font_index.h"

#include "fonts/hershey_scan.h"

namespace vexl::hershey {

namespace {

// Hershey numbers of the characters 32..127 of the built-in set: the Roman
// simplex letters and digits and the symbols that go with them. '#' and DEL
// share a glyph.
constexpr int32_t kBuiltinNumbers[kAsciiGlyphs] = {
    699,  714, 717, 718, 719, 2271, 734, 731, 721, 722, 2219, 725,  711,  724,  710,  720,
    700,  701, 702, 703, 704, 705,  706, 707, 708, 709, 712,  713,  2241, 726,  2242, 715,
    2273, 501, 502, 503, 504, 505,  506, 507, 508, 509, 510,  511,  512,  513,  514,  515,
    516,  517, 518, 519, 520, 521,  522, 523, 524, 525, 526,  2223, 804,  2224, 2262, 999,
    730,  601, 602, 603, 604, 605,  606, 607, 608, 609, 610,  611,  612,  613,  614,  615,
    616,  617, 618, 619, 620, 621,  622, 623, 624, 625, 626,  2225, 723,  2226, 2246, 718,
};

constexpr std::array<int32_t, 4> kBuiltinBoundBox = {-12, 12, -15, 15};

// The header line is read as fgets with a 15-byte buffer reads it: at most
// 14 characters, the newline included; the rest of a longer line is left to
// the entries.
constexpr int kHeaderLineLimit = 14;

void skip_comment_lines(std::FILE *stream) {
    for (int c = std::getc(stream); c != EOF; c = std::getc(stream)) {
        if (c != '#') {
            std::ungetc(c, stream);
            return;
        }
        while (c != EOF && c != '\n')
            c = std::getc(stream);
    }
}

bool read_header(std::FILE *stream, std::array<int32_t, 4> &box) {
    skip_comment_lines(stream);
    char line[kHeaderLineLimit + 1];
    int length = 0;
    for (int c; length < kHeaderLineLimit && (c = std::getc(stream)) != EOF;) {
        line[length++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    line[length] = '\0';
    const char *text = line;
    for (int32_t &value : box) {
        if (!scan_int(text, kHeaderLineLimit, value))
            return false;
    }
    return true;
}

// One entry line: two characters naming the character, then the Hershey
// number. False when the file ends first or the number is missing or below 1.
bool read_ascii_entry(std::FILE *stream, IndexEntry &entry) {
    const int first = std::getc(stream);
    const int second = std::getc(stream);
    if (first == EOF || second == EOF)
        return false;
    if (scan_int(stream, entry.number) != Scan::Number || entry.number < 1)
        return false;
    std::getc(stream); // the newline; the last line may lack it
    if (first == '^' && second == '^')
        entry.code = ' ';
    else if (first == '$' && second == '$')
        entry.code = 127;
    else
        entry.code = first;
    return true;
}

// Every character 32..127 exactly once: a set finds a character's glyph by
// its position, which a missing or repeated character would shift.
bool covers_ascii_once(const std::vector<IndexEntry> &entries) {
    bool seen[kAsciiGlyphs] = {};
    for (const IndexEntry &entry : entries) {
        const int32_t slot = entry.code - kFirstAsciiCharacter;
        if (slot < 0 || slot >= kAsciiGlyphs || seen[slot])
            return false;
        seen[slot] = true;
    }
    return true;
}

} // namespace

FontIndex builtin_ascii_index() {
    FontIndex index;
    index.bound_box = kBuiltinBoundBox;
    index.entries.reserve(kAsciiGlyphs);
    for (int32_t i = 0; i < kAsciiGlyphs; ++i)
        index.entries.push_back({kFirstAsciiCharacter + i, kBuiltinNumbers[i]});
    return index;
}

std::optional<FontIndex> read_ascii_index(std::FILE *stream) {
    FontIndex index;
    if (!stream || !read_header(stream, index.bound_box))
        return std::nullopt;
    index.entries.resize(kAsciiGlyphs);
    for (IndexEntry &entry : index.entries) {
        if (!read_ascii_entry(stream, entry))
            return std::nullopt;
    }
    if (!covers_ascii_once(index.entries))
        return std::nullopt;
    return index;
}

std::optional<FontIndex> read_virtual_index(std::FILE *stream) {
    FontIndex index;
    if (!stream || !read_header(stream, index.bound_box))
        return std::nullopt;
    for (;;) {
        IndexEntry entry{};
        const Scan code = scan_int(stream, entry.code); // "%d "
        if (code == Scan::End)
            break;
        if (code != Scan::Number)
            return std::nullopt;
        skip_space(stream);
        if (scan_int(stream, entry.number) != Scan::Number || entry.number < 1)
            return std::nullopt;
        std::getc(stream); // the newline; the last line may lack it
        index.entries.push_back(entry);
    }
    if (index.entries.empty())
        return std::nullopt;
    return index;
}

} // namespace vexl::hershey
