// Without GDI no face is drawable through it: the TrueType list then comes
// from the font directory alone, there is no face dialog, and FreeType
// measures text.
#include "fonts/gdi_faces.h"

namespace vexl {

std::set<std::string> gdi_truetype_face_names() {
    return {};
}

int choose_gdi_face(GFontTable *) {
    return 0;
}

std::optional<int> gdi_text_bounding_box_nw(const GFontTable *, DBUnitCode, double, int32_t,
                                            const char *, int32_t *, int32_t *) {
    return std::nullopt;
}

} // namespace vexl
