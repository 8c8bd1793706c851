// The TrueType test fonts every FreeType suite shares: one font directory
// for the whole process (the scans remember the first file of every face
// name for the process), built from Debian's DejaVu and Liberation files,
// and a font table that lets its face go at the end of a scope.
#ifndef VEXL33_TESTS_FONTS_TEST_FONTS_H
#define VEXL33_TESTS_FONTS_TEST_FONTS_H

#include <cstdint>
#include <ostream>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "devices/recording_device.h"
#include "fonts/freetype_font.h"
#include "plot/gplot.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace vexl::test {

// Under Wine the same paths work: Wine maps / to drive Z:.
inline const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/";
inline const std::string kLiberationSans =
    "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";

// The directory's files: the default face as arial_r.ttf (Liberation Sans),
// DEJAVU_SANS.TTF, DejaVu Serif twice (serif_a.ttf, serif_b.ttf), a .otf
// file, a truncated broken.ttf, a face with only Macintosh names and one
// with only a Macintosh char map (DejaVu Serif Bold), DejaVu Sans Mono with
// an unloadable "Z", and a directory called x.ttf.
const TempDir &test_font_directory();

// Big-endian reading and writing inside a font file's bytes.
unsigned read16(const std::string &bytes, std::size_t at);
std::size_t read32(const std::string &bytes, std::size_t at);
void write16(std::string &bytes, std::size_t at, unsigned value);

// A font table named like the TrueType selection names it; unloaded at the
// end of the scope.
struct NamedTable {
    explicit NamedTable(const char *name) { rename(name); }
    ~NamedTable() { gfreetype_unloadFont(&table); }
    NamedTable(const NamedTable &) = delete;
    NamedTable &operator=(const NamedTable &) = delete;

    // Through the library, which frees only names it made itself.
    void rename(const char *name) { ASSERT_EQ(gttfont_setFontName(&table, name), 1); }
    FreeTypeFont *font() const { return static_cast<FreeTypeFont *>(table.freetype_font); }

    GFontTable table{};
};

// What a text measurement gave: its result and the box it wrote, -5 where
// it wrote nothing.
struct Box {
    int result = -1;
    int32_t height = -5;
    int32_t width = -5;
    bool operator==(const Box &o) const {
        return result == o.result && height == o.height && width == o.width;
    }
};

inline std::ostream &operator<<(std::ostream &out, const Box &box) {
    return out << "result " << box.result << ": " << box.width << " x " << box.height;
}

// A device whose font sizes are points, and which can be told that it must
// not be asked for one.
class PointSizedDevice : public RecordingDevice {
  public:
    using RecordingDevice::RecordingDevice;
    bool may_be_asked = true;
    double inches_to_font_height(double inches) override {
        if (!may_be_asked)
            ADD_FAILURE() << "asked for a font height";
        return inches * 72.0;
    }
};

// Points MOLVERN_FONT_DIR at the test fonts and scans them; skips its cases
// where the Debian fonts are not installed.
class TestFontDirectory : public ::testing::Test {
  protected:
    void SetUp() override;

    ScopedEnv font_dir{"MOLVERN_FONT_DIR", test_font_directory().path().c_str()};
    std::set<std::string> names;
    std::string scan_messages;
};

} // namespace vexl::test

#endif // VEXL33_TESTS_FONTS_TEST_FONTS_H
