// The FreeType font directory and the faces font tables open from it.
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "fonts/freetype_font.h"
#include "fonts/freetype_fonts.h"
#include "fonts/test_fonts.h"
#include "plot/gplot.h"
#include "support/platform.h"

namespace {

using vexl::FreeTypeFont;
using vexl::scan_freetype_font_directory;
using vexl::test::NamedTable;
using vexl::test::ScopedEnv;
using vexl::test::TempDir;
using vexl::test::test_font_directory;

std::string in_directory(const std::string &directory, const std::string &name) {
    return directory + vexl::platform::path_separator() + name;
}

using FreeTypeFonts = vexl::test::TestFontDirectory;

TEST_F(FreeTypeFonts, ScanNamesTheTrueTypeFilesByFullName) {
    // Upper-case file names count; the directory x.ttf, the .otf file, the
    // face with only Macintosh names and the broken file do not.
    EXPECT_EQ(names, (std::set<std::string>{"Liberation Sans", "DejaVu Sans", "DejaVu Serif",
                                            "DejaVu Serif Bold", "DejaVu Sans Mono"}));
    EXPECT_EQ(vexl::freetype_font_directory(), test_font_directory().path());
    EXPECT_NE(scan_messages.find("Font file face error, while looking up font name [" +
                                 in_directory(test_font_directory().path(), "broken.ttf") +
                                 "].\nReason: "),
              std::string::npos)
        << scan_messages;

    // Two files of one face: whichever came first stays through rescans.
    const std::string *serif = vexl::freetype_font_file("DejaVu Serif");
    ASSERT_NE(serif, nullptr);
    const std::string first = *serif;
    EXPECT_TRUE(first == in_directory(test_font_directory().path(), "serif_a.ttf") ||
                first == in_directory(test_font_directory().path(), "serif_b.ttf"))
        << first;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(scan_freetype_font_directory(names));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(*vexl::freetype_font_file("DejaVu Serif"), first);
}

TEST(FreeTypeFontDirectory, ComesFromTheSettingsAndSaysWhenEmpty) {
    const std::string separator(1, vexl::platform::path_separator());
    const std::string lib_fonts = separator + "lib" + separator + "fonts";
    ScopedEnv no_font_dir("MOLVERN_FONT_DIR", nullptr);
    std::set<std::string> names{"stale"};
    {
        ScopedEnv home("MOLVERN_DIR", "/no/such/app");
        testing::internal::CaptureStderr();
        EXPECT_FALSE(scan_freetype_font_directory(names));
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "Cannot find any TrueType fonts in /no/such/app" + lib_fonts + ".\n");
        EXPECT_TRUE(names.empty());
    }
    ScopedEnv no_home("MOLVERN_DIR", nullptr);
    testing::internal::CaptureStderr();
    scan_freetype_font_directory(names);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(vexl::freetype_font_directory(), separator + "molvern" + lib_fonts);

    const TempDir empty;
    ScopedEnv font_dir("MOLVERN_FONT_DIR", empty.path().c_str());
    testing::internal::CaptureStderr();
    EXPECT_FALSE(scan_freetype_font_directory(names));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Cannot find any TrueType fonts in " + empty.path() + ".\n");
}

// A font directory of more than 255 characters is refused whole with the
// directory message: neither cut to 255 (a value the lookup still holds)
// nor dropped for the next setting (a value too long for it).
TEST_F(FreeTypeFonts, LongFontDirectoryIsCutAndAnotherFolderScanned) {
    const std::string dot = std::string(1, vexl::platform::path_separator()) + ".";
    ScopedEnv no_home("MOLVERN_DIR", nullptr);
    for (const std::size_t length : {std::size_t{256}, std::size_t{259}, std::size_t{400}}) {
        // The same folder spelt long, so a cut spelling still finds its fonts.
        std::string directory = test_font_directory().path();
        while (directory.size() + dot.size() <= length)
            directory += dot;
        directory.append(length - directory.size(), vexl::platform::path_separator());
        ASSERT_EQ(directory.size(), length);
        SCOPED_TRACE(length);
        ScopedEnv long_dir("MOLVERN_FONT_DIR", directory.c_str());
        testing::internal::CaptureStderr();
        EXPECT_FALSE(scan_freetype_font_directory(names));
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "Cannot find any TrueType fonts in " + directory + ".\n");
        EXPECT_TRUE(names.empty());
    }
    // 255 characters are scanned as given. (Windows paths stop at 260
    // characters, so there only the directory is checked, not its files.)
    std::string directory = test_font_directory().path();
    directory.append(255 - directory.size(), vexl::platform::path_separator());
    ScopedEnv exact_dir("MOLVERN_FONT_DIR", directory.c_str());
    testing::internal::CaptureStderr();
    const bool found = scan_freetype_font_directory(names);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(vexl::freetype_font_directory(), directory);
    if (vexl::platform::path_separator() == '/') {
        EXPECT_TRUE(found) << said;
        EXPECT_EQ(names.count("DejaVu Sans"), 1u);
    }
}

TEST_F(FreeTypeFonts, UnknownFacesShareTheDefaultFace) {
    const int held_before = vexl::freetype_default_font_holders();
    NamedTable first("No Such Face");
    NamedTable second("Nor This One");
    testing::internal::CaptureStderr();
    EXPECT_EQ(gfreetype_loadFont(&first.table), 1);
    EXPECT_EQ(gfreetype_loadFont(&second.table), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Font [No Such Face] not found, defaulting to [Dirad Ire ZUZ].\n"
              "Font [Nor This One] not found, defaulting to [Dirad Ire ZUZ].\n");
    EXPECT_STREQ(first.table.name, "Dirad Ire ZUZ");
    EXPECT_EQ(first.table.kind, GFONT_TABLE_TRUETYPE);
    ASSERT_NE(first.font(), nullptr);
    EXPECT_EQ(second.font(), first.font());
    EXPECT_STREQ(first.font()->face->family_name, "Liberation Sans");
    EXPECT_EQ(vexl::freetype_default_font_holders(), held_before + 2);

    EXPECT_EQ(gfreetype_unloadFont(&first.table), 1);
    EXPECT_EQ(first.table.kind, -1);
    EXPECT_EQ(first.table.name, nullptr);
    EXPECT_EQ(first.font(), nullptr);
    EXPECT_EQ(vexl::freetype_default_font_holders(), held_before + 1);
    EXPECT_GT(second.font()->face->num_glyphs, 0);
    gfreetype_unloadFont(&second.table);
    EXPECT_EQ(vexl::freetype_default_font_holders(), held_before);
}

TEST_F(FreeTypeFonts, ANamedFaceLivesUntilItsLastTableLetsGo) {
    for (const bool first_goes_first : {true, false}) {
        NamedTable first("DejaVu Sans");
        NamedTable second("DejaVu Sans");
        testing::internal::CaptureStderr();
        ASSERT_EQ(gfreetype_loadFont(&first.table), 1);
        ASSERT_EQ(gfreetype_loadFont(&second.table), 1);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(second.font(), first.font());
        EXPECT_EQ(first.font()->char_map, first.font()->face->charmap);
        EXPECT_NE(first.font()->instance, nullptr);

        NamedTable &leaving = first_goes_first ? first : second;
        NamedTable &staying = first_goes_first ? second : first;
        gfreetype_unloadFont(&leaving.table);
        EXPECT_STREQ(staying.font()->face->family_name, "DejaVu Sans");
        // A table holding a face keeps it whatever its name says now.
        staying.rename("No Such Face");
        EXPECT_EQ(gfreetype_loadFont(&staying.table), 1);
        EXPECT_STREQ(staying.font()->face->family_name, "DejaVu Sans");
    }
    NamedTable again("DejaVu Sans");
    EXPECT_EQ(gfreetype_loadFont(&again.table), 1);
    EXPECT_GT(again.font()->face->num_glyphs, 0);
}

TEST_F(FreeTypeFonts, AFaceWithoutAUnicodeMapLeavesTheTableUnloaded) {
    NamedTable table("DejaVu Serif Bold");
    testing::internal::CaptureStderr();
    EXPECT_EQ(gfreetype_loadFont(&table.table), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Font invalid platform and/or encoding ID, while loading font [DejaVu Serif "
              "Bold].\n");
    EXPECT_EQ(table.table.kind, -1);
    EXPECT_EQ(table.table.name, nullptr);
    EXPECT_EQ(table.font(), nullptr);
    // Without a name there is nothing to load.
    EXPECT_EQ(gfreetype_loadFont(&table.table), 0);
    EXPECT_EQ(gfreetype_loadFont(nullptr), 0);
    EXPECT_EQ(gfreetype_unloadFont(nullptr), 0);
}

TEST_F(FreeTypeFonts, TheFontDialogOnlyStartsTheEngine) {
    NamedTable table("DejaVu Sans");
    table.table.kind = GFONT_TABLE_TRUETYPE;
    EXPECT_EQ(gfreetype_displayFontDialog(&table.table), 0);
    EXPECT_EQ(table.table.kind, GFONT_TABLE_TRUETYPE);
    EXPECT_EQ(table.font(), nullptr);
    EXPECT_EQ(gfreetype_displayFontDialog(nullptr), 0);
}

} // namespace
