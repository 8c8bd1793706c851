// The configuration service: INI parsing, reference
// expansion and finding the file. Parsing and expansion are pure functions, so
// their edge cases sit in tables; a parse is compared whole, so nothing extra
// slips in. settings_lookup_test.cpp goes through a real file.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/config_file.h"
#include "support/config_loader.h"
#include "support/platform.h"
#include "temp_dir.h"
#include "test_env.h"

namespace {

using vexl::test::ScopedEnv;

// "[section] NAME=value ..." for every section and entry, in map order.
std::string dump(const vexl::config::ConfigData &data) {
    std::string out;
    for (const auto &[section, entries] : data) {
        out += (out.empty() ? "[" : " [") + section + "]";
        for (const auto &[name, value] : entries)
            out += " " + name + "=" + value;
    }
    return out;
}

TEST(ConfigParse, EdgeCases) {
    const std::string huge(1 << 20, 'x');
    std::string junk = "[s]\nA = 1\n" + std::string("NUL = a\0b\n", 10);
    for (int byte = 0; byte < 256; ++byte)
        junk += byte == '=' ? ' ' : static_cast<char>(byte);
    const std::pair<std::string, std::string> cases[] = {
        {"BEFORE = no section\n[m]\n  DIR =   /opt/m  \n\tFILL\t=\tf.kdfill # kept ; too\t\n"
         "; C = 1\n   # D = 2\nEQ = b=c\nno equals sign\n = nameless\nEMPTY =\n",
         "[m] DIR=/opt/m EMPTY= EQ=b=c FILL=f.kdfill # kept ; too"},
        {"[s]\r\nA = 1\r\nB = 2", "[s] A=1 B=2"},
        {"[s]\rA = 1\rB = 2\r", "[s] A=1 B=2"},
        {"\xEF\xBB\xBF[s]\nA = 1\nB = 2\n", "[s] A=1 B=2"},
        {"[molvern]\nA = first\nB = kept\n[other]\nA = other\n[MOLVERN]\na = last\n",
         "[molvern] A=last B=kept [other] A=other"},
        // Entries after a broken header belong to no section, never to the one before.
        {"[m]\nA = 1\n[other\nB = 2\n[third] junk\nC = 3\n[]\nD = 4\n[ spaced ] ; c\nE = 5\n",
         "[m] A=1 [spaced] E=5"},
        {junk + "\nHUGE = " + huge + "\nB = 2", "[s] A=1 B=2 HUGE=" + huge},
    };
    for (const auto &[text, parsed] : cases)
        EXPECT_EQ(dump(vexl::config::parse_config(text)), parsed) << text.substr(0, 40);
}

std::optional<std::string> expand(const std::string &text, std::size_t limit = 256) {
    static const std::map<std::string, std::string> env{
        {"DIR", "/opt/m"}, {"EMPTY", ""}, {"NESTED", "${DIR}"}, {"ProgramFiles(x86)", "C:\\P"}};
    return vexl::config::expand_references(
        text,
        [](const std::string &name) -> std::optional<std::string> {
            auto found = env.find(name);
            return found == env.end() ? std::nullopt : std::optional<std::string>(found->second);
        },
        limit);
}

TEST(ConfigExpand, ReplacesBothFormsKeepsWhatIsNotAReferenceAndRefusesLongResults) {
    EXPECT_EQ(expand("${DIR}/f %DIR%\\f %ProgramFiles(x86)%"), "/opt/m/f /opt/m\\f C:\\P");
    EXPECT_EQ(expand("a${UNSET}b%UNSET%c${EMPTY}"), "abc");
    EXPECT_EQ(expand("${NESTED}"), "${DIR}") << "values are not expanded again";
    EXPECT_EQ(expand("100% 50%% %%DIR%%"), "100% 50% %DIR%");
    EXPECT_EQ(expand("${DIR $DIR ${} $ % DIR % ${A B}"), "${DIR $DIR ${} $ % DIR % ${A B}");
    EXPECT_EQ(expand("5% of %DIR%"), "5% of /opt/m") << "a stray '%' swallowed a reference";

    EXPECT_EQ(expand("${DIR}", 6), "/opt/m");
    EXPECT_FALSE(expand("${DIR}", 5));
    EXPECT_FALSE(expand("${DIR}x", 6));
    EXPECT_FALSE(expand("%%", 0));
    EXPECT_FALSE(expand(std::string(257, 'a')));
    EXPECT_FALSE(expand(std::string(100000, '$')));
}

TEST(ConfigLoader, CandidatesInOrderOfPreference) {
    ScopedEnv named("MOLVERN_CONFIG", "/chosen/by/user.cfg");
#ifdef _WIN32
    ScopedEnv user("APPDATA", "C:\\Users\\u\\AppData\\Roaming\\");
    const std::string user_file = "C:\\Users\\u\\AppData\\Roaming\\molvern\\molvern.cfg";
#else
    ScopedEnv user("XDG_CONFIG_HOME", "relative/dir"); // ignored, as the XDG rules say
    ScopedEnv home("HOME", "/home/u");
    const std::string user_file = "/home/u/.config/molvern/molvern.cfg";
#endif
    const std::string library = vexl::platform::library_directory();
    ASSERT_FALSE(library.empty());
    const std::vector<std::string> expected{
        "/chosen/by/user.cfg", library + vexl::platform::path_separator() + "molvern.cfg",
        user_file};
    EXPECT_EQ(vexl::config::config_file_candidates(), expected);
}

// The first regular file of at most 1 MiB wins and learns its own folder; a
// broken file the user chose is no configuration, never replaced by the next.
TEST(ConfigLoader, FirstExistingFileWinsEvenWhenItIsBroken) {
    const std::size_t max = vexl::config::kMaxConfigFileSize;
    vexl::test::TempDir dir;
    const std::string big = dir.write("big.cfg", "[molvern]\nA = big\n" + std::string(max, '#'));
    const std::string fits = dir.write("fits.cfg", std::string(max - 7, '\n') + "[m]\nA=1");
    auto data = vexl::config::load_first_config({dir.file("missing.cfg"), dir.path(), fits, big});
    ASSERT_TRUE(data);
    EXPECT_EQ(dump(*data), "[m] A=1 MOLVERN_CONFIG_DIR=" + dir.path());
    EXPECT_FALSE(vexl::config::load_first_config({big, fits}));
}

} // namespace
