// Reading X bitmap (XBM) files into the bit order monochrome device bitmaps
// use.
//
// An XBM file is C source: two #define lines with the width and the height,
// then a byte array. XBM stores the leftmost pixel of each byte in its least
// significant bit and marks a set pixel with 1; device bitmaps want the
// leftmost pixel in the most significant bit and a set pixel as 0. The reader
// converts every byte as it stores it, so callers only ever see device bytes.
#ifndef VEXL33_COLOUR_XBM_READER_H
#define VEXL33_COLOUR_XBM_READER_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

namespace vexl {

// Largest width or height accepted. Fill patterns are 16 x 16; anything
// beyond this is a damaged or foreign file, and refusing it keeps a bogus
// header from asking for gigabytes.
inline constexpr int32_t kXbmMaxSide = 4096;

struct XbmBitmap {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> bits; // ceil(width / 8) bytes per row, device order
};

// The XBM byte value (its low 8 bits) in device order: bits mirrored, then
// complemented. 0x01 -> 0x7F, 0x80 -> 0xFE, 0xFF -> 0x00.
constexpr uint8_t xbm_byte_to_device(unsigned long long value) {
    unsigned in = static_cast<unsigned>(value & 0xFFu);
    unsigned mirrored = 0;
    for (int bit = 0; bit < 8; ++bit) {
        if (in & (1u << bit))
            mirrored |= 0x80u >> bit;
    }
    return static_cast<uint8_t>(~mirrored & 0xFFu);
}

// Bytes of data a bitmap of this size holds: ceil(width / 8) * height.
constexpr std::size_t xbm_data_size(int32_t width, int32_t height) {
    return (static_cast<std::size_t>(width) + 7) / 8 * static_cast<std::size_t>(height);
}

// Reads an XBM file from its first line. Nothing when the header does not
// give a usable width and height, a value cannot be read, or the file ends
// before all data bytes were read.
std::optional<XbmBitmap> read_xbm(std::FILE *file);

// Opens path for reading and reads it as above.
std::optional<XbmBitmap> read_xbm_file(const char *path);

} // namespace vexl

#endif // VEXL33_COLOUR_XBM_READER_H
