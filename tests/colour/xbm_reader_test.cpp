// Reading XBM files: the header, the data values in their three notations,
// the conversion to device bytes, and files that must be refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "colour/xbm_reader.h"
#include "colour_test_files.h"

namespace {

using vexl::xbm_byte_to_device;
using vexl::test::counting;
using vexl::test::xbm_text;

TEST(XbmReader, BytesAreMirroredAndComplemented) {
    EXPECT_EQ(xbm_byte_to_device(0x01), 0x7F);
    EXPECT_EQ(xbm_byte_to_device(0x80), 0xFE);
    EXPECT_EQ(xbm_byte_to_device(0xFF), 0x00);
    EXPECT_EQ(xbm_byte_to_device(0x1FE), 0x80); // only the low 8 bits count
    // Converting the mirrored byte again gives back the complement: no bit
    // is lost or duplicated on the way.
    for (unsigned v = 0; v < 256; ++v)
        EXPECT_EQ(xbm_byte_to_device(~xbm_byte_to_device(v) & 0xFFu), ~v & 0xFFu) << v;
}

TEST(XbmReader, EachFileGivesItsBitmapOrNothing) {
    const struct {
        std::string text;
        const char *size;             // "width x height"; null: the file is refused
        std::vector<unsigned> values; // as written in the file
    } cases[] = {
        {xbm_text(counting(32)), "16x16", counting(32)},
        {xbm_text(counting(6), 12, 3), "12x3", counting(6)}, // rows round up to whole bytes
        {xbm_text({}, 8, 5) + "0x80, 010, 255,\n-1, +1}\n", "8x5", {0x80, 8, 255, 0xFF, 1}},
        // Hot-spot defines, blank lines, a declaration holding values (skipped
        // as a whole), text after a line's last separator and values beyond
        // the data size (ignored), Windows line ends.
        {xbm_text({}, 8, 4) + "#define t_x_hot 1\r\n\r\nstatic char b[] = { 0x55,\r\n" +
             "0x01, 0x02 ignored\r\n0x03,0x04,\r\n0x05}; 0x06, junk\r\n",
         "8x4",
         {1, 3, 4, 5}},
        {"", nullptr, {}},
        {"#define t_width\n#define t_height 16\n0x00}\n", nullptr, {}},
        {"#define t_width 8\n", nullptr, {}}, // no height
        {xbm_text(counting(32), 0, 16), nullptr, {}},
        {xbm_text(counting(32), 16, -16), nullptr, {}},
        {xbm_text(counting(600), vexl::kXbmMaxSide + 1, 1), nullptr, {}},
        {"#define t_width 99999999999\n#define t_height 1\n0x00}\n", nullptr, {}},
        {"#define " + std::string(2000, 'w') + " 16\n" + xbm_text({}), nullptr, {}},
        {xbm_text(counting(31)), nullptr, {}},              // ends before the data
        {xbm_text({}, 8, 2) + "0x01, 0x02\n", nullptr, {}}, // no separator after the last
        {xbm_text({}, 8, 2) + "0x01, zz}\n", nullptr, {}},
        {xbm_text({}, 8, 1) + "0x1ffffffffffffffff}\n", nullptr, {}},
        {xbm_text({}, 8, 1) + std::string(100, '0') + "1}", nullptr, {}},
        {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), nullptr, {}},
    };
    vexl::test::TempDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.substr(0, 60));
        const auto bitmap = vexl::read_xbm(vexl::test::open_text(dir, c.text).get());
        EXPECT_EQ(bitmap.has_value(), c.size != nullptr);
        if (!bitmap || !c.size)
            continue;
        EXPECT_EQ(std::to_string(bitmap->width) + "x" + std::to_string(bitmap->height), c.size);
        std::vector<uint8_t> expected;
        for (unsigned v : c.values)
            expected.push_back(xbm_byte_to_device(v));
        EXPECT_EQ(bitmap->bits, expected);
    }
    EXPECT_FALSE(vexl::read_xbm_file(dir.file("absent.xbm").c_str()));
    EXPECT_FALSE(vexl::read_xbm_file(""));
    EXPECT_FALSE(vexl::read_xbm_file(nullptr));
    EXPECT_FALSE(vexl::read_xbm(nullptr));
}

} // namespace
