// The font front door: the mode MOLVERN_FONT_TYPE selects, the TrueType face
// list from GDI and the font directory, loading names into tables, and the
// text size conversions.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "fonts/freetype_fonts.h"
#include "fonts/gdi_faces.h"
#include "fonts/test_fonts.h"
#include "fonts/truetype_selection.h"
#include "plot/gplot.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;
using vexl::FontMode;
using vexl::test::ScopedEnv;
using Names = std::set<std::string>;

TEST(FontMode, OnlyHersheyInAnyCaseSelectsHershey) {
    for (const char *value : {"Hershey", "hershey", "HERSHEY"})
        EXPECT_EQ(vexl::font_mode_for_setting(value, false), FontMode::hershey) << value;
    for (const char *value : std::initializer_list<const char *>{"TrueType", "truetype", "windows",
                                                                 "", "Hersheys", nullptr})
        EXPECT_EQ(vexl::font_mode_for_setting(value, false), FontMode::truetype)
            << (value ? value : "(unset)");
    EXPECT_TRUE(vexl::lists_gdi_faces_only("WINDOWS"));
    EXPECT_FALSE(vexl::lists_gdi_faces_only("TrueType"));
    EXPECT_FALSE(vexl::lists_gdi_faces_only(nullptr));
}

TEST(FontMode, TraceNamesOnlyAnExplicitChoice) {
    const auto trace_of = [](const char *value, bool trace) {
        CaptureStderr();
        vexl::font_mode_for_setting(value, trace);
        return GetCapturedStderr();
    };
    EXPECT_EQ(trace_of("hershey", true),
              "Defaulting to Hershey fonts because MOLVERN_FONT_TYPE = Hershey\n");
    EXPECT_EQ(trace_of("TRUETYPE", true),
              "Defaulting to TrueType fonts because MOLVERN_FONT_TYPE = TrueType\n");
    EXPECT_EQ(trace_of("windows", true), "");
    EXPECT_EQ(trace_of(nullptr, true), "");
    EXPECT_EQ(trace_of("Hershey", false), "");
}

TEST(FaceList, EmptySourcesStandAsideOthersIntersect) {
    struct Case {
        Names available, found, expected;
    };
    for (const Case &c :
         {Case{{}, {}, {}}, Case{{}, {"A", "B"}, {"A", "B"}}, Case{{"A", "B"}, {}, {"A", "B"}},
          Case{{"A", "B", "C"}, {"B", "C", "D"}, {"B", "C"}}}) {
        Names available = c.available;
        vexl::merge_face_names(available, c.found);
        EXPECT_EQ(available, c.expected);
    }
    const Names none;
    const Names gdi{"Arial", "Tahoma"};
    EXPECT_EQ(vexl::available_face_names(gdi, nullptr, false), gdi) << "GDI faces only";
    const Names directory{"Liberation Sans", "Tahoma"};
    EXPECT_EQ(vexl::available_face_names(none, &directory, false), directory);
    EXPECT_EQ(vexl::available_face_names(gdi, &directory, false), Names{"Tahoma"});
}

TEST(FaceList, TraceListsEachSourceAndTheResult) {
    const Names gdi{"Arial", "Tahoma"}, directory{"Tahoma"};
    CaptureStderr();
    vexl::available_face_names(gdi, &directory, true);
    const std::string pad(40 - 6, ' ');
    EXPECT_EQ(GetCapturedStderr(), "\nArial " + pad + "\nTahoma" + pad +
                                       "\nNumber of Windows fonts = 2\n\n"
                                       "\nTahoma" +
                                       pad +
                                       "\nNumber of Kalden fonts = 1\n\n"
                                       "\nTahoma" +
                                       pad + "\nNumber of Available fonts = 1\n\n");
}

TEST(FaceList, PointersFollowTheSortedNames) {
    vexl::FontNameList list(Names{"b", "B", "a"});
    ASSERT_EQ(list.count(), 3);
    const char **names = list.data();
    EXPECT_STREQ(names[0], "B") << "byte order: capitals first";
    EXPECT_STREQ(names[1], "a");
    EXPECT_STREQ(names[2], "b");
}

class LoadFont : public ::testing::Test {
  protected:
    void TearDown() override {
        gftable_unload_font_table(&table);
        std::free(table.name);
    }
    GFontTable table{};
};

TEST_F(LoadFont, TrueTypeTakesOnlyAvailableNames) {
    const Names available{"Alpha", "Beta"};
    EXPECT_EQ(vexl::load_truetype_name(&table, "Gamma", available), 0) << "no old name";
    EXPECT_EQ(table.name, nullptr);
    EXPECT_EQ(table.kind, 0);
    EXPECT_EQ(vexl::load_truetype_name(&table, "Alpha", available), 1);
    EXPECT_EQ(table.kind, GFONT_TABLE_TRUETYPE);
    // The sanitizer build reports the old name if a replacement leaks it.
    EXPECT_EQ(vexl::load_truetype_name(&table, "Beta", available), 1);
    EXPECT_EQ(vexl::load_truetype_name(&table, "Gamma", available), 1) << "keeps Beta";
    EXPECT_EQ(vexl::load_truetype_name(&table, "", available), 1);
    EXPECT_STREQ(table.name, "Beta");
    EXPECT_EQ(vexl::load_truetype_name(nullptr, "Alpha", available), 0);
}

TEST_F(LoadFont, HersheyFallsBackToTheBuiltInTableKeepingTheName) {
    const std::string source = VEXL_SOURCE_DIR;
    const std::string data = VEXL_HERSHEY_DIR "/hersh.oc"; // made by the build
    ASSERT_TRUE(std::ifstream(data)) << data << " is made by the build (vexl_hershey_files)";
    ScopedEnv oc("MOLVERN_OCCIDENTAL_FILE", data.c_str()),
        dir("MOLVERN_FONT_FILE", (source + "/data/fonts").c_str());

    GFontTable built_in{};
    ASSERT_EQ(gftable_load_font_table(&built_in, 0, GFONT_TABLE_ASCII, nullptr), 1);
    GFont built_in_a, loaded_a;
    ASSERT_EQ(gftable_get_ascii_font(&built_in, 'A', &built_in_a), 1);
    gftable_unload_font_table(&built_in);
    std::free(built_in.name);

    GFont gothic_a;
    ASSERT_EQ(vexl::load_hershey_table(&table, "gothiceng"), 1);
    EXPECT_STREQ(table.name, "gothiceng");
    ASSERT_EQ(gftable_get_ascii_font(&table, 'A', &gothic_a), 1);
    ASSERT_NE(gothic_a.hershey_index, built_in_a.hershey_index) << "tells the tables apart";
    gftable_unload_font_table(&table);
    ASSERT_EQ(vexl::load_hershey_table(&table, "absent"), 1);
    EXPECT_STREQ(table.name, "absent");
    ASSERT_EQ(gftable_get_ascii_font(&table, 'A', &loaded_a), 1);
    EXPECT_EQ(loaded_a.hershey_index, built_in_a.hershey_index);

    ScopedEnv no_data("MOLVERN_OCCIDENTAL_FILE", (data + ".absent").c_str());
    EXPECT_EQ(vexl::load_hershey_table(&table, "romans"), 0);
}

// The shared test fonts, which the process's scans remember.
struct TestFonts {
    ScopedEnv dir{"MOLVERN_FONT_DIR", vexl::test::test_font_directory().path().c_str()};
};

// The mode and the list are decided once for the test process: neither a
// new mode nor a new font directory changes the list afterwards.
TEST(FontFrontDoor, ModeAndListAreKeptForTheProcess) {
    int count = -1;
    const char **list = nullptr;
    {
        TestFonts fonts;
        list = gttfont_getFontList(&count);
    }
    EXPECT_GE(count, 0);
    ScopedEnv no_fonts("MOLVERN_FONT_DIR", "/no/such/font/directory");
    for (const char *value : {"Hershey", "TrueType", "windows"}) {
        ScopedEnv changed("MOLVERN_FONT_TYPE", value);
        int again = -1;
        EXPECT_EQ(gttfont_getFontList(&again), list) << value;
        EXPECT_EQ(again, count) << value;
    }
    EXPECT_EQ(gttfont_displayFontDialog(nullptr), 0);

    GFontTable table{};
    EXPECT_EQ(gttfont_setFontName(&table, ""), 0);
    EXPECT_EQ(gttfont_setFontName(&table, "Face"), 1);
    EXPECT_EQ(gttfont_setFontName(&table, "Other"), 1);
    EXPECT_STREQ(gttfont_getFontName(&table), "Other");
    EXPECT_EQ(gttfont_getFontName(nullptr), nullptr);
    std::free(table.name);
}

struct SizesPlot {
    SizesPlot() {
        // 1000 world units are 500 pixels across and 1000 down. The left
        // edge is not subtracted: the right x is the device width.
        const int32_t extent[4] = {100, 1000, 500, 0}, world[4] = {0, 0, 1000, 1000};
        std::copy(extent, extent + 4, plot.device_extent);
        std::copy(world, world + 4, plot.world);
        device.pixels_per_mm_y = 3.7795; // 96 per inch
    }
    GPlot plot{};
    vexl::test::PointSizedDevice device{&plot};
};

TEST(TextSizes, WorldDeviceAndPoints) {
    SizesPlot s;
    EXPECT_EQ(gttfont_worldToDeviceWidth(&s.plot, 100), 50);
    EXPECT_EQ(gttfont_deviceToWorldWidth(&s.plot, 50), 100);
    EXPECT_EQ(gttfont_worldToDeviceHeight(&s.plot, 100), 100);
    EXPECT_EQ(gttfont_deviceToWorldHeight(&s.plot, 100), 100);
    s.plot.world[3] = 2000;
    EXPECT_EQ(gttfont_worldToDeviceHeight(&s.plot, 100), 50);
    EXPECT_EQ(gttfont_deviceToWorldHeight(&s.plot, 50), 100);
    s.plot.world[3] = 1000;

    EXPECT_EQ(gttfont_pointSizeToWorld(&s.plot, nullptr, 12), 16);
    EXPECT_EQ(gttfont_worldToPointSize(&s.plot, nullptr, 16), 12);
    s.device.may_be_asked = false;
    EXPECT_EQ(gttfont_worldToPointSize(&s.plot, nullptr, 0), 0);
    EXPECT_EQ(gttfont_worldToPointSize(&s.plot, nullptr, -5), 0);
    EXPECT_EQ(gttfont_pointSizeToWorld(&s.plot, nullptr, 0), 0);

    EXPECT_EQ(gttfont_db_worldToPointSize(nullptr, DB_UNIT_MILLIMETRE, 1.0, 10), 28);
    EXPECT_EQ(gttfont_db_worldToPointSize(nullptr, DB_UNIT_MIL, 1.0, 1000), 72);
    EXPECT_EQ(gttfont_db_worldToPointSize(nullptr, static_cast<DBUnitCode>(9), 0.5, 10), 360)
        << "unknown units count as inches";
}

#ifdef _WIN32
// Wine's GDI knows its own faces, and maybe the Liberation fonts too: only
// faces both sources know are offered.
TEST(GdiFaces, ListedAndIntersectedWithTheFontDirectory) {
    const Names gdi = vexl::gdi_truetype_face_names();
    EXPECT_FALSE(gdi.empty());
    TestFonts fonts;
    Names directory;
    if (!vexl::scan_freetype_font_directory(directory))
        GTEST_SKIP() << "needs Debian's fonts-dejavu-core and fonts-liberation";
    Names both;
    std::set_intersection(gdi.begin(), gdi.end(), directory.begin(), directory.end(),
                          std::inserter(both, both.end()));
    EXPECT_EQ(vexl::available_face_names(gdi, &directory, false), both);
}
#endif

} // namespace
