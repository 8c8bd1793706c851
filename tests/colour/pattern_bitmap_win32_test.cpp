// Pattern bitmaps as GDI sees them: read back through a memory device
// context, a pixel set in the XBM file is black (bit 0) and a clear one white
// (bit 1), so a pattern brush paints set pixels in the text colour.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <vector>

#include "colour/pattern_table.h"
#include "colour_test_files.h"
#include "devices/gdi_window_win32.h"

namespace {

TEST(PatternBitmapWin32Test, PixelsMatchTheXbmData) {
    // Row 0: XBM byte 0x01 sets pixel 0 only; byte 0x80 of the second half
    // sets pixel 15. Row 1 sets everything, all others nothing.
    std::vector<unsigned> values(32, 0x00);
    values[0] = 0x01;
    values[1] = 0x80;
    values[2] = values[3] = 0xFF;
    vexl::test::TempDir dir;
    FillEntry fill{};
    std::snprintf(fill.path, sizeof fill.path, "%s",
                  dir.write("t.xbm", vexl::test::xbm_text(values)).c_str());
    auto entry = vexl::make_pattern_entry(fill);
    ASSERT_TRUE(entry);
    auto bitmap = static_cast<HBITMAP>(entry->bitmap.handle());

    BITMAP info{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ((std::vector<long>{info.bmWidth, info.bmHeight, info.bmPlanes, info.bmBitsPixel}),
              (std::vector<long>{16, 16, 1, 1}));

    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    ASSERT_TRUE(old && old != HGDI_ERROR);
    constexpr COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    const struct {
        int x, y;
        COLORREF colour;
    } pixels[] = {{0, 0, black}, {1, 0, white}, {14, 0, white}, {15, 0, black},
                  {7, 1, black}, {8, 1, black}, {5, 15, white}};
    for (const auto &p : pixels)
        EXPECT_EQ(GetPixel(dc, p.x, p.y), p.colour) << p.x << ", " << p.y;
    SelectObject(dc, old);
    DeleteDC(dc);
}

// A brush of the default solid pattern paints every pixel in the text
// colour, as a solid fill must; it used to be all clear bits and painted the
// background colour everywhere instead.
TEST(PatternBitmapWin32Test, DefaultSolidPatternPaintsEveryPixel) {
    vexl::PatternTable table(
        {[](const char *) -> std::FILE * { return nullptr; },
         [](const char *, const char *, MessageType) { return MSG_RESULT_NONE; },
         [] { return false; },
         {}});
    ASSERT_TRUE(table.load());
    ASSERT_NE(table.solid_pattern(), nullptr);
    auto bitmap = static_cast<HBITMAP>(table.solid_pattern()->bitmap.handle());

    vexl::test::MemorySurface surface(20, 20);
    ASSERT_TRUE(surface.ready());
    HDC dc = surface.dc();
    HBRUSH brush = CreatePatternBrush(bitmap);
    ASSERT_NE(brush, nullptr);
    constexpr COLORREF red = RGB(255, 0, 0);
    SetTextColor(dc, red);
    SetBkColor(dc, RGB(255, 255, 255));
    const RECT all{0, 0, 20, 20};
    EXPECT_NE(FillRect(dc, &all, brush), 0);
    int painted = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            painted += GetPixel(dc, x, y) == red ? 1 : 0;
    EXPECT_EQ(painted, 400);
    DeleteObject(brush);
}

TEST(PatternBitmapWin32Test, LastOwnerDeletesTheBitmap) {
    HGDIOBJ handle = nullptr;
    {
        vexl::PatternBitmap bitmap = vexl::PatternBitmap::create(vexl::PatternBits{});
        ASSERT_TRUE(bitmap);
        handle = bitmap.handle();
        { vexl::PatternBitmap copy = bitmap; }
        EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_BITMAP));
    }
    EXPECT_EQ(GetObjectType(handle), 0u);
}

} // namespace
