// GDI's TrueType faces, the face dialog, the windowless measurement on the
// screen, and the two narrow-text GDI calls the exported interface passes
// through.
#include "core/c_boundary.h"
#include "fonts/gdi_faces.h"

#include <windows.h>

#include <commdlg.h>

#include <climits>
#include <exception>
#include <memory>
#include <type_traits>

#include "fonts/gdi_text_win32.h"
#include "fonts/table_name.h"
#include "plot/gplot_win32.h"
#include "support/rtk_math.h"

namespace vexl {

namespace {

constexpr double kPointsPerInch = 72.0;

struct ScreenDcReleaser {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
using ScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, ScreenDcReleaser>;

// The screen context windowless measurements use: taken on the first one
// that finds a screen and kept for the process, as measuring is frequent
// and the context is the screen's, not a window's.
HDC screen_context() {
    static HDC screen = nullptr;
    if (screen == nullptr)
        screen = GetDC(nullptr);
    return screen;
}

// What the enumeration collects, and what stopped it: an exception must not
// unwind through GDI's frames (the 32-bit unwinder cannot cross them), so the
// callbacks keep it and the caller throws it again once GDI has returned.
struct FaceCollection {
    HDC dc;
    std::set<std::string> names;
    std::exception_ptr failure;
};

// One style of a family: its full name ("DejaVu Sans Bold Oblique") when it
// is a TrueType face. Raster and vector fonts cannot be measured by
// FreeType: they are left out.
int CALLBACK add_truetype_style(const LOGFONTA *font, const TEXTMETRICA *metrics, DWORD,
                                LPARAM collection) {
    auto &faces = *reinterpret_cast<FaceCollection *>(collection);
    try {
        if (metrics->tmPitchAndFamily & TMPF_TRUETYPE) {
            const auto *full = reinterpret_cast<const ENUMLOGFONTEXA *>(font);
            faces.names.insert(reinterpret_cast<const char *>(full->elfFullName));
        }
    } catch (...) {
        faces.failure = std::current_exception();
        return 0; // stop enumerating
    }
    return 1;
}

// One family: its styles are enumerated in turn.
int CALLBACK visit_family(const LOGFONTA *font, const TEXTMETRICA *, DWORD, LPARAM collection) {
    auto &faces = *reinterpret_cast<FaceCollection *>(collection);
    LOGFONTA family = *font;
    EnumFontFamiliesExA(faces.dc, &family, add_truetype_style, collection, 0);
    return faces.failure ? 0 : 1;
}

} // namespace

std::set<std::string> gdi_truetype_face_names() {
    const ScreenDc dc(GetDC(nullptr));
    FaceCollection faces{dc.get(), {}, nullptr};
    if (!dc)
        return faces.names;
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET; // every character set; empty face: every family
    EnumFontFamiliesExA(dc.get(), &wanted, visit_family, reinterpret_cast<LPARAM>(&faces), 0);
    if (faces.failure)
        std::rethrow_exception(faces.failure);
    return faces.names;
}

int choose_gdi_face(GFontTable *table) {
    if (table == nullptr)
        return 0;
    LOGFONTA font = to_logfont(gdi_dialog_font(table->name));
    const ScreenDc screen(GetDC(nullptr));
    CHOOSEFONTA choice{};
    choice.lStructSize = sizeof choice;
    choice.hDC = screen.get();
    choice.lpLogFont = &font;
    // Screen fonts, with the effects controls, TrueType faces only. The
    // description is not used to preselect: the dialog opens on its own.
    choice.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_TTONLY;
    choice.nFontType = SCREEN_FONTTYPE;
    if (!ChooseFontA(&choice))
        return 0;
    // Only the face is kept: weight and slant are read from the name when
    // the text is drawn, and the size comes with each text.
    set_table_name(table, font.lfFaceName);
    table->kind = GFONT_TABLE_TRUETYPE;
    return 1;
}

std::optional<int> gdi_text_bounding_box_nw(const GFontTable *table, DBUnitCode units, double scale,
                                            int32_t height, const char *text, int32_t *height_out,
                                            int32_t *width_out) {
    return gttfont32_get_bounding_box_nw(table, units, scale, height, text, height_out, width_out);
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

VEXL_API int gttfont32_displayFontDialog(GFontTable *font) VEXL_TRY {
    return vexl::choose_gdi_face(font);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gttfont32_get_bounding_box_nw(const GFontTable *font, DBUnitCode units, double scale,
                                           int32_t height, const char *text, int32_t *height_out,
                                           int32_t *width_out) VEXL_TRY {
    if (height_out == nullptr || width_out == nullptr)
        return 0;
    if (height == 0) {
        *height_out = *width_out = 0;
        return 0;
    }
    const int32_t size =
        gttfont_db_worldToPointSize(const_cast<GFontTable *>(font), units, scale, height);
    if (size < 1) {
        *height_out = *width_out = 1;
        return 1;
    }
    HDC screen = vexl::screen_context();
    if (screen == nullptr)
        return 0;
    const vexl::GdiTextExtent extent = vexl::measure_gdi_text(screen, font, size, text);
    // The width is taken as points at the scale, whatever the unit.
    *width_out = extent.empty ? 0 : gmath_kdround(extent.widest / (scale * vexl::kPointsPerInch));
    *height_out = vexl::block_height(extent.lines, height);
    return 1;
}
VEXL_CATCH_RETURN(0)

} // extern "C"
