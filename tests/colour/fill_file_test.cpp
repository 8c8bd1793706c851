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

// Reads text as a fill-pattern file: each entry as "path|type|option1|option2",
// or nothing when kdfill_read fails; GplotErrno tells why.
std::optional<Texts> read_fill(const std::string &text, int32_t *capacity = nullptr) {
    vexl::test::TempDir dir;
    vexl::FilePtr file = vexl::test::open_text(dir, text);
    vexl::FillEntries list;
    GplotErrno = 0;
    if (kdfill_read(list.get(), file.get()) < 0)
        return std::nullopt;
    Texts entries;
    for (int32_t i = 0; i < list->count; ++i)
        entries.push_back(std::string(list[i].path) + "|" + std::to_string(list[i].fill_type) +
                          "|" + std::to_string(list[i].fill_option1) + "|" +
                          std::to_string(list[i].fill_option2));
    if (capacity)
        *capacity = list->capacity;
    return entries;
}

TEST(FillFile, EntriesCommentsAndDriveLetters) {
    vexl::test::ScopedEnv dir("VEXL_TEST_FILL_DIR", "/srv/patterns");
    const struct {
        std::string text;
        Texts entries;
    } cases[] = {
        {"C:\\pat\\hatch.xbm : 3 100 45\n# comment\n", {"C:\\pat\\hatch.xbm|3|100|45"}},
        {"", {}},
        {"\n#only comments\n\n", {}},
        {"a.xbm : 1 2 3\r\n\r\n# note\r\nb.xbm : 4 5 6\r\n", {"a.xbm|1|2|3", "b.xbm|4|5|6"}},
        {"\t  /p/x y.xbm \t:-3   +4\t5 trailing words\na:b.xbm:1 2 3", // no final newline
         {"/p/x y.xbm|-3|4|5", "a:b.xbm|1|2|3"}},
        {"${VEXL_TEST_FILL_DIR}/dots.xbm : 10 15 0\n", {"/srv/patterns/dots.xbm|10|15|0"}},
        // Only 294 characters of a line count, but its tail is no line of its own.
        {"#" + std::string(1000, 'c') + "\na.xbm : 1 2 3 " + std::string(300, ' ') +
             "t.xbm : 4 5 6",
         {"a.xbm|1|2|3"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(read_fill(c.text), c.entries);
    }
    std::string text;
    for (int i = 0; i < 33; ++i)
        text += "p" + std::to_string(i) + ".xbm : 1 " + std::to_string(i) + " 0\n";
    int32_t capacity = 0;
    EXPECT_EQ(read_fill(text, &capacity)->back(), "p32.xbm|1|32|0");
    EXPECT_EQ(capacity, 64);
}

TEST(FillFile, MalformedFilesFailWithCode46) {
    const struct {
        const char *why;
        std::string text;
    } cases[] = {
        {"two integers", "a.xbm : 3 100\n"},
        {"no separator", "a.xbm 3 100 45\n"},
        {"drive letter, no separator", "C:\\a.xbm 3 100 45\n"},
        {"empty path", " : 3 100 45\n"},
        {"indented comment", "  # not a comment here\n"},
        {"number beyond int32", "a.xbm : 3 100 2147483648\n"},
        {"number cut by the line limit", "a.xbm : 1 2 " + std::string(281, ' ') + "45\n"},
        {"separator beyond the line limit", std::string(300, 'p') + " : 1 2 3\n"},
        {"path longer than 255", std::string(256, 'p') + " : 1 2 3\n"},
        {"path expanding to nothing", "${VEXL_TEST_UNSET_VARIABLE} : 1 2 3\n"},
        {"NUL inside the path", std::string("a\0b.xbm : 1 2 3\n", 16)},
        {"bad line after a good one", "a.xbm : 1 2 3\nb.xbm : 1 2\n"},
        {"binary junk", std::string("\x7f\x45\x4c\x46\x02\x01\x01\0\0\0:\xff\xfe", 13)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(read_fill(c.text), std::nullopt);
        EXPECT_EQ(GplotErrno, 46);
    }
    kdfill_create(nullptr);
    kdfill_destroy(nullptr);
    vexl::FillEntries list;
    GplotErrno = 0;
    EXPECT_EQ(kdfill_read(list.get(), nullptr), -1);
    EXPECT_EQ(GplotErrno, 10);
    EXPECT_EQ(kdfill_read(nullptr, nullptr), -1);
}

} // namespace
