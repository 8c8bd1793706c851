// The FreeType font directory and the faces font tables open from it. The
// scans remember the first file of every face name for the process, so all
// cases share one font directory that lives until the process ends.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "fonts/freetype_font.h"
#include "fonts/freetype_fonts.h"
#include "plot/gplot.h"
#include "support/platform.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

using vexl::FreeTypeFont;
using vexl::scan_freetype_font_directory;
using vexl::test::ScopedEnv;
using vexl::test::TempDir;

// Under Wine the same paths work: Wine maps / to drive Z:.
const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/";
const std::string kLiberationSans =
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";

unsigned read16(const std::string &bytes, std::size_t at) {
    return (static_cast<unsigned char>(bytes[at]) << 8) | static_cast<unsigned char>(bytes[at + 1]);
}

std::size_t read32(const std::string &bytes, std::size_t at) {
    return (std::size_t{read16(bytes, at)} << 16) | read16(bytes, at + 2);
}

void write16(std::string &bytes, std::size_t at, unsigned value) {
    bytes[at] = static_cast<char>(value >> 8);
    bytes[at + 1] = static_cast<char>(value & 0xFF);
}

// Offset of the table tagged tag in a TrueType file.
std::size_t table_offset(const std::string &font, const char *tag) {
    const unsigned tables = read16(font, 4);
    for (unsigned i = 0; i < tables; ++i) {
        const std::size_t record = 12 + 16 * std::size_t{i};
        if (font.compare(record, 4, tag) == 0)
            return read32(font, record + 8);
    }
    ADD_FAILURE() << "no " << tag << " table";
    return 0;
}

// Moves every record of the 'name' table (12-byte records after a 6-byte
// header) or the 'cmap' table (8-byte records after 4 bytes) to the
// Macintosh platform, Roman encoding, language 0.
std::string with_macintosh_records(std::string font, const char *tag) {
    const bool names = std::strcmp(tag, "name") == 0;
    const std::size_t table = table_offset(font, tag);
    const std::size_t first = table + (names ? 6 : 4), step = names ? 12 : 8;
    for (unsigned i = 0, n = read16(font, table + 2); i < n; ++i) {
        const std::size_t record = first + step * i;
        write16(font, record, 1);
        write16(font, record + 2, 0);
        if (names)
            write16(font, record + 4, 0);
    }
    if (!names) {
        // FreeType makes up a Unicode map from glyph names when there is none;
        // a version 3 'post' table has no names.
        const std::size_t post = table_offset(font, "post");
        write16(font, post, 3);
        write16(font, post + 2, 0);
    }
    return font;
}

std::string in_directory(const std::string &directory, const std::string &name) {
    return directory + vexl::platform::path_separator() + name;
}

// The test fonts: the default face, upper- and lower-case names, one face
// twice, files that are not faces or not listed, and a directory x.ttf.
bool fill_font_directory(const TempDir &made) {
    if (!std::filesystem::exists(kDejaVu + "DejaVuSans.ttf") ||
        !std::filesystem::exists(kLiberationSans))
        return false; // the fixture skips its cases
    const std::string sans = TempDir::read(kDejaVu + "DejaVuSans.ttf");
    const std::string serif = TempDir::read(kDejaVu + "DejaVuSerif.ttf");
    made.write("arial_r.ttf", TempDir::read(kLiberationSans));
    made.write("DEJAVU_SANS.TTF", sans);
    made.write("serif_a.ttf", serif);
    made.write("serif_b.ttf", serif);
    made.write("mono.otf", TempDir::read(kDejaVu + "DejaVuSansMono.ttf"));
    made.write("broken.ttf", sans.substr(0, 100));
    made.write("mac_names.ttf",
               with_macintosh_records(TempDir::read(kDejaVu + "DejaVuSans-Bold.ttf"), "name"));
    made.write("mac_cmaps.ttf",
               with_macintosh_records(TempDir::read(kDejaVu + "DejaVuSerif-Bold.ttf"), "cmap"));
    return std::filesystem::create_directory(made.file("x.ttf"));
}

// One directory of test fonts for the whole process.
const TempDir &font_directory() {
    static const TempDir dir;
    static const bool filled = fill_font_directory(dir);
    static_cast<void>(filled);
    return dir;
}

// A font table named like the TrueType selection names it; unloaded at the
// end of the scope.
struct NamedTable {
    explicit NamedTable(const char *name) { rename(name); }
    ~NamedTable() { gfreetype_unloadFont(&table); }
    NamedTable(const NamedTable &) = delete;
    NamedTable &operator=(const NamedTable &) = delete;

    void rename(const char *name) {
        std::free(table.name);
        table.name = static_cast<char *>(std::malloc(std::strlen(name) + 1));
        std::strcpy(table.name, name);
    }
    FreeTypeFont *font() const { return static_cast<FreeTypeFont *>(table.freetype_font); }

    GFontTable table{};
};

class FreeTypeFonts : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(kDejaVu + "DejaVuSans.ttf") ||
            !std::filesystem::exists(kLiberationSans))
            GTEST_SKIP() << "needs Debian's fonts-dejavu-core and fonts-liberation";
        testing::internal::CaptureStderr();
        ASSERT_TRUE(scan_freetype_font_directory(names));
        scan_messages = testing::internal::GetCapturedStderr();
    }

    std::string path_of(const char *name) const { return font_directory().file(name); }

    ScopedEnv font_dir{"MOLVERN_FONT_DIR", font_directory().path().c_str()};
    std::set<std::string> names;
    std::string scan_messages;
};

TEST_F(FreeTypeFonts, ScanNamesTheTrueTypeFilesByFullName) {
    // Upper-case file names count; the directory x.ttf, the .otf file, the
    // face with only Macintosh names and the broken file do not.
    EXPECT_EQ(names, (std::set<std::string>{"Liberation Sans", "DejaVu Sans", "DejaVu Serif",
                                            "DejaVu Serif Bold"}));
    EXPECT_EQ(vexl::freetype_font_directory(), font_directory().path());
    EXPECT_NE(scan_messages.find("Font file face error, while looking up font name [" +
                                 in_directory(font_directory().path(), "broken.ttf") +
                                 "].\nReason: "),
              std::string::npos)
        << scan_messages;

    // Two files of one face: whichever came first stays through rescans.
    const std::string *serif = vexl::freetype_font_file("DejaVu Serif");
    ASSERT_NE(serif, nullptr);
    const std::string first = *serif;
    EXPECT_TRUE(first == in_directory(font_directory().path(), "serif_a.ttf") ||
                first == in_directory(font_directory().path(), "serif_b.ttf"))
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
