// The widget colour and pattern queries of the Windows library: the pixel of
// a colour is a COLORREF GDI draws in exactly that colour, and the pixmap of
// a pattern is a real 16 x 16 monochrome GDI bitmap.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "colour/color_map.h"
#include "core/errors.h"
#include "plot/gplot_win32.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

// Replaces the entries of the process's colour map for one test with those
// loaded from a colour file by the real rules, and puts the old ones back.
class ProcessColours {
  public:
    explicit ProcessColours(const std::string &file_text) : map_(vexl::find_color_map(0)) {
        saved_ = map_.entries;
        const std::string path = dir_.write("widget.kdcolor", file_text);
        const vexl::test::ScopedEnv file("MOLVERN_COLOR", path.c_str());
        const vexl::test::ScopedEnv mode("MOLVERN_COLOR_MODE", "color");
        vexl::load_color_map(map_, vexl::process_color_map_sources());
    }
    ~ProcessColours() { map_.entries = std::move(saved_); }

  private:
    vexl::test::TempDir dir_;
    vexl::ColorMap &map_;
    std::vector<vexl::ColorMapEntry> saved_;
};

// A 32-bit memory surface, so colours come back as they were drawn
// whatever the depth of the display.
class Surface {
  public:
    Surface() {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 4;
        info.bmiHeader.biHeight = 4;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void *bits = nullptr;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = dc_ && bitmap_ ? SelectObject(dc_, bitmap_) : nullptr;
    }
    ~Surface() {
        if (old_)
            SelectObject(dc_, old_);
        if (bitmap_)
            DeleteObject(bitmap_);
        if (dc_)
            DeleteDC(dc_);
    }
    Surface(const Surface &) = delete;
    Surface &operator=(const Surface &) = delete;

    bool ready() const { return old_ != nullptr && old_ != HGDI_ERROR; }
    HDC dc() const { return dc_; }

  private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

TEST(WidgetColorPixel, PixelIsTheColorrefOfTheEntry) {
    const ProcessColours colours("255 0 0 : red : 1\n0 128 255 : sky : 2\n17 34 51 : ink : 3\n");
    Surface surface;
    ASSERT_TRUE(surface.ready());
    const COLORREF expected[] = {RGB(255, 0, 0), RGB(0, 128, 255), RGB(17, 34, 51)};
    for (int index = 0; index < 3; ++index) {
        unsigned pixel = 0;
        ASSERT_EQ(win32_native_widget_get_color_pixel(nullptr, index, &pixel), 1) << index;
        EXPECT_EQ(pixel, expected[index]) << index;
        // GDI paints it in the entry's own colour.
        SetPixelV(surface.dc(), 1, 1, pixel);
        EXPECT_EQ(GetPixel(surface.dc(), 1, 1), expected[index]) << index;
    }
}

TEST(WidgetColorPixel, IndexOutsideTheMapIsCode36AndLeavesThePixel) {
    const ProcessColours colours("255 0 0 : red : 1\n0 128 255 : sky : 2\n");
    for (int index : {-1, 2, 0x7FFFFFFF}) {
        GplotErrno = 0;
        unsigned pixel = 0xABCDEFu;
        EXPECT_EQ(win32_native_widget_get_color_pixel(nullptr, index, &pixel), 0) << index;
        EXPECT_EQ(GplotErrno, 36) << index;
        EXPECT_EQ(pixel, 0xABCDEFu) << index;
    }
}

TEST(WidgetColorPixel, EmptyMapAnswersNoIndex) {
    // A colour file without a valid line leaves the map empty.
    const ProcessColours colours("# nothing here\n");
    GplotErrno = 0;
    unsigned pixel = 0;
    EXPECT_EQ(win32_native_widget_get_color_pixel(nullptr, 0, &pixel), 0);
    EXPECT_EQ(GplotErrno, 36);
}

TEST(WidgetPixmap, PixmapIsThePatternsMonochromeBitmap) {
    int32_t size = 0;
    ASSERT_EQ(gxwin_get_pattern_size(&size), 1);
    ASSERT_GE(size, 1); // at least the default solid pattern
    for (int index : {0, size - 1}) {
        void *pixmap = nullptr;
        ASSERT_EQ(gxwin_widget_get_pixmap_id_with_depth(nullptr, index, 24, 0, &pixmap), 1);
        void *id = nullptr;
        ASSERT_EQ(gxwin_get_pixmap_id(index, &id), 1);
        EXPECT_EQ(pixmap, id) << index;
        BITMAP info{};
        ASSERT_EQ(GetObjectA(static_cast<HBITMAP>(pixmap), sizeof info, &info),
                  static_cast<int>(sizeof info));
        EXPECT_EQ(info.bmWidth, 16);
        EXPECT_EQ(info.bmHeight, 16);
        EXPECT_EQ(info.bmPlanes, 1);
        EXPECT_EQ(info.bmBitsPixel, 1);
    }
}

TEST(WidgetPixmap, IndexOutsideTheTableIsCode37AndNoBitmap) {
    int32_t size = 0;
    ASSERT_EQ(gxwin_get_pattern_size(&size), 1);
    for (int index : {-1, size, -0x7FFFFFFF - 1}) {
        GplotErrno = 0;
        void *pixmap = &size;
        EXPECT_EQ(gxwin_widget_get_pixmap_id_with_depth(nullptr, index, 1, 0, &pixmap), 0) << index;
        EXPECT_EQ(GplotErrno, 37) << index;
        EXPECT_EQ(pixmap, nullptr) << index;
    }
}

} // namespace
