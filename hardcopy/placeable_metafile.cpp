// The Aldus placeable header and the writing order of a metafile file.
#include "hardcopy/placeable_metafile.h"

#include <algorithm>

namespace vexl {

namespace {

constexpr std::size_t kChecksumOffset = 20;

void put16(PlaceableHeader &header, std::size_t offset, uint16_t value) {
    header[offset] = static_cast<unsigned char>(value & 0xFF);
    header[offset + 1] = static_cast<unsigned char>(value >> 8);
}

void put32(PlaceableHeader &header, std::size_t offset, uint32_t value) {
    put16(header, offset, static_cast<uint16_t>(value & 0xFFFF));
    put16(header, offset + 2, static_cast<uint16_t>(value >> 16));
}

uint16_t clamped_coordinate(long value) {
    return static_cast<uint16_t>(std::clamp(value, 0L, kPlaceableCoordinateMax));
}

} // namespace

PlaceableHeader placeable_header(long right, long bottom) {
    PlaceableHeader header{};
    put32(header, 0, kPlaceableKey);
    // Handle (4) and left, top (6, 8) stay 0; reserved (16) too.
    put16(header, 10, clamped_coordinate(right));
    put16(header, 12, clamped_coordinate(bottom));
    put16(header, 14, kPlaceableUnitsPerInch);
    put16(header, kChecksumOffset, placeable_checksum(header));
    return header;
}

uint16_t placeable_checksum(const PlaceableHeader &header) {
    uint16_t sum = 0;
    for (std::size_t offset = 0; offset < kChecksumOffset; offset += 2)
        sum ^= static_cast<uint16_t>(header[offset] | header[offset + 1] << 8);
    return sum;
}

MetafileWriteResult write_metafile(MetafileSink &sink, const unsigned char *bits, std::size_t n,
                                   const PlaceableHeader *header) {
    MetafileWriteResult result;
    if (header != nullptr) {
        const bool placed =
            sink.write(header->data(), header->size()) && sink.set_position(kPlaceableHeaderSize);
        if (!placed) {
            result.header_dropped = true;
            if (!sink.set_position(0))
                return result;
        }
    }
    result.written = sink.write(bits, n);
    return result;
}

} // namespace vexl
