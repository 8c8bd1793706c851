// Looking settings up: the process environment
// first, then the "molvern" section of the configuration file, whose loading
// is retried until it succeeds once; and the two debug selectors. Each test
// writes its own file and looks settings up through a fresh SettingsLookup
// over the real service, so the order of the places is seen from outside; a
// context the lookup fails to close shows up as a leak in the asan build.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "plot/settings.h"
#include "support/config_loader.h"
#include "support/rtk_config.h"
#include "support/rtk_debug.h"
#include "support/settings_lookup.h"
#include "temp_dir.h"
#include "test_env.h"

namespace {

using vexl::kSettingBufferSize;
using vexl::test::ScopedEnv;

class SettingsLookupTest : public ::testing::Test {
  protected:
    int lookup(const char *name) { return lookup_.lookup(name, buffer_); }
    std::string write(const std::string &entries) {
        return dir_.write("molvern.cfg", "[molvern]\n" + entries);
    }

    // Destroyed last, once the environment is back: the rest of the suite
    // gets its own configuration again.
    struct Reload {
        ~Reload() { gui_env_init(); }
    } reload_;
    vexl::test::TempDir dir_;
    // The file is named, and the per-user folder holds none.
    ScopedEnv named_{"MOLVERN_CONFIG", dir_.file("molvern.cfg").c_str()};
#ifdef _WIN32
    ScopedEnv user_{"APPDATA", dir_.path().c_str()};
#else
    ScopedEnv user_{"XDG_CONFIG_HOME", dir_.path().c_str()};
#endif
    vexl::SettingsLookup lookup_;
    // The caller's 260 bytes sit inside a guarded block.
    char buffer_[kSettingBufferSize + 64] = "stale";
};

TEST_F(SettingsLookupTest, EmptyEnvironmentValueIsFoundAndWinsOverTheFile) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows cannot hold an empty environment value";
#else
    write("VEXL_T_A = file\n");
    ScopedEnv env("VEXL_T_A", "");
    EXPECT_EQ(lookup("VEXL_T_A"), 1);
    EXPECT_STREQ(buffer_, "");
#endif
}

TEST_F(SettingsLookupTest, EnvironmentValueMustFitTheBuffer) {
    write("VEXL_T_A = file\n");
    const std::string fits(kSettingBufferSize - 1, 'f');
    ScopedEnv env("VEXL_T_A", fits.c_str());
    EXPECT_EQ(lookup("VEXL_T_A"), 1);
    EXPECT_EQ(std::string(buffer_), fits);
    std::memset(buffer_, '#', sizeof buffer_);
    ScopedEnv longer("VEXL_T_A", std::string(kSettingBufferSize, 't').c_str());
    EXPECT_EQ(lookup("VEXL_T_A"), 0) << "refused, not cut and not taken from the file";
    EXPECT_EQ(std::string(buffer_, sizeof buffer_), std::string(sizeof buffer_, '#'));
}

TEST_F(SettingsLookupTest, LoadingIsRetriedUntilAFileIsFoundAndThenKept) {
    EXPECT_EQ(lookup("VEXL_T_A"), 0); // no file anywhere yet
    write("VEXL_T_A = 1\n");
    EXPECT_EQ(lookup("VEXL_T_A"), 1);
    std::filesystem::remove(dir_.file("molvern.cfg"));
    EXPECT_EQ(lookup("VEXL_T_A"), 1) << "once loaded, never loaded again";
}

// Settings refer to the environment and to other settings; MOLVERN_CONFIG_DIR
// is the file's folder; the environment wins, also inside a reference.
TEST_F(SettingsLookupTest, SettingsReferToSettingsAndTheFilesFolder) {
    const std::string path = write("VEXL_T_DIR = ${MOLVERN_CONFIG_DIR}/data\n"
                                   "VEXL_T_FILL = ${VEXL_T_DIR}/fill.cfg\n"
                                   "VEXL_T_LOOP = ${VEXL_T_LOOP}x\n"
                                   "VEXL_T_LONG = ${VEXL_T_BASE}" +
                                   std::string(250, 'l') + "\n");
    ScopedEnv base("VEXL_T_BASE", "/base/x");
    const std::string data = vexl::config::config_directory_of(path) + "/data";
    ASSERT_EQ(lookup("VEXL_T_FILL"), 1);
    EXPECT_EQ(std::string(buffer_), data + "/fill.cfg");
    ASSERT_EQ(gui_env_expand_str("${VEXL_T_DIR}/dots.xbm", buffer_, 256), 1);
    EXPECT_EQ(std::string(buffer_), data + "/dots.xbm") << "paths inside other files";
    ASSERT_EQ(lookup("VEXL_T_LOOP"), 1);
    EXPECT_STREQ(buffer_, "xxxxxxxxx") << "a setting naming itself ends";
    std::memset(buffer_, '?', sizeof buffer_); // 257 characters: refused whole
    EXPECT_EQ(lookup("VEXL_T_LONG"), 0);
    EXPECT_STREQ(buffer_, "");
    ScopedEnv moved("VEXL_T_DIR", "/elsewhere");
    ASSERT_EQ(lookup("VEXL_T_FILL"), 1);
    EXPECT_STREQ(buffer_, "/elsewhere/fill.cfg");
}

// The companion library's selector: the named variable against each key.
TEST(DebugSelector, MatchesTheVariableAgainstEachGivenKey) {
    ScopedEnv mode("VEXL_TEST_DEBUG", "kdhcopy"), unset("VEXL_TEST_DEBUG_UNSET", nullptr);
    EXPECT_EQ(is_debug_mode_active_for("VEXL_TEST_DEBUG", nullptr, nullptr, "kdhcopy"), 1);
    EXPECT_EQ(is_debug_mode_active_for("VEXL_TEST_DEBUG", "KDHCOPY", "kdhcop", "kdhcopy "), 0);
    EXPECT_EQ(is_debug_mode_active_for("VEXL_TEST_DEBUG_UNSET", "", "all", nullptr), 0);
    EXPECT_EQ(is_debug_mode_active_for(nullptr, "", "all", nullptr), 0);
}

// The library's own selector (debug_mode_active_for) remembers
// MOLVERN_DEBUG_MODE from its first use; unset, it equals only "".
const char *debug_mode = nullptr;
int debug_lookups = 0;

int debug_lookup(const char *name, char *buffer) {
    ++debug_lookups;
    if (debug_mode == nullptr || std::strcmp(name, "MOLVERN_DEBUG_MODE") != 0)
        return 0;
    std::strcpy(buffer, debug_mode);
    return 1;
}

TEST(DebugModeSelector, LooksUpOnceAndMatchesExactly) {
    debug_mode = nullptr;
    debug_lookups = 0;
    vexl::DebugModeSelector unset(debug_lookup);
    EXPECT_TRUE(unset.active_for(nullptr, "", nullptr));
    EXPECT_FALSE(unset.active_for("font", "colpat", "all"));
    debug_mode = "font"; // too late for this selector
    EXPECT_FALSE(unset.active_for("font", nullptr, nullptr));
    EXPECT_EQ(debug_lookups, 1);

    vexl::DebugModeSelector font(debug_lookup);
    EXPECT_TRUE(font.active_for("colpat", nullptr, "font"));
    EXPECT_FALSE(font.active_for("Font", "fon", ""));
    debug_mode = "all";
    EXPECT_TRUE(vexl::DebugModeSelector(debug_lookup).active_for("colpat", nullptr, nullptr));
}

} // namespace
