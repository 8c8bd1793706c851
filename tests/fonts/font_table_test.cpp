// Font tables: file rules, the error codes, the stroke-text bounding box and
// the list of tables in the font-table directory.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fonts/table_list.h"
#include "plot/gplot.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;
using vexl::test::ScopedEnv;
using vexl::test::TempDir;

const std::string kFonts = std::string(VEXL_SOURCE_DIR) + "/tests/data/fonts";

class FontTable : public ::testing::Test {
  protected:
    void TearDown() override {
        gftable_unload_font_table(&table);
        std::free(table.name);
        gftable_set_global_font_tabstop(8);
        GplotErrno = 0;
    }
    GFontTable table{};
    ScopedEnv data{"MOLVERN_OCCIDENTAL_FILE", (kFonts + "/mini.hershey").c_str()};
    ScopedEnv dir{"MOLVERN_FONT_FILE", kFonts.c_str()};
};

TEST_F(FontTable, FileRulesAndTheirCodes) {
    for (int set : {2, -1}) {
        EXPECT_EQ(gftable_load_font_table(&table, set, 0, "mini"), 0);
        EXPECT_EQ(GplotErrno, 18);
    }
    {
        ScopedEnv oriental("MOLVERN_ORIENTAL_FILE", (kFonts + "/absent.hershey").c_str());
        EXPECT_EQ(gftable_load_font_table(&table, 1, 0, "mini"), 0);
        EXPECT_EQ(GplotErrno, 16);
    }
    EXPECT_EQ(gftable_load_font_table(&table, 0, 0, "absent"), 0);
    EXPECT_EQ(GplotErrno, 15);
    EXPECT_EQ(table.name, nullptr) << "a failed open leaves the name alone";
    EXPECT_EQ(gftable_load_font_table(&table, 0, 5, "mini"), 0);
    EXPECT_EQ(GplotErrno, 17);
    EXPECT_STREQ(gftable_get_font_name(&table), "mini");
}

TEST_F(FontTable, DefaultTableUsesTheBuiltInIndex) {
    // The tiny data file lacks the built-in numbers: the glyphs fail, but the
    // name and cell are the built-in index's, and the tab stop setting is
    // read whatever the outcome.
    ScopedEnv tab("MOLVERN_TABSTOP", "4");
    gftable_load_font_table(&table, 0, 0, nullptr);
    EXPECT_STREQ(table.name, "HersheyRomanNarrow");
    const int32_t *box = table.font_set.bound_box;
    EXPECT_EQ((std::vector<int32_t>{box[0], box[1], box[2], box[3]}),
              (std::vector<int32_t>{-12, 12, -15, 15}));
    EXPECT_EQ(gftable_get_global_font_tabstop(), 4);
}

TEST_F(FontTable, BoundingBoxCountsCellsLinesAndTabs) {
    const int32_t box[4] = {-12, 12, -15, 15};
    gfs_set_bound_box(&table.font_set, box);
    struct Case {
        const char *text;
        int32_t height, width;
    };
    for (const Case &c : {Case{"AB", 30, 48}, Case{"A\nB", 60, 24}, Case{"\tA", 30, 216},
                          Case{"", 30, 0}, Case{"AB\n", 60, 48}}) {
        int32_t h = -1, w = -1;
        EXPECT_EQ(gftable_get_ascii_text_bound_box(&table, 30, c.text, &h, &w), 1);
        EXPECT_EQ(h, c.height) << c.text;
        EXPECT_EQ(w, c.width) << c.text;
    }
    // Computed as size x cells / cell height: 7 x 3 / 21 is 1, not 0.999...
    const int32_t odd[4] = {0, 3, 0, 21};
    gfs_set_bound_box(&table.font_set, odd);
    int32_t h = 0, w = 0;
    EXPECT_EQ(gftable_get_ascii_text_bound_box(&table, 7, "A", &h, &w), 1);
    EXPECT_EQ(w, 1);
    EXPECT_EQ(gftable_expand_tab_to_spaces(0, 8), 8);
    EXPECT_EQ(gftable_expand_tab_to_spaces(7, 8), 1);
    EXPECT_EQ(gftable_expand_tab_to_spaces(8, 8), 8);
}

// A record declared without an initialiser holds whatever bytes were there.
// Its first load must store a name without freeing that garbage, and a later
// load frees only the name the library stored.
TEST(FontTableRecord, CrashOnFirstLoadOfUninitialisedTable) {
    ScopedEnv data("MOLVERN_OCCIDENTAL_FILE", (kFonts + "/mini.hershey").c_str());
    ScopedEnv dir("MOLVERN_FONT_FILE", kFonts.c_str());
    GFontTable table;
    std::memset(&table, 0xA5, sizeof table);
    ASSERT_EQ(gftable_load_font_table(&table, 0, GFONT_TABLE_ASCII, "mini"), 1);
    EXPECT_STREQ(table.name, "mini");
    EXPECT_EQ(table.kind, GFONT_TABLE_ASCII);
    gftable_unload_font_table(&table);
    // Reloading replaces the library's own name (a leak check would see it).
    ASSERT_EQ(gftable_load_font_table(&table, 0, GFONT_TABLE_VIRTUAL, "mini"), 1);
    EXPECT_STREQ(table.name, "mini");
    gftable_unload_font_table(&table);

    // Naming through the TrueType selection is guarded the same way.
    GFontTable named;
    std::memset(&named, 0xA5, sizeof named);
    ASSERT_EQ(gttfont_setFontName(&named, "DejaVu Sans"), 1);
    EXPECT_STREQ(gttfont_getFontName(&named), "DejaVu Sans");
    ASSERT_EQ(gttfont_setFontName(&named, "DejaVu Serif"), 1);
    EXPECT_STREQ(named.name, "DejaVu Serif");
    std::free(table.name);
    std::free(named.name);
}

// A byte of 128 or more compares below zero as a signed character; the end
// of the shorter name must still come first.
TEST(FontTableList, PrefixSortsAfterLongerNameWithHighByte) {
    using vexl::listed_table_name_less;
    EXPECT_TRUE(listed_table_name_less("abc", "abc\xE9"));
    EXPECT_FALSE(listed_table_name_less("abc\xE9", "abc"));
    EXPECT_TRUE(listed_table_name_less("abc", "abcd"));
    EXPECT_FALSE(listed_table_name_less("abc", "abc"));
    EXPECT_TRUE(listed_table_name_less("", "\x80"));
    // Otherwise signed byte order: 0xE9 sorts before 'a', digits before letters.
    EXPECT_TRUE(listed_table_name_less("ab\xE9", "aba"));
    EXPECT_TRUE(listed_table_name_less("Font0A", "Font0B"));
    EXPECT_TRUE(listed_table_name_less("Font0B", "a"));
}

// The list is built once per process, so one test sees it built.
TEST(FontTableList, SortedOnceAndKept) {
    TempDir fonts;
    for (const char *name :
         {"b.asc", "Font0B.asc", "a.asc", "c.txt", "Font0A.asc", "a_name_longer_than_twenty.asc"})
        fonts.write(name, "");
    ScopedEnv dir("MOLVERN_FONT_FILE", fonts.path().c_str());
    ASSERT_EQ(gftable_get_number_ascii_fonts(nullptr), 5);
    const char *expected[] = {"Font0A", "Font0B", "a", "a_name_longer_than_t", "b"};
    for (int i = 0; i < 5; ++i)
        EXPECT_STREQ(gftable_get_ascii_fonttable_name(nullptr, i), expected[i]);
    EXPECT_EQ(gftable_get_ascii_fonttable_name(nullptr, 5), nullptr);
    ScopedEnv elsewhere("MOLVERN_FONT_FILE", (fonts.path() + "/missing").c_str());
    EXPECT_EQ(gftable_get_number_ascii_fonts(nullptr), 5) << "not scanned again";
}

} // namespace
