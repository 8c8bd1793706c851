// GDI's TrueType faces, enumerated on a screen device context, and the two
// narrow-text GDI calls the exported interface passes through.
#include "core/c_boundary.h"
#include "fonts/gdi_faces.h"

#include <windows.h>

#include <climits>
#include <exception>
#include <memory>
#include <type_traits>

#include "plot/gplot_win32.h"

namespace vexl {

namespace {

struct ScreenDcReleaser {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
using ScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, ScreenDcReleaser>;

// What the enumeration collects, and what stopped it: an exception must not
// unwind through GDI's frames (the 32-bit unwinder cannot cross them), so the
// callback keeps it and the caller throws it again once GDI has returned.
struct FaceCollection {
    std::set<std::string> names;
    std::exception_ptr failure;
};

int CALLBACK add_truetype_face(const LOGFONTA *font, const TEXTMETRICA *, DWORD font_type,
                               LPARAM collection) {
    auto &faces = *reinterpret_cast<FaceCollection *>(collection);
    // Raster and vector fonts cannot be measured by FreeType: leave them out.
    try {
        if (font_type & TRUETYPE_FONTTYPE)
            faces.names.insert(font->lfFaceName);
    } catch (...) {
        faces.failure = std::current_exception();
        return 0; // stop enumerating
    }
    return 1; // go on enumerating
}

} // namespace

std::set<std::string> gdi_truetype_face_names() {
    FaceCollection faces;
    const ScreenDc dc(GetDC(nullptr));
    if (!dc)
        return faces.names;
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET; // every character set; empty face: every family
    EnumFontFamiliesExA(dc.get(), &wanted, add_truetype_face, reinterpret_cast<LPARAM>(&faces), 0);
    if (faces.failure)
        std::rethrow_exception(faces.failure);
    return faces.names;
}

} // namespace vexl

namespace {

// GDI counts characters in an int.
int capped_length(unsigned length) {
    return length > INT_MAX ? INT_MAX : static_cast<int>(length);
}

} // namespace

extern "C" {

VEXL_API int vexl_TextOut(void *hdc, int x, int y, const char *text, unsigned length) VEXL_TRY {
    return TextOutA(static_cast<HDC>(hdc), x, y, text, capped_length(length));
}
VEXL_CATCH_RETURN(0)

VEXL_API int vexl_GetTextExtentPoint32(void *hdc, const char *text, unsigned length,
                                       void *size) VEXL_TRY {
    return GetTextExtentPoint32A(static_cast<HDC>(hdc), text, capped_length(length),
                                 static_cast<SIZE *>(size));
}
VEXL_CATCH_RETURN(0)

} // extern "C"
