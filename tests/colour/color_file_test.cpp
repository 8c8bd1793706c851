// The colour-file reader: which lines define colours and what they hold, how
// the entry array grows, and what damaged, binary and overlong input does.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <regex>
#include <string>
#include <vector>

#include "colour/color_file.h"
#include "colour_test_files.h"

namespace {

using Texts = std::vector<std::string>;

struct Outcome {
    int result;
    int32_t capacity;
    Texts entries; // "red green blue|name|pen", "-" for the colour of a name-only entry
};

Outcome read_bytes(const std::string &bytes,
                   int32_t max_capacity = std::numeric_limits<int32_t>::max()) {
    vexl::test::TempDir dir;
    vexl::FilePtr file = vexl::test::open_text(dir, bytes);
    vexl::ColorEntries list;
    Outcome out{vexl::read_color_file(list.get(), file.get(), max_capacity), list->capacity, {}};
    for (const ColorEntry &e : std::vector<ColorEntry>(list->entries, list->entries + list->count))
        out.entries.push_back((e.name_only ? "-"
                                           : std::to_string(e.red) + " " + std::to_string(e.green) +
                                                 " " + std::to_string(e.blue)) +
                              "|" + e.name + "|" + std::to_string(e.pen));
    return out;
}

TEST(ColorFile, EachLineDefinesWhatTheFormatSays) {
    const struct {
        std::string bytes;
        Texts entries;
    } cases[] = {
        {"  255 128 0 : orange : 3", {"255 128 0|orange|3"}},
        {"256 0 0 : x : 1", {"0 0 0|x|1"}}, // numbers keep their low 8 bits
        {"65535 4294967296 511 : big : 1", {"255 0 255|big|1"}},
        {"-1 +2 3 4 : signed : 1", {"255 2 3|signed|1"}}, // as "%u %u %u" reads them
        {": navy : 4", {"-|navy|4"}},
        {"\t10\t20\t30\t:\tsea  green\t:\t2", {"10 20 30|sea  green|2"}},
        {"1 2 3 : a:b : 6", {"1 2 3|a|0"}}, // the name ends at the second colon
        {"1 2 3 :: 5", {"1 2 3||5"}},
        // The pen is read as atoi reads it, held at the int32 limits.
        {"1 2 3 : x : 7 pens\n1 2 3 : y : -2\n1 2 3 : z : 99999999999",
         {"1 2 3|x|7", "1 2 3|y|-2", "1 2 3|z|2147483647"}},
        {"1 2 : x : 1\n1 2 3 : x :\n1 2 3 : x :  \t \n1 2 3 : x\n1 2 3 x 1\nred : x : 1\n"
         "   # 1 2 3 : c : 1\n\n",
         {}},
        {"1 2 3 : crlf : 5\r\n1 2 3 : x :\r\n", {"1 2 3|crlf|5"}},
        // A line is read up to 255 characters. The rest of a longer line is
        // never a line of its own; unless it is blank, the line is ignored.
        {"# " + std::string(253, 'x') + "7 7 7 : s : 5\n1 2 3 : n : 2", {"1 2 3|n|2"}},
        {"1 2 3 : cut : " + std::string(239, ' ') + "123\n4 5 6 : kept : 7\n", {"4 5 6|kept|7"}},
        {"1 2 3 : " + std::string(240, 'n') + "    : 9\n4 5 6 : pad : 3" + std::string(999, ' '),
         {"1 2 3|" + std::string(240, 'n') + "|9", "4 5 6|pad|3"}},
        // Damaged lines do not hide the good ones.
        {std::string("1 2 3 : a\0b : 1\n4 5 6 : ok : 2\n", 31), {"4 5 6|ok|2"}},
        {"junk\n0 0 0 : k : 1\n255 0 0 : re", {"0 0 0|k|1"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes.substr(0, 40));
        EXPECT_EQ(read_bytes(c.bytes).entries, c.entries);
    }
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 37 + 11) & 0xFF);
    EXPECT_GE(read_bytes(binary).result, 0);
}

TEST(ColorFile, ArrayGrowsInStepsOf32UpToItsLimit) {
    const int32_t unlimited = std::numeric_limits<int32_t>::max();
    const struct {
        int lines;
        int32_t limit;
        int result;
        int32_t capacity;
    } cases[] = {{0, unlimited, 0, 0},    {1, unlimited, 1, 32},   {32, unlimited, 32, 32},
                 {33, unlimited, 33, 64}, {65, unlimited, 65, 96}, {32, 32, 32, 32},
                 {33, 32, -1, 32}}; // an array that cannot grow keeps what was read
    for (const auto &c : cases) {
        std::string text;
        Texts expected;
        for (int i = 0; i < c.lines; ++i) {
            text += std::to_string(i) + " 0 0 : c : " + std::to_string(i + 1) + "\n";
            if (i < c.capacity)
                expected.push_back(std::to_string(i) + " 0 0|c|" + std::to_string(i + 1));
        }
        const Outcome out = read_bytes(text, c.limit);
        EXPECT_EQ(out.result, c.result) << c.lines;
        EXPECT_EQ(out.capacity, c.capacity) << c.lines;
        EXPECT_EQ(out.entries, expected) << c.lines;
    }
}

// Null lists and files are the C-boundary table's.
TEST(ColorFile, RefusedListsAndFilesAndReadingAgainAppends) {
    vexl::test::TempDir dir;
    vexl::FilePtr file = vexl::test::open_text(dir, "1 2 3 : x : 1\n");
    vexl::ColorEntries list;
    EXPECT_EQ(kdcolor_read(nullptr, file.get()), -1);
    EXPECT_EQ(kdcolor_read(list.get(), nullptr), -1);
    ColorEntryList bogus{nullptr, 0, 32}; // claims room it does not have
    EXPECT_EQ(kdcolor_read(&bogus, file.get()), -1);
    EXPECT_EQ(kdcolor_read(list.get(), file.get()), 1);
    std::rewind(file.get());
    EXPECT_EQ(kdcolor_read(list.get(), file.get()), 2);
}

TEST(ColorFile, ShippedFileHoldsTheDefaultColoursFirst) {
    const Outcome out =
        read_bytes(vexl::test::TempDir::read(VEXL_SOURCE_DIR "/data/vexl33.kdcolor"));
    ASSERT_GE(out.result, 10);
    EXPECT_EQ(Texts(out.entries.begin(), out.entries.begin() + 10),
              (Texts{"0 0 0|black|1", "255 0 0|red|2", "255 255 0|yellow|3", "0 255 0|green|4",
                     "0 255 255|cyan|5", "0 0 255|blue|6", "255 0 255|magenta|7",
                     "160 160 164|grey|8", "255 255 255|white|9", "0 0 128|navy|10"}));
    for (int i = 0; i < out.result; ++i) // a colour, a name and a pen of its own each
        EXPECT_TRUE(std::regex_match(
            out.entries[i], std::regex("\\d+ \\d+ \\d+\\|[^|]+\\|" + std::to_string(i + 1))))
            << out.entries[i];
}

} // namespace
