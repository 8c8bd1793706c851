// The font front door: which kind of font a name means, the lists a caller
// chooses from, and loading a name into a font table. The size conversions
// are in truetype_sizes.cpp.
#include "fonts/truetype_selection.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "core/c_boundary.h"
#include "fonts/freetype_fonts.h"
#include "fonts/gdi_faces.h"
#include "fonts/table_name.h"
#include "plot/gplot.h"
#include "support/rtk_strings.h"
#include "support/settings_lookup.h"

namespace vexl {

namespace {

bool setting_is(const char *value, const char *wanted) {
    return value != nullptr && gparse_stricmp(value, wanted) == 0;
}

int capped_count(std::size_t n) {
    return n > INT32_MAX ? INT32_MAX : static_cast<int>(n);
}

void trace_face_names(const char *heading, const std::set<std::string> &names) {
    std::fputs("\n", stderr);
    for (const std::string &name : names)
        std::fprintf(stderr, "%-40s\n", name.c_str());
    std::fprintf(stderr, "Number of %s fonts = %d\n\n", heading, capped_count(names.size()));
}

} // namespace

FontMode font_mode_for_setting(const char *value, bool trace) {
    if (setting_is(value, "Hershey")) {
        if (trace)
            std::fputs("Defaulting to Hershey fonts because MOLVERN_FONT_TYPE = Hershey\n", stderr);
        return FontMode::hershey;
    }
    if (setting_is(value, "TrueType") && trace)
        std::fputs("Defaulting to TrueType fonts because MOLVERN_FONT_TYPE = TrueType\n", stderr);
    return FontMode::truetype;
}

bool lists_gdi_faces_only(const char *value) {
    return setting_is(value, "windows");
}

void merge_face_names(std::set<std::string> &available, const std::set<std::string> &found) {
    if (found.empty())
        return;
    if (available.empty()) {
        available = found;
        return;
    }
    for (auto it = available.begin(); it != available.end();)
        it = found.count(*it) ? std::next(it) : available.erase(it);
}

std::set<std::string> available_face_names(const std::set<std::string> &gdi_faces,
                                           const std::set<std::string> *directory_faces,
                                           bool trace) {
    std::set<std::string> available;
    if (trace)
        trace_face_names("Windows", gdi_faces);
    merge_face_names(available, gdi_faces);
    if (directory_faces) {
        if (trace)
            trace_face_names("Kalden", *directory_faces);
        merge_face_names(available, *directory_faces);
    }
    if (trace)
        trace_face_names("Available", available);
    return available;
}

FontNameList::FontNameList(std::set<std::string> names) : names_(std::move(names)) {
    pointers_.reserve(names_.size());
    for (const std::string &name : names_)
        pointers_.push_back(name.c_str());
}

int FontNameList::count() const {
    return capped_count(pointers_.size());
}

std::set<std::string> hershey_table_names(bool trace) {
    std::set<std::string> names;
    const int n = gftable_get_number_ascii_fonts(nullptr);
    for (int i = 0; i < n; ++i)
        if (const char *name = gftable_get_ascii_fonttable_name(nullptr, i))
            names.insert(name);
    if (trace) {
        for (const std::string &name : names)
            std::fprintf(stderr, "%-40s\n", name.c_str());
        std::fprintf(stderr, "Number of fonts = %d\n", capped_count(names.size()));
    }
    return names;
}

int load_truetype_name(GFontTable *table, const char *name,
                       const std::set<std::string> &available) {
    if (table == nullptr)
        return 0;
    if (name && *name && available.count(name))
        set_table_name(table, name);
    if (table->name == nullptr || *table->name == '\0')
        return 0;
    table->kind = GFONT_TABLE_TRUETYPE;
    return 1;
}

int load_hershey_table(GFontTable *table, const char *name) {
    constexpr int kOccidental = 0;
    if (!gftable_load_font_table(table, kOccidental, GFONT_TABLE_ASCII, name) &&
        !gftable_load_font_table(table, kOccidental, GFONT_TABLE_ASCII, nullptr))
        return 0;
    // The table loader names the table itself when the named file loads; only
    // the built-in stand-in needs the requested name put back. Leaving the
    // loader's own copy in place lets it release that copy on the next load.
    if (table && name && *name && (table->name == nullptr || std::strcmp(table->name, name) != 0))
        set_table_name(table, name);
    return 1;
}

} // namespace vexl

namespace {

using vexl::FontMode;
using vexl::FontNameList;

// MOLVERN_FONT_TYPE as it stands now; null when absent.
const char *font_type_setting(char (&buffer)[vexl::kSettingBufferSize]) {
    return gplot_get_environment("MOLVERN_FONT_TYPE", buffer) ? buffer : nullptr;
}

bool font_trace_active() {
    return debug_mode_active_for("font", "all", nullptr) != 0;
}

// Decided on the first use and kept for the process: a font table loaded in
// one mode must not be read in the other.
FontMode process_font_mode() {
    static const FontMode mode = [] {
        char buffer[vexl::kSettingBufferSize];
        return vexl::font_mode_for_setting(font_type_setting(buffer), font_trace_active());
    }();
    return mode;
}

// Built on the first request and never rebuilt: callers keep the pointers.
FontNameList &process_truetype_list() {
    static FontNameList list{[] {
        char buffer[vexl::kSettingBufferSize];
        const bool trace = font_trace_active();
        const std::set<std::string> gdi_faces = vexl::gdi_truetype_face_names();
        if (vexl::lists_gdi_faces_only(font_type_setting(buffer)))
            return vexl::available_face_names(gdi_faces, nullptr, trace);
        std::set<std::string> directory_faces;
        vexl::scan_freetype_font_directory(directory_faces);
        return vexl::available_face_names(gdi_faces, &directory_faces, trace);
    }()};
    return list;
}

FontNameList &process_hershey_list() {
    static FontNameList list(vexl::hershey_table_names(font_trace_active()));
    return list;
}

} // namespace

extern "C" {

VEXL_API int gttfont_loadFont(GFontTable *font, const char *name) VEXL_TRY {
    if (process_font_mode() == FontMode::hershey)
        return vexl::load_hershey_table(font, name);
    if (font == nullptr)
        return 0;
    static const std::set<std::string> no_faces;
    // An empty name only asks whether the table already holds a face: no
    // need to build the list for it.
    const bool named = name && *name;
    return vexl::load_truetype_name(font, name, named ? process_truetype_list().names() : no_faces);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gttfont_unloadFont(GFontTable *font) VEXL_TRY {
    if (process_font_mode() == FontMode::truetype)
        return gfreetype_unloadFont(font);
    if (font)
        vexl::set_table_name(font, nullptr);
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gttfont_displayFontDialog(GFontTable *font) VEXL_TRY {
    // Hershey tables have no dialog; TrueType faces are chosen in GDI's.
    if (process_font_mode() == FontMode::hershey)
        return 0;
    return vexl::choose_gdi_face(font);
}
VEXL_CATCH_RETURN(0)

VEXL_API const char *gttfont_getFontName(GFontTable *font) VEXL_TRY {
    return font ? font->name : nullptr;
}
VEXL_CATCH_RETURN(nullptr)

VEXL_API int gttfont_setFontName(GFontTable *font, const char *name) VEXL_TRY {
    if (font == nullptr || name == nullptr || *name == '\0')
        return 0;
    vexl::set_table_name(font, name);
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API const char **gttfont_getFontList(int *count) VEXL_TRY {
    FontNameList &list =
        process_font_mode() == FontMode::hershey ? process_hershey_list() : process_truetype_list();
    if (count)
        *count = list.count();
    return list.data();
}
VEXL_CATCH_RETURN(nullptr)

} // extern "C"
