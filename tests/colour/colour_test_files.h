// Input files for the colour tests: text written to a test's own directory,
// and the XBM bitmap text the pattern tests read.
#ifndef VEXL33_TESTS_COLOUR_COLOUR_TEST_FILES_H
#define VEXL33_TESTS_COLOUR_COLOUR_TEST_FILES_H

#include <cstddef>
#include <string>
#include <vector>

#include "support/rtk_files.h"
#include "support/temp_dir.h"

namespace vexl::test {

// bytes written to a new file of dir and opened for reading.
inline FilePtr open_text(const TempDir &dir, const std::string &bytes) {
    static int files = 0;
    const std::string name = "input" + std::to_string(++files) + ".txt";
    return FilePtr(rtk_fopen(dir.write(name, bytes).c_str(), "r"));
}

// n values counting up from first, in their low 8 bits.
inline std::vector<unsigned> counting(int n, unsigned first = 0) {
    std::vector<unsigned> values;
    for (int i = 0; i < n; ++i)
        values.push_back((first + static_cast<unsigned>(i)) & 0xFFu);
    return values;
}

// An XBM file of a width x height bitmap holding values; with no values, the
// header and the array declaration alone.
inline std::string xbm_text(const std::vector<unsigned> &values, int width = 16, int height = 16) {
    std::string text = "#define t_width " + std::to_string(width) + "\n#define t_height " +
                       std::to_string(height) + "\nstatic unsigned char t_bits[] = {\n";
    for (std::size_t i = 0; i < values.size(); ++i)
        text += std::to_string(values[i]) + (i + 1 < values.size() ? ", " : "};\n");
    return text;
}

} // namespace vexl::test

#endif // VEXL33_TESTS_COLOUR_COLOUR_TEST_FILES_H
