// Loading the pattern table: skipped bitmaps and what the user is asked, the
// default solid pattern, the shipped patterns, sizes other than 16 x 16, and
// the pattern queries with their codes.
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "colour/pattern_queries.h"
#include "colour/pattern_table.h"
#include "colour/xbm_reader.h"
#include "support/rtk_files.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

using vexl::PatternTable;

struct Shown {
    std::string text;
    std::string caption;
    MessageType type;
};

// An XBM file text of a 16 x 16 bitmap whose byte i is value(i).
std::string xbm_text(const std::function<unsigned(int)> &value, int width = 16, int height = 16) {
    std::string text = "#define p_width " + std::to_string(width) + "\n#define p_height " +
                       std::to_string(height) + "\nstatic unsigned char p_bits[] = {\n";
    const int size = static_cast<int>(vexl::xbm_data_size(width, height));
    for (int i = 0; i < size; ++i)
        text += std::to_string(value(i)) + (i + 1 < size ? ", " : "};\n");
    return text;
}

class PatternTableTest : public ::testing::Test {
  protected:
    // Writes a valid bitmap file (byte i is i + seed) and returns its path.
    std::string bitmap(const std::string &name, unsigned seed = 0) {
        return dir_.write(name, xbm_text([seed](int i) { return (i + seed) & 0xFF; }));
    }
    std::string corrupt_bitmap(const std::string &name) {
        return dir_.write(name, "#define p_width 16\n#define p_height 16\n0x01, 0x02};\n");
    }
    void fill_file(const std::string &text) { fill_path_ = dir_.write("fill.kdfill", text); }

    vexl::PatternSources sources() {
        return {[this](const char *setting) -> std::FILE * {
                    opened_.push_back(setting);
                    return fill_path_.empty() ? nullptr : rtk_fopen(fill_path_.c_str(), "r");
                },
                [this](const char *text, const char *caption, MessageType type) {
                    shown_.push_back({text, caption, type});
                    if (type != MSG_QUESTION_ABORT_RETRY_IGNORE)
                        return MSG_RESULT_NONE;
                    if (on_question_)
                        on_question_();
                    if (answers_.empty())
                        return MSG_RESULT_IGNORE;
                    MessageResult answer = answers_.front();
                    answers_.pop_front();
                    return answer;
                },
                [this] { return trace_; }, create_bitmap_};
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const Shown &s : shown_)
            all.push_back(s.text);
        return all;
    }

    vexl::test::TempDir dir_;
    std::string fill_path_;
    std::vector<std::string> opened_;
    std::vector<Shown> shown_;
    std::deque<MessageResult> answers_;
    std::function<void()> on_question_;
    bool trace_ = false;
    vexl::BitmapFactory create_bitmap_;
};

TEST_F(PatternTableTest, CorruptMiddleBitmapIsSkippedAndReported) {
    std::string a = bitmap("a.xbm", 1), b = corrupt_bitmap("b.xbm"), c = bitmap("c.xbm", 3);
    fill_file(a + " : 3 100 0\n" + b + " : 3 100 45\n" + c + " : 10 15 0\n");
    PatternTable table(sources());
    ASSERT_TRUE(table.load());

    ASSERT_EQ(table.size(), 2);
    EXPECT_STREQ(table.entries()[0].name, "a");
    EXPECT_STREQ(table.entries()[1].name, "c");
    EXPECT_EQ(table.entries()[1].fill.fill_type, 10); // the third file entry moved down
    EXPECT_EQ(table.entries()[1].fill.fill_option1, 15);
    EXPECT_STREQ(table.entries()[1].fill.path, c.c_str());

    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[0].text, "Corrupted bitmap file 2 : " + b + "\n");
    EXPECT_EQ(shown_[0].type, MSG_QUESTION_ABORT_RETRY_IGNORE);
    EXPECT_EQ(shown_[1].text, "Could only load 2 of the 3 fill patterns requested");
    EXPECT_EQ(shown_[1].type, MSG_INFORMATION);
    for (const Shown &s : shown_)
        EXPECT_EQ(s.caption, "KDfill");
    EXPECT_EQ(opened_, std::vector<std::string>{"MOLVERN_FILL"});
}

TEST_F(PatternTableTest, RetryAsksAgainUntilIgnored) {
    std::string bad = corrupt_bitmap("bad.xbm");
    fill_file(bitmap("good.xbm") + " : 1 0 0\n" + bad + " : 1 0 0\n");
    answers_ = {MSG_RESULT_RETRY, MSG_RESULT_IGNORE};
    PatternTable table(sources());
    ASSERT_TRUE(table.load());
    EXPECT_EQ(table.size(), 1);
    const std::string question = "Corrupted bitmap file 2 : " + bad + "\n";
    EXPECT_EQ(texts(),
              (std::vector<std::string>{question, question,
                                        "Could only load 1 of the 2 fill patterns requested"}));
}

TEST_F(PatternTableTest, RetryReadsTheRepairedFile) {
    std::string path = corrupt_bitmap("late.xbm");
    fill_file(path + " : 3 50 90\n");
    answers_ = {MSG_RESULT_RETRY};
    on_question_ = [&] { bitmap("late.xbm", 7); }; // the user fixes it meanwhile
    PatternTable table(sources());
    ASSERT_TRUE(table.load());
    ASSERT_EQ(table.size(), 1);
    EXPECT_EQ(table.entries()[0].bits[0], vexl::xbm_byte_to_device(7));
    EXPECT_EQ(shown_.size(), 1u); // the question only: nothing was lost
}

TEST_F(PatternTableTest, NoFillFileGivesExactlyTheDefaultSolidPattern) {
    PatternTable table(sources()); // no file behind MOLVERN_FILL
    ASSERT_TRUE(table.load());
    ASSERT_EQ(table.size(), 1);
    const vexl::PatternEntry &solid = table.entries()[0];
    EXPECT_STREQ(solid.name, "");
    EXPECT_STREQ(solid.fill.path, "");
    EXPECT_EQ(solid.width, 16);
    EXPECT_EQ(solid.height, 16);
    EXPECT_EQ(solid.bits, std::vector<uint8_t>(32, 0xFF));
    ASSERT_NE(table.solid_pattern(), nullptr);
    EXPECT_NE(solid.bitmap.handle(), nullptr);
    EXPECT_EQ(solid.bitmap.handle(), table.solid_pattern()->bitmap.handle());
    EXPECT_EQ(texts(), (std::vector<std::string>{"Cannot locate fill pattern file",
                                                 "Loading default solid fill pattern . . ."}));
}

TEST_F(PatternTableTest, MalformedFillFileFallsBackToTheSolidPattern) {
    fill_file(bitmap("a.xbm") + " : 1 2 3\n" + bitmap("b.xbm") + " : 1 2\n");
    GplotErrno = 0;
    PatternTable table(sources());
    ASSERT_TRUE(table.load());
    EXPECT_EQ(table.size(), 1);
    EXPECT_STREQ(table.entries()[0].name, "");
    EXPECT_EQ(GplotErrno, 46);
    EXPECT_EQ(texts(), (std::vector<std::string>{"Corrupt or invalid fill pattern file",
                                                 "Loading default solid fill pattern . . ."}));
}

TEST_F(PatternTableTest, EveryBitmapFailingLeavesTheSolidPatternWithoutACountMessage) {
    fill_file(corrupt_bitmap("x.xbm") + " : 1 2 3\n");
    PatternTable table(sources());
    ASSERT_TRUE(table.load());
    EXPECT_EQ(table.size(), 1);
    EXPECT_EQ(shown_.back().text, "Loading default solid fill pattern . . .");
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
    answers_ = {MSG_RESULT_IGNORE};
    GplotErrno = 0;
    PatternTable table(sources());
    EXPECT_FALSE(table.load());
    EXPECT_TRUE(table.entries().empty());
    EXPECT_EQ(table.solid_pattern(), nullptr);
    EXPECT_EQ(GplotErrno, 34);
    EXPECT_FALSE(table.load());
    EXPECT_EQ(opened_.size(), 2u);

    int32_t n = -1;
    EXPECT_EQ(vexl::query_pattern_size(table, &n), 1);
    EXPECT_EQ(n, 0);
    const char *name = "x";
    EXPECT_EQ(vexl::query_pattern_name(table, 0, &name), 0);
    EXPECT_EQ(name, nullptr);
}

TEST_F(PatternTableTest, NameIsTheFileNameWithoutDirectoryOrExtension) {
    std::string path = bitmap("hatch.v2.xbm");
    FillEntry fill{};
    std::snprintf(fill.path, sizeof fill.path, "%s", path.c_str());
    auto entry = vexl::make_pattern_entry(fill);
    ASSERT_TRUE(entry);
    EXPECT_STREQ(entry->name, "hatch.v2");
    EXPECT_EQ(entry->bits.size(), 32u);
}

TEST(PatternBitsTest, SmallerSidesThatDivide16AreRepeated) {
    // 8 x 2: rows 0xA5, 0x3C repeat down, and each byte repeats across.
    auto bits = vexl::pattern_bits_for(vexl::XbmBitmap{8, 2, {0xA5, 0x3C}});
    ASSERT_TRUE(bits);
    for (int row = 0; row < 16; ++row) {
        const uint8_t expected = row % 2 ? 0x3C : 0xA5;
        EXPECT_EQ((*bits)[row * 2], expected) << row;
        EXPECT_EQ((*bits)[row * 2 + 1], expected) << row;
    }
    // 2 x 1: the two leftmost bits of one byte repeat along every row.
    bits = vexl::pattern_bits_for(vexl::XbmBitmap{2, 1, {0x80}});
    ASSERT_TRUE(bits);
    EXPECT_EQ((*bits)[0], 0xAA);
    EXPECT_EQ((*bits)[31], 0xAA);
}

TEST(PatternBitsTest, SizesThatWouldSkewOrCutAreRefused) {
    EXPECT_FALSE(vexl::pattern_bits_for(vexl::XbmBitmap{12, 16, std::vector<uint8_t>(32)}));
    EXPECT_FALSE(vexl::pattern_bits_for(vexl::XbmBitmap{16, 20, std::vector<uint8_t>(40)}));
    EXPECT_FALSE(vexl::pattern_bits_for(vexl::XbmBitmap{32, 32, std::vector<uint8_t>(128)}));
    EXPECT_FALSE(vexl::pattern_bits_for(vexl::XbmBitmap{0, 16, {}}));
    EXPECT_FALSE(vexl::pattern_bits_for(vexl::XbmBitmap{16, 16, std::vector<uint8_t>(31)}));
}

TEST_F(PatternTableTest, EightByEightBitmapLoadsWithItsStatedSize) {
    std::string path = dir_.write("small.xbm", xbm_text([](int) { return 0x0F; }, 8, 8));
    fill_file(path + " : 10 50 0\n");
    PatternTable table(sources());
    ASSERT_TRUE(table.load());
    ASSERT_EQ(table.size(), 1);
    EXPECT_EQ(table.entries()[0].width, 8);
    EXPECT_EQ(table.entries()[0].bits.size(), 8u);
    EXPECT_TRUE(shown_.empty());
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

    std::set<std::string> shipped;
    for (const auto &file : std::filesystem::directory_iterator(data + "/patterns"))
        shipped.insert(file.path().stem().string());
    std::set<std::string> named;
    for (const vexl::PatternEntry &entry : table.entries()) {
        named.insert(entry.name);
        EXPECT_EQ(entry.width, 16) << entry.name;
        EXPECT_EQ(entry.height, 16) << entry.name;
        EXPECT_NE(entry.bits, std::vector<uint8_t>(32, 0xFF)) << entry.name << " is empty";
        EXPECT_NE(entry.bits, std::vector<uint8_t>(32, 0x00)) << entry.name << " is solid";
        EXPECT_GE(entry.fill.fill_type, 1) << entry.name;
    }
    EXPECT_EQ(named, shipped);
    EXPECT_GE(table.size(), 8);

    int32_t index = -1;
    ASSERT_EQ(vexl::query_pattern_index(table, "hatch45", &index), 1);
    const FillEntry &hatch45 = table.entries()[static_cast<std::size_t>(index)].fill;
    EXPECT_EQ(hatch45.fill_type, 3);
    EXPECT_EQ(hatch45.fill_option2, 45);
}

class PatternQueryTest : public PatternTableTest {
  protected:
    void SetUp() override {
        fill_file(bitmap("hatch.xbm") + " : 3 100 45\n" + bitmap("dots.xbm", 5) + " : 10 5 0\n" +
                  bitmap("hatch.xbm") + " : 3 100 90\n");
    }
    PatternTable table_{sources()};
};

TEST_F(PatternQueryTest, IndexLookupIsExactAndFindsTheFirst) {
    int32_t index = -1;
    EXPECT_EQ(vexl::query_pattern_index(table_, "dots", &index), 1);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(vexl::query_pattern_index(table_, "hatch", &index), 1);
    EXPECT_EQ(index, 0);
    GplotErrno = 0;
    index = -1;
    EXPECT_EQ(vexl::query_pattern_index(table_, "Dots", &index), 0);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(vexl::query_pattern_index(table_, "dot", &index), 0);
    EXPECT_EQ(GplotErrno, 0);
}

TEST_F(PatternQueryTest, IndicesOutsideTheTableGiveCode37) {
    int32_t n = 0;
    ASSERT_EQ(vexl::query_pattern_size(table_, &n), 1);
    ASSERT_EQ(n, 3);
    for (int32_t bad : {-1, 3, INT32_MIN, INT32_MAX}) {
        SCOPED_TRACE(bad);
        const char *name = "untouched";
        void *id = &n;
        GplotErrno = 0;
        EXPECT_EQ(vexl::query_pattern_name(table_, bad, &name), 0);
        EXPECT_EQ(name, nullptr);
        EXPECT_EQ(GplotErrno, 37);
        GplotErrno = 0;
        EXPECT_EQ(vexl::query_pixmap_id(table_, bad, &id), 0);
        EXPECT_EQ(GplotErrno, 37);
    }
    const char *name = nullptr;
    EXPECT_EQ(vexl::query_pattern_name(table_, 2, &name), 1);
    EXPECT_STREQ(name, "hatch");
}

TEST_F(PatternQueryTest, NullOutputsGiveCode10) {
    GplotErrno = 0;
    EXPECT_EQ(vexl::query_pattern_size(table_, nullptr), 0);
    EXPECT_EQ(GplotErrno, 10);
    int32_t index = 5;
    EXPECT_EQ(vexl::query_pattern_index(table_, nullptr, &index), 0);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(vexl::query_pattern_index(table_, "dots", nullptr), 0);
    EXPECT_EQ(vexl::query_pattern_name(table_, 0, nullptr), 0);
    EXPECT_EQ(vexl::query_pixmap_id(table_, 0, nullptr), 0);
    EXPECT_EQ(GplotErrno, 10);
}

// The exported calls answer from the process-wide table, whatever it was
// loaded from in this process.
TEST(PatternExportsTest, AnswerConsistentlyFromTheProcessTable) {
    int32_t n = 0;
    ASSERT_EQ(gxwin_get_pattern_size(&n), 1);
    ASSERT_GE(n, 1);
    const char *name = nullptr;
    ASSERT_EQ(gxwin_get_pattern_name(n - 1, &name), 1);
    int32_t index = -1;
    EXPECT_EQ(gxwin_get_pattern_index(name, &index), 1);
    EXPECT_LE(index, n - 1);
    void *id = nullptr;
    EXPECT_EQ(gxwin_get_pixmap_id(0, &id), 1);
    EXPECT_NE(id, nullptr);
    EXPECT_NE(vexl::default_solid_pattern(), nullptr);

    GplotErrno = 0;
    EXPECT_EQ(gxwin_get_pattern_name(n, &name), 0);
    EXPECT_EQ(name, nullptr);
    EXPECT_EQ(GplotErrno, 37);
    GplotErrno = 0;
    EXPECT_EQ(gxwin_get_pixmap_id(-1, &id), 0);
    EXPECT_EQ(GplotErrno, 37);
}

} // namespace
