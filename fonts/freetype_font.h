// One opened FreeType face as the TrueType text uses it, and the calls that
// open, share and release faces for font tables. Internal to the library.
#ifndef VEXL33_FONTS_FREETYPE_FONT_H
#define VEXL33_FONTS_FREETYPE_FONT_H

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "fonts/metric_block.h"

struct GFontTable;

namespace vexl {

// Face name given to tables whose own face is not in the font directory.
inline constexpr const char *kDefaultFreetypeFaceName = "Dirad Ire ZUZ";
// File of that face inside the font directory.
inline constexpr const char *kDefaultFreetypeFaceFile = "arial_r.ttf";

// One opened face, shared by every table that loaded the same face name.
// Closes its size, then its face, then drops the cached metrics.
struct FreeTypeFont {
    FreeTypeFont() = default;
    ~FreeTypeFont();
    FreeTypeFont(const FreeTypeFont &) = delete;
    FreeTypeFont &operator=(const FreeTypeFont &) = delete;

    FT_Face face = nullptr;
    FT_CharMap char_map = nullptr;
    FT_GlyphSlot glyph = nullptr; // the face's own slot, reused for every glyph
    FT_Size instance = nullptr;   // owned size object, made by FT_New_Size
    int32_t resolution = 0;       // dots per inch last set
    int32_t point_size = 0;       // point size last set
    // Metric blocks by point size, built on screen plots and kept while the
    // font lives. Keyed rather than indexed so that one measurement at a huge
    // size does not allocate a slot for every size below it.
    std::map<int32_t, std::unique_ptr<MetricBlock>> size_cache;
    int32_t last_point_size = 0;
    int32_t last_resolution = 0;
    std::string last_name; // table name at the last successful size change
    int holders = 0;       // tables currently holding this font
};

// Starts the process's FreeType engine, or says on stderr that it failed.
bool start_freetype_engine();

// Largest point size whose glyph bitmaps are cached: MAX_CACHE_POINT_SIZE
// once a load has looked it up, 100 before and without it.
int freetype_max_cache_point_size();

// The full name (TrueType name 4, English or Unicode) of the first face in
// the file at path, written as its low bytes; nothing, with the reason on
// stderr, when the file does not open as a face or has no such name.
std::optional<std::string> read_freetype_face_name(const char *path);

// The font directory of the last scan (empty before the first).
const std::string &freetype_font_directory();

// File path the scans recorded for a face name, or null.
const std::string *freetype_font_file(const std::string &face_name);

// Number of tables holding the shared default face.
int freetype_default_font_holders();

// The face of table, opened now unless it already has one; what
// gfreetype_loadFont does, for the measuring calls to start with.
bool ensure_freetype_font_loaded(GFontTable *table);

} // namespace vexl

#endif // VEXL33_FONTS_FREETYPE_FONT_H
