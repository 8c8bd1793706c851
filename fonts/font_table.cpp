// Font tables: loading a Hershey font set by table name, glyph lookups, the
// measurement of stroke text, tab expansion and the list of available tables.
#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/c_boundary.h"
#include "core/errors.h"
#include "fonts/tab_stops.h"
#include "fonts/table_list.h"
#include "fonts/table_name.h"
#include "plot/gplot.h"
#include "support/int32_conversions.h"
#include "support/rtk_dirs.h"
#include "support/rtk_files.h"
#include "support/rtk_strings.h"
#include "support/settings_lookup.h"

namespace {

constexpr const char *kDefaultTableName = "HersheyRomanNarrow";
constexpr int kMaxListedTables = 50;
constexpr std::size_t kListedNameLength = 20;

// The list of .asc tables in the font-table directory, built once.
struct TableNameList {
    std::array<std::array<char, kListedNameLength + 1>, kMaxListedTables> names{};
    int count = 0;
};
TableNameList listed_tables;

std::string setting_or(const char *name, const char *fallback) {
    char value[vexl::kSettingBufferSize];
    return vexl::lookup_setting(name, value) ? std::string(value) : std::string(fallback);
}

using Loader = int (*)(GFontSet *);
const Loader kLoaders[2] = {&gfs_load_ascii_table, &gfs_load_virtual_table};

} // namespace

namespace vexl {

bool listed_table_name_less(const char *a, const char *b) {
    for (; *a != '\0' && *a == *b; ++a, ++b) {
    }
    // The terminating zero must not take part in the signed comparison: a
    // byte of 128 or more after a shared start would sort below it.
    if (*a == '\0' || *b == '\0')
        return *a == '\0' && *b != '\0';
    return static_cast<signed char>(*a) < static_cast<signed char>(*b);
}

} // namespace vexl

extern "C" {

VEXL_API int gftable_load_font_table(GFontTable *table, int font_set, int kind,
                                     const char *name) VEXL_TRY {
    if (table == nullptr)
        return vexl::fail(vexl::Error::InvalidArgument);
    if (font_set != 0 && font_set != 1)
        return vexl::fail(vexl::Error::FontOccidentalOrOriental);
    const std::string data_path = font_set == 0 ? setting_or("MOLVERN_OCCIDENTAL_FILE", "hersh.oc")
                                                : setting_or("MOLVERN_ORIENTAL_FILE", "hersh.or");
    const vexl::FilePtr hershey(rtk_fopen(data_path.c_str(), "r"));
    if (!hershey)
        return vexl::fail(vexl::Error::NoHersheyFile);

    vexl::FilePtr index;
    if (name == nullptr && kind == GFONT_TABLE_ASCII) {
        vexl::set_table_name(table, kDefaultTableName);
    } else {
        if (name == nullptr)
            return vexl::fail(vexl::Error::InvalidArgument); // a virtual table needs its file
        const std::string path = setting_or("MOLVERN_FONT_FILE", ".") + "/" + name +
                                 (kind != GFONT_TABLE_ASCII ? ".vft" : ".asc");
        index.reset(rtk_fopen(path.c_str(), "r"));
        if (!index)
            return vexl::fail(vexl::Error::NoFontIndexFile);
        vexl::set_table_name(table, name);
    }

    gfs_open(&table->font_set, index.get(), hershey.get());
    int result = 0;
    if (kind == GFONT_TABLE_ASCII || kind == GFONT_TABLE_VIRTUAL) {
        table->kind = kind;
        result = kLoaders[kind](&table->font_set);
        // A tab stop below 1 could not be expanded; such a setting is ignored.
        const std::optional<int32_t> tabstop = vexl::integer_setting("MOLVERN_TABSTOP");
        if (tabstop && *tabstop >= 1)
            gftable_set_global_font_tabstop(*tabstop);
    } else {
        vexl::fail(vexl::Error::FontAsciiOrVirtual);
    }
    // The streams close on return; the set must not keep pointers to them.
    table->font_set.index_file = nullptr;
    table->font_set.hershey_file = nullptr;
    return result;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gftable_unload_font_table(GFontTable *table) VEXL_TRY {
    return table != nullptr ? gfs_unload(&table->font_set) : 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gftable_get_ascii_font(GFontTable *table, char c, GFont *out) VEXL_TRY {
    return table != nullptr ? gfs_get_font_ascii(&table->font_set, c, out) : 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gftable_get_virtual_font(GFontTable *table, int32_t code, GFont *out) VEXL_TRY {
    return table != nullptr ? gfs_get_font_virtual(&table->font_set, code, out) : 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gftable_get_font_aspect_ratio(GFontTable *table, double *ratio) VEXL_TRY {
    return table != nullptr ? gfs_get_font_aspect_ratio(&table->font_set, ratio) : 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API const char *gftable_get_font_name(GFontTable *table) VEXL_TRY {
    return table != nullptr ? table->name : nullptr;
}
VEXL_CATCH_RETURN(nullptr)

VEXL_API int gftable_get_ascii_text_bound_box(GFontTable *table, int32_t size, const char *text,
                                              int32_t *height, int32_t *width) VEXL_TRY {
    if (table == nullptr || height == nullptr || width == nullptr)
        return vexl::fail(vexl::Error::InvalidArgument);
    const int32_t *box = table->font_set.bound_box;
    const int64_t cell_height = int64_t{box[3]} - box[2];
    const int64_t cell_width = int64_t{box[1]} - box[0];
    *width = 0;
    if (cell_height == 0)
        return vexl::fail(vexl::Error::InvalidFont); // a flat cell cannot be scaled
    const int tab = gftable_get_global_font_tabstop();
    int64_t total_height = cell_height, x = 0, widest = 0, column = 0;
    for (const char *p = text != nullptr ? text : ""; *p != '\0'; ++p) {
        if (*p == '\n') {
            total_height += cell_height;
            x = 0;
            column = 0;
        } else if (*p == '\t') {
            const int64_t blanks = vexl::blanks_to_tab_stop(column, tab);
            x += blanks * cell_width;
            column += blanks;
        } else {
            x += cell_width;
            column += 1;
        }
        widest = std::max(widest, x);
    }
    const double h = static_cast<double>(cell_height);
    *height = vexl::trunc_to_int32(static_cast<double>(total_height) * size / h);
    *width = vexl::trunc_to_int32(static_cast<double>(size) * static_cast<double>(widest) / h);
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gftable_expand_tab_to_spaces(int column, int tab) VEXL_TRY {
    const int64_t blanks = vexl::blanks_to_tab_stop(column, tab);
    return blanks > INT_MAX ? INT_MAX : static_cast<int>(blanks);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gftable_get_number_ascii_fonts(void *) VEXL_TRY {
    if (listed_tables.count > 0)
        return listed_tables.count;
    const std::string directory = setting_or("MOLVERN_FONT_FILE", ".");
    vexl::DirectoryReader reader(directory.c_str());
    if (!reader.is_open()) {
        std::fprintf(stderr, "Cannot open directory: %s\n", directory.c_str());
        return -1;
    }
    std::string entry;
    while (listed_tables.count < kMaxListedTables && reader.next(entry)) {
        if (entry.size() < 4 || rtk_strcmp(entry.c_str() + entry.size() - 4, ".asc") != 0)
            continue;
        const std::string base = entry.substr(0, entry.rfind('.')).substr(0, kListedNameLength);
        std::strcpy(listed_tables.names[listed_tables.count++].data(), base.c_str());
    }
    using Slot = std::array<char, kListedNameLength + 1>;
    std::sort(listed_tables.names.begin(), listed_tables.names.begin() + listed_tables.count,
              [](const Slot &x, const Slot &y) {
                  return vexl::listed_table_name_less(x.data(), y.data());
              });
    return listed_tables.count;
}
VEXL_CATCH_RETURN(-1)

VEXL_API const char *gftable_get_ascii_fonttable_name(void *, int index) VEXL_TRY {
    // Only slots that hold a name are answered; others would read past the list.
    if (index < 0 || index >= listed_tables.count)
        return nullptr;
    return listed_tables.names[index].data();
}
VEXL_CATCH_RETURN(nullptr)

} // extern "C"
