// Hard-copy sizes, checked natively: resolution factors and their settings,
// the scaled picture and its place on the page, metafile frames, the
// true-size figures, and the texts recorded and traced alongside.
#include "devices/gdi_hardcopy_geometry.h"

#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

namespace {

using vexl::gdi::GdiRect;
using vexl::gdi::ResolutionInputs;
using vexl::gdi::ResolutionKey;

void expect_rect(const GdiRect &r, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    EXPECT_EQ((std::vector<int32_t>{r.left, r.top, r.right, r.bottom}),
              (std::vector<int32_t>{left, top, right, bottom}));
}

// A 1000-pixel reference, 4 pixels per millimetre, a 600-pixel client area,
// a 4800 x 6600 page.
ResolutionInputs inputs(double world_width, double world_height) {
    ResolutionInputs in;
    in.world_width = world_width;
    in.world_height = world_height;
    in.width_pixels = 1000.0;
    in.pixels_per_mm_x = 4.0;
    in.client_width = 600.0;
    in.page_width = 4800.0;
    in.page_height = 6600.0;
    return in;
}

TEST(HardcopyResolution, KeyFollowsTheDestination) {
    using vexl::gdi::scaled_resolution_key;
    EXPECT_EQ(scaled_resolution_key(true, true, true), ResolutionKey::File);
    EXPECT_EQ(scaled_resolution_key(false, true, false), ResolutionKey::Clipboard);
    EXPECT_EQ(scaled_resolution_key(false, false, true), ResolutionKey::Clipboard);
    EXPECT_EQ(scaled_resolution_key(false, false, false), ResolutionKey::Printer);
    EXPECT_STREQ(vexl::gdi::resolution_key_name(ResolutionKey::File), "EMF_FILE_RES");
    EXPECT_STREQ(vexl::gdi::resolution_key_name(ResolutionKey::Clipboard), "EMF_CLIPBOARD_RES");
    EXPECT_STREQ(vexl::gdi::resolution_key_name(ResolutionKey::Printer), "EMF_PRINTER_RES");
}

TEST(HardcopyResolution, DefaultsFillTheReferenceTheClientAreaOrThePage) {
    const ResolutionInputs in = inputs(1000.0, 500.0);
    const double file = vexl::gdi::resolution_factor(ResolutionKey::File, in, nullptr);
    EXPECT_DOUBLE_EQ(file, 1.0);
    expect_rect(vexl::gdi::scaled_rectangle(1000.0, 500.0, file), 0, 0, 1000, 500);
    EXPECT_DOUBLE_EQ(vexl::gdi::resolution_factor(ResolutionKey::Clipboard, in, nullptr), 0.6);

    // A square on a 4800 x 6600 page: 6.6 would make it 6600 wide, so 4.8.
    const ResolutionInputs square = inputs(1000.0, 1000.0);
    EXPECT_DOUBLE_EQ(vexl::gdi::resolution_factor(ResolutionKey::Printer, square, nullptr), 4.8);
    // A wide picture that fits at the larger ratio takes it.
    const ResolutionInputs wide = inputs(1000.0, 100.0);
    EXPECT_DOUBLE_EQ(vexl::gdi::resolution_factor(ResolutionKey::Printer, wide, nullptr), 4.8);
    const ResolutionInputs tall = inputs(100.0, 1000.0);
    EXPECT_DOUBLE_EQ(vexl::gdi::resolution_factor(ResolutionKey::Printer, tall, nullptr), 6.6);
}

TEST(HardcopyResolution, SettingWordsOverrideTheDefault) {
    const ResolutionInputs in = inputs(1000.0, 500.0);
    auto with = [&](const char *value) {
        return vexl::gdi::resolution_factor(ResolutionKey::File, in, value);
    };
    // 150 dpi: 150 * 25.4 * 4 / 1000; a percentage after any separator.
    const double dpi150 = 150.0 * 25.4 * 4.0 / 1000.0;
    EXPECT_DOUBLE_EQ(with("150"), dpi150);
    EXPECT_DOUBLE_EQ(with("150,50"), dpi150 / 2.0);
    EXPECT_DOUBLE_EQ(with(" \t150 ,, 50 "), dpi150 / 2.0);
    EXPECT_DOUBLE_EQ(with("h"), 1.0);
    EXPECT_DOUBLE_EQ(with("High,200"), 2.0);
    EXPECT_DOUBLE_EQ(with("l"), 0.5);
    EXPECT_DOUBLE_EQ(with("M"), 1.0);
    // Other letters and other first characters keep the default, to which a
    // percentage still applies.
    EXPECT_DOUBLE_EQ(with("x"), 1.0);
    EXPECT_DOUBLE_EQ(with("-5 25"), 0.25);
    EXPECT_DOUBLE_EQ(with(""), 1.0);
    EXPECT_DOUBLE_EQ(with(",,"), 1.0);
    // The clipboard key's letters still speak of the reference's width.
    EXPECT_DOUBLE_EQ(vexl::gdi::resolution_factor(ResolutionKey::Clipboard, in, "m"), 1.0);
}

TEST(HardcopyResolution, PercentageThatIsNoNumberIsIgnoredNotAZeroFactor) {
    const ResolutionInputs in = inputs(1000.0, 500.0);
    EXPECT_DOUBLE_EQ(vexl::gdi::resolution_factor(ResolutionKey::File, in, "m percent"), 1.0);
    EXPECT_DOUBLE_EQ(vexl::gdi::resolution_factor(ResolutionKey::File, in, "m 0"), 0.0);
}

TEST(HardcopyResolution, ZeroOrNegativeWorldExtentsGiveAZeroFactorAndOnePixel) {
    for (double width : {0.0, -10.0}) {
        const ResolutionInputs in = inputs(width, 500.0);
        for (ResolutionKey key :
             {ResolutionKey::File, ResolutionKey::Clipboard, ResolutionKey::Printer}) {
            for (const char *value : {static_cast<const char *>(nullptr), "300", "l", "m,50"}) {
                const double f = vexl::gdi::resolution_factor(key, in, value);
                EXPECT_EQ(f, 0.0) << width << " " << (value ? value : "unset");
            }
        }
        expect_rect(vexl::gdi::scaled_rectangle(width, 500.0, 0.0), 0, 0, 1, 1);
    }
    // The printer's choice needs both ratios.
    EXPECT_EQ(vexl::gdi::resolution_factor(ResolutionKey::Printer, inputs(1000.0, 0.0), nullptr),
              0.0);
}

TEST(HardcopyScaledPicture, TruncatesAndNeverFallsBelowOnePixelOrOverflows) {
    expect_rect(vexl::gdi::scaled_rectangle(1000.0, 333.0, 0.9999), 0, 0, 999, 332);
    expect_rect(vexl::gdi::scaled_rectangle(1000.0, 1.0, 0.5), 0, 0, 500, 1);
    expect_rect(vexl::gdi::scaled_rectangle(1000.0, 500.0, -1.0), 0, 0, 1, 1);
    const double huge = 1e300;
    expect_rect(vexl::gdi::scaled_rectangle(1000.0, 1000.0, huge), 0, 0, INT32_MAX, INT32_MAX);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    expect_rect(vexl::gdi::scaled_rectangle(1000.0, 1000.0, nan), 0, 0, 1, 1);
}

TEST(HardcopyScaledPicture, PrintedPictureIsCentredWhereThereIsRoom) {
    // 4800 x 4800 on a page whose last pixel is (4799, 6599): no room across,
    // 1799 pixels of room down, of which half (899) goes above.
    expect_rect(vexl::gdi::centred_on_page({0, 0, 4800, 4800}, 4799, 6599), 0, 899, 4800, 5699);
    expect_rect(vexl::gdi::centred_on_page({0, 0, 100, 50}, 301, 50), 100, 0, 200, 50);
    expect_rect(vexl::gdi::centred_on_page({0, 0, 100, 50}, 101, 51), 0, 0, 100, 50);
}

TEST(HardcopyFrame, ScaledFrameIsInHundredthsOfAMillimetreRoundedHalfAwayFromZero) {
    // 0.25 mm per pixel: 25 hundredths per pixel.
    expect_rect(vexl::gdi::metafile_frame({0, 0, 1000, 500}, 250.0, 125.0, 1000.0, 500.0), 0, 0,
                25000, 12500);
    // 1/3 of 0.01 mm per pixel: 2 px -> 0.667 -> 1, 1 px -> 0.333 -> 0;
    // 0.5 and -0.5 go away from zero.
    expect_rect(vexl::gdi::metafile_frame({-3, 1, 2, 3}, 0.01, 0.01, 3.0, 2.0), -1, 1, 1, 2);
    expect_rect(vexl::gdi::metafile_frame({0, 0, 10, 10}, 100.0, 100.0, 0.0, 0.0), 0, 0, 0, 0);
}

TEST(HardcopyTrueSize, PrecisionAndUnitCodesWithUnknownCodesAsOne) {
    const double precisions[] = {10.0, 100.0, 1000.0, 10000.0};
    for (int code = -1; code >= -4; --code)
        EXPECT_EQ(vexl::gdi::database_precision(code), precisions[-code - 1]);
    for (int code : {0, 1, -5, 3})
        EXPECT_EQ(vexl::gdi::database_precision(code), 1.0);
    const double inches[] = {1.0, 0.001, 1.0, 3.93700787e-05, 0.0393700787, 0.393700787, 1.0};
    for (int code = 0; code <= 6; ++code)
        EXPECT_EQ(vexl::gdi::inches_per_database_unit(code), inches[code]) << code;
}

TEST(HardcopyTrueSize, HundredMillimetresMakeAFrameOf9999) {
    // 100000 world units at 1000 per millimetre: 100 mm, 3.937 inches.
    const vexl::gdi::TrueSize s =
        vexl::gdi::true_size(100000.0, 50000.0, 4, -3, 1000.0, 800.0, 250.0, 200.0);
    EXPECT_DOUBLE_EQ(s.units_x, 100.0);
    EXPECT_NEAR(s.inches_x, 3.93700787, 1e-12);
    expect_rect(s.frame, 0, 0, 9999, 4999);
    // 100 mm at 4 pixels per millimetre: 400 (399.99..) pixels.
    EXPECT_NEAR(s.device_units_x, 400.0, 1e-5);
    EXPECT_EQ(s.window_extent_x, 398);
    EXPECT_EQ(s.window_extent_y, 198);
    expect_rect(s.rectangle, 0, 0, 398, 198);
    EXPECT_EQ(vexl::gdi::viewport_extent(96, s.inches_x), 377);
}

TEST(HardcopyTrueSize, ContextWithoutMillimetresOrAHugeWorldStaysFinite) {
    const vexl::gdi::TrueSize none = vexl::gdi::true_size(1000.0, 1000.0, 2, 0, 100, 100, 0, 0);
    EXPECT_EQ(none.device_units_x, 0.0);
    EXPECT_EQ(none.window_extent_x, -1);
    EXPECT_EQ(none.rectangle.right, -1);
    const vexl::gdi::TrueSize huge =
        vexl::gdi::true_size(4294967295.0, 1.0, 2, 0, 1000.0, 1000.0, 250.0, 250.0);
    EXPECT_EQ(huge.frame.right, INT32_MAX);
    EXPECT_EQ(huge.window_extent_x, INT32_MAX - 1);
    EXPECT_EQ(huge.rectangle.right, INT32_MAX - 1);
}

TEST(HardcopyTrueSize, LargerThanPaperOnEitherAxis) {
    // 4 px per mm on 250 x 200 mm: 1000 x 800 pixels fit exactly.
    EXPECT_FALSE(vexl::gdi::larger_than_paper(1000, 800, 4, 4, 250, 200));
    EXPECT_TRUE(vexl::gdi::larger_than_paper(1001, 800, 4, 4, 250, 200));
    EXPECT_TRUE(vexl::gdi::larger_than_paper(1000, 801, 4, 4, 250, 200));
    EXPECT_FALSE(vexl::gdi::larger_than_paper(1e9, 1e9, 0, 0, 250, 200));
}

TEST(HardcopyTexts, CommentsInTheirOrderAndFormats) {
    const auto scaled = vexl::gdi::scaled_comments(1000.0, 500.0, 4, -3, {0, 0, 1000, 500});
    const std::vector<std::string> expected = {"0.500000", "4", "-3", "1000.000000", "500.000000"};
    EXPECT_EQ(scaled, expected);
    EXPECT_EQ(vexl::gdi::scaled_comments(0.0, 500.0, 2, 0, {0, 0, 1, 1})[0], "1.000000");
    const std::vector<std::string> true_size = {"1.250000", "1", "0"};
    EXPECT_EQ(vexl::gdi::true_size_comments(1.25, 1, 0), true_size);
}

TEST(HardcopyTexts, ScaledTraceNamesWorldAndPicture) {
    const int32_t world[4] = {-10, 0, 990, 500};
    EXPECT_EQ(vexl::gdi::scaled_trace_message(world, 1000.0, 500.0, {0, 0, 1000, 500}),
              "SCREEN World: \nll (-10, 0) \nur (990, 500)\nwidth = 1000\nheight = 500 \n\n"
              "EMF Device: \nlt (0, 0) \nrb (1000, 500)\nwidth = 1001\nheight =501");
}

TEST(HardcopyTexts, TrueSizeTraceBlocks) {
    const vexl::gdi::TrueSize s = vexl::gdi::true_size(2000.0, 1000.0, 2, -1, 100, 100, 25.4, 25.4);
    const std::string start = vexl::gdi::true_size_trace_start(s, 2000.0, 1000.0, false, "a.emf");
    EXPECT_EQ(start, "===============================\n"
                     "[*** CREATE_EMF ***]\n"
                     "[World coords]\n"
                     "WorldWidth  = 2000.000000\n"
                     "WorldHeight = 1000.000000\n"
                     "dbPrecision  = 10.000000\n"
                     "unitWidth  = 200.000000 = (worldWidth  / dbPrecision) 2000.000000 / "
                     "10.000000\n"
                     "unitHeight = 100.000000 = (worldHeight / dbPrecision) 1000.000000 / "
                     "10.000000\n"
                     "dbUnitCode (unitFactor) = 1\n"
                     "dwInchesX = (unitFactor * unitWidth) 1 * 200.000000\n"
                     "dwinchesY = (unitFactor * unitHeight) 1 * 100.000000\n"
                     "[inches]\n"
                     "dwInchesX = 200.000000\n"
                     "dwInchesY = 100.000000\n"
                     "-----------------------------\n"
                     "[.01 mm EMF RECTANGLE DEVICE]\n"
                     "-----------------------------\n"
                     "Rect.left   = 0\n"
                     "Rect.top    = 0\n"
                     "Rect.right  = 508000\n"
                     "Rect.bottom = 254000\n"
                     "-----------------------------\n"
                     "CreateEnhMetaFile(a.emf)\n");
    const std::string printer = vexl::gdi::true_size_trace_start(s, 2000.0, 1000.0, true, "");
    EXPECT_NE(printer.find("[*** PRINTER SCALED OUTPUT ***]\n"), std::string::npos);
    EXPECT_NE(printer.find("[.01 mm LPT RECTANGLE DEVICE]\n"), std::string::npos);
    EXPECT_EQ(printer.substr(printer.size() - 27), "Output directly to printer\n");

    const vexl::gdi::TrueSizeMapping m{100, 100, 25.4, 25.4, 19200, 9600, 19200, 9600};
    const std::string mapping = vexl::gdi::true_size_trace_mapping(s, m);
    EXPECT_EQ(mapping, "===> SetMapMode (MM_ANISOTROPIC) <===\n"
                       "-----------------------------\n"
                       "[LOGICAL/DEVICE UNITS]   \n"
                       "-----------------------------\n"
                       "PixelsX = 100.000000\n"
                       "PixelsY = 100.000000\n"
                       "MMX     = 25.400000\n"
                       "MMY     = 25.400000\n"
                       "deviceUnitsX = 20000.000000\n"
                       "deviceUnitsY = 10000.000000\n"
                       "===> SetWindowExtEx (19999, 9999); <===\n"
                       "-----------------------------\n"
                       "[DEVICE/LOGICAL UNITS]   \n"
                       "-----------------------------\n"
                       "logicalUnitsX = 19200.000000\n"
                       "logicalUnitsY = 9600.000000\n"
                       "===> SetViewportExtEx (19200, 9600); <===\n"
                       "-----------------------------\n"
                       "[resize_plot]     \n"
                       "-----------------------------\n"
                       "deviceRect.top    = 0\n"
                       "deviceRect.left   = 0\n"
                       "deviceRect.right  = 19999\n"
                       "deviceRect.bottom = 9999\n"
                       "===============================\n\n");
}

} // namespace
