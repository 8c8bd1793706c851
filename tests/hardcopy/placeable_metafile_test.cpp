// The Aldus placeable header byte by byte, and the order in which a metafile
// file is written, on a file kept in memory that can be told to refuse a
// write or a position.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "hardcopy/placeable_metafile.h"

namespace {

using vexl::PlaceableHeader;

uint16_t word_at(const PlaceableHeader &h, std::size_t offset) {
    return static_cast<uint16_t>(h[offset] | (h[offset + 1] << 8));
}

// XOR of the ten words, from the field values rather than the bytes.
uint16_t expected_checksum(uint16_t right, uint16_t bottom) {
    return static_cast<uint16_t>(0xCDD7 ^ 0x9AC6 ^ right ^ bottom ^ 1000);
}

TEST(PlaceableHeader, ScreenSizedBoxHasTheKnownBytesAndChecksum) {
    const PlaceableHeader h = vexl::placeable_header(1280, 1024);
    const PlaceableHeader bytes = {0xD7, 0xCD, 0xC6, 0x9A, // key
                                   0x00, 0x00,             // handle
                                   0x00, 0x00, 0x00, 0x00, // left, top
                                   0x00, 0x05, 0x00, 0x04, // right 1280, bottom 1024
                                   0xE8, 0x03,             // 1000 units per inch
                                   0x00, 0x00, 0x00, 0x00, // reserved
                                   0xF9, 0x55};
    EXPECT_EQ(h, bytes);
    EXPECT_EQ(expected_checksum(1280, 1024), 0x55F9);
    EXPECT_EQ(vexl::placeable_checksum(h), 0x55F9);
}

TEST(PlaceableHeader, ChecksumCoversTheBoxOfEverySize) {
    for (long right : {0L, 1L, 640L, 32767L})
        for (long bottom : {0L, 480L, 4961L}) {
            const PlaceableHeader h = vexl::placeable_header(right, bottom);
            EXPECT_EQ(word_at(h, 10), right);
            EXPECT_EQ(word_at(h, 12), bottom);
            EXPECT_EQ(word_at(h, 20), expected_checksum(static_cast<uint16_t>(right),
                                                        static_cast<uint16_t>(bottom)))
                << right << " x " << bottom;
        }
}

// A box beyond the signed 16-bit fields once came out wrapped: 40000 read
// back as -25536, 70000 as 4464.
TEST(PlaceableHeader, OversizedBoxIsClampedNotWrapped) {
    const PlaceableHeader h = vexl::placeable_header(70000, 40000);
    EXPECT_EQ(word_at(h, 10), 32767);
    EXPECT_EQ(word_at(h, 12), 32767);
    EXPECT_EQ(word_at(h, 20), expected_checksum(32767, 32767));
    const PlaceableHeader negative = vexl::placeable_header(-5, -70000);
    EXPECT_EQ(word_at(negative, 10), 0);
    EXPECT_EQ(word_at(negative, 12), 0);
}

// A file in memory: bytes land at the current position; a write or a
// position can be refused.
class MemoryFile : public vexl::MetafileSink {
  public:
    bool write(const unsigned char *bytes, std::size_t n) override {
        if (writes_++ == refused_write)
            return false;
        if (bytes_.size() < position_ + n)
            bytes_.resize(position_ + n);
        std::copy(bytes, bytes + n, bytes_.begin() + static_cast<std::ptrdiff_t>(position_));
        position_ += n;
        return true;
    }
    bool set_position(std::size_t offset) override {
        if (refused_positions.count(offset) != 0)
            return false;
        position_ = offset;
        return true;
    }
    const std::vector<unsigned char> &bytes() const { return bytes_; }

    int refused_write = -1; // index of the write call that fails
    std::set<std::size_t> refused_positions;

  private:
    std::vector<unsigned char> bytes_;
    std::size_t position_ = 0;
    int writes_ = 0;
};

class MetafileWriting : public ::testing::Test {
  protected:
    // Longer than the header, as every metafile is.
    const std::vector<unsigned char> bits_ = std::vector<unsigned char>(40, 0xAB);
    const PlaceableHeader header_ = vexl::placeable_header(1280, 1024);
    MemoryFile file_;

    vexl::MetafileWriteResult write(bool with_header) {
        return vexl::write_metafile(file_, bits_.data(), bits_.size(),
                                    with_header ? &header_ : nullptr);
    }
};

TEST_F(MetafileWriting, PlainMetafileIsTheBitsAlone) {
    const vexl::MetafileWriteResult r = write(false);
    EXPECT_TRUE(r.written);
    EXPECT_FALSE(r.header_dropped);
    EXPECT_EQ(file_.bytes(), bits_);
}

TEST_F(MetafileWriting, HeaderComesFirstAndTheBitsAtOffset22) {
    const vexl::MetafileWriteResult r = write(true);
    EXPECT_TRUE(r.written);
    EXPECT_FALSE(r.header_dropped);
    ASSERT_EQ(file_.bytes().size(), 22u + bits_.size());
    EXPECT_TRUE(std::equal(header_.begin(), header_.end(), file_.bytes().begin()));
    EXPECT_TRUE(std::equal(bits_.begin(), bits_.end(), file_.bytes().begin() + 22));
}

TEST_F(MetafileWriting, HeaderThatCannotBePlacedGivesAPlainMetafile) {
    file_.refused_positions = {22};
    const vexl::MetafileWriteResult r = write(true);
    EXPECT_TRUE(r.written);
    EXPECT_TRUE(r.header_dropped);
    EXPECT_EQ(file_.bytes(), bits_);
}

TEST_F(MetafileWriting, HeaderThatCannotBeWrittenGivesAPlainMetafile) {
    file_.refused_write = 0;
    const vexl::MetafileWriteResult r = write(true);
    EXPECT_TRUE(r.written);
    EXPECT_TRUE(r.header_dropped);
    EXPECT_EQ(file_.bytes(), bits_);
}

TEST_F(MetafileWriting, NoWayBackToTheStartWritesNothingMore) {
    file_.refused_positions = {0, 22};
    const vexl::MetafileWriteResult r = write(true);
    EXPECT_FALSE(r.written);
    EXPECT_TRUE(r.header_dropped);
    EXPECT_EQ(file_.bytes().size(), 22u);
}

// A metafile whose bits never reached the file was once reported written.
TEST_F(MetafileWriting, FailedWriteOfTheBitsIsNotReportedAsWritten) {
    file_.refused_write = 1;
    EXPECT_FALSE(write(true).written);
    MemoryFile plain;
    plain.refused_write = 0;
    EXPECT_FALSE(vexl::write_metafile(plain, bits_.data(), bits_.size(), nullptr).written);
}

} // namespace
