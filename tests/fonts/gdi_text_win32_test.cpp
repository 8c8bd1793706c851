// TrueType text through GDI on a real window: drawn text read back from the
// window's pixels, measurements checked against GetTextExtentPoint32A of the
// same font made by the test, the GDI face list against the test's own
// enumeration, and the face dialog driven by a second thread.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "devices/gdi_device_win32.h"
#include "devices/gdi_text_win32.h"
#include "devices/gdi_window_win32.h"
#include "fonts/gdi_faces.h"
#include "fonts/gdi_test_font_win32.h"
#include "hardcopy/dialog_driver_win32.h"
#include "plot/gplot_win32.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

using vexl::test::kBackdrop;
using vexl::test::Snapshot;
using vexl::test::TestFont;
using vexl::test::TestWindow;

constexpr int kWidth = 240;
constexpr int kHeight = 160;
constexpr const char *kFace = vexl::test::kGdiTestFace;

struct ScreenContext {
    HDC dc = GetDC(nullptr);
    ~ScreenContext() { ReleaseDC(nullptr, dc); }
};

// The bounding box of the pixels of one colour.
struct Ink {
    int left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1, count = 0;
};
Ink ink_of(const Snapshot &image, COLORREF colour, int left = 0, int top = 0, int right = kWidth,
           int bottom = kHeight) {
    Ink ink;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (image.at(x, y) == colour) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
                ++ink.count;
            }
    return ink;
}

// A screen plot whose world units are the window's pixels, y upwards.
class GdiText : public ::testing::Test {
  protected:
    void SetUp() override {
        window_.fill(kBackdrop);
        plot_ = gplot_open_screen(window_.handle());
        ASSERT_NE(plot_, nullptr) << "code " << GplotErrno;
        device_ = static_cast<GXWINwin32 *>(plot_->device);
        const int32_t world[4] = {0, 0, kWidth, kHeight};
        ASSERT_EQ(gplot_set_world(plot_, world), 1);
        ASSERT_EQ(gplot_set_foreground_color(plot_, 1), 1);
        int red = 0, green = 0, blue = 0;
        ASSERT_EQ(gplot_get_color_RGB(plot_, 1, &red, &green, &blue), 1);
        pen_ = RGB(red, green, blue);
        ASSERT_NE(pen_, kBackdrop);
        ASSERT_EQ(gttfont_setFontName(&table_, kFace), 1);
        table_.kind = GFONT_TABLE_TRUETYPE;
    }
    void TearDown() override {
        if (plot_ != nullptr) {
            EXPECT_EQ(gplot_close(plot_), 1);
        }
        gttfont_unloadFont(&table_);
    }
    Snapshot shot() const {
        GdiFlush();
        return Snapshot(window_.handle());
    }
    HDC dc() const { return device_->device_context(); }
    // World point of a device pixel.
    static WorldPointS at(int x, int y) { return {x, kHeight - y}; }

    vexl::test::Deadline deadline_{120, "a GDI text test"};
    TestWindow &window_ = TestWindow::shared(kWidth, kHeight);
    GPlot *plot_ = nullptr;
    GXWINwin32 *device_ = nullptr;
    COLORREF pen_ = 0;
    GFontTable table_{};
};

TEST_F(GdiText, SizeIsTheHeightInDevicePixels) {
    EXPECT_DOUBLE_EQ(device_->inches_to_font_height(1.0), 25.4 * device_->pixels_per_mm_y);
    EXPECT_EQ(gttfont_worldToPointSize(plot_, &table_, 30), 30);
}

TEST_F(GdiText, OneLineSitsOnItsPositionAsBottomLeft) {
    const WorldPointS p = at(20, 80);
    ASSERT_EQ(gplot_write_ascii_text_world(plot_, &table_, &p, 30, "HHgH"), 1);
    const Ink ink = ink_of(shot(), pen_);
    ASSERT_GT(ink.count, 0);
    EXPECT_GE(ink.left, 20);
    EXPECT_LT(ink.left, 25);
    EXPECT_LE(ink.bottom, 80) << "the descender ends above the bottom of the cell";
    EXPECT_GT(ink.bottom, 70);
    EXPECT_GT(ink.top, 80 - 40);
    const TestFont font(dc(), 30);
    EXPECT_LE(ink.right, 20 + font.width("HHgH"));
}

TEST_F(GdiText, MeasuredSizeIsWidestLineByLinesTimesHeight) {
    const TestFont font(dc(), 30);
    int32_t height = 0, width = 0;
    ASSERT_EQ(gplot_get_ascii_text_bound_box(plot_, &table_, 30, "Hello", &height, &width), 1);
    EXPECT_EQ(width, font.width("Hello")) << "the device's slot takes width before height";
    EXPECT_EQ(height, 30);

    ASSERT_EQ(gttfont32_get_bounding_box(device_, &table_, 30, "AB\nWWWW\nC", &height, &width), 1);
    EXPECT_EQ(width, font.width("WWWW"));
    EXPECT_EQ(height, 90);

    ASSERT_EQ(gttfont32_get_bounding_box(device_, &table_, 30, "", &height, &width), 1);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 30);

    ASSERT_EQ(gttfont32_get_bounding_box(device_, &table_, 30, "WW\n", &height, &width), 1);
    EXPECT_EQ(width, font.width("WW"));
    EXPECT_EQ(height, 60) << "a trailing newline is a line";

    EXPECT_EQ(gttfont32_get_bounding_box(device_, &table_, 0, "AB", &height, &width), 0);
    EXPECT_EQ(height, 0);
    EXPECT_EQ(width, 0);
}

TEST_F(GdiText, WindowlessMeasurementIsTheScreensGdiWidth) {
    // 20 world units at 1/72 inch each: a 20-pixel font, widths as they are.
    const ScreenContext screen;
    const TestFont font(screen.dc, 20);
    int32_t height = 0, width = 0;
    ASSERT_EQ(gttfont_get_bounding_box_nw(&table_, DB_UNIT_INCH, 1.0 / 72, 20, "Hello\nWorld!",
                                          &height, &width),
              1);
    EXPECT_EQ(width, std::max(font.width("Hello"), font.width("World!")));
    EXPECT_EQ(height, 40);
    ASSERT_EQ(gttfont32_get_bounding_box_nw(&table_, DB_UNIT_INCH, 1.0 / 72, 20, nullptr, &height,
                                            &width),
              1);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 20);
    // Below one point: 1 by 1.
    ASSERT_EQ(gttfont32_get_bounding_box_nw(&table_, DB_UNIT_INCH, 1e-6, 20, "AB", &height, &width),
              1);
    EXPECT_EQ(width, 1);
    EXPECT_EQ(height, 1);
}

TEST_F(GdiText, CentredSecondLineStartsHalfTheDifferenceRight) {
    const vexl::test::HundredAndSixty w = vexl::test::hundred_and_sixty(dc());
    if (w.size == 0)
        GTEST_SKIP() << "no size makes M's 100 and 60 pixels wide";
    ASSERT_EQ(gplot_set_ascii_text_justification(plot_, 2), 1);
    const std::string text = std::string(w.wide, 'M') + "\n" + std::string(w.narrow, 'M');
    const WorldPointS p = at(30, 70);
    ASSERT_EQ(gplot_write_ascii_text_world(plot_, &table_, &p, w.size, text.c_str()), 1);
    const Snapshot image = shot();
    const Ink first = ink_of(image, pen_, 0, 0, kWidth, 70);
    const Ink second = ink_of(image, pen_, 0, 70, kWidth, 70 + w.size);
    ASSERT_GT(first.count, 0);
    ASSERT_GT(second.count, 0);
    EXPECT_EQ(second.left - first.left, 20);
    EXPECT_EQ(second.right - first.right, -20);
    EXPECT_LE(second.bottom, 70 + w.size);

    // Right justification: both lines end together.
    window_.fill(kBackdrop);
    ASSERT_EQ(gplot_set_ascii_text_justification(plot_, 3), 1);
    ASSERT_EQ(gplot_write_ascii_text_world(plot_, &table_, &p, w.size, text.c_str()), 1);
    const Snapshot right = shot();
    EXPECT_EQ(ink_of(right, pen_, 0, 70, kWidth, 70 + w.size).left -
                  ink_of(right, pen_, 0, 0, kWidth, 70).left,
              40);
}

TEST_F(GdiText, QuarterTurnRunsUpwardsLeftOfThePosition) {
    const WorldPointS p = at(120, 150);
    ASSERT_EQ(gplot_write_rotated_ascii_text_world(plot_, &table_, &p, 24, 1.5707963267948966,
                                                   "MMMMM\nMM"),
              1);
    const Ink ink = ink_of(shot(), pen_);
    ASSERT_GT(ink.count, 0);
    EXPECT_LE(ink.bottom, 151);
    EXPECT_GT(ink.bottom - ink.top, ink.right - ink.left) << "taller than wide";
    // The first line lies left of the position; the second starts one text
    // height to the right of it.
    EXPECT_LT(ink.left, 120);
    EXPECT_GE(ink.left, 120 - 24 - 1);
    EXPECT_GT(ink.right, 121);
    EXPECT_LE(ink.right, 120 + 24 + 1);
}

TEST_F(GdiText, TrailingNewlineDrawsTheLinesAndAnEmptyLast) {
    const WorldPointS p = at(20, 60);
    ASSERT_EQ(gplot_write_ascii_text_world(plot_, &table_, &p, 20, "MM\n"), 1);
    const Snapshot image = shot();
    EXPECT_GT(ink_of(image, pen_, 0, 0, kWidth, 60).count, 0);
    EXPECT_EQ(ink_of(image, pen_, 0, 61, kWidth, kHeight).count, 0);
}

TEST_F(GdiText, TextBelowOnePixelIsAPoint) {
    const int32_t huge[4] = {0, 0, kWidth * 100, kHeight * 100};
    ASSERT_EQ(gplot_set_world(plot_, huge), 1);
    const WorldPointS p{5000, 10000}; // device (50, 60)
    ASSERT_EQ(gplot_write_ascii_text_world(plot_, &table_, &p, 10, "MMMM"), 1);
    const Snapshot image = shot();
    EXPECT_EQ(image.at(50, 60), pen_);
    EXPECT_EQ(ink_of(image, pen_).count, 1);
}

TEST_F(GdiText, PlotFileKindDrawsNothingAndSucceeds) {
    const Snapshot before = shot();
    plot_->device_kind = GPLOT_HPGL2;
    const WorldPointS p = at(20, 60);
    const int result = gttfont32_writeTextOut(device_, &table_, &p, 30, 0.0, "MM");
    plot_->device_kind = GPLOT_SCREEN;
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(shot() == before);
}

// ---- The face list ----------------------------------------------------------

struct WideFaces {
    HDC dc;
    std::set<std::string> names;
};

int CALLBACK wide_style(const LOGFONTW *font, const TEXTMETRICW *, DWORD type, LPARAM faces) {
    if (type & TRUETYPE_FONTTYPE) {
        const auto *full = reinterpret_cast<const ENUMLOGFONTEXW *>(font);
        char narrow[LF_FULLFACESIZE * 2] = {};
        WideCharToMultiByte(CP_ACP, 0, full->elfFullName, -1, narrow, sizeof narrow, nullptr,
                            nullptr);
        reinterpret_cast<WideFaces *>(faces)->names.insert(narrow);
    }
    return 1;
}

int CALLBACK wide_family(const LOGFONTW *font, const TEXTMETRICW *, DWORD, LPARAM faces) {
    LOGFONTW family{};
    family.lfCharSet = font->lfCharSet;
    std::memcpy(family.lfFaceName, font->lfFaceName, sizeof family.lfFaceName);
    EnumFontFamiliesExW(reinterpret_cast<WideFaces *>(faces)->dc, &family, wide_style, faces, 0);
    return 1;
}

TEST(GdiFaces, FaceListHeldFamilyNamesInsteadOfEveryStyle) {
    WideFaces expected{GetDC(nullptr), {}};
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(expected.dc, &all, wide_family, reinterpret_cast<LPARAM>(&expected), 0);
    ReleaseDC(nullptr, expected.dc);
    ASSERT_FALSE(expected.names.empty());

    const std::set<std::string> listed = vexl::gdi_truetype_face_names();
    EXPECT_EQ(listed, expected.names);
    if (expected.names.count("DejaVu Sans Bold")) {
        EXPECT_EQ(listed.count("DejaVu Sans Bold"), 1u);
        EXPECT_EQ(listed.count("DejaVu Sans"), 1u);
    }
}

// Each TrueType style of a family is a face of its own: a bold and an
// italic file of the font directory load by their full names, as GDI knows
// them by those names too. The face list is built once per process, so
// this runs in a process of its own (the test "truetype_styles_load").
TEST(GdiFaces, BoldAndItalicFacesOfTheFontDirectoryDidNotLoad) {
    if (std::getenv("VEXL_TEST_STYLE_LOADING") == nullptr)
        GTEST_SKIP() << "runs alone, as truetype_styles_load";
    const std::string dejavu = "/usr/share/fonts/truetype/dejavu/";
    vexl::test::TempDir fonts;
    fonts.write("sans.ttf", vexl::test::TempDir::read(dejavu + "DejaVuSans.ttf"));
    fonts.write("sans_bold.ttf", vexl::test::TempDir::read(dejavu + "DejaVuSans-Bold.ttf"));
    fonts.write("serif_italic.ttf", vexl::test::TempDir::read(dejavu + "DejaVuSerif-Italic.ttf"));
    vexl::test::ScopedEnv dir("MOLVERN_FONT_DIR", fonts.path().c_str());

    for (const char *face : {"DejaVu Sans Bold", "DejaVu Serif Italic", "DejaVu Sans"}) {
        GFontTable table{};
        EXPECT_EQ(gttfont_loadFont(&table, face), 1) << face;
        EXPECT_STREQ(table.name, face);
        EXPECT_EQ(table.kind, GFONT_TABLE_TRUETYPE);
        gttfont_unloadFont(&table);
    }
}

// ---- The face dialog --------------------------------------------------------

constexpr int kFaceBox = 0x470; // the dialog's face-name combo box

template <typename Call>
int drive(vexl::test::DialogDriver::Script script, Call call, bool *in_time) {
    vexl::test::DialogDriver driver(std::move(script));
    const int result = call();
    driver.finish();
    *in_time = driver.ran() && !driver.timed_out();
    return result;
}

TEST(GdiFaceDialog, ChosenFaceBecomesTheTablesName) {
    GFontTable table{};
    std::string chosen;
    bool in_time = false;
    const int result = drive(
        [&](HWND dialog) {
            HWND box = GetDlgItem(dialog, kFaceBox);
            DWORD_PTR index = 0;
            SendMessageTimeoutA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>(kFace), SMTO_ABORTIFHUNG, 3000, &index);
            if (index == static_cast<DWORD_PTR>(CB_ERR))
                index = 0;
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(box, CB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, 3000, &ignored);
            SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(kFaceBox, CBN_SELCHANGE),
                                reinterpret_cast<LPARAM>(box), SMTO_ABORTIFHUNG, 3000, &ignored);
            char name[LF_FACESIZE] = {};
            GetWindowTextA(box, name, sizeof name);
            chosen = name;
            vexl::test::click(dialog, IDOK);
        },
        [&] { return gttfont32_displayFontDialog(&table); }, &in_time);
    EXPECT_TRUE(in_time);
    ASSERT_EQ(result, 1);
    ASSERT_NE(table.name, nullptr);
    EXPECT_FALSE(chosen.empty());
    EXPECT_EQ(std::string(table.name), chosen);
    EXPECT_EQ(table.kind, GFONT_TABLE_TRUETYPE);
    gttfont_unloadFont(&table);
}

TEST(GdiFaceDialog, CancelLeavesTheTableAsItWas) {
    GFontTable table{};
    ASSERT_EQ(gttfont_setFontName(&table, "Kept Face"), 1);
    const char *before = table.name;
    bool in_time = false;
    const int result = drive([](HWND dialog) { vexl::test::click(dialog, IDCANCEL); },
                             [&] { return gttfont_displayFontDialog(&table); }, &in_time);
    EXPECT_TRUE(in_time);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(table.name, before);
    EXPECT_STREQ(table.name, "Kept Face");
    gttfont_unloadFont(&table);
}

} // namespace
