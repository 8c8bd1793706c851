// A GDI font the TrueType text tests make for themselves, independently of
// the library, to know how wide GDI makes a text; and a size at which two
// runs of M's are exactly 100 and 60 pixels wide, for the justification
// cases.
#ifndef VEXL33_TESTS_FONTS_GDI_TEST_FONT_WIN32_H
#define VEXL33_TESTS_FONTS_GDI_TEST_FONT_WIN32_H

#include <windows.h>

#include <cstring>
#include <string>

namespace vexl::test {

// The face the GDI text tests draw in (Debian's fonts-dejavu-core, which
// Wine finds through fontconfig).
inline constexpr const char *kGdiTestFace = "DejaVu Sans";

// A font of `pixels` height selected into a context for the object's life.
class TestFont {
  public:
    TestFont(HDC dc, int pixels, const char *face = kGdiTestFace) : dc_(dc) {
        LOGFONTA font{};
        font.lfHeight = -pixels;
        font.lfOutPrecision = OUT_TT_PRECIS;
        font.lfClipPrecision = CLIP_STROKE_PRECIS;
        font.lfQuality = DRAFT_QUALITY;
        std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
        font_ = CreateFontIndirectA(&font);
        old_ = SelectObject(dc_, font_);
    }
    ~TestFont() {
        SelectObject(dc_, old_);
        DeleteObject(font_);
    }
    TestFont(const TestFont &) = delete;
    TestFont &operator=(const TestFont &) = delete;

    int width(const std::string &text) const {
        SIZE size{};
        GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

  private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_;
};

// A font size and the numbers of M's that are 100 and 60 pixels wide in it;
// size 0 when no size of the face has such widths.
struct HundredAndSixty {
    int size = 0, wide = 0, narrow = 0;
};
inline HundredAndSixty hundred_and_sixty(HDC dc) {
    for (int size = 8; size < 80; ++size) {
        const TestFont font(dc, size);
        const int m = font.width("M");
        if (m <= 0 || 100 % m != 0 || 60 % m != 0)
            continue;
        const std::string wide(100 / m, 'M'), narrow(60 / m, 'M');
        if (font.width(wide) == 100 && font.width(narrow) == 60)
            return {size, 100 / m, 60 / m};
    }
    return {};
}

} // namespace vexl::test

#endif // VEXL33_TESTS_FONTS_GDI_TEST_FONT_WIN32_H
