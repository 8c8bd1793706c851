// Reading fill-pattern files: entry lines, comments, the drive-letter colon,
// long lines, growth of the entry array and every way a file is malformed.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "colour/fill_file.h"
#include "colour_test_files.h"
#include "test_env.h"

namespace {

using Texts = std::vector<std::string>;

TEST(FillFile, EachFileGivesItsEntriesOrCode46) {
    vexl::test::ScopedEnv dir("VEXL_TEST_FILL_DIR", "/srv/patterns");
    std::string many;
    Texts many_entries;
    for (int i = 0; i < 33; ++i) { // the array grows past its first 32 entries
        many += "p.xbm : 1 " + std::to_string(i) + " 0\n";
        many_entries.push_back("p.xbm|1|" + std::to_string(i) + "|0");
    }
    const struct {
        std::string text;
        std::optional<Texts> entries; // none: malformed, -1 and code 46
    } cases[] = {
        {"C:\\pat\\hatch.xbm : 3 100 45\n# comment\n", Texts{"C:\\pat\\hatch.xbm|3|100|45"}},
        {"\n#only comments\n\n", Texts{}},
        {"a.xbm : 1 2 3\r\n\r\n# note\r\nb.xbm : 4 5 6\r\n", Texts{"a.xbm|1|2|3", "b.xbm|4|5|6"}},
        {"\t  /p/x y.xbm \t:-3   +4\t5 trailing words\na:b.xbm:1 2 3", // no final newline
         Texts{"/p/x y.xbm|-3|4|5", "a:b.xbm|1|2|3"}},
        {"${VEXL_TEST_FILL_DIR}/dots.xbm : 10 15 0\n", Texts{"/srv/patterns/dots.xbm|10|15|0"}},
        // Only 294 characters of a line count, but its tail is no line of its own.
        {"#" + std::string(1000, 'c') + "\na.xbm : 1 2 3 " + std::string(300, ' ') +
             "t.xbm : 4 5 6",
         Texts{"a.xbm|1|2|3"}},
        {"  # x.xbm : 1 2 3\n", Texts{"# x.xbm|1|2|3"}}, // indented: no comment
        {many, many_entries},
        {"a.xbm : 3 100\n", std::nullopt}, // two integers
        {"a.xbm 3 100 45\n", std::nullopt},
        {"C:\\a.xbm 3 100 45\n", std::nullopt},
        {" : 3 100 45\n", std::nullopt},
        {"   \n", std::nullopt},
        {"a.xbm : 3 x 45\n", std::nullopt},
        {"a.xbm : 3 100 2147483648\n", std::nullopt},
        {"a.xbm : 1 2 " + std::string(281, ' ') + "45\n", std::nullopt}, // cut at the limit
        {std::string(300, 'p') + " : 1 2 3\n", std::nullopt},
        {std::string(256, 'p') + " : 1 2 3\n", std::nullopt},
        {"${VEXL_TEST_UNSET_VARIABLE} : 1 2 3\n", std::nullopt},
        {std::string("a\0b.xbm : 1 2 3\n", 16), std::nullopt},
        {"a.xbm : 1 2 3\nb.xbm : 1 2\n", std::nullopt},
        {std::string("\x7f\x45\x4c\x46\x02\x01\x01\0\0\0:\xff\xfe", 13), std::nullopt},
    };
    vexl::test::TempDir files;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        vexl::FillEntries list;
        GplotErrno = 0;
        const int read = kdfill_read(list.get(), vexl::test::open_text(files, c.text).get());
        Texts entries;
        for (int32_t i = 0; i < list->count; ++i)
            entries.push_back(std::string(list[i].path) + "|" + std::to_string(list[i].fill_type) +
                              "|" + std::to_string(list[i].fill_option1) + "|" +
                              std::to_string(list[i].fill_option2));
        EXPECT_EQ(read, c.entries ? list->count : -1);
        EXPECT_EQ(GplotErrno, c.entries ? 0 : 46);
        if (c.entries) {
            EXPECT_EQ(entries, *c.entries);
        }
    }
}

// With a list but no file (both null is the C-boundary table's).
TEST(FillFile, NullArgumentsAreRefused) {
    vexl::FillEntries list;
    GplotErrno = 0;
    EXPECT_EQ(kdfill_read(list.get(), nullptr), -1);
    EXPECT_EQ(GplotErrno, 10);
    GplotErrno = 0;
}

} // namespace
