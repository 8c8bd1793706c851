// Measuring TrueType text: widths against FreeType's own advances, line
// counting, the heights that measure nothing, the size fast path, the metric
// cache and its bitmap limit, and glyphs that do not load.
#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "fonts/freetype_measure.h"
#include "fonts/test_fonts.h"
#include "support/rtk_math.h"

#include FT_SIZES_H

namespace {

using vexl::FreeTypeFont;
using vexl::MetricBlock;
using vexl::test::Box;
using vexl::test::NamedTable;

constexpr double kScreenPixelsPerMm = 96 / 25.4;

// Line widths in pixels as FreeType advances a face on its own: hinted
// glyphs, each advance rounded to whole pixels.
class ReferenceFace {
  public:
    explicit ReferenceFace(const std::string &path) {
        EXPECT_EQ(FT_Init_FreeType(&library_), 0);
        EXPECT_EQ(FT_New_Face(library_, path.c_str(), 0, &face_), 0);
        EXPECT_EQ(FT_Select_Charmap(face_, FT_ENCODING_UNICODE), 0);
    }
    ~ReferenceFace() {
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }
    ReferenceFace(const ReferenceFace &) = delete;
    ReferenceFace &operator=(const ReferenceFace &) = delete;

    // Bytes are Unicode code points below 256.
    int64_t width(const std::string &line, int point_size, int dpi = 96) {
        EXPECT_EQ(FT_Set_Char_Size(face_, 0, point_size * 64, dpi, dpi), 0);
        int64_t pixels = 0;
        for (const unsigned char c : line) {
            EXPECT_EQ(FT_Load_Glyph(face_, FT_Get_Char_Index(face_, c),
                                    FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP),
                      0);
            pixels += (face_->glyph->metrics.horiAdvance + 32) / 64;
        }
        return pixels;
    }
    FT_UInt glyph_index(FT_ULong code) { return FT_Get_Char_Index(face_, code); }

  private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

// A 1000-pixel-square plot at 96 dpi showing a world window of world_size
// units square, so world heights are world_size / 1000 pixels each.
struct MeasuringPlot {
    explicit MeasuringPlot(GPlotDevice kind, int32_t world_size = 2000) {
        plot.device_kind = kind;
        const int32_t extent[4] = {0, 1000, 1000, 0};
        std::copy_n(extent, 4, plot.device_extent);
        const float full[4] = {0.0f, 0.0f, 1.0f, 1.0f};
        device.set_viewport(full);
        const int32_t world[4] = {0, 0, world_size, world_size};
        device.set_world(world);
        device.pixels_per_mm_y = kScreenPixelsPerMm;
    }

    GPlot plot{};
    vexl::test::PointSizedDevice device{&plot};
};

class FreeTypeMeasure : public vexl::test::TestFontDirectory {
  protected:
    // On the screen plot, whose world units are half pixels: world height 32
    // is 16 pixels, 12 points at 96 dpi.
    Box on_screen(NamedTable &table, int32_t height, const char *text) {
        Box box;
        box.result = gfreetype_get_bounding_box(&screen.device, &table.table, height, text,
                                                &box.height, &box.width);
        return box;
    }
    // Without a window, world units in points (inches at scale 1/72).
    static Box windowless(NamedTable &table, int32_t height, const char *text,
                          double scale = 1.0 / 72) {
        Box box;
        box.result = gfreetype_get_bounding_box_nw(&table.table, DB_UNIT_INCH, scale, height, text,
                                                   &box.height, &box.width);
        return box;
    }
    static const MetricBlock *block(const NamedTable &table, int32_t point_size) {
        const auto found = table.font()->size_cache.find(point_size);
        return found == table.font()->size_cache.end() ? nullptr : found->second.get();
    }

    MeasuringPlot screen{GPLOT_SCREEN};
    ReferenceFace reference{vexl::test::kDejaVu + "DejaVuSans.ttf"};
};

TEST_F(FreeTypeMeasure, WidthsAreFreeTypesAdvancesWithAndWithoutAWindow) {
    NamedTable sans("DejaVu Sans");
    // Byte 233 stands for U+00E9 through the Unicode char map.
    ASSERT_NE(reference.glyph_index(0xE9), 0u);
    const std::string first = "Hello, World", second = "caf\xE9 AVA Ta";
    const std::string text = first + "\n" + second;
    const int64_t widest = std::max(reference.width(first, 12), reference.width(second, 12));

    // Two world units per pixel.
    EXPECT_EQ(on_screen(sans, 32, text.c_str()), (Box{1, 64, static_cast<int32_t>(2 * widest)}));
    ASSERT_NE(block(sans, 12), nullptr);
    EXPECT_EQ(block(sans, 12)->entries[233].glyph_index, reference.glyph_index(0xE9));

    EXPECT_EQ(windowless(sans, 12, text.c_str()), (Box{1, 24, static_cast<int32_t>(widest)}));

    // Widths are points at the scale, whatever the unit; 144 pixels at
    // scale 1 are 2.
    const Box unit_scale = windowless(sans, 12, text.c_str(), 1.0);
    EXPECT_EQ(unit_scale.result, 1);
    EXPECT_EQ(unit_scale.width, gmath_kdround(reference.width(first, 864) / 72.0));
}

TEST_F(FreeTypeMeasure, LinesEndAtNewlinesButNotAtTheLastByte) {
    NamedTable sans("DejaVu Sans");
    const int32_t ab = static_cast<int32_t>(2 * reference.width("AB", 12));
    const int32_t bb = static_cast<int32_t>(2 * reference.width("BB", 12));
    struct Case {
        const char *text;
        int32_t height, width;
    } cases[] = {{"AB\nC", 64, ab}, {"AB\n", 32, ab}, {"A\n\nBB\n", 96, bb},
                 {"\n", 32, 0},     {"", 32, 0},      {nullptr, 32, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text == nullptr ? "null" : c.text);
        EXPECT_EQ(on_screen(sans, 32, c.text), (Box{1, c.height, c.width}));
    }
}

TEST_F(FreeTypeMeasure, HeightsAndPlotsThatMeasureNothing) {
    NamedTable sans("DejaVu Sans");
    EXPECT_EQ(on_screen(sans, 0, "A"), (Box{0, 0, 0}));
    EXPECT_EQ(windowless(sans, 0, "A"), (Box{0, 0, 0}));
    // Heights below one point: 1 x 1 and success. On the screen the world
    // unit is a quarter pixel here.
    MeasuringPlot fine{GPLOT_SCREEN, 4000};
    Box tiny;
    tiny.result =
        gfreetype_get_bounding_box(&fine.device, &sans.table, 1, "A", &tiny.height, &tiny.width);
    EXPECT_EQ(tiny, (Box{1, 1, 1}));
    EXPECT_EQ(windowless(sans, 1, "A", 0.001), (Box{1, 1, 1}));

    MeasuringPlot plot_file{GPLOT_HPGL2};
    Box file_box;
    file_box.result = gfreetype_get_bounding_box(&plot_file.device, &sans.table, 32, "A",
                                                 &file_box.height, &file_box.width);
    EXPECT_EQ(file_box, (Box{0, 0, 0}));

    // A device that has not measured itself has no resolution to set.
    screen.device.pixels_per_mm_y = 0.0;
    testing::internal::CaptureStderr();
    const Box unmeasured = on_screen(sans, 32, "A");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Font file set resolution error [DejaVu Sans].\nReason: invalid argument\n");
    EXPECT_EQ(unmeasured, (Box{0, -5, -5}));
}

TEST_F(FreeTypeMeasure, ARepeatedSizeIsSetAndCachedOnce) {
    NamedTable sans("DejaVu Sans");
    ASSERT_EQ(on_screen(sans, 32, "A").result, 1);
    const MetricBlock *twelve = block(sans, 12);
    ASSERT_NE(twelve, nullptr);

    // Set the face to another size behind the measurement's back: a second
    // measurement at 12 points must not set the size again.
    FT_Face face = sans.font()->face;
    ASSERT_EQ(FT_Set_Char_Size(face, 0, 5 * 64, 96, 96), 0);
    const FT_UShort five_points = face->size->metrics.y_ppem;
    EXPECT_EQ(on_screen(sans, 32, "A").result, 1);
    EXPECT_EQ(face->size->metrics.y_ppem, five_points);
    EXPECT_EQ(block(sans, 12), twelve);
    EXPECT_EQ(sans.font()->size_cache.size(), 1u);

    EXPECT_EQ(on_screen(sans, 40, "A").result, 1); // 15 points, 20 pixels
    EXPECT_EQ(face->size->metrics.y_ppem, 20);
    EXPECT_EQ(sans.font()->size_cache.size(), 2u);

    // A size last set without a window still gets its block on the screen.
    EXPECT_EQ(windowless(sans, 9, "A").result, 1);
    EXPECT_EQ(block(sans, 9), nullptr);
    const int32_t nine_points = 24;
    EXPECT_EQ(on_screen(sans, nine_points, "A").width, 2 * reference.width("A", 9));
    EXPECT_NE(block(sans, 9), nullptr);
}

TEST_F(FreeTypeMeasure, BitmapsAreCachedUpToTheLargestCachedSize) {
    if (vexl::freetype_max_cache_point_size() != 100)
        GTEST_SKIP() << "MAX_CACHE_POINT_SIZE is set";
    NamedTable sans("DejaVu Sans");
    // 133 pixels are 99.75 points, 135 are 101.25.
    ASSERT_EQ(on_screen(sans, 266, "A").result, 1);
    ASSERT_EQ(on_screen(sans, 270, "A").result, 1);
    const MetricBlock *hundred = block(sans, 100), *above = block(sans, 101);
    ASSERT_NE(hundred, nullptr);
    ASSERT_NE(above, nullptr);
    for (int c = 0; c < 256; ++c) {
        SCOPED_TRACE(c);
        const vexl::MetricEntry &entry = hundred->entries[static_cast<std::size_t>(c)];
        const bool inked =
            entry.metrics.x_max > entry.metrics.x_min && entry.metrics.y_max > entry.metrics.y_min;
        EXPECT_EQ(entry.bitmap != nullptr, inked && c != ' ');
        EXPECT_EQ(above->entries[static_cast<std::size_t>(c)].bitmap, nullptr);
    }
    const vexl::RasterMap &a = *hundred->entries['A'].bitmap;
    EXPECT_EQ(a.cols, (a.width + 7) / 8);
    EXPECT_EQ(a.size, a.cols * a.rows);
    EXPECT_GT(a.rows, 60); // a capital is about 73 pixels high at 133 pixels per em
    EXPECT_NE(std::count(a.bitmap.get(), a.bitmap.get() + a.size, 0), a.size);
}

TEST_F(FreeTypeMeasure, AGlyphThatDoesNotLoadFailsTheMeasurementAndLeavesNoBlock) {
    NamedTable mono("DejaVu Sans Mono"); // its "Z" claims more contours than it has
    for (int attempt = 0; attempt < 2; ++attempt) {
        testing::internal::CaptureStderr();
        const Box box = on_screen(mono, 32, "A");
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(box, (Box{0, -5, -5}));
        EXPECT_EQ(said.rfind("Font glyph load error, while caching font metrics [DejaVu Sans "
                             "Mono].\nReason: ",
                             0),
                  0u)
            << said;
        EXPECT_TRUE(mono.font()->size_cache.empty());
    }

    EXPECT_GT(windowless(mono, 12, "A").width, 0);
    testing::internal::CaptureStderr();
    const Box with_z = windowless(mono, 12, "AZ");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(with_z, (Box{1, 0, 0}));
    EXPECT_EQ(
        said.rfind("Font glyph load error, while creating font metrics [DejaVu Sans Mono]", 0), 0u)
        << said;
}

} // namespace
