// Printing a plain text file: how many characters fit on a line and how many
// lines on a page for the printer's font, how the file is cut into printed
// lines, and how the lines are laid out on pages. The Windows job
// (text_job_win32.cpp) only measures the font and makes the GDI calls; the
// arithmetic lives here so that it is tested on every build.
#ifndef VEXL33_HARDCOPY_TEXT_JOB_LAYOUT_H
#define VEXL33_HARDCOPY_TEXT_JOB_LAYOUT_H

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "support/settings_lookup.h"

namespace vexl {

// What the printer context says about its current font and its page, in
// device units.
struct PrinterFontMetrics {
    int32_t height = 0;
    int32_t external_leading = 0;
    int32_t average_character_width = 0;
    int32_t page_width = 0;  // HORZRES
    int32_t page_height = 0; // VERTRES
};

// The text page: each value is kept in 16 bits, held at the limits of that
// range rather than wrapped, so an absurd resolution cannot turn into a
// negative line length.
struct TextJobLayout {
    int32_t line_height = 0;
    int32_t characters_per_line = 0;
    int32_t lines_per_page = 0;

    // A printed line takes at most characters_per_line - 1 characters of the
    // file, and always at least one, so that reading moves on.
    int32_t characters_per_read() const;
    // Lines 1 to lines_per_page - 2 are printed, the first one line height
    // below the top of the page; none when the font is that tall.
    int32_t lines_printed_per_page() const;
};

// The layout for these metrics, or nothing when the font has no height or
// no width (the divisions would be by zero).
std::optional<TextJobLayout> text_job_layout(const PrinterFontMetrics &metrics);

// A text job prints at most this many pages for each copy asked for, so that
// a font too tall for any line still ends its job.
inline constexpr int32_t kTextPagesPerCopy = 99;
int32_t text_job_page_limit(int32_t copies);

// The blanks that stand for one tab: MOLVERN_TABSTOP, 8 when it is not set.
// A width below 1 cannot be a tab stop and is ignored, as for stroke text.
inline constexpr int32_t kDefaultTextTabWidth = 8;
int32_t text_tab_width(const SettingLookup &lookup = lookup_setting);

// Every tab replaced by width blanks (not aligned to columns). A width beyond
// limit is held at limit: a tab as wide as the whole line already pushes
// what follows off the page, and a huge setting must not make a huge string.
std::string expand_tabs(std::string_view text, int32_t width, int32_t limit);

// Cuts a text stream into printed lines: each is the rest of a file line, up
// to characters_per_read characters, without its newline, tabs expanded. A
// file line exactly that long ends with the printed line instead of leaving
// an empty one behind. The stream stays the caller's.
class TextLineReader {
  public:
    TextLineReader(std::FILE *stream, const TextJobLayout &layout, int32_t tab_width);

    // The next printed line, or nothing at the end of the stream.
    std::optional<std::string> next();
    // True when another line follows.
    bool has_more();

  private:
    std::FILE *stream_;
    int32_t characters_per_read_;
    int32_t tab_width_;
    int32_t tab_limit_;
};

// Where the pages go. Each call reports whether the printer took it.
class TextPageOutput {
  public:
    virtual ~TextPageOutput() = default;
    virtual bool start_page() = 0;
    virtual bool draw_line(int32_t y, const std::string &text) = 0;
    virtual bool end_page() = 0;
};

// Prints the lines onto pages: always one page, and another while lines are
// left and the page limit is not reached (so the last page is never a blank
// one left over after a full page). The number of pages printed, or nothing
// as soon as the output refuses a call.
std::optional<int32_t> print_text_pages(TextLineReader &lines, const TextJobLayout &layout,
                                        int32_t page_limit, TextPageOutput &output);

} // namespace vexl

#endif // VEXL33_HARDCOPY_TEXT_JOB_LAYOUT_H
