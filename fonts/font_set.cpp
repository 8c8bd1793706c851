// Font sets of the C interface: the glyphs an index picks from a Hershey data
// file, loaded in one pass over the data file.
//
// Finding a record only moves forward through the data file, so the glyphs
// are loaded in ascending Hershey order after a rewind. An ASCII set is then
// put in character order, so the glyph of c sits at c - 32; a virtual set
// stays in Hershey order and is searched by code.
#include <algorithm>
#include <cstdio>
#include <new>
#include <optional>

#include "core/c_boundary.h"
#include "fonts/font_index.h"
#include "fonts/hershey_data.h"
#include "plot/gfonts.h"
#include "support/rtk_memory.h"

namespace {

using vexl::hershey::FontIndex;
using vexl::hershey::IndexEntry;

void sort_by_number(FontIndex &index) {
    std::stable_sort(index.entries.begin(), index.entries.end(),
                     [](const IndexEntry &a, const IndexEntry &b) { return a.number < b.number; });
}

// Gives glyph the strokes of a glyph already loaded, in an array of its own.
bool copy_strokes(GFont &glyph, const GFont &loaded) {
    if (!gfont_make_points(&glyph, loaded.num_points))
        return false;
    if (loaded.num_points > 0)
        std::copy(loaded.points, loaded.points + 2 * loaded.num_points, glyph.points);
    glyph.hershey_index = loaded.hershey_index;
    glyph.left = loaded.left;
    glyph.right = loaded.right;
    return true;
}

// Loads the glyph of every record of the set's array, in order, each into a
// fresh record that then replaces the one naming it. Stops at the first glyph
// that cannot be found or parsed; num_glyphs counts those loaded.
bool load_glyphs(GFontSet &set, int32_t count) {
    std::FILE *data = set.hershey_file;
    set.num_glyphs = 0;
    if (!data)
        return false;
    std::rewind(data);
    int32_t previous_number = 0;
    for (int32_t i = 0; i < count; ++i) {
        GFont glyph;
        gfont_create(&glyph);
        glyph.character = set.glyphs[i].character;
        glyph.hershey_index = set.glyphs[i].hershey_index;
        glyph.font_no = set.glyphs[i].font_no;
        const int32_t number = glyph.hershey_index;
        // The data file is only read forward, so a number asked for again
        // (characters sharing a glyph) takes the strokes just read.
        const bool loaded = i > 0 && number == previous_number
                                ? copy_strokes(glyph, set.glyphs[i - 1])
                                : vexl::hershey::load_numbered_record(glyph, data, number) >= 0;
        if (!loaded) {
            gfont_unload(&glyph);
            return false;
        }
        set.glyphs[i] = glyph;
        ++set.num_glyphs;
        previous_number = number;
    }
    return true;
}

// Makes the set's array from the index (already in Hershey order) and loads
// it. False, with no array left, when memory or a glyph is missing.
bool load_index(GFontSet &set, const FontIndex &index, bool ascii) {
    const auto count = static_cast<int32_t>(index.entries.size());
    set.glyphs = static_cast<GFont *>(rtk_calloc(index.entries.size(), sizeof(GFont)));
    if (!set.glyphs)
        return false;
    for (int32_t i = 0; i < count; ++i) {
        GFont &glyph = set.glyphs[i];
        gfont_create(&glyph);
        glyph.hershey_index = index.entries[i].number;
        if (ascii) {
            glyph.character = index.entries[i].code;
            glyph.font_no = i;
        } else {
            glyph.font_no = index.entries[i].code;
        }
    }
    if (!load_glyphs(set, count)) {
        gfs_unload(&set);
        return false;
    }
    return true;
}

} // namespace

extern "C" {

VEXL_API int gfs_open(GFontSet *set, FILE *index_file, FILE *hershey_file) VEXL_TRY {
    if (!set)
        return 0;
    set->index_file = index_file;
    set->hershey_file = hershey_file;
    set->glyphs = nullptr;
    set->num_glyphs = 0;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfs_load_ascii_table(GFontSet *set) VEXL_TRY {
    if (!set)
        return 0;
    gfs_unload(set);
    try {
        std::optional<FontIndex> index = set->index_file
                                             ? vexl::hershey::read_ascii_index(set->index_file)
                                             : vexl::hershey::builtin_ascii_index();
        if (!index) {
            std::fputs("Corrupted ascii font index file\n", stderr);
            return 0;
        }
        std::copy(index->bound_box.begin(), index->bound_box.end(), set->bound_box);
        sort_by_number(*index);
        if (!load_index(*set, *index, true))
            return 0;
    } catch (const std::bad_alloc &) {
        return 0;
    }
    // Characters are 32..127, so the signed 8-bit order is the code order.
    std::stable_sort(
        set->glyphs, set->glyphs + set->num_glyphs, [](const GFont &a, const GFont &b) {
            return static_cast<signed char>(a.character) < static_cast<signed char>(b.character);
        });
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfs_load_virtual_table(GFontSet *set) VEXL_TRY {
    if (!set)
        return 0;
    gfs_unload(set);
    try {
        std::optional<FontIndex> index = vexl::hershey::read_virtual_index(set->index_file);
        if (!index) {
            std::fputs("Corrupted virtual font index file\n", stderr);
            return 0;
        }
        std::copy(index->bound_box.begin(), index->bound_box.end(), set->bound_box);
        sort_by_number(*index);
        return load_index(*set, *index, false) ? 1 : 0;
    } catch (const std::bad_alloc &) {
        return 0;
    }
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfs_get_font_ascii(GFontSet *set, char c, GFont *out) VEXL_TRY {
    const int32_t slot = static_cast<unsigned char>(c) - vexl::hershey::kFirstAsciiCharacter;
    if (!set || !out || !set->glyphs || slot < 0 || slot >= set->num_glyphs)
        return 0;
    *out = set->glyphs[slot];
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfs_get_font_virtual(GFontSet *set, int32_t code, GFont *out) VEXL_TRY {
    if (!set || !out || !set->glyphs)
        return 0;
    for (int32_t i = 0; i < set->num_glyphs; ++i) {
        if (set->glyphs[i].font_no == code) {
            *out = set->glyphs[i];
            return 1;
        }
    }
    return 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfs_set_font(GFontSet *set, int32_t i, const GFont *font) VEXL_TRY {
    if (!set || !font || !set->glyphs || i < 0 || i >= set->num_glyphs)
        return 0;
    set->glyphs[i] = *font;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfs_set_bound_box(GFontSet *set, const int32_t box[4]) VEXL_TRY {
    if (!set || !box)
        return 0;
    std::copy(box, box + 4, set->bound_box);
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfs_get_bound_box(GFontSet *set, int32_t box[4]) VEXL_TRY {
    if (!set || !box)
        return 0;
    std::copy(set->bound_box, set->bound_box + 4, box);
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int32_t gfs_num_fonts(GFontSet *set) VEXL_TRY {
    return set ? set->num_glyphs : 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfs_get_font_aspect_ratio(GFontSet *set, double *ratio) VEXL_TRY {
    if (!set || !ratio)
        return 0;
    // Differences in 64 bits: a box read from a file may span all of int32_t.
    const int64_t width = int64_t{set->bound_box[1]} - set->bound_box[0];
    const int64_t height = int64_t{set->bound_box[3]} - set->bound_box[2];
    if (height == 0)
        return 0;
    *ratio = static_cast<double>(width) / static_cast<double>(height);
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfs_unload(GFontSet *set) VEXL_TRY {
    if (!set || !set->glyphs)
        return 0;
    for (int32_t i = 0; i < set->num_glyphs; ++i)
        rtk_free(set->glyphs[i].points);
    rtk_free(set->glyphs);
    set->glyphs = nullptr;
    set->num_glyphs = 0;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfs_close(GFontSet *set) VEXL_TRY {
    gfs_unload(set);
    return 1;
}
VEXL_CATCH_RETURN(0)

} // extern "C"
