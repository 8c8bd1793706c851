// Reading fill-pattern files: entry lines, comments, the drive-letter colon,
// long lines, growth of the entry array and every way a file is malformed.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "plot/gplot.h"
#include "support/rtk_files.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

// An entry array that is always released, whatever the test does.
struct FillList {
    FillEntryList list;
    FillList() { kdfill_create(&list); }
    ~FillList() { kdfill_destroy(&list); }
    const FillEntry &operator[](int i) const { return list.entries[i]; }
};

class FillFileTest : public ::testing::Test {
  protected:
    // Reads text as a fill-pattern file.
    int read(const std::string &text) {
        std::string path = dir_.write("test.kdfill", text);
        vexl::FilePtr file(rtk_fopen(path.c_str(), "r"));
        EXPECT_TRUE(file);
        return kdfill_read(&fills_.list, file.get());
    }

    vexl::test::TempDir dir_;
    FillList fills_;
};

TEST_F(FillFileTest, DriveLetterPathKeepsItsColonAndCommentIsSkipped) {
    ASSERT_EQ(read("C:\\pat\\hatch.xbm : 3 100 45\n# comment\n"), 1);
    EXPECT_STREQ(fills_[0].path, "C:\\pat\\hatch.xbm");
    EXPECT_EQ(fills_[0].fill_type, 3);
    EXPECT_EQ(fills_[0].fill_option1, 100);
    EXPECT_EQ(fills_[0].fill_option2, 45);
}

TEST_F(FillFileTest, WhiteSpaceSignsAndTrailingTextAroundAnEntry) {
    ASSERT_EQ(read("\t  /p/x y.xbm \t:-3   +4\t5 trailing words\n"
                   "a:b.xbm:1 2 3"), // drive-letter rule, no final newline
              2);
    EXPECT_STREQ(fills_[0].path, "/p/x y.xbm");
    EXPECT_EQ(fills_[0].fill_type, -3);
    EXPECT_EQ(fills_[0].fill_option1, 4);
    EXPECT_EQ(fills_[0].fill_option2, 5);
    EXPECT_STREQ(fills_[1].path, "a:b.xbm");
}

TEST_F(FillFileTest, EmptyLinesCommentsAndCarriageReturnsAreNotEntries) {
    EXPECT_EQ(read(""), 0);
    EXPECT_EQ(read("\n#only comments\n\n"), 0);
    ASSERT_EQ(read("a.xbm : 1 2 3\r\n\r\n# note\r\nb.xbm : 4 5 6\r\n"), 2);
    EXPECT_STREQ(fills_[1].path, "b.xbm");
    EXPECT_EQ(fills_[1].fill_option2, 6);
}

TEST_F(FillFileTest, PathIsExpandedFromTheEnvironment) {
    vexl::test::ScopedEnv dir("VEXL_TEST_FILL_DIR", "/srv/patterns");
    ASSERT_EQ(read("${VEXL_TEST_FILL_DIR}/dots.xbm : 10 15 0\n"), 1);
    EXPECT_STREQ(fills_[0].path, "/srv/patterns/dots.xbm");
}

TEST_F(FillFileTest, EntryArrayGrowsInStepsOf32) {
    std::string text;
    for (int i = 0; i < 32; ++i)
        text += "p" + std::to_string(i) + ".xbm : 1 " + std::to_string(i) + " 0\n";
    ASSERT_EQ(read(text), 32);
    EXPECT_EQ(fills_.list.capacity, 32);

    FillList more;
    std::string path = dir_.write("more.kdfill", text + "last.xbm : 9 9 9\n");
    vexl::FilePtr file(rtk_fopen(path.c_str(), "r"));
    ASSERT_EQ(kdfill_read(&more.list, file.get()), 33);
    EXPECT_EQ(more.list.capacity, 64);
    EXPECT_EQ(more[31].fill_option1, 31);
    EXPECT_STREQ(more[32].path, "last.xbm");
}

// Only the first 294 characters of a line count, but a long line is still
// one line: its tail never becomes an entry of its own.
TEST_F(FillFileTest, LongLinesStayOneLine) {
    const std::string long_comment = "#" + std::string(1000, 'c') + "\n";
    const std::string tail_like_entry = std::string(300, ' ') + "tail.xbm : 1 2 3";
    ASSERT_EQ(read(long_comment + "a.xbm : 1 2 3 " + tail_like_entry + "\n"), 1);
    EXPECT_STREQ(fills_[0].path, "a.xbm");
    EXPECT_EQ(fills_[0].fill_option2, 3);
}

TEST_F(FillFileTest, NumberCutByTheLineLimitIsMalformed) {
    // "a.xbm : 1 2 " is 12 characters; the third number straddles column 294.
    std::string line = "a.xbm : 1 2 " + std::string(294 - 12 - 1, ' ') + "45\n";
    GplotErrno = 0;
    EXPECT_EQ(read(line), -1);
    EXPECT_EQ(GplotErrno, 46);
}

TEST_F(FillFileTest, MalformedFilesFailWithCode46) {
    const std::string long_path(256, 'p');
    const struct {
        const char *why;
        std::string text;
    } cases[] = {
        {"two integers", "a.xbm : 3 100\n"},
        {"no separator", "a.xbm 3 100 45\n"},
        {"drive letter, no separator", "C:\\a.xbm 3 100 45\n"},
        {"empty path", " : 3 100 45\n"},
        {"blank line of spaces", "   \n"},
        {"indented comment", "  # not a comment here\n"},
        {"word for a number", "a.xbm : 3 x 45\n"},
        {"number beyond int32", "a.xbm : 3 100 2147483648\n"},
        {"path longer than 255", long_path + " : 1 2 3\n"},
        {"path expanding to nothing", "${VEXL_TEST_UNSET_VARIABLE} : 1 2 3\n"},
        {"separator beyond the line limit", std::string(300, 'p') + " : 1 2 3\n"},
        {"NUL inside the path", std::string("a\0b.xbm : 1 2 3\n", 16)},
        {"bad line after a good one", "a.xbm : 1 2 3\nb.xbm : 1 2\n"},
        {"binary junk", std::string("\x7f\x45\x4c\x46\x02\x01\x01\0\0\0:\xff\xfe", 13)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        FillList list;
        std::string path = dir_.write("bad.kdfill", c.text);
        vexl::FilePtr file(rtk_fopen(path.c_str(), "r"));
        GplotErrno = 0;
        EXPECT_EQ(kdfill_read(&list.list, file.get()), -1);
        EXPECT_EQ(GplotErrno, 46);
    }
}

TEST_F(FillFileTest, NullArgumentsAreRefused) {
    kdfill_create(nullptr);
    kdfill_destroy(nullptr);
    GplotErrno = 0;
    EXPECT_EQ(kdfill_read(nullptr, nullptr), -1);
    EXPECT_EQ(GplotErrno, 10);
    EXPECT_EQ(kdfill_read(&fills_.list, nullptr), -1);
    EXPECT_EQ(fills_.list.count, 0);
}

} // namespace
