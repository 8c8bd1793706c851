// The fuzzer's input bytes as a stream: the file readers take a FILE*, so
// each target reads the bytes from a temporary file holding exactly them.
#ifndef VEXL33_FUZZ_FUZZ_INPUT_H
#define VEXL33_FUZZ_FUZZ_INPUT_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "support/rtk_files.h"

namespace vexl::fuzz {

// A temporary file holding data and positioned at its start; null when it
// cannot be made (the target then skips the input).
inline FilePtr open_input(const uint8_t *data, std::size_t size) {
    FilePtr file(std::tmpfile());
    if (!file || (size > 0 && std::fwrite(data, 1, size, file.get()) != size))
        return nullptr;
    std::rewind(file.get());
    return file;
}

} // namespace vexl::fuzz

#endif // VEXL33_FUZZ_FUZZ_INPUT_H
