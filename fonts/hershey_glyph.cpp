// Glyph records of the C interface: one Hershey glyph and its point array.
//
// A record owns its array (from rtk_malloc) until gfont_unload; copies handed
// out by a font set share the set's array and must not be unloaded. Giving a
// record a new array never frees the old one: whoever owned it still does.
#include <cstddef>
#include <cstdint>

#include "core/c_boundary.h"
#include "fonts/hershey_data.h"
#include "plot/gfonts.h"
#include "support/rtk_memory.h"

namespace {

constexpr std::size_t kPairBytes = 2 * sizeof(int32_t);

bool has_point(const GFont *font, int32_t i) {
    return font && font->points && i >= 0 && i < font->num_points;
}

} // namespace

extern "C" {

VEXL_API void gfont_create(GFont *font) VEXL_TRY {
    if (!font)
        return;
    *font = GFont{};
    font->hershey_index = -1;
    font->font_no = -1;
}
VEXL_CATCH_RETURN()

// Only allocates: the array the record held before is not freed, because a
// record copied from a font set shares the set's array, which the set frees.
VEXL_API int gfont_make_points(GFont *font, int32_t n) VEXL_TRY {
    if (!font || n < 0)
        return 0;
    int32_t *points = nullptr;
    if (n > 0) {
        if (static_cast<std::size_t>(n) > SIZE_MAX / kPairBytes)
            return 0;
        points = static_cast<int32_t *>(rtk_malloc(static_cast<std::size_t>(n) * kPairBytes));
        if (!points)
            return 0;
    }
    font->points = points;
    font->num_points = n;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfont_set_character(GFont *font, char c) VEXL_TRY {
    if (!font)
        return 0;
    font->character = static_cast<unsigned char>(c);
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfont_get_character(GFont *font, char *c) VEXL_TRY {
    if (!font || !c)
        return 0;
    *c = static_cast<char>(font->character);
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfont_set_hershey_index(GFont *font, int32_t index) VEXL_TRY {
    if (!font)
        return 0;
    font->hershey_index = index;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfont_get_hershey_index(GFont *font, int32_t *index) VEXL_TRY {
    if (!font || !index)
        return 0;
    *index = font->hershey_index;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfont_set_font_no(GFont *font, int32_t font_no) VEXL_TRY {
    if (!font)
        return 0;
    font->font_no = font_no;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfont_get_font_no(GFont *font, int32_t *font_no) VEXL_TRY {
    if (!font || !font_no)
        return 0;
    *font_no = font->font_no;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfont_set_coord(GFont *font, int32_t i, int32_t x, int32_t y) VEXL_TRY {
    if (!has_point(font, i))
        return 0;
    font->points[2 * i] = x;
    font->points[2 * i + 1] = y;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfont_get_coord(GFont *font, int32_t i, int32_t *x, int32_t *y) VEXL_TRY {
    if (!has_point(font, i) || !x || !y)
        return 0;
    *x = font->points[2 * i];
    *y = font->points[2 * i + 1];
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int32_t gfont_num_points(GFont *font) VEXL_TRY {
    return font ? font->num_points : 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfont_unload(GFont *font) VEXL_TRY {
    if (!font)
        return 0;
    font->num_points = 0;
    if (!font->points)
        return 0;
    rtk_free(font->points);
    font->points = nullptr;
    return 1;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfont_destroy(GFont *font) VEXL_TRY {
    return gfont_unload(font);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gfont_load(GFont *font, FILE *stream) VEXL_TRY {
    if (!font)
        return -1;
    return vexl::hershey::load_record(*font, stream);
}
VEXL_CATCH_RETURN(-1)

} // extern "C"
