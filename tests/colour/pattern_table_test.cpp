// Loading the pattern table: skipped bitmaps and what the user is asked, the
// default solid pattern, the shipped patterns, sizes other than 16 x 16, and
// the pattern queries with their codes.
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
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

constexpr const char *kSolidMessage = "Loading default solid fill pattern . . .";

class PatternTableTest : public ::testing::Test {
  protected:
    // Writes a valid 16 x 16 bitmap file (byte i is i + seed) and returns its path.
    std::string bitmap(const std::string &name, unsigned seed = 0) {
        return dir_.write(name, vexl::test::xbm_text(vexl::test::counting(32, seed)));
    }
    std::string corrupt_bitmap(const std::string &name) {
        return dir_.write(name, vexl::test::xbm_text({1, 2}));
    }
    void fill_file(const std::string &text) { fill_path_ = dir_.write("fill.kdfill", text); }

    vexl::PatternSources sources() {
        return {[this](const char *setting) -> std::FILE * {
                    opened_.push_back(setting);
                    return fill_path_.empty() ? nullptr : rtk_fopen(fill_path_.c_str(), "r");
                },
                [this](const char *text, const char *caption, MessageType type) {
                    shown_.push_back(text);
                    EXPECT_STREQ(caption, "KDfill");
                    EXPECT_EQ(type, shown_.back().rfind("Corrupted bitmap", 0) == 0
                                        ? MSG_QUESTION_ABORT_RETRY_IGNORE
                                        : MSG_INFORMATION);
                    if (type != MSG_QUESTION_ABORT_RETRY_IGNORE)
                        return MSG_RESULT_NONE;
                    if (on_question_)
                        on_question_();
                    const MessageResult answer =
                        answers_.empty() ? MSG_RESULT_IGNORE : answers_.front();
                    if (!answers_.empty())
                        answers_.pop_front();
                    return answer;
                },
                [this] { return trace_; }, create_bitmap_};
    }

    vexl::test::TempDir dir_;
    std::string fill_path_;
    Texts opened_, shown_;
    std::deque<MessageResult> answers_;
    std::function<void()> on_question_;
    bool trace_ = false;
    vexl::BitmapFactory create_bitmap_;
};

TEST_F(PatternTableTest, CorruptMiddleBitmapIsSkippedAndReported) {
    std::string a = bitmap("a.xbm", 1), b = corrupt_bitmap("b.xbm"), c = bitmap("c.v2.xbm", 3);
    fill_file(a + " : 3 100 0\n" + b + " : 3 100 45\n" + c + " : 10 15 0\n");
    PatternTable table(sources());
    ASSERT_TRUE(table.load());
    ASSERT_EQ(table.size(), 2);
    EXPECT_STREQ(table.entries()[0].name, "a");
    EXPECT_STREQ(table.entries()[1].name, "c.v2"); // the third file entry moved down
    EXPECT_EQ(table.entries()[1].fill.fill_type, 10);
    EXPECT_STREQ(table.entries()[1].fill.path, c.c_str());
    EXPECT_EQ(table.entries()[1].bits[0], vexl::xbm_byte_to_device(3));
    EXPECT_EQ(shown_, (Texts{"Corrupted bitmap file 2 : " + b + "\n",
                             "Could only load 2 of the 3 fill patterns requested"}));
    EXPECT_EQ(opened_, Texts{"MOLVERN_FILL"});
}

TEST_F(PatternTableTest, RetryAsksAgainUntilIgnored) {
    std::string bad = corrupt_bitmap("bad.xbm");
    fill_file(bitmap("good.xbm") + " : 1 0 0\n" + bad + " : 1 0 0\n");
    answers_ = {MSG_RESULT_RETRY, MSG_RESULT_IGNORE};
    PatternTable table(sources());
    ASSERT_TRUE(table.load());
    EXPECT_EQ(table.size(), 1);
    const std::string question = "Corrupted bitmap file 2 : " + bad + "\n";
    EXPECT_EQ(shown_,
              (Texts{question, question, "Could only load 1 of the 2 fill patterns requested"}));
}

TEST_F(PatternTableTest, RetryReadsTheRepairedFile) {
    fill_file(corrupt_bitmap("late.xbm") + " : 3 50 90\n");
    answers_ = {MSG_RESULT_RETRY};
    on_question_ = [&] { bitmap("late.xbm", 7); }; // the user fixes it meanwhile
    PatternTable table(sources());
    ASSERT_TRUE(table.load());
    ASSERT_EQ(table.size(), 1);
    EXPECT_EQ(table.entries()[0].bits[0], vexl::xbm_byte_to_device(7));
    EXPECT_EQ(shown_.size(), 1u); // the question only: nothing was lost
}

TEST_F(PatternTableTest, WithoutUsableEntriesTheTableIsTheDefaultSolidPattern) {
    const struct {
        const char *what;
        std::optional<std::string> fill; // none: MOLVERN_FILL names no file
        const char *first_message;
        int code;
    } cases[] = {
        {"no fill file", std::nullopt, "Cannot locate fill pattern file", 0},
        {"two integers", "a.xbm : 1 2\n", "Corrupt or invalid fill pattern file", 46},
        {"every bitmap fails", "x.xbm : 1 2 3\n", "Corrupted bitmap file 1 : x.xbm\n", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        shown_.clear();
        fill_path_.clear();
        if (c.fill)
            fill_file(*c.fill);
        GplotErrno = 0;
        PatternTable table(sources());
        ASSERT_TRUE(table.load());
        ASSERT_EQ(table.size(), 1);
        const vexl::PatternEntry &solid = table.entries()[0];
        EXPECT_STREQ(solid.name, "");
        EXPECT_STREQ(solid.fill.path, "");
        EXPECT_EQ(solid.width * solid.height, 256);
        EXPECT_EQ(solid.bits, std::vector<uint8_t>(32, 0xFF));
        ASSERT_NE(table.solid_pattern(), nullptr);
        EXPECT_NE(solid.bitmap.handle(), nullptr);
        EXPECT_EQ(solid.bitmap.handle(), table.solid_pattern()->bitmap.handle());
        EXPECT_EQ(shown_, (Texts{c.first_message, kSolidMessage}));
        EXPECT_EQ(GplotErrno, c.code);
    }
}

TEST_F(PatternTableTest, LoadsOnceAndTracesWhenAsked) {
    fill_file(bitmap("a.xbm") + " : 1 2 3\n" + bitmap("b.xbm") + " : 1 2 3\n");
    trace_ = true;
    PatternTable table(sources());
    testing::internal::CaptureStderr();
    ASSERT_TRUE(table.load());
    ASSERT_TRUE(table.load());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Successfully loaded 2 fill patterns\n");
    EXPECT_EQ(opened_.size(), 1u);
    EXPECT_TRUE(shown_.empty());
}

TEST_F(PatternTableTest, NothingLoadableIsRetriedAtTheNextLoad) {
    create_bitmap_ = [](const vexl::PatternBits &) { return vexl::PatternBitmap(); };
    fill_file(bitmap("a.xbm") + " : 1 2 3\n");
    GplotErrno = 0;
    PatternTable table(sources());
    EXPECT_FALSE(table.load());
    EXPECT_EQ(table.solid_pattern(), nullptr);
    EXPECT_EQ(GplotErrno, 34);
    int32_t n = -1;
    EXPECT_EQ(vexl::query_pattern_size(table, &n), 1); // loads again
    EXPECT_EQ(n, 0);
    EXPECT_EQ(opened_.size(), 2u);
}

TEST(PatternBits, SidesThatDivide16AreRepeatedOthersRefused) {
    // 8 x 2: rows 0xA5, 0x3C repeat down, and each byte repeats across.
    auto bits = vexl::pattern_bits_for(vexl::XbmBitmap{8, 2, {0xA5, 0x3C}});
    ASSERT_TRUE(bits);
    for (int row = 0; row < 16; ++row) {
        EXPECT_EQ((*bits)[row * 2], row % 2 ? 0x3C : 0xA5) << row;
        EXPECT_EQ((*bits)[row * 2 + 1], row % 2 ? 0x3C : 0xA5) << row;
    }
    // 2 x 1: the two leftmost bits of one byte repeat along every row.
    EXPECT_EQ(vexl::pattern_bits_for(vexl::XbmBitmap{2, 1, {0x80}})->at(31), 0xAA);
    for (const vexl::XbmBitmap &refused : {vexl::XbmBitmap{12, 16, std::vector<uint8_t>(32)},
                                           {16, 20, std::vector<uint8_t>(40)},
                                           {32, 32, std::vector<uint8_t>(128)},
                                           {0, 16, {}},
                                           {16, 16, std::vector<uint8_t>(31)}})
        EXPECT_FALSE(vexl::pattern_bits_for(refused)) << refused.width << "x" << refused.height;
}

// The data folder: molvfill.cfg names every bitmap under data/patterns and
// all of them load.
TEST_F(PatternTableTest, ShippedPatternFileLoadsEveryBitmap) {
    const std::string data = std::string(VEXL_SOURCE_DIR) + "/data";
    vexl::test::ScopedEnv molvern_dir("MOLVERN_DIR", data.c_str());
    fill_path_ = data + "/molvfill.cfg";
    PatternTable table(sources());
    ASSERT_TRUE(table.load());
    EXPECT_TRUE(shown_.empty());
    std::set<std::string> shipped, named;
    for (const auto &file : std::filesystem::directory_iterator(data + "/patterns"))
        shipped.insert(file.path().stem().string());
    for (const vexl::PatternEntry &entry : table.entries()) {
        named.insert(entry.name);
        EXPECT_EQ(entry.width * entry.height, 256) << entry.name;
        EXPECT_NE(entry.bits, std::vector<uint8_t>(32, 0xFF)) << entry.name << " is empty";
        EXPECT_NE(entry.bits, std::vector<uint8_t>(32, 0x00)) << entry.name << " is solid";
        EXPECT_GE(entry.fill.fill_type, 1) << entry.name;
    }
    EXPECT_EQ(named, shipped);
    EXPECT_GE(table.size(), 8);
    int32_t index = -1;
    ASSERT_EQ(vexl::query_pattern_index(table, "hatch45", &index), 1);
    EXPECT_EQ(table.entries()[static_cast<std::size_t>(index)].fill.fill_option2, 45);
}

TEST_F(PatternTableTest, QueriesFindExactNamesAndCheckIndices) {
    fill_file(bitmap("hatch.xbm") + " : 3 100 45\n" + bitmap("dots.xbm", 5) + " : 10 5 0\n" +
              bitmap("hatch.xbm") + " : 3 100 90\n");
    PatternTable table(sources());
    int32_t index = -1, n = 0;
    EXPECT_EQ(vexl::query_pattern_index(table, "dots", &index), 1);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(vexl::query_pattern_index(table, "hatch", &index), 1); // the first of two
    EXPECT_EQ(index, 0);
    GplotErrno = 0;
    for (const char *missing : {"Dots", "dot"}) {
        index = -1;
        EXPECT_EQ(vexl::query_pattern_index(table, missing, &index), 0);
        EXPECT_EQ(index, 0);
    }
    EXPECT_EQ(GplotErrno, 0);

    ASSERT_EQ(vexl::query_pattern_size(table, &n), 1);
    ASSERT_EQ(n, 3);
    for (int32_t bad : {-1, 3, INT32_MIN, INT32_MAX}) {
        SCOPED_TRACE(bad);
        const char *name = "untouched";
        void *id = &n;
        GplotErrno = 0;
        EXPECT_EQ(vexl::query_pattern_name(table, bad, &name), 0);
        EXPECT_EQ(name, nullptr);
        EXPECT_EQ(GplotErrno, 37);
        GplotErrno = 0;
        EXPECT_EQ(vexl::query_pixmap_id(table, bad, &id), 0);
        EXPECT_EQ(GplotErrno, 37);
    }
    const char *name = nullptr;
    void *id = nullptr;
    EXPECT_EQ(vexl::query_pattern_name(table, 2, &name), 1);
    EXPECT_STREQ(name, "hatch");
    EXPECT_EQ(vexl::query_pixmap_id(table, 2, &id), 1);
    EXPECT_EQ(id, table.entries()[2].bitmap.handle());

    GplotErrno = 0;
    EXPECT_EQ(vexl::query_pattern_size(table, nullptr), 0);
    EXPECT_EQ(GplotErrno, 10);
    index = 5;
    EXPECT_EQ(vexl::query_pattern_index(table, nullptr, &index), 0);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(vexl::query_pattern_index(table, "dots", nullptr), 0);
    EXPECT_EQ(vexl::query_pattern_name(table, 0, nullptr), 0);
    EXPECT_EQ(vexl::query_pixmap_id(table, 0, nullptr), 0);
    EXPECT_EQ(GplotErrno, 10);
    GplotErrno = 0;
}

// The exported calls answer from the process-wide table, whatever it was
// loaded from in this process.
TEST(PatternExports, AnswerConsistentlyFromTheProcessTable) {
    int32_t n = 0, index = -1;
    ASSERT_EQ(gxwin_get_pattern_size(&n), 1);
    ASSERT_GE(n, 1);
    const char *name = nullptr;
    ASSERT_EQ(gxwin_get_pattern_name(n - 1, &name), 1);
    EXPECT_EQ(gxwin_get_pattern_index(name, &index), 1);
    EXPECT_LE(index, n - 1);
    void *id = nullptr;
    EXPECT_EQ(gxwin_get_pixmap_id(0, &id), 1);
    EXPECT_NE(id, nullptr);
    EXPECT_NE(vexl::default_solid_pattern(), nullptr);
    GplotErrno = 0;
    EXPECT_EQ(gxwin_get_pattern_name(n, &name), 0);
    EXPECT_EQ(GplotErrno, 37);
    GplotErrno = 0;
    EXPECT_EQ(gxwin_get_pixmap_id(-1, &id), 0);
    EXPECT_EQ(GplotErrno, 37);
    GplotErrno = 0;
}

} // namespace
