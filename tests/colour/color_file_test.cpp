// The colour-file reader: which lines define colours and what they hold, how
// the entry array grows, and what damaged, binary and overlong input does.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "colour/color_file.h"
#include "colour_test_files.h"
#include "plot/gplot.h"

namespace {

using Texts = std::vector<std::string>;

// An entry as "red green blue|name|pen", with "-" for a name-only entry.
std::string describe(const ColorEntry &e) {
    const std::string rgb = e.name_only ? "-"
                                        : std::to_string(e.red) + " " + std::to_string(e.green) +
                                              " " + std::to_string(e.blue);
    return rgb + "|" + e.name + "|" + std::to_string(e.pen);
}

struct Outcome {
    int result;
    int32_t capacity;
    Texts entries;
};

Outcome read_bytes(const std::string &bytes,
                   int32_t max_capacity = std::numeric_limits<int32_t>::max()) {
    vexl::test::TempDir dir;
    vexl::FilePtr file = vexl::test::open_text(dir, bytes);
    vexl::ColorEntries list;
    Outcome out{vexl::read_color_file(list.get(), file.get(), max_capacity), list->capacity, {}};
    for (int32_t i = 0; i < list->count; ++i)
        out.entries.push_back(describe(list->entries[i]));
    return out;
}

std::string numbered_lines(int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += std::to_string(i) + " 0 0 : c" + std::to_string(i) + " : " + std::to_string(i + 1) +
                "\n";
    return text;
}

TEST(ColorFileLine, EachLineDefinesWhatTheFormatSays) {
    const struct {
        const char *line;
        const char *entry; // null: the line is ignored
    } cases[] = {
        {"  255 128 0 : orange : 3", "255 128 0|orange|3"},
        {"256 0 0 : x : 1", "0 0 0|x|1"}, // numbers keep their low 8 bits
        {"65535 4294967296 511 : big : 1", "255 0 255|big|1"},
        {"-1 +2 3 4 : signed : 1", "255 2 3|signed|1"}, // as "%u %u %u" reads
        {": navy : 4", "-|navy|4"},
        {"1 2 3 :: 5", "1 2 3||5"},
        {"\t10\t20\t30\t:\tsea  green\t:\t2", "10 20 30|sea  green|2"},
        {"1 2 3 : x : 5\r", "1 2 3|x|5"},
        // The pen is read as atoi reads it, held at the int32 limits.
        {"1 2 3 : x : 7 pens", "1 2 3|x|7"},
        {"1 2 3 : x : abc", "1 2 3|x|0"},
        {"1 2 3 : x : -2", "1 2 3|x|-2"},
        {"1 2 3 : x : 99999999999", "1 2 3|x|2147483647"},
        {"1 2 3 : a:b : 6", "1 2 3|a|0"}, // the name ends at the second colon
        {"1 2 : x : 1", nullptr},
        {"1 2 3 : x :", nullptr},
        {"1 2 3 : x :  \t ", nullptr},
        {"1 2 3 : x", nullptr},
        {"1 2 3 x 1", nullptr},
        {"red : x : 1", nullptr},
        {"   # 1 2 3 : comment : 1", nullptr},
        {"", nullptr},
        {" \t \r", nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(read_bytes(std::string(c.line) + "\n").entries,
                  c.entry ? Texts{c.entry} : Texts{});
    }
}

// A line is read up to 255 characters. The rest of a longer line is skipped,
// never a line of its own; unless it is blank, the line is ignored.
TEST(ColorFileLine, DamagedLinesDoNotHideTheGoodOnes) {
    std::string exact = "1 2 3 : " + std::string(240, 'n') + " : 9";
    exact.insert(exact.size() - 1, 255 - exact.size(), ' ');
    const std::string cut_pen = "1 2 3 : cut : " + std::string(255 - 16, ' ') + "123";
    const struct {
        const char *what;
        std::string bytes;
        Texts entries;
    } cases[] = {
        {"bad lines, no final newline",
         "# p\n\n1 2 : bad : 1\n0 0 0 : k : 1\njunk\n9 9 9 : w : 2",
         {"0 0 0|k|1", "9 9 9|w|2"}},
        {"NUL byte", std::string("1 2 3 : a\0b : 1\n4 5 6 : ok : 2\n", 31), {"4 5 6|ok|2"}},
        {"rest of a long comment",
         "# " + std::string(253, 'x') + "7 7 7 : s : 5\n1 2 3 : n : 2",
         {"1 2 3|n|2"}},
        {"pen cut at the limit", cut_pen + "\n4 5 6 : kept : 7\n", {"4 5 6|kept|7"}},
        {"255 characters, blank tail",
         exact + "\n4 5 6 : pad : 3" + std::string(1000, ' ') + "\t\r\n",
         {"1 2 3|" + std::string(240, 'n') + "|9", "4 5 6|pad|3"}},
        {"truncated", "255 0 0 : re", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(read_bytes(c.bytes).entries, c.entries);
    }
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 37 + 11) & 0xFF);
    EXPECT_GE(read_bytes(binary).result, 0);
}

TEST(ColorFileGrowth, ArrayGrowsInStepsOf32UpToItsLimit) {
    for (const auto [lines, capacity] : {std::pair{0, 0}, {1, 32}, {32, 32}, {33, 64}, {65, 96}}) {
        SCOPED_TRACE(lines);
        const Outcome out = read_bytes(numbered_lines(lines));
        ASSERT_EQ(out.result, lines);
        EXPECT_EQ(out.capacity, capacity);
        if (lines > 0)
            EXPECT_EQ(out.entries.back(), std::to_string((lines - 1) & 0xFF) + " 0 0|c" +
                                              std::to_string(lines - 1) + "|" +
                                              std::to_string(lines));
    }
    // An array that cannot grow gives -1 and keeps what it read; exactly full
    // is not a failure.
    const Outcome out = read_bytes(numbered_lines(33), 32);
    EXPECT_EQ(out.result, -1);
    ASSERT_EQ(out.entries.size(), 32u);
    EXPECT_EQ(out.entries[31], "31 0 0|c31|32");
    EXPECT_EQ(read_bytes(numbered_lines(32), 32).result, 32);
}

TEST(ColorFileArguments, RefusedListsAndFilesAndReadingAgainAppends) {
    kdcolor_create(nullptr);
    kdcolor_destroy(nullptr);
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

TEST(ColorFileShipped, DefaultColourFileHoldsTheDefaultColoursFirst) {
    vexl::FilePtr file(rtk_fopen(VEXL_SOURCE_DIR "/data/vexl33.kdcolor", "r"));
    vexl::ColorEntries list;
    const int count = kdcolor_read(list.get(), file.get());
    ASSERT_GE(count, 10);
    const Texts defaults = {"0 0 0|black|1",       "255 0 0|red|2",      "255 255 0|yellow|3",
                            "0 255 0|green|4",     "0 255 255|cyan|5",   "0 0 255|blue|6",
                            "255 0 255|magenta|7", "160 160 164|grey|8", "255 255 255|white|9",
                            "0 0 128|navy|10"};
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(list->entries[i].name_only, 0);
        EXPECT_NE(list->entries[i].name[0], '\0');
        EXPECT_EQ(list->entries[i].pen, i + 1); // every colour has its own pen
        if (i < 10)
            EXPECT_EQ(describe(list->entries[i]), defaults[i]);
    }
}

} // namespace
