// Pattern bitmaps as GDI sees them: read back through a memory device
// context, a pixel set in the XBM file is black (bit 0) and a clear one white
// (bit 1), so a pattern brush paints set pixels in the text colour.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "colour/pattern_table.h"
#include "support/temp_dir.h"

namespace {

// A memory DC with a bitmap selected, restored and released afterwards.
class SelectedBitmap {
  public:
    explicit SelectedBitmap(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
        if (dc_)
            old_ = SelectObject(dc_, bitmap);
    }
    ~SelectedBitmap() {
        if (dc_) {
            SelectObject(dc_, old_);
            DeleteDC(dc_);
        }
    }
    SelectedBitmap(const SelectedBitmap &) = delete;
    SelectedBitmap &operator=(const SelectedBitmap &) = delete;

    bool ok() const { return dc_ && old_ && old_ != HGDI_ERROR; }
    COLORREF pixel(int x, int y) const { return GetPixel(dc_, x, y); }

  private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

TEST(PatternBitmapWin32Test, PixelsMatchTheXbmData) {
    vexl::test::TempDir dir;
    // Row 0: XBM byte 0x01 sets pixel 0 only; byte 0x80 of the second half
    // sets pixel 15. Row 1 sets everything, all others nothing.
    std::string xbm = "#define t_width 16\n#define t_height 16\nstatic char t_bits[] = {\n"
                      "0x01, 0x80, 0xff, 0xff";
    for (int i = 4; i < 32; ++i)
        xbm += ", 0x00";
    xbm += "};\n";
    FillEntry fill{};
    std::snprintf(fill.path, sizeof fill.path, "%s", dir.write("t.xbm", xbm).c_str());

    auto entry = vexl::make_pattern_entry(fill);
    ASSERT_TRUE(entry);
    auto bitmap = static_cast<HBITMAP>(entry->bitmap.handle());

    BITMAP info{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 16);
    EXPECT_EQ(info.bmHeight, 16);
    EXPECT_EQ(info.bmPlanes, 1);
    EXPECT_EQ(info.bmBitsPixel, 1);

    SelectedBitmap selected(bitmap);
    ASSERT_TRUE(selected.ok());
    EXPECT_EQ(selected.pixel(0, 0), kBlack);
    EXPECT_EQ(selected.pixel(1, 0), kWhite);
    EXPECT_EQ(selected.pixel(14, 0), kWhite);
    EXPECT_EQ(selected.pixel(15, 0), kBlack);
    EXPECT_EQ(selected.pixel(7, 1), kBlack);
    EXPECT_EQ(selected.pixel(8, 1), kBlack);
    EXPECT_EQ(selected.pixel(5, 15), kWhite);
}

TEST(PatternBitmapWin32Test, LastOwnerDeletesTheBitmap) {
    vexl::PatternBits bits{};
    HGDIOBJ handle = nullptr;
    {
        vexl::PatternBitmap bitmap = vexl::PatternBitmap::create(bits);
        ASSERT_TRUE(bitmap);
        handle = bitmap.handle();
        { vexl::PatternBitmap copy = bitmap; }
        EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_BITMAP));
    }
    EXPECT_EQ(GetObjectType(handle), 0u);
}

} // namespace
