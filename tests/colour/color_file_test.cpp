// The colour-file reader: which lines define colours and what they hold, how
// the entry array grows, and what damaged, binary and overlong input does.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "colour/color_file.h"
#include "plot/gplot.h"
#include "support/temp_dir.h"

namespace {

struct ReadOutcome {
    int result = 0;
    int32_t capacity = 0;
    std::vector<ColorEntry> entries;
};

// Writes bytes to a file and reads it back through the reader.
ReadOutcome read_bytes(const std::string &bytes,
                       int32_t max_capacity = std::numeric_limits<int32_t>::max()) {
    vexl::test::TempDir dir;
    FILE *file = std::fopen(dir.write("colours.kdcolor", bytes).c_str(), "r");
    EXPECT_NE(file, nullptr);
    ReadOutcome outcome;
    if (!file)
        return outcome;
    vexl::ColorEntries list;
    outcome.result = vexl::read_color_file(list.get(), file, max_capacity);
    std::fclose(file);
    outcome.capacity = list->capacity;
    outcome.entries.assign(list->entries, list->entries + list->count);
    return outcome;
}

std::string numbered_lines(int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += std::to_string(i) + " 0 0 : c" + std::to_string(i) + " : " + std::to_string(i + 1) +
                "\n";
    return text;
}

struct LineCase {
    const char *line;
    bool defines;
    int red, green, blue;
    const char *name;
    int pen;
    int name_only;
};

TEST(ColorFileLine, EachLineDefinesWhatTheFormatSays) {
    const LineCase cases[] = {
        {"  255 128 0 : orange : 3", true, 255, 128, 0, "orange", 3, 0},
        {"256 0 0 : x : 1", true, 0, 0, 0, "x", 1, 0},
        {": navy : 4", true, 0, 0, 0, "navy", 4, 1},
        {"   :   : 4", true, 0, 0, 0, "", 4, 1},
        {"1 2 3 :: 5", true, 1, 2, 3, "", 5, 0},
        {"\t10\t20\t30\t:\tsea  green\t:\t2", true, 10, 20, 30, "sea  green", 2, 0},
        {"1 2 3 : x : 5\r", true, 1, 2, 3, "x", 5, 0},
        // The pen is read as atoi reads: leading digits, else 0.
        {"1 2 3 : x : 7 pens", true, 1, 2, 3, "x", 7, 0},
        {"1 2 3 : x : abc", true, 1, 2, 3, "x", 0, 0},
        {"1 2 3 : x : -2", true, 1, 2, 3, "x", -2, 0},
        {"1 2 3 : x : 99999999999", true, 1, 2, 3, "x", 2147483647, 0},
        // The name ends at the second colon; the rest is the pen field.
        {"1 2 3 : a:b : 6", true, 1, 2, 3, "a", 0, 0},
        // Numbers keep their low 8 bits, even past the range of an int.
        {"65535 4294967296 511 : big : 1", true, 255, 0, 255, "big", 1, 0},
        // Numbers as "%u" reads them: a sign wraps, text after the third is
        // not looked at.
        {"-1 +2 3 : signed : 1", true, 255, 2, 3, "signed", 1, 0},
        {"1 2 3 4 : four : 1", true, 1, 2, 3, "four", 1, 0},
        {"1 2 : x : 1", false, 0, 0, 0, "", 0, 0},
        {"1 2 3 : x :", false, 0, 0, 0, "", 0, 0},
        {"1 2 3 : x :  \t ", false, 0, 0, 0, "", 0, 0},
        {"1 2 3 : x", false, 0, 0, 0, "", 0, 0},
        {"1 2 3 x 1", false, 0, 0, 0, "", 0, 0},
        {"red : x : 1", false, 0, 0, 0, "", 0, 0},
        {"1 2 x : y : 1", false, 0, 0, 0, "", 0, 0},
        {"0x10 0 0 : hex : 1", false, 0, 0, 0, "", 0, 0},
        {"# 1 2 3 : comment : 1", false, 0, 0, 0, "", 0, 0},
        {"   # 1 2 3 : comment : 1", false, 0, 0, 0, "", 0, 0},
        {"", false, 0, 0, 0, "", 0, 0},
        {" \t \r", false, 0, 0, 0, "", 0, 0},
    };
    for (const LineCase &c : cases) {
        SCOPED_TRACE(c.line);
        const ReadOutcome out = read_bytes(std::string(c.line) + "\n");
        if (!c.defines) {
            EXPECT_EQ(out.result, 0);
            continue;
        }
        ASSERT_EQ(out.result, 1);
        const ColorEntry &e = out.entries[0];
        EXPECT_EQ(e.red, c.red);
        EXPECT_EQ(e.green, c.green);
        EXPECT_EQ(e.blue, c.blue);
        EXPECT_STREQ(e.name, c.name);
        EXPECT_EQ(e.pen, c.pen);
        EXPECT_EQ(e.name_only, c.name_only);
    }
}

TEST(ColorFileLine, BadLinesDoNotHideTheGoodOnesAfterThem) {
    const ReadOutcome out = read_bytes("# palette\n"
                                       "\n"
                                       "1 2 : broken : 1\n"
                                       "0 0 0 : black : 1\n"
                                       "junk\n"
                                       "255 255 255 : white : 2");
    ASSERT_EQ(out.result, 2);
    EXPECT_STREQ(out.entries[0].name, "black");
    // The last line has no newline and still counts.
    EXPECT_STREQ(out.entries[1].name, "white");
    EXPECT_EQ(out.entries[1].pen, 2);
}

TEST(ColorFileGrowth, ArrayGrowsInStepsOf32) {
    struct Row {
        int lines;
        int32_t capacity;
    };
    for (const Row row : {Row{0, 0}, Row{1, 32}, Row{32, 32}, Row{33, 64}, Row{65, 96}}) {
        SCOPED_TRACE(row.lines);
        const ReadOutcome out = read_bytes(numbered_lines(row.lines));
        ASSERT_EQ(out.result, row.lines);
        EXPECT_EQ(out.capacity, row.capacity);
        for (int i = 0; i < row.lines; ++i)
            EXPECT_EQ(out.entries[static_cast<std::size_t>(i)].pen, i + 1);
    }
}

TEST(ColorFileGrowth, LargeFileKeepsEveryEntryInOrder) {
    const int n = 5000;
    const ReadOutcome out = read_bytes(numbered_lines(n));
    ASSERT_EQ(out.result, n);
    EXPECT_EQ(out.capacity, 5024);
    EXPECT_STREQ(out.entries[4999].name, "c4999");
    EXPECT_EQ(out.entries[4999].red, 4999 & 0xFF);
}

TEST(ColorFileGrowth, ArrayThatCannotGrowGivesMinusOneAndKeepsWhatItRead) {
    const ReadOutcome out = read_bytes(numbered_lines(33), 32);
    EXPECT_EQ(out.result, -1);
    ASSERT_EQ(out.entries.size(), 32u);
    EXPECT_STREQ(out.entries[31].name, "c31");
    // Exactly full is not a failure.
    EXPECT_EQ(read_bytes(numbered_lines(32), 32).result, 32);
}

TEST(ColorFileGrowth, ReadingAgainAppendsAndCountsEverything) {
    vexl::test::TempDir dir;
    const std::string path = dir.write("c.kdcolor", numbered_lines(20));
    vexl::ColorEntries list;
    for (int expected : {20, 40}) {
        FILE *file = std::fopen(path.c_str(), "r");
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(kdcolor_read(list.get(), file), expected);
        std::fclose(file);
    }
    EXPECT_EQ(list->capacity, 64);
    EXPECT_STREQ(list->entries[20].name, "c0");
}

// A line is read up to 255 characters. The rest of a longer line is skipped
// so it never comes back as a line of its own, and unless that rest is blank
// the line is ignored: what was read is not all of it.
TEST(ColorFileLongLines, RestOfALongLineNeverBecomesALine) {
    std::string comment = "# " + std::string(253, 'x'); // exactly 255 characters
    const std::string spilled = "7 7 7 : spill : 5";
    const ReadOutcome out = read_bytes(comment + spilled + "\n1 2 3 : next : 2\n");
    ASSERT_EQ(out.result, 1);
    EXPECT_STREQ(out.entries[0].name, "next");
}

TEST(ColorFileLongLines, CutLineIsIgnoredRatherThanReadWithAShortPen) {
    // The pen "123" straddles the limit: reading the first 255 characters
    // alone would give pen 12.
    std::string line = "1 2 3 : cut : ";
    line += std::string(255 - line.size() - 2, ' ') + "123";
    ASSERT_EQ(line.size(), 256u);
    const ReadOutcome out = read_bytes(line + "\n4 5 6 : kept : 7\n");
    ASSERT_EQ(out.result, 1);
    EXPECT_STREQ(out.entries[0].name, "kept");
}

TEST(ColorFileLongLines, LineOfExactly255AndBlankTailsAreRead) {
    std::string exact = "1 2 3 : " + std::string(240, 'n') + " : 9";
    exact.insert(exact.size() - 1, 255 - exact.size(), ' ');
    ASSERT_EQ(exact.size(), 255u);
    const std::string blank_tail = "4 5 6 : padded : 3" + std::string(1000, ' ') + "\t\r";
    const ReadOutcome out = read_bytes(exact + "\n" + blank_tail + "\n");
    ASSERT_EQ(out.result, 2);
    EXPECT_EQ(out.entries[0].pen, 9);
    EXPECT_EQ(std::string(out.entries[0].name), std::string(240, 'n'));
    EXPECT_STREQ(out.entries[1].name, "padded");
    EXPECT_EQ(out.entries[1].pen, 3);
}

TEST(ColorFileDamage, NulByteMakesTheLineUnreadableButNotTheFile) {
    const std::string bytes = std::string("1 2 3 : ab\0cd : 1\n", 18) + "4 5 6 : ok : 2\n";
    const ReadOutcome out = read_bytes(bytes);
    ASSERT_EQ(out.result, 1);
    EXPECT_STREQ(out.entries[0].name, "ok");
}

TEST(ColorFileDamage, TruncatedAndBinaryFilesAreReadWithoutHarm) {
    EXPECT_EQ(read_bytes("").result, 0);
    EXPECT_EQ(read_bytes("255 0 0 : re").result, 0);
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 37 + 11) & 0xFF);
    const ReadOutcome out = read_bytes(binary);
    EXPECT_GE(out.result, 0);
    for (const ColorEntry &e : out.entries)
        EXPECT_LT(std::string(e.name).size(), sizeof e.name);
}

TEST(ColorFileArguments, NullAndInconsistentListsAreRefused) {
    kdcolor_create(nullptr);
    kdcolor_destroy(nullptr);
    vexl::test::TempDir dir;
    FILE *file = std::fopen(dir.write("c.kdcolor", "1 2 3 : x : 1\n").c_str(), "r");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(kdcolor_read(nullptr, file), -1);
    vexl::ColorEntries list;
    EXPECT_EQ(kdcolor_read(list.get(), nullptr), -1);
    ColorEntryList bogus{nullptr, 0, 32}; // claims room it does not have
    EXPECT_EQ(kdcolor_read(&bogus, file), -1);
    EXPECT_EQ(kdcolor_read(list.get(), file), 1);
    std::fclose(file);
}

TEST(ColorFileShipped, DefaultColourFileHoldsTheDefaultColoursFirst) {
    FILE *file = std::fopen(VEXL_SOURCE_DIR "/data/vexl33.kdcolor", "r");
    ASSERT_NE(file, nullptr);
    vexl::ColorEntries list;
    const int count = kdcolor_read(list.get(), file);
    std::fclose(file);
    ASSERT_GE(count, 10);

    struct Expected {
        const char *name;
        int red, green, blue;
    };
    const Expected defaults[] = {{"black", 0, 0, 0},       {"red", 255, 0, 0},
                                 {"yellow", 255, 255, 0},  {"green", 0, 255, 0},
                                 {"cyan", 0, 255, 255},    {"blue", 0, 0, 255},
                                 {"magenta", 255, 0, 255}, {"grey", 160, 160, 164},
                                 {"white", 255, 255, 255}, {"navy", 0, 0, 128}};
    for (int i = 0; i < 10; ++i) {
        const ColorEntry &e = list->entries[i];
        EXPECT_STREQ(e.name, defaults[i].name);
        EXPECT_EQ(e.red, defaults[i].red) << e.name;
        EXPECT_EQ(e.green, defaults[i].green) << e.name;
        EXPECT_EQ(e.blue, defaults[i].blue) << e.name;
    }
    // Every colour has a name and its own pen, numbered from 1.
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(list->entries[i].name_only, 0);
        EXPECT_NE(list->entries[i].name[0], '\0');
        EXPECT_EQ(list->entries[i].pen, i + 1);
    }
}

} // namespace
