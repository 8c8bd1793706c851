// The PNG writer of vexlplot: its checksums against published values, and
// its files taken apart chunk by chunk and block by block, so that a reader
// with nothing but the format's rules gets back exactly the pixels written.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "vexlplot/png_writer.h"

namespace {

uint32_t crc_of(const std::string &text) {
    return png_crc32(0, text.data(), text.size());
}

uint32_t adler_of(const std::string &text) {
    return png_adler32(1, text.data(), text.size());
}

TEST(PngChecksums, MatchPublishedValues) {
    EXPECT_EQ(crc_of(""), 0u);
    EXPECT_EQ(crc_of("123456789"), 0xCBF43926u);
    // Every PNG ends with this: the CRC of the empty IEND chunk.
    EXPECT_EQ(crc_of("IEND"), 0xAE426082u);
    EXPECT_EQ(adler_of(""), 1u);
    EXPECT_EQ(adler_of("Wikipedia"), 0x11E60398u);
}

TEST(PngChecksums, ContinueAcrossPieces) {
    const std::string text = "The quick brown fox jumps over the lazy dog";
    EXPECT_EQ(png_crc32(crc_of(text.substr(0, 10)), text.data() + 10, text.size() - 10),
              crc_of(text));
    EXPECT_EQ(png_adler32(adler_of(text.substr(0, 17)), text.data() + 17, text.size() - 17),
              adler_of(text));
}

// The sums are reduced only every few thousand bytes; runs of 0xFF bytes are
// where a late reduction would overflow. Checked against a reduction after
// every byte.
TEST(PngChecksums, AdlerOfLongRunsOfHighBytes) {
    for (const std::size_t size : {5551u, 5552u, 5553u, 100000u}) {
        const std::vector<uint8_t> bytes(size, 0xFF);
        uint32_t a = 1, b = 0;
        for (const uint8_t byte : bytes) {
            a = (a + byte) % 65521;
            b = (b + a) % 65521;
        }
        EXPECT_EQ(png_adler32(1, bytes.data(), bytes.size()), (b << 16) | a) << size;
    }
}

uint32_t be32(const std::string &bytes, std::size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 8 |
           static_cast<uint8_t>(bytes[at + 3]);
}

struct Chunk {
    std::string type, data;
};

// What a reader finds in a written picture.
struct Decoded {
    std::vector<Chunk> chunks;
    uint32_t width = 0, height = 0;
    std::string raw; // the zlib stream's content: filter byte and pixels per row
    std::vector<std::size_t> block_sizes;
    bool last_block_final = false; // BFINAL on the last block and no other
};

// Takes the file apart, checking every length, CRC and block header on the way.
Decoded decode(const std::string &file) {
    Decoded result;
    const std::string signature("\x89PNG\r\n\x1a\n", 8);
    EXPECT_EQ(file.substr(0, 8), signature);
    std::size_t at = 8;
    while (at + 12 <= file.size()) {
        const uint32_t size = be32(file, at);
        EXPECT_LE(at + 12 + size, file.size());
        Chunk chunk{file.substr(at + 4, 4), file.substr(at + 8, size)};
        EXPECT_EQ(be32(file, at + 8 + size), crc_of(chunk.type + chunk.data)) << chunk.type;
        result.chunks.push_back(chunk);
        at += 12 + size;
    }
    EXPECT_EQ(at, file.size()) << "bytes after the last chunk";
    std::string stream;
    for (const Chunk &chunk : result.chunks) {
        if (chunk.type == "IHDR" && chunk.data.size() == 13) {
            result.width = be32(chunk.data, 0);
            result.height = be32(chunk.data, 4);
            EXPECT_EQ(chunk.data.substr(8), std::string("\x08\x02\x00\x00\x00", 5));
        }
        if (chunk.type == "IDAT")
            stream += chunk.data;
    }
    if (stream.size() < 6) {
        ADD_FAILURE() << "no zlib stream";
        return result;
    }
    // CMF 0x78: deflate with a 32 KiB window; the header is a multiple of 31.
    EXPECT_EQ(static_cast<uint8_t>(stream[0]), 0x78);
    EXPECT_EQ((static_cast<uint8_t>(stream[0]) * 256 + static_cast<uint8_t>(stream[1])) % 31, 0);
    std::size_t pos = 2;
    bool final_seen = false;
    while (!final_seen && pos + 5 <= stream.size()) {
        const uint8_t head = static_cast<uint8_t>(stream[pos]);
        EXPECT_EQ(head & 6, 0) << "not a stored block";
        final_seen = (head & 1) != 0;
        const unsigned length =
            static_cast<uint8_t>(stream[pos + 1]) | static_cast<uint8_t>(stream[pos + 2]) << 8;
        const unsigned complement =
            static_cast<uint8_t>(stream[pos + 3]) | static_cast<uint8_t>(stream[pos + 4]) << 8;
        EXPECT_EQ(length ^ 0xFFFFu, complement);
        result.block_sizes.push_back(length);
        result.raw += stream.substr(pos + 5, length);
        pos += 5 + length;
    }
    result.last_block_final = final_seen;
    EXPECT_EQ(pos + 4, stream.size()) << "the Adler-32 does not end the stream";
    if (pos + 4 <= stream.size()) {
        EXPECT_EQ(be32(stream, pos), adler_of(result.raw));
    }
    return result;
}

// A picture of distinct bytes, rows `stride` bytes apart (the gap filled
// with bytes that must not appear in the file).
struct Picture {
    uint32_t width, height;
    std::size_t stride;
    std::vector<uint8_t> bytes;
    Picture(uint32_t w, uint32_t h, std::size_t gap = 0)
        : width(w), height(h), stride(3 * w + gap), bytes(stride * h, 0xEE) {
        for (uint32_t y = 0; y < h; ++y) {
            for (std::size_t i = 0; i < 3 * w; ++i)
                bytes[y * stride + i] = static_cast<uint8_t>((y * 7 + i * 13) % 251);
        }
    }
    // What PNG should hold: each row after its filter byte 0.
    std::string raw() const {
        std::string out;
        for (uint32_t y = 0; y < height; ++y) {
            out += '\0';
            out.append(reinterpret_cast<const char *>(&bytes[y * stride]), 3 * width);
        }
        return out;
    }
};

class PngFiles : public ::testing::Test {
  protected:
    // Writes the picture with the writer and reads the file back whole.
    std::string write(const Picture &picture) {
        const std::string path = dir_.file("picture.png");
        FILE *stream = std::fopen(path.c_str(), "wb");
        EXPECT_NE(stream, nullptr);
        EXPECT_EQ(png_write_rgb(stream, picture.bytes.data(), picture.width, picture.height,
                                picture.stride),
                  1);
        EXPECT_EQ(std::fclose(stream), 0);
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    vexl::test::TempDir dir_;
};

TEST_F(PngFiles, HoldTheRowsExactlyInStoredBlocks) {
    struct Case {
        uint32_t width, height;
        std::size_t gap;
        std::vector<std::size_t> blocks;
    };
    const Case cases[] = {
        {1, 1, 0, {4}},
        // 771 rows of 1 + 3 * 28 bytes fill one block exactly: no empty block follows.
        {28, 771, 0, {65535}},
        {28, 772, 0, {65535, 85}},
        // Rows that straddle block boundaries, and a stride with padding.
        {300, 300, 5, {65535, 65535, 65535, 65535, 8160}},
    };
    for (const Case &c : cases) {
        const Picture picture(c.width, c.height, c.gap);
        const Decoded decoded = decode(write(picture));
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        EXPECT_EQ((std::vector<uint32_t>{decoded.width, decoded.height}),
                  (std::vector<uint32_t>{c.width, c.height}));
        EXPECT_EQ(decoded.block_sizes, c.blocks);
        EXPECT_TRUE(decoded.last_block_final);
        EXPECT_TRUE(decoded.raw == picture.raw());
        ASSERT_FALSE(decoded.chunks.empty());
        EXPECT_EQ(decoded.chunks.front().type, "IHDR");
        EXPECT_EQ(decoded.chunks.back().type, "IEND");
        EXPECT_EQ(decoded.chunks.size(), 2 + c.blocks.size()) << "one IDAT per block";
    }
}

TEST_F(PngFiles, RefuseSizesPngCannotHold) {
    const Picture picture(2, 2);
    const std::string path = dir_.file("refused.png");
    FILE *stream = std::fopen(path.c_str(), "wb");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(png_write_rgb(stream, picture.bytes.data(), 0, 2, 6), 0);
    EXPECT_EQ(png_write_rgb(stream, picture.bytes.data(), 2, 0, 6), 0);
    EXPECT_EQ(png_write_rgb(stream, picture.bytes.data(), 0x80000000u, 1, 6), 0);
    EXPECT_EQ(std::ftell(stream), 0) << "nothing written for a refused size";
    std::fclose(stream);
}

TEST_F(PngFiles, ReportAStreamThatTakesNothing) {
    const std::string path = dir_.write("read_only.png", "");
    FILE *stream = std::fopen(path.c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    const Picture picture(4, 4);
    EXPECT_EQ(png_write_rgb(stream, picture.bytes.data(), 4, 4, 12), 0);
    std::fclose(stream);
}

} // namespace
