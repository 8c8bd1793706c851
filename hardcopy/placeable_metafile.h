// The Aldus placeable header that older programs expect in front of a
// Windows metafile, and the order in which such a file is written.
//
// Both are plain byte work, kept apart from the Windows conversion so that
// the header's layout and the fallback to a plain metafile can be checked
// on every build.
#ifndef VEXL33_HARDCOPY_PLACEABLE_METAFILE_H
#define VEXL33_HARDCOPY_PLACEABLE_METAFILE_H

#include <array>
#include <cstddef>
#include <cstdint>

namespace vexl {

inline constexpr std::size_t kPlaceableHeaderSize = 22;
inline constexpr uint32_t kPlaceableKey = 0x9AC6CDD7u;
inline constexpr uint16_t kPlaceableUnitsPerInch = 1000;
// The bounding box fields are signed 16-bit numbers.
inline constexpr long kPlaceableCoordinateMax = 32767;

using PlaceableHeader = std::array<unsigned char, kPlaceableHeaderSize>;

// The 22 little-endian bytes: key, handle 0, box (0, 0, right, bottom) at
// 1000 units per inch, reserved 0 and the checksum. right and bottom are
// clamped to 0 .. 32767: a wrapped value would turn a large picture into
// a negative or tiny one.
PlaceableHeader placeable_header(long right, long bottom);

// XOR of the ten 16-bit words in front of the checksum.
uint16_t placeable_checksum(const PlaceableHeader &header);

// Where a metafile is written: a file that can be written in sequence and
// positioned from its start.
class MetafileSink {
  public:
    virtual ~MetafileSink() = default;
    // true when all n bytes were written at the current position.
    virtual bool write(const unsigned char *bytes, std::size_t n) = 0;
    // true when the position is now offset bytes from the start.
    virtual bool set_position(std::size_t offset) = 0;
};

struct MetafileWriteResult {
    bool written = false;        // the whole metafile reached the sink
    bool header_dropped = false; // asked for a header, wrote a plain metafile
};

// Writes the header (when given) and then the metafile bits behind it.
// When the header cannot be put in place the file starts over as a plain
// metafile at position 0, so a reader never meets half a header.
MetafileWriteResult write_metafile(MetafileSink &sink, const unsigned char *bits, std::size_t n,
                                   const PlaceableHeader *header);

} // namespace vexl

#endif // VEXL33_HARDCOPY_PLACEABLE_METAFILE_H
