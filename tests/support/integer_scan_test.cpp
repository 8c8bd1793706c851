// The one integer scanner behind the colour, fill-pattern, bitmap and glyph
// readers and the integer settings: where a number ends, and what each
// conversion makes of a number too large for it. The boundaries are where a
// scanner goes wrong (one digit too many accepted, -2^31 refused, a wrapped
// value taken for a small one), so each is pinned from both sides.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

#include "support/integer_scan.h"
#include "support/settings_lookup.h"
#include "temp_dir.h"

namespace {

using vexl::IntegerBase;
using vexl::scan_integer;
using vexl::ScannedInteger;

constexpr int32_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();

TEST(IntegerScan, NumberEndsAtTheFirstCharacterThatCannotContinueIt) {
    const struct {
        std::string text;
        bool found;
        std::size_t length; // leading white space included
        int32_t saturated;
    } cases[] = {
        {"42", true, 2, 42},
        {" \t\n\v\f\r-17 apples", true, 9, -17},
        {"+8", true, 2, 8},
        {"12abc", true, 2, 12},
        {"7.9", true, 1, 7},
        {"0009", true, 4, 9},
        {std::string("12\0"
                     "34",
                     5),
         true, 2, 12}, // a NUL byte ends the number
        {"", false, 0, 0},
        {"   ", false, 0, 0},
        {"abc", false, 0, 0},
        {"-", false, 0, 0},
        {"+-5", false, 0, 0},
        {"- 5", false, 0, 0}, // the sign must touch the digits
        {"\xA0"
         "5",
         false, 0, 0}, // only the C locale's white space is skipped
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const ScannedInteger number = scan_integer(c.text);
        EXPECT_EQ(number.found, c.found);
        EXPECT_EQ(number.length, c.length);
        EXPECT_EQ(number.saturated_int32(), c.saturated);
        EXPECT_EQ(number.exact_int32().has_value(), c.found);
    }
    EXPECT_TRUE(scan_integer("  ").at_end);
    EXPECT_FALSE(scan_integer("  x").at_end);
    // A field width counts the sign and the digits, not the white space.
    EXPECT_EQ(scan_integer("  -1234", IntegerBase::Decimal, 3).exact_int32(), -12);
    EXPECT_EQ(scan_integer("  -1234", IntegerBase::Decimal, 3).length, 5u);
    EXPECT_FALSE(scan_integer("-5", IntegerBase::Decimal, 1).found);
    EXPECT_FALSE(scan_integer("5", IntegerBase::Decimal, 0).found);
}

TEST(IntegerScan, EachConversionTreatsOverflowItsOwnWay) {
    const struct {
        const char *text;
        std::optional<int32_t> exact;      // refused beyond int32
        int32_t saturated;                 // held at the limits (atoi)
        uint32_t wrapped;                  // low 32 bits ("%u")
        std::optional<int64_t> exact_wide; // refused beyond int64
    } cases[] = {
        {"2147483647", kMax32, kMax32, 2147483647u, 2147483647},
        {"2147483648", std::nullopt, kMax32, 2147483648u, 2147483648},
        {"-2147483648", kMin32, kMin32, 2147483648u, -2147483648LL},
        {"-2147483649", std::nullopt, kMin32, 2147483647u, -2147483649LL},
        {"4294967297", std::nullopt, kMax32, 1u, 4294967297LL},
        {"-1", -1, -1, 4294967295u, -1},
        {"9223372036854775807", std::nullopt, kMax32, 4294967295u,
         std::numeric_limits<int64_t>::max()},
        {"9223372036854775808", std::nullopt, kMax32, 0u, std::nullopt},
        {"-9223372036854775808", std::nullopt, kMin32, 0u, std::numeric_limits<int64_t>::min()},
        {"-9223372036854775809", std::nullopt, kMin32, 4294967295u, std::nullopt},
        // Beyond 64 bits: the low bits still come out right, nothing exact does.
        {"18446744073709551617", std::nullopt, kMax32, 1u, std::nullopt},
        {"-18446744073709551616", std::nullopt, kMin32, 0u, std::nullopt},
        {"100000000000000000000000000000000", std::nullopt, kMax32, 0u, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const ScannedInteger number = scan_integer(c.text);
        EXPECT_EQ(number.exact_int32(), c.exact);
        EXPECT_EQ(number.saturated_int32(), c.saturated);
        EXPECT_EQ(number.wrapped_uint32(), c.wrapped);
        EXPECT_EQ(number.exact_int64(), c.exact_wide);
    }
    // 10^32 mod 2^32 is 0, a value only a wrapped scan can give: the exact
    // conversions must still see that the digits did not fit.
    EXPECT_TRUE(scan_integer("100000000000000000000000000000000").too_large);
}

TEST(IntegerScan, PrefixedBaseReadsHexadecimalAndOctalAsStrtolDoes) {
    const struct {
        const char *text;
        std::optional<int64_t> value;
        std::size_t length;
    } cases[] = {
        {"0x1F,", 31, 4},
        {"0XfF", 255, 4},
        {"-0x10", -16, 5},
        {"017", 15, 3},
        {"08", 0, 1}, // 8 is no octal digit
        {"0x", 0, 1}, // no hexadecimal digit: the 0 alone is the number
        {"0xg", 0, 1},
        {"0", 0, 1},
        {"10", 10, 2},
        {"0x7fffffffffffffff", std::numeric_limits<int64_t>::max(), 18},
        {"0x8000000000000000", std::nullopt, 18},
        {"-0x8000000000000000", std::numeric_limits<int64_t>::min(), 19},
        {"0x1ffffffffffffffff", std::nullopt, 19},
        {"x1", std::nullopt, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const ScannedInteger number = scan_integer(c.text, IntegerBase::Prefixed);
        EXPECT_EQ(number.exact_int64(), c.value);
        EXPECT_EQ(number.length, c.length);
    }
    EXPECT_EQ(scan_integer("0x1F").exact_int64(), 0); // decimal stops at the x
}

TEST(IntegerScan, StreamKeepsTheCharacterAfterTheNumberAndTellsTheEndApart) {
    vexl::test::TempDir dir;
    const std::string path = dir.write("numbers.txt", "  12,-7\n+ 3\n  ");
    std::FILE *stream = std::fopen(path.c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(scan_integer(stream).exact_int32(), 12);
    EXPECT_EQ(std::getc(stream), ',');
    EXPECT_EQ(scan_integer(stream).exact_int32(), -7);
    EXPECT_EQ(std::getc(stream), '\n');
    const ScannedInteger lone_sign = scan_integer(stream);
    EXPECT_FALSE(lone_sign.found);
    EXPECT_FALSE(lone_sign.at_end);
    EXPECT_EQ(std::getc(stream), ' '); // what stopped the number is still there
    EXPECT_EQ(scan_integer(stream).exact_int32(), 3);
    EXPECT_TRUE(scan_integer(stream).at_end);
    std::fclose(stream);
}

TEST(IntegerSetting, ReadsAsAtoiHeldAtTheLimitsAndNothingWhenUnset) {
    const auto returning = [](const char *value) {
        return [value](const char *, char *buffer) {
            if (!value)
                return 0;
            std::snprintf(buffer, vexl::kSettingBufferSize, "%s", value);
            return 1;
        };
    };
    EXPECT_EQ(vexl::integer_setting("X", returning(nullptr)), std::nullopt);
    EXPECT_EQ(vexl::integer_setting("X", returning("")), 0);
    EXPECT_EQ(vexl::integer_setting("X", returning("  -300 dpi")), -300);
    EXPECT_EQ(vexl::integer_setting("X", returning("wide")), 0);
    EXPECT_EQ(vexl::integer_setting("X", returning("99999999999")), kMax32);
    EXPECT_EQ(vexl::integer_setting("X", returning("-99999999999")), kMin32);
}

} // namespace
