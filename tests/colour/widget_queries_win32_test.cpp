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
#include "devices/gdi_window_win32.h"
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

// A bitmap's width, height, planes and bits per pixel.
std::vector<long> shape_of(HGDIOBJ bitmap) {
    BITMAP info{};
    if (GetObjectA(bitmap, sizeof info, &info) != static_cast<int>(sizeof info))
        return {};
    return {info.bmWidth, info.bmHeight, info.bmPlanes, info.bmBitsPixel};
}

TEST(WidgetColorPixel, PixelIsTheColorrefOfTheEntry) {
    const ProcessColours colours("255 0 0 : red : 1\n0 128 255 : sky : 2\n17 34 51 : ink : 3\n");
    vexl::test::MemorySurface surface(4, 4);
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

// An empty map (a colour file without a valid line) has no index at all.
TEST(WidgetColorPixel, IndexOutsideTheMapIsCode36AndLeavesThePixel) {
    const struct {
        const char *file;
        int index;
    } cases[] = {{"255 0 0 : red : 1\n0 128 255 : sky : 2\n", -1},
                 {"255 0 0 : red : 1\n0 128 255 : sky : 2\n", 2},
                 {"255 0 0 : red : 1\n0 128 255 : sky : 2\n", 0x7FFFFFFF},
                 {"# nothing here\n", 0}};
    for (const auto &c : cases) {
        const ProcessColours colours(c.file);
        GplotErrno = 0;
        unsigned pixel = 0xABCDEFu;
        EXPECT_EQ(win32_native_widget_get_color_pixel(nullptr, c.index, &pixel), 0) << c.index;
        EXPECT_EQ(GplotErrno, 36) << c.index;
        EXPECT_EQ(pixel, 0xABCDEFu) << c.index;
    }
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
        EXPECT_EQ(shape_of(pixmap), (std::vector<long>{16, 16, 1, 1})) << index;
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
