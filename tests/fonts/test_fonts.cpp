#include "fonts/test_fonts.h"

#include <cstring>
#include <filesystem>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "fonts/freetype_fonts.h"

namespace vexl::test {

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

namespace {

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

// Glyph index of character code c in the font at path, by FreeType itself.
unsigned glyph_index_of(const std::string &path, unsigned long c) {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    unsigned index = 0;
    if (FT_Init_FreeType(&library) == 0 && FT_New_Face(library, path.c_str(), 0, &face) == 0)
        index = FT_Get_Char_Index(face, c);
    if (face != nullptr)
        FT_Done_Face(face);
    if (library != nullptr)
        FT_Done_FreeType(library);
    return index;
}

// Claims 32767 contours for the glyph of c, far more than its data holds, so
// that FreeType refuses to load it while every other glyph still loads.
std::string with_unloadable_glyph(std::string font, const std::string &path, unsigned long c) {
    const unsigned glyph = glyph_index_of(path, c);
    const bool long_offsets = read16(font, table_offset(font, "head") + 50) == 1;
    const std::size_t loca = table_offset(font, "loca");
    const std::size_t offset = long_offsets ? read32(font, loca + 4 * std::size_t{glyph})
                                            : 2 * read16(font, loca + 2 * glyph);
    write16(font, table_offset(font, "glyf") + offset, 0x7FFF);
    return font;
}

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
    const std::string mono = TempDir::read(kDejaVu + "DejaVuSansMono.ttf");
    made.write("mono.otf", mono);
    made.write("mono_z.ttf", with_unloadable_glyph(mono, kDejaVu + "DejaVuSansMono.ttf", 'Z'));
    made.write("broken.ttf", sans.substr(0, 100));
    made.write("mac_names.ttf",
               with_macintosh_records(TempDir::read(kDejaVu + "DejaVuSans-Bold.ttf"), "name"));
    made.write("mac_cmaps.ttf",
               with_macintosh_records(TempDir::read(kDejaVu + "DejaVuSerif-Bold.ttf"), "cmap"));
    return std::filesystem::create_directory(made.file("x.ttf"));
}

} // namespace

const TempDir &test_font_directory() {
    static const TempDir dir;
    static const bool filled = fill_font_directory(dir);
    static_cast<void>(filled);
    return dir;
}

void TestFontDirectory::SetUp() {
    if (!std::filesystem::exists(kDejaVu + "DejaVuSans.ttf") ||
        !std::filesystem::exists(kLiberationSans))
        GTEST_SKIP() << "needs Debian's fonts-dejavu-core and fonts-liberation";
    testing::internal::CaptureStderr();
    ASSERT_TRUE(scan_freetype_font_directory(names));
    scan_messages = testing::internal::GetCapturedStderr();
}

} // namespace vexl::test
