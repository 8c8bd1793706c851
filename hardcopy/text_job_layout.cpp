// The arithmetic of a printed text job (see text_job_layout.h).
#include "hardcopy/text_job_layout.h"

#include <algorithm>
#include <limits>

namespace vexl {

namespace {

int32_t saturate_16(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int16_t>::min(),
                                                    std::numeric_limits<int16_t>::max()));
}

} // namespace

int32_t TextJobLayout::characters_per_read() const {
    return std::max(characters_per_line - 1, 1);
}

int32_t TextJobLayout::lines_printed_per_page() const {
    return std::max(lines_per_page - 2, 0);
}

std::optional<TextJobLayout> text_job_layout(const PrinterFontMetrics &metrics) {
    TextJobLayout layout;
    layout.line_height =
        saturate_16(static_cast<int64_t>(metrics.height) + metrics.external_leading);
    if (layout.line_height <= 0 || metrics.average_character_width <= 0)
        return std::nullopt;
    layout.characters_per_line = saturate_16(metrics.page_width / metrics.average_character_width);
    layout.lines_per_page = saturate_16(metrics.page_height / layout.line_height);
    return layout;
}

int32_t text_job_page_limit(int32_t copies) {
    const int64_t limit = static_cast<int64_t>(std::max(copies, 1)) * kTextPagesPerCopy;
    return static_cast<int32_t>(std::min<int64_t>(limit, std::numeric_limits<int32_t>::max()));
}

int32_t text_tab_width(const SettingLookup &lookup) {
    const std::optional<int32_t> setting = integer_setting("MOLVERN_TABSTOP", lookup);
    return setting && *setting >= 1 ? *setting : kDefaultTextTabWidth;
}

std::string expand_tabs(std::string_view text, int32_t width, int32_t limit) {
    const std::size_t blanks = static_cast<std::size_t>(std::clamp(width, 0, std::max(limit, 0)));
    std::string expanded;
    expanded.reserve(text.size());
    for (const char c : text) {
        if (c == '\t')
            expanded.append(blanks, ' ');
        else
            expanded.push_back(c);
    }
    return expanded;
}

TextLineReader::TextLineReader(std::FILE *stream, const TextJobLayout &layout, int32_t tab_width)
    : stream_(stream), characters_per_read_(layout.characters_per_read()), tab_width_(tab_width),
      tab_limit_(std::max(layout.characters_per_line, 1)) {}

std::optional<std::string> TextLineReader::next() {
    std::string raw;
    int c = EOF;
    while (static_cast<int32_t>(raw.size()) < characters_per_read_) {
        c = std::getc(stream_);
        if (c == EOF || c == '\n')
            break;
        raw.push_back(static_cast<char>(c));
    }
    if (raw.empty() && c == EOF)
        return std::nullopt;
    // A line that filled the printed line exactly: its newline belongs to it.
    if (c != '\n' && c != EOF) {
        const int following = std::getc(stream_);
        if (following != '\n' && following != EOF)
            std::ungetc(following, stream_);
    }
    return expand_tabs(raw, tab_width_, tab_limit_);
}

bool TextLineReader::has_more() {
    const int c = std::getc(stream_);
    if (c == EOF)
        return false;
    std::ungetc(c, stream_);
    return true;
}

std::optional<int32_t> print_text_pages(TextLineReader &lines, const TextJobLayout &layout,
                                        int32_t page_limit, TextPageOutput &output) {
    int32_t pages = 0;
    do {
        if (!output.start_page())
            return std::nullopt;
        ++pages;
        for (int32_t n = 1; n <= layout.lines_printed_per_page(); ++n) {
            const std::optional<std::string> line = lines.next();
            if (!line)
                break;
            if (!output.draw_line(n * layout.line_height, *line))
                return std::nullopt;
        }
        if (!output.end_page())
            return std::nullopt;
    } while (pages < page_limit && lines.has_more());
    return pages;
}

} // namespace vexl
