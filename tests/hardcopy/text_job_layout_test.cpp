// Printing a text file, apart from the printer: the page a font gives, how
// file lines become printed lines, and how those fill pages. The Windows job
// feeds the printer's metrics in and draws what comes out.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "hardcopy/text_job_layout.h"
#include "support/temp_dir.h"

namespace {

using vexl::PrinterFontMetrics;
using vexl::TextJobLayout;

// A printer font 50 high with 10 of leading and 60 wide on average, on a
// page 4800 x 6600: 60 per line, 80 characters, 110 lines.
PrinterFontMetrics typical_printer() {
    PrinterFontMetrics metrics;
    metrics.height = 50;
    metrics.external_leading = 10;
    metrics.average_character_width = 60;
    metrics.page_width = 4800;
    metrics.page_height = 6600;
    return metrics;
}

TextJobLayout layout_of(int32_t characters_per_line, int32_t lines_per_page,
                        int32_t line_height = 10) {
    TextJobLayout layout;
    layout.line_height = line_height;
    layout.characters_per_line = characters_per_line;
    layout.lines_per_page = lines_per_page;
    return layout;
}

TEST(TextJobLayout, MetricsGiveLineHeightLineLengthAndPageLength) {
    const std::optional<TextJobLayout> layout = vexl::text_job_layout(typical_printer());
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->line_height, 60);
    EXPECT_EQ(layout->characters_per_line, 80);
    EXPECT_EQ(layout->lines_per_page, 110);
    EXPECT_EQ(layout->characters_per_read(), 79);
    EXPECT_EQ(layout->lines_printed_per_page(), 108);
}

// Fault: a font without a width or a height divided by zero.
TEST(TextJobLayout, FontWithoutWidthOrHeightGivesNoLayout) {
    PrinterFontMetrics no_width = typical_printer();
    no_width.average_character_width = 0;
    EXPECT_FALSE(vexl::text_job_layout(no_width));
    PrinterFontMetrics no_height = typical_printer();
    no_height.height = 0;
    no_height.external_leading = 0;
    EXPECT_FALSE(vexl::text_job_layout(no_height));
    PrinterFontMetrics negative = typical_printer();
    negative.height = -70;
    EXPECT_FALSE(vexl::text_job_layout(negative));
}

// Fault: a value beyond 16 bits wrapped round to a negative line length.
TEST(TextJobLayout, ValuesBeyondSixteenBitsAreHeldNotWrapped) {
    PrinterFontMetrics huge = typical_printer();
    huge.average_character_width = 1;
    huge.page_width = 40000;
    huge.external_leading = 32767;
    huge.page_height = 70000;
    const std::optional<TextJobLayout> layout = vexl::text_job_layout(huge);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->characters_per_line, 32767);
    EXPECT_EQ(layout->line_height, 32767);
    EXPECT_EQ(layout->lines_per_page, 2);
}

TEST(TextJobLayout, NarrowAndShortPagesStillReadAndPrintNothingBelowZero) {
    EXPECT_EQ(layout_of(2, 3).characters_per_read(), 1);
    EXPECT_EQ(layout_of(1, 3).characters_per_read(), 1);
    EXPECT_EQ(layout_of(0, 3).characters_per_read(), 1);
    EXPECT_EQ(layout_of(80, 3).lines_printed_per_page(), 1);
    EXPECT_EQ(layout_of(80, 2).lines_printed_per_page(), 0);
    EXPECT_EQ(layout_of(80, -5).lines_printed_per_page(), 0);
}

TEST(TextJobLayout, PageLimitIsNinetyNinePerCopy) {
    EXPECT_EQ(vexl::text_job_page_limit(1), 99);
    EXPECT_EQ(vexl::text_job_page_limit(3), 297);
    EXPECT_EQ(vexl::text_job_page_limit(0), 99);
    EXPECT_EQ(vexl::text_job_page_limit(2147483647), 2147483647);
}

// ---- Tabs -----------------------------------------------------------------------

vexl::SettingLookup tabstop(const char *value) {
    return [value](const char *name, char *buffer) {
        if (value == nullptr || std::strcmp(name, "MOLVERN_TABSTOP") != 0)
            return 0;
        std::strcpy(buffer, value);
        return 1;
    };
}

TEST(TextJobTabs, WidthComesFromTheTabStopSettingWithEightWithout) {
    EXPECT_EQ(vexl::text_tab_width(tabstop(nullptr)), 8);
    EXPECT_EQ(vexl::text_tab_width(tabstop("4")), 4);
    EXPECT_EQ(vexl::text_tab_width(tabstop(" 12")), 12);
    EXPECT_EQ(vexl::text_tab_width(tabstop("0")), 8);
    EXPECT_EQ(vexl::text_tab_width(tabstop("-3")), 8);
    EXPECT_EQ(vexl::text_tab_width(tabstop("many")), 8);
}

TEST(TextJobTabs, EachTabBecomesWidthBlanksNotAlignedToColumns) {
    EXPECT_EQ(vexl::expand_tabs("a\tb", 8, 80), "a        b");
    EXPECT_EQ(vexl::expand_tabs("abc\tb", 4, 80), "abc    b");
    EXPECT_EQ(vexl::expand_tabs("\t\t", 2, 80), "    ");
    EXPECT_EQ(vexl::expand_tabs("none", 8, 80), "none");
    EXPECT_EQ(vexl::expand_tabs("", 8, 80), "");
}

// A tab wider than the line pushes the rest off the page either way; a
// setting of two thousand million must not ask for that many blanks.
TEST(TextJobTabs, TabIsNeverWiderThanTheLine) {
    EXPECT_EQ(vexl::expand_tabs("a\tb", 2147483647, 5), "a     b");
    EXPECT_EQ(vexl::expand_tabs("a\tb", 8, 0), "ab");
}

// ---- Printed lines -------------------------------------------------------------

class TextLines : public ::testing::Test {
  protected:
    std::vector<std::string> read_all(const std::string &text, const TextJobLayout &layout,
                                      int32_t tab_width = 8) {
        const std::string path = dir_.write("listing.txt", text);
        std::FILE *stream = std::fopen(path.c_str(), "r");
        EXPECT_NE(stream, nullptr);
        std::vector<std::string> lines;
        if (stream == nullptr)
            return lines;
        vexl::TextLineReader reader(stream, layout, tab_width);
        while (std::optional<std::string> line = reader.next())
            lines.push_back(*line);
        EXPECT_FALSE(reader.has_more());
        std::fclose(stream);
        return lines;
    }

    vexl::test::TempDir dir_;
};

TEST_F(TextLines, LongLineIsSplitAtOneLessThanTheLineLength) {
    const std::string line(200, 'x');
    const std::vector<std::string> lines = read_all(line + "\nend\n", layout_of(80, 100));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].size(), 79u);
    EXPECT_EQ(lines[1].size(), 79u);
    EXPECT_EQ(lines[2].size(), 42u);
    EXPECT_EQ(lines[3], "end");
}

// Fault: a line exactly as long as a printed line left its newline behind,
// which then came out as an empty line.
TEST_F(TextLines, LineThatFillsAPrintedLineLeavesNoEmptyLine) {
    const std::string full(79, 'y');
    EXPECT_EQ(read_all(full + "\nnext\n", layout_of(80, 100)),
              (std::vector<std::string>{full, "next"}));
    EXPECT_EQ(read_all(full + full + "\n", layout_of(80, 100)),
              (std::vector<std::string>{full, full}));
}

TEST_F(TextLines, NewlinesAreDroppedAndEmptyLinesKept) {
    EXPECT_EQ(read_all("one\n\nthree", layout_of(80, 100)),
              (std::vector<std::string>{"one", "", "three"}));
    EXPECT_EQ(read_all("", layout_of(80, 100)), std::vector<std::string>{});
    EXPECT_EQ(read_all("\n", layout_of(80, 100)), std::vector<std::string>{""});
}

TEST_F(TextLines, TabsAreExpandedAfterTheLineIsCut) {
    EXPECT_EQ(read_all("a\tb\n", layout_of(80, 100)), std::vector<std::string>{"a        b"});
    // Four characters of the file per printed line, tabs counted as one.
    EXPECT_EQ(read_all("\t\t\t\t\tz\n", layout_of(5, 100), 3),
              (std::vector<std::string>{"            ", "   z"}));
}

// Fault: the read buffer had room for one printed line of the file, and tabs
// were expanded inside it, so a line of tabs ran far past its end.
TEST_F(TextLines, LineOfTabsNeverOverrunsTheReadBuffer) {
    const std::vector<std::string> lines =
        read_all(std::string(200, '\t') + "end\n", layout_of(80, 100), 8);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], std::string(79 * 8, ' '));
    EXPECT_EQ(lines[1], std::string(79 * 8, ' '));
    EXPECT_EQ(lines[2], std::string(42 * 8, ' ') + "end");
}

TEST_F(TextLines, NarrowestPrinterStillMovesOnOneCharacterALine) {
    EXPECT_EQ(read_all("abc\n", layout_of(1, 100)), (std::vector<std::string>{"a", "b", "c"}));
}

// ---- Pages ----------------------------------------------------------------------

// Pages as the printer would get them, and a printer that can refuse a page.
class RecordedPages : public vexl::TextPageOutput {
  public:
    bool start_page() override {
        if (refuse_page_ == static_cast<int>(pages.size()) + 1)
            return false;
        pages.emplace_back();
        open_ = true;
        return true;
    }
    bool draw_line(int32_t y, const std::string &text) override {
        EXPECT_TRUE(open_);
        pages.back()[y] = text;
        return true;
    }
    bool end_page() override {
        EXPECT_TRUE(open_);
        open_ = false;
        return true;
    }
    void refuse_page(int page) { refuse_page_ = page; }

    std::vector<std::map<int32_t, std::string>> pages;

  private:
    bool open_ = false;
    int refuse_page_ = 0;
};

class TextPages : public ::testing::Test {
  protected:
    std::optional<int32_t> print(const std::string &text, const TextJobLayout &layout,
                                 int32_t page_limit = 99) {
        const std::string path = dir_.write("listing.txt", text);
        std::FILE *stream = std::fopen(path.c_str(), "r");
        EXPECT_NE(stream, nullptr);
        if (stream == nullptr)
            return std::nullopt;
        vexl::TextLineReader reader(stream, layout, 8);
        const std::optional<int32_t> pages =
            vexl::print_text_pages(reader, layout, page_limit, output_);
        std::fclose(stream);
        return pages;
    }

    RecordedPages output_;
    vexl::test::TempDir dir_;
};

TEST_F(TextPages, PagesHoldTwoLinesFewerThanFitFromOneLineDown) {
    EXPECT_EQ(print("1\n2\n3\n4\n5\n6\n7\n", layout_of(80, 5, 12)), 3);
    using Page = std::map<int32_t, std::string>;
    EXPECT_EQ(output_.pages, (std::vector<Page>{{{12, "1"}, {24, "2"}, {36, "3"}},
                                                {{12, "4"}, {24, "5"}, {36, "6"}},
                                                {{12, "7"}}}));
}

// Fault: a text ending exactly at the foot of a page was followed by a
// blank page.
TEST_F(TextPages, TextEndingAtTheFootOfAPageEndsThere) {
    EXPECT_EQ(print("1\n2\n3\n4\n5\n6\n", layout_of(80, 5)), 2);
    EXPECT_EQ(output_.pages.back().size(), 3u);
}

TEST_F(TextPages, EmptyFilePrintsOneBlankPage) {
    EXPECT_EQ(print("", layout_of(80, 5)), 1);
    ASSERT_EQ(output_.pages.size(), 1u);
    EXPECT_TRUE(output_.pages[0].empty());
}

// A font so tall that no line fits prints blank pages, and the page limit
// ends the job.
TEST_F(TextPages, PageWithoutRoomForALineEndsAtThePageLimit) {
    for (const int32_t lines_per_page : {2, 1, 0}) {
        output_.pages.clear();
        EXPECT_EQ(print("text\n", layout_of(80, lines_per_page), vexl::text_job_page_limit(2)),
                  198);
        EXPECT_EQ(output_.pages.size(), 198u);
        EXPECT_TRUE(output_.pages.back().empty());
    }
}

TEST_F(TextPages, PageLimitCutsALongText) {
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += "line\n";
    EXPECT_EQ(print(text, layout_of(80, 5), 4), 4);
    EXPECT_EQ(output_.pages.size(), 4u);
}

TEST_F(TextPages, RefusedPageEndsTheJobAsAFailure) {
    output_.refuse_page(2);
    EXPECT_EQ(print("1\n2\n3\n4\n", layout_of(80, 5)), std::nullopt);
    EXPECT_EQ(output_.pages.size(), 1u);
}

} // namespace
