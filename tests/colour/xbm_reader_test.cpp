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

TEST(XbmByte, MirroredAndComplemented) {
    EXPECT_EQ(xbm_byte_to_device(0x01), 0x7F);
    EXPECT_EQ(xbm_byte_to_device(0x80), 0xFE);
    EXPECT_EQ(xbm_byte_to_device(0xFF), 0x00);
    EXPECT_EQ(xbm_byte_to_device(0x03), 0x3F);
    EXPECT_EQ(xbm_byte_to_device(0x1FE), 0x80); // only the low 8 bits count
    // Converting the mirrored byte again gives back the complement: no bit
    // is lost or duplicated on the way.
    for (unsigned v = 0; v < 256; ++v)
        EXPECT_EQ(xbm_byte_to_device(~xbm_byte_to_device(v) & 0xFFu), ~v & 0xFFu) << v;
    EXPECT_EQ(vexl::xbm_data_size(17, 2), 6u); // rows round up to whole bytes
}

TEST(XbmReader, ReadsEveryValueInDeviceOrder) {
    std::string long_line;
    for (int i = 0; i < 32; ++i)
        long_line += std::string(5000, ' ') + std::to_string(i) + ",";
    const struct {
        const char *what;
        std::string text;
        int width, height;
        std::vector<unsigned> values; // as written in the file
    } cases[] = {
        {"16 x 16", xbm_text(counting(32)), 16, 16, counting(32)},
        {"12 x 3", xbm_text(counting(6), 12, 3), 12, 3, counting(6)},
        {"hex, octal, decimal, signs",
         xbm_text({}, 8, 5) + "0x80, 010, 255,\n-1, +1}\n",
         8,
         5,
         {0x80, 8, 255, 0xFF, 1}},
        // Hot-spot defines, blank lines, a declaration holding values (skipped
        // as a whole), text after a line's last separator and values beyond
        // the data size (ignored), Windows line ends.
        {"layout",
         xbm_text({}, 8, 4) + "#define t_x_hot 1\r\n\r\nstatic char b[] = { 0x55,\r\n" +
             "0x01, 0x02 ignored\r\n0x03,0x04,\r\n0x05}; 0x06, junk\r\n",
         8,
         4,
         {1, 3, 4, 5}},
        {"very long line", xbm_text({}) + long_line + "\n", 16, 16, counting(32)},
    };
    vexl::test::TempDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const auto bitmap = vexl::read_xbm(vexl::test::open_text(dir, c.text).get());
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(bitmap->width, c.width);
        EXPECT_EQ(bitmap->height, c.height);
        std::vector<uint8_t> expected;
        for (unsigned v : c.values)
            expected.push_back(xbm_byte_to_device(v));
        EXPECT_EQ(bitmap->bits, expected);
    }
}

TEST(XbmReader, UnusableFilesAreRefused) {
    const struct {
        const char *why;
        std::string text;
    } cases[] = {
        {"empty file", ""},
        {"width without a number", "#define t_width\n#define t_height 16\n0x00}\n"},
        {"height line missing", "#define t_width 8\n"},
        {"zero width", xbm_text(counting(32), 0, 16)},
        {"negative height", xbm_text(counting(32), 16, -16)},
        {"width beyond the limit", xbm_text(counting(600), vexl::kXbmMaxSide + 1, 1)},
        {"width beyond int32", "#define t_width 99999999999\n#define t_height 1\n0x00}\n"},
        {"header line too long", "#define " + std::string(2000, 'w') + " 16\n" + xbm_text({})},
        {"file ends before the data", xbm_text(counting(31))},
        {"no separator after the last value", xbm_text({}, 8, 2) + "0x01, 0x02\n"},
        {"word for a value", xbm_text({}, 8, 2) + "0x01, zz}\n"},
        {"value beyond 64 bits", xbm_text({}, 8, 1) + "0x1ffffffffffffffff}\n"},
        {"number longer than the value limit", xbm_text({}, 8, 1) + std::string(100, '0') + "1}"},
        {"binary junk", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
    };
    vexl::test::TempDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_FALSE(vexl::read_xbm(vexl::test::open_text(dir, c.text).get()));
    }
    EXPECT_FALSE(vexl::read_xbm_file(dir.file("absent.xbm").c_str()));
    EXPECT_FALSE(vexl::read_xbm_file(""));
    EXPECT_FALSE(vexl::read_xbm_file(nullptr));
    EXPECT_FALSE(vexl::read_xbm(nullptr));
}

} // namespace
