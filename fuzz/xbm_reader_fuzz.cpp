// Fuzzes the XBM reader: any bytes give either nothing or a bitmap whose
// stated size is within the limits and whose data is exactly
// ceil(width / 8) * height bytes; a 16 x 16 result must also become a pattern.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "colour/pattern_table.h"
#include "colour/xbm_reader.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    vexl::FilePtr file = vexl::fuzz::open_input(data, size);
    if (!file)
        return 0;
    std::optional<vexl::XbmBitmap> bitmap = vexl::read_xbm(file.get());
    if (!bitmap)
        return 0;
    if (bitmap->width < 1 || bitmap->width > vexl::kXbmMaxSide || bitmap->height < 1 ||
        bitmap->height > vexl::kXbmMaxSide)
        std::abort();
    if (bitmap->bits.size() != vexl::xbm_data_size(bitmap->width, bitmap->height))
        std::abort();
    if (bitmap->width == 16 && bitmap->height == 16 && !vexl::pattern_bits_for(*bitmap))
        std::abort();
    return 0;
}
