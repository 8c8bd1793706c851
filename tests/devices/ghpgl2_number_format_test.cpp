// The plot file's own integer formatting against std::to_chars, and its
// batches of pen moves against the single moves they stand for, across the
// edge of the output block.
#include "devices/ghpgl2_writer.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/rtk_files.h"
#include "support/temp_dir.h"

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

std::string expected_decimal(int32_t value) {
    char digits[16];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// Formats value into a guarded buffer: the text, or a note when the formatter
// wrote beyond the eleven bytes it may use.
std::string formatted(int32_t value) {
    char buffer[24];
    std::memset(buffer, '#', sizeof buffer);
    const char *end = vexl::detail::put_decimal(buffer, value);
    for (std::size_t i = 11; i < sizeof buffer; ++i) {
        if (buffer[i] != '#')
            return "wrote past eleven bytes";
    }
    return std::string(static_cast<const char *>(buffer), end);
}

TEST(Hpgl2NumberFormat, EveryLengthAndSignAsToCharsWritesIt) {
    std::vector<int32_t> values = {0, 1, -1, 9, -9, kMin, kMax, kMin + 1, kMax - 1};
    for (int64_t power = 10; power <= kMax; power *= 10) {
        for (int64_t near : {power - 1, power, power + 1}) {
            values.push_back(static_cast<int32_t>(near));
            values.push_back(static_cast<int32_t>(-near));
        }
    }
    for (int32_t value : values)
        EXPECT_EQ(formatted(value), expected_decimal(value)) << value;

    // And a spread of values of every length, by a fixed generator.
    uint32_t state = 12345;
    for (int i = 0; i < 200000; ++i) {
        state = state * 1664525u + 1013904223u;
        const int32_t value = static_cast<int32_t>(state) >> (state % 31);
        ASSERT_EQ(formatted(value), expected_decimal(value)) << value;
    }
}

std::string read_all(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Enough moves to fill the block several times over, in batches of uneven
// sizes, between short texts: the file holds what single moves would give.
TEST(Hpgl2NumberFormat, BatchesOfMovesAcrossTheBlockEdge) {
    vexl::test::TempDir dir;
    const std::string path = dir.file("moves.hgl");
    std::vector<WorldPointS> points;
    uint32_t state = 99;
    for (int i = 0; i < 150000; ++i) {
        state = state * 1664525u + 1013904223u;
        const int32_t x = static_cast<int32_t>(state);
        points.push_back({x, static_cast<int32_t>(state >> (state % 29))});
    }
    points.push_back({kMin, kMin});
    points.push_back({kMax, kMax});

    std::string expected;
    {
        vexl::PlotFile file;
        file.open(vexl::FilePtr(rtk_fopen(path.c_str(), "wb")));
        ASSERT_TRUE(file.is_open());
        std::size_t done = 0;
        for (std::size_t batch = 1; done < points.size(); batch = batch * 3 % 9973 + 1) {
            const std::size_t n = std::min(batch, points.size() - done);
            file.write_absolute_moves(points.data() + done, n);
            file.write_text("PU;");
            for (std::size_t i = done; i < done + n; ++i)
                expected += "PA" + expected_decimal(points[i].x) + "," +
                            expected_decimal(points[i].y) + ";\n";
            expected += "PU;";
            done += n;
        }
        file.write_absolute_moves(points.data(), 0); // nothing
        ASSERT_TRUE(file.close());
    }
    ASSERT_GT(expected.size(), 2u * 1024 * 1024); // the block is 1 MiB
    const std::string written = read_all(path);
    ASSERT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected);
}

} // namespace
