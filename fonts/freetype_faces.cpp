// Opening the FreeType face of a font table, sharing it between tables of the
// same face name, and releasing it when the last table lets go.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "core/c_boundary.h"
#include "fonts/freetype_engine.h"
#include "fonts/freetype_font.h"
#include "fonts/table_name.h"
#include "plot/gplot.h"
#include "support/platform.h"
#include "support/settings_lookup.h"

#include FT_SIZES_H

namespace vexl {

namespace {

constexpr int kDefaultMaxCachePointSize = 100;

int max_cache_point_size = kDefaultMaxCachePointSize;
bool cache_size_pending = true;

// Faces opened for a name, keyed by the name tables asked for.
std::map<std::string, std::unique_ptr<FreeTypeFont>> &loaded_fonts() {
    static std::map<std::string, std::unique_ptr<FreeTypeFont>> fonts;
    return fonts;
}

// The face every table gets whose own face is not in the font directory.
std::unique_ptr<FreeTypeFont> &default_font() {
    static std::unique_ptr<FreeTypeFont> font;
    return font;
}

// The engine a load needs, and the cache limit read once it runs.
bool start_engine_for(GFontTable *table) {
    if (!start_freetype_engine()) {
        table->kind = -1;
        table->freetype_font = nullptr;
        return false;
    }
    if (cache_size_pending) {
        if (const std::optional<int32_t> size = integer_setting("MAX_CACHE_POINT_SIZE"))
            max_cache_point_size = *size;
        cache_size_pending = false;
    }
    return true;
}

bool is_unicode_map(const FT_CharMap map) {
    return (map->platform_id == 3 && map->encoding_id == 1) ||
           (map->platform_id == 0 && map->encoding_id == 0);
}

// Opens the face at path for the table called name: face, Unicode character
// map, glyph slot and a size of its own. Reasons go to stderr.
bool open_font(FreeTypeFont &font, const std::string &path, const char *name) {
    FT_Error error = FT_New_Face(freetype_engine(), path.c_str(), 0, &font.face);
    if (error != 0) {
        font.face = nullptr;
        report_freetype_failure(error, "Font properties error, while loading font [%s].\n",
                                path.c_str());
        return false;
    }
    bool map_found = false;
    for (FT_Int i = 0; i < font.face->num_charmaps && !map_found; ++i) {
        const FT_CharMap map = font.face->charmaps[i];
        if (!is_unicode_map(map))
            continue;
        map_found = true;
        error = FT_Set_Charmap(font.face, map);
        if (error != 0)
            report_freetype_failure(
                error, "Font cannot load character map, while loading font [%s].\n", name);
        else
            font.char_map = map;
    }
    if (!map_found) {
        std::fprintf(stderr, "Font invalid platform and/or encoding ID, while loading font [%s].\n",
                     name);
        return false;
    }
    font.glyph = font.face->glyph;
    if (font.glyph == nullptr) {
        report_freetype_failure(FT_Err_Invalid_Slot_Handle,
                                "Font new glyph error, while loading font [%s].\n", name);
        return false;
    }
    error = FT_New_Size(font.face, &font.instance);
    if (error != 0) {
        font.instance = nullptr;
        report_freetype_failure(error, "Font file instance error, while loading font [%s].\n",
                                name);
        return false;
    }
    return true;
}

std::string default_font_path() {
    std::string path = freetype_font_directory();
    const char separator = platform::path_separator();
    if (!path.empty() && path.back() != separator)
        path += separator;
    return path + kDefaultFreetypeFaceFile;
}

// A table whose load failed: unloaded, with neither face nor name.
int fail_load(GFontTable *table) {
    table->freetype_font = nullptr;
    table->kind = -1;
    set_table_name(table, nullptr);
    return 0;
}

int hold(GFontTable *table, FreeTypeFont *font) {
    ++font->holders;
    table->freetype_font = font;
    table->kind = GFONT_TABLE_TRUETYPE;
    return 1;
}

int load_font(GFontTable *table) {
    if (table == nullptr)
        return 0;
    if (table->freetype_font != nullptr)
        return 1;
    if (!start_engine_for(table))
        return 0;
    if (table->name == nullptr)
        return 0; // nothing to look up: the table must be named first
    const std::string requested = table->name;
    const std::string *path = freetype_font_file(requested);
    if (path == nullptr) {
        std::fprintf(stderr, "Font [%s] not found, defaulting to [%s].\n", requested.c_str(),
                     kDefaultFreetypeFaceName);
        set_table_name(table, kDefaultFreetypeFaceName);
        if (default_font())
            return hold(table, default_font().get());
        auto font = std::make_unique<FreeTypeFont>();
        if (!open_font(*font, default_font_path(), table->name))
            return fail_load(table);
        default_font() = std::move(font);
        return hold(table, default_font().get());
    }
    const auto loaded = loaded_fonts().find(requested);
    if (loaded != loaded_fonts().end())
        return hold(table, loaded->second.get());
    auto font = std::make_unique<FreeTypeFont>();
    if (!open_font(*font, *path, table->name))
        return fail_load(table);
    FreeTypeFont *opened = font.get();
    loaded_fonts().emplace(requested, std::move(font));
    return hold(table, opened);
}

// Lets the table's hold on its font go; the last holder closes the font.
void release_font(void *held) {
    if (held == nullptr)
        return;
    std::unique_ptr<FreeTypeFont> &fallback = default_font();
    if (held == fallback.get()) {
        if (--fallback->holders == 0)
            fallback.reset();
        return;
    }
    auto &fonts = loaded_fonts();
    for (auto entry = fonts.begin(); entry != fonts.end(); ++entry) {
        if (entry->second.get() == held) {
            if (--entry->second->holders == 0)
                fonts.erase(entry);
            return;
        }
    }
}

} // namespace

FreeTypeFont::~FreeTypeFont() {
    if (instance != nullptr)
        FT_Done_Size(instance);
    glyph = nullptr; // the slot belongs to the face
    if (face != nullptr)
        FT_Done_Face(face);
    size_cache.clear();
}

int freetype_max_cache_point_size() {
    return max_cache_point_size;
}

int freetype_default_font_holders() {
    return default_font() ? default_font()->holders : 0;
}

bool ensure_freetype_font_loaded(GFontTable *table) {
    return load_font(table) == 1;
}

} // namespace vexl

extern "C" {

VEXL_API int gfreetype_loadFont(GFontTable *font) VEXL_TRY {
    return vexl::load_font(font);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfreetype_unloadFont(GFontTable *font) VEXL_TRY {
    if (font == nullptr)
        return 0;
    vexl::release_font(font->freetype_font);
    font->freetype_font = nullptr;
    font->kind = -1;
    vexl::set_table_name(font, nullptr);
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfreetype_displayFontDialog(GFontTable *font) VEXL_TRY {
    if (font != nullptr)
        vexl::start_engine_for(font);
    return 0;
}
VEXL_CATCH_RETURN(0)

} // extern "C"
