// The configuration service: INI parsing, environment expansion, finding the
// file, and the gui_env_* calls on a loaded file.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "support/config_file.h"
#include "support/config_loader.h"
#include "support/platform.h"
#include "support/rtk_config.h"
#include "temp_dir.h"
#include "test_env.h"

namespace {

using vexl::config::ConfigData;
using vexl::config::parse_config;

std::string value_of(const ConfigData &data, const char *section, const char *name) {
    const std::string *value = vexl::config::find_value(data, section, name);
    return value ? *value : std::string("<absent>");
}

TEST(ConfigParse, SectionsTrimmedValuesAndComments) {
    ConfigData data = parse_config("BEFORE = any section\n"
                                   "[molvern]\n"
                                   "  MOLVERN_DIR =   /opt/molvern  \n"
                                   "\tFILL\t=\tfill.kdfill # kept ; too\t\n"
                                   "; COMMENT = 1\n"
                                   "   # INDENTED = 2\n"
                                   "EQ = b=c\n"
                                   "no equals sign\n"
                                   " = nameless\n"
                                   "EMPTY =\n");
    ASSERT_EQ(data.size(), 1u);
    EXPECT_EQ(data.at("molvern").size(), 4u);
    EXPECT_EQ(value_of(data, "molvern", "MOLVERN_DIR"), "/opt/molvern");
    EXPECT_EQ(value_of(data, "molvern", "FILL"), "fill.kdfill # kept ; too");
    EXPECT_EQ(value_of(data, "molvern", "EQ"), "b=c");
    EXPECT_EQ(value_of(data, "molvern", "EMPTY"), "");
}

TEST(ConfigParse, AcceptsEveryLineEndAndAMissingFinalNewline) {
    for (const char *text :
         {"[s]\r\nA = 1\r\nB = 2", "[s]\rA = 1\rB = 2\r", "\xEF\xBB\xBF[s]\nA = 1\nB = 2\n"}) {
        ConfigData data = parse_config(text);
        EXPECT_EQ(value_of(data, "s", "A"), "1") << text;
        EXPECT_EQ(value_of(data, "s", "B"), "2") << text;
    }
}

TEST(ConfigParse, LastDuplicateWinsAndRepeatedSectionsMerge) {
    ConfigData data = parse_config("[molvern]\nA = first\nB = kept\n"
                                   "[other]\nA = unrelated\n"
                                   "[MOLVERN]\na = last\n");
    EXPECT_EQ(data.size(), 2u);
    EXPECT_EQ(value_of(data, "molvern", "A"), "last");
    EXPECT_EQ(value_of(data, "Molvern", "b"), "kept");
    EXPECT_EQ(value_of(data, "other", "A"), "unrelated");
}

TEST(ConfigParse, EntriesAfterABrokenHeaderBelongToNoSection) {
    ConfigData data = parse_config("[molvern]\nA = 1\n"
                                   "[other\nB = 2\n"
                                   "[third] junk\nC = 3\n"
                                   "[]\nD = 4\n"
                                   "[ spaced ] ; comment\nE = 5\n");
    EXPECT_EQ(data.size(), 2u);
    EXPECT_EQ(data.at("molvern").size(), 1u);
    EXPECT_EQ(value_of(data, "spaced", "E"), "5");
}

TEST(ConfigParse, SurvivesBinaryJunkAndHugeLines) {
    std::string text = "[s]\nA = 1\n";
    text += std::string("NUL = a\0b\n", 10);
    for (int byte = 0; byte < 256; ++byte)
        text += static_cast<char>(byte);
    text += "\nHUGE = " + std::string(1 << 20, 'x') + "\nB = 2";
    ConfigData data = parse_config(text);
    EXPECT_EQ(value_of(data, "s", "A"), "1");
    EXPECT_EQ(value_of(data, "s", "NUL"), "<absent>");
    EXPECT_EQ(value_of(data, "s", "HUGE").size(), 1u << 20);
    EXPECT_EQ(value_of(data, "s", "B"), "2");
}

std::optional<std::string> expand(const char *text, std::size_t limit = 256) {
    static const std::map<std::string, std::string> env{
        {"DIR", "/opt/m"}, {"EMPTY", ""}, {"NESTED", "${DIR}"}, {"ProgramFiles(x86)", "C:\\P"}};
    return vexl::config::expand_references(
        text,
        [](const std::string &name) -> std::optional<std::string> {
            auto found = env.find(name);
            if (found == env.end())
                return std::nullopt;
            return found->second;
        },
        limit);
}

TEST(ConfigExpand, ReplacesBothFormsAndKeepsWhatIsNotAReference) {
    EXPECT_EQ(expand("${DIR}/f %DIR%\\f %ProgramFiles(x86)%"), "/opt/m/f /opt/m\\f C:\\P");
    EXPECT_EQ(expand("a${UNSET}b%UNSET%c${EMPTY}"), "abc");
    EXPECT_EQ(expand("${NESTED}"), "${DIR}") << "values are not expanded again";
    EXPECT_EQ(expand("100% 50%% %%DIR%%"), "100% 50% %DIR%");
    EXPECT_EQ(expand("${DIR $DIR ${} $ % DIR % ${A B}"), "${DIR $DIR ${} $ % DIR % ${A B}");
    // A stray '%' before a real reference must not swallow it.
    EXPECT_EQ(expand("5% of %DIR%"), "5% of /opt/m");
}

TEST(ConfigExpand, RefusesResultsLongerThanTheLimit) {
    EXPECT_EQ(expand("${DIR}", 6), "/opt/m");
    EXPECT_FALSE(expand("${DIR}", 5));
    EXPECT_FALSE(expand("${DIR}x", 6));
    EXPECT_FALSE(expand("%%", 0));
    EXPECT_FALSE(expand(std::string(257, 'a').c_str()));
    EXPECT_FALSE(expand(std::string(100000, '$').c_str()));
}

TEST(ConfigLoader, CandidatesInOrderOfPreference) {
    vexl::test::ScopedEnv named("MOLVERN_CONFIG", "/chosen/by/user.cfg");
#ifdef _WIN32
    vexl::test::ScopedEnv user("APPDATA", "C:\\Users\\u\\AppData\\Roaming");
    const std::string user_file = "C:\\Users\\u\\AppData\\Roaming\\molvern\\molvern.cfg";
#else
    vexl::test::ScopedEnv user("XDG_CONFIG_HOME", "/home/u/.cfg/");
    const std::string user_file = "/home/u/.cfg/molvern/molvern.cfg";
#endif
    std::string library = vexl::platform::library_directory();
    ASSERT_FALSE(library.empty());
    std::vector<std::string> expected{"/chosen/by/user.cfg",
                                      library + vexl::platform::path_separator() + "molvern.cfg",
                                      user_file};
    EXPECT_EQ(vexl::config::config_file_candidates(), expected);
}

TEST(ConfigLoader, FirstExistingFileWinsEvenWhenItIsBroken) {
    vexl::test::TempDir dir;
    std::string big = dir.write("big.cfg", "[molvern]\nA = big\n" +
                                               std::string(vexl::config::kMaxConfigFileSize, '#'));
    std::string fits =
        dir.write("fits.cfg",
                  std::string(vexl::config::kMaxConfigFileSize - 18, '\n') + "[molvern]\nA = fits");
    auto data = vexl::config::load_first_config({dir.file("missing.cfg"), dir.path(), fits, big});
    ASSERT_TRUE(data);
    EXPECT_EQ(value_of(*data, "molvern", "A"), "fits");
    EXPECT_FALSE(vexl::config::load_first_config({big, fits}));
    EXPECT_FALSE(vexl::config::load_first_config({dir.file("missing.cfg")}));
}

// The gui_env_* calls work on the process-wide configuration; each test
// reloads what the environment names once it is done, so the rest of the
// suite sees the configuration it started with.
class ConfigService : public ::testing::Test {
  protected:
    void TearDown() override { gui_env_init(); }

    void load(const std::string &text) {
        std::string path = dir_.write("molvern.cfg", text);
        vexl::test::ScopedEnv named("MOLVERN_CONFIG", path.c_str());
        ASSERT_EQ(gui_env_init(), 1);
    }

    vexl::test::TempDir dir_;
};

TEST_F(ConfigService, LooksUpAndExpandsInTheNamedContext) {
    vexl::test::ScopedEnv root("VEXL_TEST_ROOT", "/srv/molvern");
    load("[molvern]\nFILL = ${VEXL_TEST_ROOT}/fill.kdfill\nLONG = " + std::string(250, 'x') +
         "%VEXL_TEST_ROOT%\n");

    GuiEnvContext *context = gui_env_open("molvern", 0);
    ASSERT_NE(context, nullptr);
    char buffer[260];
    EXPECT_EQ(gui_env_get_kd_and_expand(context, "FILL", buffer, 256), 0);
    EXPECT_STREQ(buffer, "/srv/molvern/fill.kdfill");
    EXPECT_NE(gui_env_get_kd_and_expand(context, "NOT_THERE", buffer, 256), 0);
    // 250 + 12 characters: refused whole, nothing left half-written.
    std::memset(buffer, '?', sizeof buffer);
    EXPECT_NE(gui_env_get_kd_and_expand(context, "LONG", buffer, 256), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(gui_env_close(context, 0), 1);

    EXPECT_EQ(gui_env_open("nosuchcontext", 0), nullptr);
    EXPECT_EQ(gui_env_open(nullptr, 0), nullptr);
    EXPECT_NE(gui_env_get_kd_and_expand(nullptr, "FILL", buffer, 256), 0);
}

TEST_F(ConfigService, OpenContextOutlivesAReload) {
    load("[molvern]\nA = old\n");
    GuiEnvContext *context = gui_env_open("molvern", 0);
    ASSERT_NE(context, nullptr);
    load("[molvern]\nA = new\n");
    char buffer[260];
    ASSERT_EQ(gui_env_get_kd_and_expand(context, "A", buffer, 256), 0);
    EXPECT_STREQ(buffer, "old");
    gui_env_close(context, 0);
}

TEST_F(ConfigService, SettingsAnchorOnOtherSettingsAndTheFilesDirectory) {
    vexl::test::ScopedEnv unset("MOLVERN_DIR", nullptr);
    load("[molvern]\nMOLVERN_DIR = ${MOLVERN_CONFIG_DIR}/data\n"
         "MOLVERN_FILL = ${MOLVERN_DIR}/molvfill.cfg\nLOOP = ${LOOP}x\n");
    GuiEnvContext *context = gui_env_open("molvern", 0);
    ASSERT_NE(context, nullptr);
    char buffer[260];
    ASSERT_EQ(gui_env_get_kd_and_expand(context, "MOLVERN_FILL", buffer, 256), 0);
    const std::string data_dir = vexl::config::config_directory_of(dir_.file("molvern.cfg"));
    EXPECT_EQ(std::string(buffer), data_dir + "/data/molvfill.cfg");
    // Paths inside other files see the same settings.
    char out[256];
    ASSERT_EQ(gui_env_expand_str("${MOLVERN_DIR}/patterns/dots.xbm", out, sizeof out), 1);
    EXPECT_EQ(std::string(out), data_dir + "/data/patterns/dots.xbm");
    // The process environment still wins, and a setting naming itself ends.
    {
        vexl::test::ScopedEnv moved("MOLVERN_DIR", "/elsewhere");
        ASSERT_EQ(gui_env_get_kd_and_expand(context, "MOLVERN_FILL", buffer, 256), 0);
        EXPECT_STREQ(buffer, "/elsewhere/molvfill.cfg");
    }
    ASSERT_EQ(gui_env_get_kd_and_expand(context, "LOOP", buffer, 256), 0);
    EXPECT_STREQ(buffer, "xxxxxxxxx");
    gui_env_close(context, 0);
}

TEST(ConfigExpandString, LimitsPathsTo255CharactersAndTheBuffer) {
    vexl::test::ScopedEnv root("VEXL_TEST_ROOT", "/srv");
    char out[300];
    std::string longest = std::string(251, 'p') + "${VEXL_TEST_ROOT}";
    EXPECT_EQ(gui_env_expand_str(longest.c_str(), out, sizeof out), 1);
    EXPECT_EQ(std::strlen(out), 255u);
    EXPECT_EQ(gui_env_expand_str(("p" + longest).c_str(), out, sizeof out), 0);
    EXPECT_STREQ(out, "");

    char small[8];
    EXPECT_EQ(gui_env_expand_str("${VEXL_TEST_ROOT}/ab", small, sizeof small), 1);
    EXPECT_STREQ(small, "/srv/ab");
    EXPECT_EQ(gui_env_expand_str("${VEXL_TEST_ROOT}/abc", small, sizeof small), 0);
    EXPECT_EQ(gui_env_expand_str("x", small, 0), 0);
}

} // namespace
