// Reading XBM files: the header, the data values in their three notations,
// the conversion to device bytes, and files that must be refused.
#include <gtest/gtest.h>

#include <string>

#include "colour/xbm_reader.h"
#include "support/temp_dir.h"

namespace {

using vexl::read_xbm_file;
using vexl::xbm_byte_to_device;

std::string header(int width, int height) {
    return "#define t_width " + std::to_string(width) + "\n#define t_height " +
           std::to_string(height) + "\n";
}

// n values "0x00, 0x01, ..." (low 8 bits of their position), as a C array.
std::string counting_data(int n) {
    std::string text = "static unsigned char t_bits[] = {\n";
    for (int i = 0; i < n; ++i) {
        char value[8];
        std::snprintf(value, sizeof value, "0x%02x", i & 0xFF);
        text += std::string("   ") + value + (i + 1 < n ? ",\n" : "};\n");
    }
    return text;
}

class XbmReaderTest : public ::testing::Test {
  protected:
    std::optional<vexl::XbmBitmap> read(const std::string &text) {
        return read_xbm_file(dir_.write("t.xbm", text).c_str());
    }
    vexl::test::TempDir dir_;
};

TEST(XbmByteTest, MirroredAndComplemented) {
    EXPECT_EQ(xbm_byte_to_device(0x01), 0x7F);
    EXPECT_EQ(xbm_byte_to_device(0x80), 0xFE);
    EXPECT_EQ(xbm_byte_to_device(0xFF), 0x00);
    EXPECT_EQ(xbm_byte_to_device(0x00), 0xFF);
    EXPECT_EQ(xbm_byte_to_device(0x03), 0x3F);
    EXPECT_EQ(xbm_byte_to_device(0x1FE), 0x80); // only the low 8 bits count
    // Converting the mirrored byte again gives back the complement: no bit
    // is lost or duplicated on the way.
    for (unsigned v = 0; v < 256; ++v)
        EXPECT_EQ(xbm_byte_to_device(~xbm_byte_to_device(v) & 0xFFu), ~v & 0xFFu) << v;
}

TEST_F(XbmReaderTest, ReadsA16By16Bitmap) {
    auto bitmap = read(header(16, 16) + counting_data(32));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->width, 16);
    EXPECT_EQ(bitmap->height, 16);
    ASSERT_EQ(bitmap->bits.size(), 32u);
    for (unsigned i = 0; i < 32; ++i)
        EXPECT_EQ(bitmap->bits[i], xbm_byte_to_device(i)) << i;
}

TEST_F(XbmReaderTest, DataSizeRoundsRowsUpToWholeBytes) {
    auto bitmap = read(header(12, 3) + counting_data(6));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->bits.size(), 6u); // 2 bytes per row of 12 pixels
    EXPECT_EQ(vexl::xbm_data_size(1, 1), 1u);
    EXPECT_EQ(vexl::xbm_data_size(17, 2), 6u);
}

TEST_F(XbmReaderTest, ValuesInHexOctalDecimalAndWithSigns) {
    auto bitmap = read(header(8, 5) + "0x80, 010, 255,\n-1, +1}\n");
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->bits, (std::vector<uint8_t>{0xFE, xbm_byte_to_device(8), 0x00, 0x00, 0x7F}));
}

TEST_F(XbmReaderTest, LayoutVariationsAreUnderstood) {
    // Hot-spot defines, blank lines, a declaration holding values (skipped as
    // a whole), text after the last separator of a line (ignored), values
    // beyond the data size (ignored) and Windows line ends.
    auto bitmap =
        read(header(8, 4) + "#define t_x_hot 1\r\n\r\n" + "static char t_bits[] = { 0x55,\r\n" +
             "0x01, 0x02 ignored\r\n" + "0x03,0x04,\r\n0x05}; 0x06, junk\r\n");
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->bits,
              (std::vector<uint8_t>{xbm_byte_to_device(0x01), xbm_byte_to_device(0x03),
                                    xbm_byte_to_device(0x04), xbm_byte_to_device(0x05)}));
}

TEST_F(XbmReaderTest, VeryLongDataLineIsRead) {
    std::string line;
    for (int i = 0; i < 32; ++i)
        line += std::string(5000, ' ') + std::to_string(i) + ",";
    auto bitmap = read(header(16, 16) + line + "\n");
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->bits[31], xbm_byte_to_device(31));
}

TEST_F(XbmReaderTest, UnusableFilesAreRefused) {
    const struct {
        const char *why;
        std::string text;
    } cases[] = {
        {"empty file", ""},
        {"width without a number", "#define t_width\n#define t_height 16\n0x00}\n"},
        {"height line missing", "#define t_width 8\n"},
        {"zero width", header(0, 16) + counting_data(32)},
        {"negative height", header(16, -16) + counting_data(32)},
        {"width beyond the limit", header(vexl::kXbmMaxSide + 1, 1) + counting_data(600)},
        {"width beyond int32", "#define t_width 99999999999\n#define t_height 1\n0x00}\n"},
        {"header line too long", "#define " + std::string(2000, 'w') + " 16\n" + header(16, 16)},
        {"file ends before the data", header(16, 16) + counting_data(31)},
        {"no separator after the last value", header(8, 2) + "0x01, 0x02\n"},
        {"word for a value", header(8, 2) + "0x01, zz}\n"},
        {"empty value", header(8, 2) + "0x01,,0x02}\n"},
        {"value beyond 64 bits", header(8, 1) + "0x1ffffffffffffffff}\n"},
        {"number longer than the value limit", header(8, 1) + std::string(100, '0') + "1}\n"},
        {"binary junk", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_FALSE(read(c.text));
    }
}

TEST_F(XbmReaderTest, MissingFileOrPathIsRefused) {
    EXPECT_FALSE(read_xbm_file(dir_.file("absent.xbm").c_str()));
    EXPECT_FALSE(read_xbm_file(""));
    EXPECT_FALSE(read_xbm_file(nullptr));
    EXPECT_FALSE(vexl::read_xbm(nullptr));
}

} // namespace
