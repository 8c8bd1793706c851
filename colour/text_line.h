// Reading one line of a text file with a bound on what is kept.
//
// The fill-pattern and bitmap readers look at a fixed number of characters of
// a line, but a longer line must still end at its own newline: reading it in
// fixed-size pieces would turn its tail into a line of its own. So the whole
// line is consumed and only its head kept, with a note of what was dropped.
#ifndef VEXL33_COLOUR_TEXT_LINE_H
#define VEXL33_COLOUR_TEXT_LINE_H

#include <cstddef>
#include <cstdio>
#include <string>

#include "support/integer_scan.h" // is_c_space, for the readers of these lines

namespace vexl {

struct TextLine {
    std::string text;        // the kept head, without the newline
    bool truncated = false;  // characters beyond the head were dropped
    int first_dropped = EOF; // the first of them, EOF when none
};

// Reads the next line of file into line, keeping at most keep characters.
// False at the end of the file when no character is left.
inline bool read_text_line(std::FILE *file, std::size_t keep, TextLine &line) {
    line.text.clear();
    line.truncated = false;
    line.first_dropped = EOF;
    int c = std::getc(file);
    if (c == EOF)
        return false;
    for (; c != EOF && c != '\n'; c = std::getc(file)) {
        if (line.text.size() < keep) {
            line.text.push_back(static_cast<char>(c));
        } else if (!line.truncated) {
            line.truncated = true;
            line.first_dropped = c;
        }
    }
    return true;
}

} // namespace vexl

#endif // VEXL33_COLOUR_TEXT_LINE_H
