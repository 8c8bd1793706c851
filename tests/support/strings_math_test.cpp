// String, number and memory helpers of the support library.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "support/rtk_math.h"
#include "support/rtk_memory.h"
#include "support/rtk_strings.h"

namespace {

TEST(Strings, ComparisonsAreNullSafeAndFoldAsciiOnly) {
    EXPECT_GT(rtk_strcmp("\xE9", "z"), 0) << "bytes compare unsigned";
    EXPECT_LT(rtk_strcmp("ab", "abc"), 0);
    EXPECT_EQ(rtk_strcmp(nullptr, nullptr), 0);
    EXPECT_LT(rtk_strcmp(nullptr, ""), 0);

    EXPECT_EQ(gparse_stricmp("Times New Roman", "TIMES new ROMAN"), 0);
    EXPECT_LT(gparse_stricmp("abc", "ABD"), 0);
    // '_' lies between the cases: the folded letters must decide the order.
    EXPECT_GT(gparse_stricmp("A", "_"), 0);
    EXPECT_NE(gparse_stricmp("\xC9", "\xE9"), 0);
    EXPECT_NE(gparse_stricmp(nullptr, "a"), 0);

    char text[] = "Arial BOLD \xC9T\xC9";
    EXPECT_STREQ(gparse_uptolow(text), "arial bold \xC9t\xC9");
}

TEST(Strings, LeafNamesAndExtensions) {
    EXPECT_STREQ(astr_get_leaf_name("C:\\molvern\\bitmaps/dots.xbm"), "dots.xbm");
    EXPECT_STREQ(astr_get_leaf_name("dir/"), "");
    struct Case {
        const char *in;
        const char *out;
    } cases[] = {
        {"bitmaps/dots.xbm", "bitmaps/dots"}, {"archive.tar.gz", "archive.tar"},
        {"dir.d/name", "dir.d/name"},         {"dir.d\\name", "dir.d\\name"},
        {"home/.profile", "home/.profile"},   {"..", ".."},
        {"..hidden.cfg", "..hidden"},         {"trailing.", "trailing"},
    };
    for (const Case &c : cases) {
        char text[32];
        std::strcpy(text, c.in);
        EXPECT_STREQ(astr_remove_extent(text), c.out) << c.in;
    }
}

TEST(Rounding, HalvesGoAwayFromZero) {
    EXPECT_EQ(gmath_kdround(0.5), 1);
    EXPECT_EQ(gmath_kdround(-0.5), -1);
    EXPECT_EQ(gmath_kdround(-2.5), -3);
    EXPECT_EQ(gmath_kdround(1.4999999), 1);
    // The largest double below one half; floor(x + 0.5) gets it wrong.
    EXPECT_EQ(gmath_kdround(0.49999999999999994), 0);
    EXPECT_EQ(gmath_kdround(-0.49999999999999994), 0);
}

TEST(Rounding, SaturatesAtTheInt32RangeAndMapsNanToZero) {
    const int32_t max = std::numeric_limits<int32_t>::max();
    const int32_t min = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(gmath_kdround(2147483647.2), max);
    EXPECT_EQ(gmath_kdround(2147483647.5), max);
    EXPECT_EQ(gmath_kdround(2147483646.4), max - 1);
    EXPECT_EQ(gmath_kdround(-2147483648.4), min);
    EXPECT_EQ(gmath_kdround(-2147483648.7), min);
    EXPECT_EQ(gmath_kdround(-2147483647.4), min + 1);
    EXPECT_EQ(gmath_kdround(1e300), max);
    EXPECT_EQ(gmath_kdround(-std::numeric_limits<double>::infinity()), min);
    EXPECT_EQ(gmath_kdround(std::nan("")), 0);
}

TEST(Memory, NullMeansOnlyOutOfMemory) {
    vexl::RtkPtr<void> empty(rtk_malloc(0));
    EXPECT_NE(empty, nullptr);
    // Shrinking to nothing keeps a valid block: a null result would leave the
    // caller freeing a block the allocator already took back.
    void *block = rtk_realloc(rtk_malloc(32), 0);
    EXPECT_NE(block, nullptr);
    rtk_free(block);

    vexl::RtkPtr<unsigned char> zeroed(static_cast<unsigned char *>(rtk_calloc(1000, 3)));
    ASSERT_NE(zeroed, nullptr);
    for (int i = 0; i < 3000; ++i)
        ASSERT_EQ(zeroed.get()[i], 0) << i;
    EXPECT_EQ(rtk_calloc(SIZE_MAX / 2 + 1, 2), nullptr);
}

} // namespace
