// Loading the pattern table: skipped bitmaps and what the user is asked, the
// default solid pattern, the shipped patterns, sizes other than 16 x 16, and
// the pattern queries with their codes.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "colour/pattern_queries.h"
#include "colour/pattern_table.h"
#include "colour/xbm_reader.h"
#include "colour_test_files.h"
#include "test_env.h"

namespace {

using vexl::PatternTable;
using Texts = std::vector<std::string>;

class PatternTableTest : public ::testing::Test {
  protected:
    // Writes a 16 x 16 bitmap file (byte i is i + seed) and returns its path.
    std::string bitmap(const std::string &name, unsigned seed = 0) {
        return dir_.write(name, vexl::test::xbm_text(vexl::test::counting(32, seed)));
    }
    std::string corrupt_bitmap(const std::string &name) {
        return dir_.write(name, vexl::test::xbm_text({1, 2}));
    }
    void fill_file(const std::string &text) { fill_path_ = dir_.write("fill.kdfill", text); }

    // The table over this test's fill file; every message is kept in shown_,
    // a question (abort, retry, ignore) with "? " before it and answered by
    // answer_ (ignore when empty).
    PatternTable table() {
        return PatternTable({[this](const char *setting) -> std::FILE * {
                                 opened_.push_back(setting);
                                 return fill_path_.empty() ? nullptr
                                                           : rtk_fopen(fill_path_.c_str(), "r");
                             },
                             [this](const char *text, const char *caption, MessageType type) {
                                 EXPECT_STREQ(caption, "KDfill");
                                 const bool question = type == MSG_QUESTION_ABORT_RETRY_IGNORE;
                                 EXPECT_TRUE(question || type == MSG_INFORMATION);
                                 shown_.push_back((question ? "? " : "") + std::string(text));
                                 if (!question)
                                     return MSG_RESULT_NONE;
                                 return answer_ ? answer_() : MSG_RESULT_IGNORE;
                             },
                             [this] { return trace_; }, create_bitmap_});
    }

    vexl::test::TempDir dir_;
    std::string fill_path_;
    Texts opened_, shown_;
    std::function<MessageResult()> answer_;
    bool trace_ = false;
    vexl::BitmapFactory create_bitmap_;
};

TEST_F(PatternTableTest, CorruptMiddleBitmapIsAskedAboutUntilIgnoredThenSkipped) {
    std::string a = bitmap("a.xbm", 1), b = corrupt_bitmap("b.xbm"), c = bitmap("c.v2.xbm", 3);
    fill_file(a + " : 3 100 0\n" + b + " : 3 100 45\n" + c + " : 10 15 0\n");
    answer_ = [asked = 0]() mutable { return asked++ ? MSG_RESULT_IGNORE : MSG_RESULT_RETRY; };
    trace_ = true;
    PatternTable patterns = table();
    testing::internal::CaptureStderr();
    ASSERT_TRUE(patterns.load());
    ASSERT_TRUE(patterns.load()); // loaded once
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Successfully loaded 2 fill patterns\n");
    ASSERT_EQ(patterns.size(), 2);
    EXPECT_STREQ(patterns.entries()[0].name, "a");
    EXPECT_STREQ(patterns.entries()[1].name, "c.v2"); // the third file entry moved down
    EXPECT_EQ(patterns.entries()[1].fill.fill_type, 10);
    EXPECT_EQ(patterns.entries()[1].bits[0], vexl::xbm_byte_to_device(3));
    const std::string question = "? Corrupted bitmap file 2 : " + b + "\n";
    EXPECT_EQ(shown_,
              (Texts{question, question, "Could only load 2 of the 3 fill patterns requested"}));
    EXPECT_EQ(opened_, Texts{"MOLVERN_FILL"});
}

TEST_F(PatternTableTest, RetryReadsTheRepairedBitmap) {
    fill_file(corrupt_bitmap("late.xbm") + " : 3 50 90\n");
    answer_ = [&, asked = 0]() mutable {
        bitmap("late.xbm", 7); // the user repairs it meanwhile
        return asked++ ? MSG_RESULT_IGNORE : MSG_RESULT_RETRY;
    };
    PatternTable patterns = table();
    ASSERT_TRUE(patterns.load());
    ASSERT_EQ(patterns.size(), 1);
    EXPECT_EQ(patterns.entries()[0].bits[0], vexl::xbm_byte_to_device(7));
    EXPECT_EQ(shown_.size(), 1u); // the question only: nothing was lost
}

TEST_F(PatternTableTest, WithoutUsableEntriesTheTableIsTheDefaultSolidPattern) {
    const struct {
        std::optional<std::string> fill; // none: MOLVERN_FILL names no file
        const char *first_message;
        int code;
    } cases[] = {
        {std::nullopt, "Cannot locate fill pattern file", 0},
        {"a.xbm : 1 2\n", "Corrupt or invalid fill pattern file", 46},
        {"x.xbm : 1 2 3\n", "? Corrupted bitmap file 1 : x.xbm\n", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first_message);
        shown_.clear();
        fill_path_.clear();
        if (c.fill)
            fill_file(*c.fill);
        GplotErrno = 0;
        PatternTable patterns = table();
        ASSERT_TRUE(patterns.load());
        ASSERT_EQ(patterns.size(), 1);
        const vexl::PatternEntry &solid = patterns.entries()[0];
        EXPECT_STREQ(solid.name, "");
        EXPECT_EQ(solid.bits, std::vector<uint8_t>(32, 0x00)); // every pixel set
        ASSERT_NE(patterns.solid_pattern(), nullptr);
        EXPECT_EQ(solid.bitmap.handle(), patterns.solid_pattern()->bitmap.handle());
        EXPECT_EQ(shown_, (Texts{c.first_message, "Loading default solid fill pattern . . ."}));
        EXPECT_EQ(GplotErrno, c.code);
    }
}

TEST_F(PatternTableTest, NothingLoadableIsRetriedAtTheNextQuery) {
    create_bitmap_ = [](const vexl::PatternBits &) { return vexl::PatternBitmap(); };
    fill_file(bitmap("a.xbm") + " : 1 2 3\n");
    GplotErrno = 0;
    PatternTable patterns = table();
    EXPECT_FALSE(patterns.load());
    EXPECT_EQ(patterns.solid_pattern(), nullptr);
    EXPECT_EQ(GplotErrno, 34);
    int32_t n = -1;
    EXPECT_EQ(vexl::query_pattern_size(patterns, &n), 1);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(opened_.size(), 2u);
}

// The default solid pattern is the bitmap a file with every pixel set makes.
// All ones in the device's order (0 is a set pixel) is a pattern with no
// pixel at all, and filled nothing.
TEST_F(PatternTableTest, DefaultSolidPatternSetsEveryPixel) {
    std::vector<vexl::PatternBits> made;
    create_bitmap_ = [&made](const vexl::PatternBits &bits) {
        made.push_back(bits);
        return vexl::PatternBitmap::create(bits);
    };
    fill_file(dir_.write("solid.xbm", vexl::test::xbm_text(std::vector<unsigned>(32, 0xFF))) +
              " : 1 0 0\n");
    PatternTable patterns = table();
    ASSERT_TRUE(patterns.load());
    ASSERT_EQ(patterns.size(), 1);
    ASSERT_NE(patterns.solid_pattern(), nullptr);
    EXPECT_EQ(patterns.solid_pattern()->bits, patterns.entries()[0].bits);
    ASSERT_EQ(made.size(), 2u); // the file's pattern, then the default one
    EXPECT_EQ(made[1], made[0]);
}

TEST(PatternBits, SidesThatDivide16AreRepeatedOthersRefused) {
    // 8 x 2: rows 0xA5, 0x3C repeat down, and each byte repeats across.
    auto bits = vexl::pattern_bits_for(vexl::XbmBitmap{8, 2, {0xA5, 0x3C}});
    ASSERT_TRUE(bits);
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ((*bits)[i], i / 2 % 2 ? 0x3C : 0xA5) << i;
    // 2 x 1: the two leftmost bits of one byte repeat along every row.
    EXPECT_EQ(vexl::pattern_bits_for(vexl::XbmBitmap{2, 1, {0x80}})->at(31), 0xAA);
    EXPECT_FALSE(vexl::pattern_bits_for(vexl::XbmBitmap{12, 16, std::vector<uint8_t>(32)}));
    EXPECT_FALSE(vexl::pattern_bits_for(vexl::XbmBitmap{16, 32, std::vector<uint8_t>(64)}));
    EXPECT_FALSE(vexl::pattern_bits_for(vexl::XbmBitmap{0, 16, {}}));
    EXPECT_FALSE(vexl::pattern_bits_for(vexl::XbmBitmap{16, 16, std::vector<uint8_t>(31)}));
}

// The data folder: molvfill.cfg names every bitmap under data/patterns and
// all of them load.
TEST_F(PatternTableTest, ShippedPatternFileLoadsEveryBitmap) {
    const std::string data = std::string(VEXL_SOURCE_DIR) + "/data";
    vexl::test::ScopedEnv molvern_dir("MOLVERN_DIR", data.c_str());
    fill_path_ = data + "/molvfill.cfg";
    PatternTable patterns = table();
    ASSERT_TRUE(patterns.load());
    EXPECT_TRUE(shown_.empty());
    std::set<std::string> shipped, named;
    for (const auto &file : std::filesystem::directory_iterator(data + "/patterns"))
        shipped.insert(file.path().stem().string());
    for (const vexl::PatternEntry &entry : patterns.entries()) {
        named.insert(entry.name);
        EXPECT_EQ(entry.width * entry.height, 256) << entry.name;
        EXPECT_NE(entry.bits, std::vector<uint8_t>(32, 0xFF)) << entry.name << " is empty";
        EXPECT_NE(entry.bits, std::vector<uint8_t>(32, 0x00)) << entry.name << " is solid";
        EXPECT_GE(entry.fill.fill_type, 1) << entry.name;
    }
    EXPECT_EQ(named, shipped);
    EXPECT_GE(patterns.size(), 8);
    int32_t index = -1;
    ASSERT_EQ(vexl::query_pattern_index(patterns, "hatch45", &index), 1);
    EXPECT_EQ(patterns.entries()[static_cast<std::size_t>(index)].fill.fill_option2, 45);
}

TEST_F(PatternTableTest, QueriesFindExactNamesAndCheckIndices) {
    fill_file(bitmap("hatch.xbm") + " : 3 100 45\n" + bitmap("dots.xbm", 5) + " : 10 5 0\n" +
              bitmap("hatch.xbm") + " : 3 100 90\n");
    PatternTable patterns = table();
    int32_t index = -1;
    EXPECT_EQ(vexl::query_pattern_index(patterns, "dots", &index), 1);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(vexl::query_pattern_index(patterns, "hatch", &index), 1); // the first of two
    EXPECT_EQ(index, 0);
    GplotErrno = 0;
    for (const char *missing : {"Dots", "dot"}) {
        index = -1;
        EXPECT_EQ(vexl::query_pattern_index(patterns, missing, &index), 0);
        EXPECT_EQ(index, 0);
    }
    for (int32_t bad : {-1, 3}) {
        const char *name = "untouched";
        void *id = &index;
        EXPECT_EQ(vexl::query_pattern_name(patterns, bad, &name), 0);
        EXPECT_EQ(name, nullptr);
        EXPECT_EQ(GplotErrno, 37);
        GplotErrno = 0;
        EXPECT_EQ(vexl::query_pixmap_id(patterns, bad, &id), 0);
        EXPECT_EQ(GplotErrno, 37);
        GplotErrno = 0;
    }
    const char *name = nullptr;
    EXPECT_EQ(vexl::query_pattern_name(patterns, 2, &name), 1);
    EXPECT_STREQ(name, "hatch");
    EXPECT_EQ(vexl::query_pattern_index(patterns, nullptr, &index), 0);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(vexl::query_pattern_size(patterns, nullptr), 0);
    EXPECT_EQ(vexl::query_pattern_index(patterns, "dots", nullptr), 0);
    EXPECT_EQ(vexl::query_pattern_name(patterns, 0, nullptr), 0);
    EXPECT_EQ(vexl::query_pixmap_id(patterns, 0, nullptr), 0);
    EXPECT_EQ(GplotErrno, 10);
    GplotErrno = 0;
}

// The exported calls answer from the process-wide table, whatever it was
// loaded from in this process.
TEST(PatternExports, AnswerFromTheProcessTable) {
    int32_t n = 0, index = -1;
    const char *name = nullptr;
    void *id = nullptr;
    ASSERT_EQ(gxwin_get_pattern_size(&n), 1);
    ASSERT_EQ(gxwin_get_pattern_name(n - 1, &name), 1);
    EXPECT_EQ(gxwin_get_pattern_index(name, &index), 1);
    EXPECT_EQ(gxwin_get_pixmap_id(index, &id), 1);
    EXPECT_EQ(id, vexl::pattern_table()[static_cast<std::size_t>(index)].bitmap.handle());
    EXPECT_NE(vexl::default_solid_pattern(), nullptr);
}

} // namespace
