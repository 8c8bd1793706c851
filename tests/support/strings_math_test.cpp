// String, number and memory helpers of the support library: the path
// names the pattern table derives its names from, the one rounding
// function at its edges, and the two allocation cases where
// the C library's answer would mislead a caller.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <vector>

#include "support/rtk_math.h"
#include "support/rtk_memory.h"
#include "support/rtk_strings.h"

namespace {

TEST(Strings, LeafNamesAndExtensions) {
    EXPECT_STREQ(astr_get_leaf_name("C:\\molvern\\bitmaps/dots.xbm"), "dots.xbm");
    EXPECT_STREQ(astr_get_leaf_name("dir/"), "");
    const std::pair<const char *, const char *> cases[] = {
        {"bitmaps/dots.xbm", "bitmaps/dots"}, {"archive.tar.gz", "archive.tar"},
        {"dir.d/name", "dir.d/name"},         {"dir.d\\name", "dir.d\\name"},
        {"home/.profile", "home/.profile"},   {"..", ".."},
        {"..hidden.cfg", "..hidden"},         {"trailing.", "trailing"},
    };
    for (const auto &[in, out] : cases) {
        char text[32];
        EXPECT_STREQ(astr_remove_extent(std::strcpy(text, in)), out) << in;
    }
}

std::vector<int32_t> rounded(std::initializer_list<double> values) {
    std::vector<int32_t> out;
    for (double value : values)
        out.push_back(gmath_kdround(value));
    return out;
}

TEST(Rounding, HalvesAwayFromZeroSaturatingAndNanToZero) {
    constexpr int32_t max = std::numeric_limits<int32_t>::max();
    constexpr int32_t min = std::numeric_limits<int32_t>::min();
    // 0.49999999999999994, the largest double below one half, defeats floor(x + 0.5).
    EXPECT_EQ(rounded({0.5, -0.5, -2.5, 1.4999999, 0.49999999999999994, -0.49999999999999994, NAN}),
              (std::vector<int32_t>{1, -1, -3, 1, 0, 0, 0}));
    EXPECT_EQ(rounded({2147483647.2, 2147483647.5, 2147483646.4, 1e300}),
              (std::vector<int32_t>{max, max, max - 1, max}));
    EXPECT_EQ(rounded({-2147483648.4, -2147483648.7, -2147483647.4, -HUGE_VAL}),
              (std::vector<int32_t>{min, min, min + 1, min}));
}

TEST(Memory, NullMeansOnlyOutOfMemory) {
    // realloc(block, 0) may free the block and answer null, which the caller
    // would then free a second time.
    vexl::RtkPtr<void> shrunk(rtk_realloc(rtk_malloc(32), 0));
    EXPECT_NE(shrunk, nullptr);
    EXPECT_EQ(rtk_calloc(SIZE_MAX / 2 + 1, 2), nullptr) << "count * size overflows";
}

} // namespace
