// The fill-pattern file reader: kdfill_create, kdfill_read, kdfill_destroy.
//
// Each entry line names an XBM bitmap and carries the three HP-GL/2 fill
// parameters the plot-file device writes for that pattern:
//
//     ${MOLVERN_DIR}/patterns/hatch45.xbm : 3 100 45
//
// Lines starting with "#" or empty lines are comments. One malformed entry
// makes the whole file unusable (-1, code 46): a half-read table would shift
// every later pattern onto the wrong index. Only the first 294 characters of
// a line are looked at; a longer line still ends at its own newline.
#include "colour/fill_file.h"

#include <cstdint>
#include <optional>
#include <string>

#include "colour/entry_array.h"
#include "colour/text_line.h"
#include "core/c_boundary.h"
#include "core/errors.h"
#include "plot/gplot.h"
#include "support/integer_scan.h"
#include "support/rtk_config.h"
#include "support/rtk_memory.h"

namespace {

constexpr std::size_t kLineLimit = 294;

bool is_ascii_letter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// One " %d" conversion: white space, an optional sign and at least one digit.
// A value outside int32 is malformed rather than silently wrapped.
bool scan_int(const char *&cursor, int32_t &value) {
    const vexl::ScannedInteger number = vexl::scan_integer(cursor);
    const std::optional<int32_t> parsed = number.exact_int32();
    if (!parsed)
        return false;
    value = *parsed;
    cursor += number.length;
    return true;
}

// Parses one entry line into entry; false when it is malformed.
bool parse_entry(const vexl::TextLine &line, FillEntry &entry) {
    const std::string &text = line.text;
    std::size_t start = 0;
    while (start < text.size() && vexl::is_c_space(static_cast<unsigned char>(text[start])))
        ++start;
    // A drive letter keeps its colon; the separator is the next one.
    std::size_t search_from = start;
    if (text.size() - start >= 2 && is_ascii_letter(text[start]) && text[start + 1] == ':')
        search_from = start + 2;
    std::size_t separator = text.find(':', search_from);
    if (separator == std::string::npos)
        return false;
    std::size_t path_end = separator;
    while (path_end > start && vexl::is_c_space(static_cast<unsigned char>(text[path_end - 1])))
        --path_end;
    if (path_end == start)
        return false;
    // A NUL byte would end the path early without anyone noticing.
    std::string path = text.substr(start, path_end - start);
    if (path.find('\0') != std::string::npos)
        return false;
    // A path that expands to nothing (an unset variable) names no file either.
    if (!gui_env_expand_str(path.c_str(), entry.path, sizeof entry.path) || !entry.path[0])
        return false;

    const char *cursor = text.c_str() + separator + 1;
    if (!scan_int(cursor, entry.fill_type) || !scan_int(cursor, entry.fill_option1) ||
        !scan_int(cursor, entry.fill_option2))
        return false;
    // A number running into the cut-off part of a long line would be read
    // short: refuse it instead.
    const bool third_ends_at_cut = cursor == text.c_str() + text.size();
    if (line.truncated && third_ends_at_cut && line.first_dropped >= '0' &&
        line.first_dropped <= '9')
        return false;
    return true;
}

} // namespace

extern "C" {

VEXL_API void kdfill_create(FillEntryList *list) VEXL_TRY {
    vexl::clear_entry_array(list);
}
VEXL_CATCH_RETURN()

VEXL_API int kdfill_read(FillEntryList *list, FILE *file) VEXL_TRY {
    if (!list || !file || list->count < 0) {
        vexl::fail(vexl::Error::InvalidArgument);
        return -1;
    }
    vexl::TextLine line;
    while (vexl::read_text_line(file, kLineLimit, line)) {
        // Files written on Windows keep their carriage returns elsewhere.
        if (!line.truncated && !line.text.empty() && line.text.back() == '\r')
            line.text.pop_back();
        if (line.text.empty() || line.text[0] == '#')
            continue;
        FillEntry entry{};
        if (!parse_entry(line, entry)) {
            vexl::fail(vexl::Error::CannotReadFillFile);
            return -1;
        }
        if (!vexl::make_room(*list)) {
            vexl::fail(vexl::Error::MallocFailed);
            return -1;
        }
        list->entries[list->count++] = entry;
    }
    return list->count;
}
VEXL_CATCH_RETURN(-1)

VEXL_API void kdfill_destroy(FillEntryList *list) VEXL_TRY {
    vexl::release_entry_array(list);
}
VEXL_CATCH_RETURN()

} // extern "C"
