// Looking settings up: process environment first, then the configuration
// service, with its initialisation retried until it succeeds once.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/rtk_config.h"
#include "support/rtk_debug.h"
#include "support/settings_lookup.h"
#include "temp_dir.h"
#include "test_env.h"

namespace {

using vexl::kSettingBufferSize;
using vexl::SettingsLookup;

// A scripted configuration service that counts how it was called.
struct FakeService {
    int init_result = 1;
    bool open_succeeds = true;
    const char *value = "from-config"; // null: not in the context
    int init_calls = 0, open_calls = 0, close_calls = 0;
    std::string opened_context;
    std::size_t limit_seen = 0;
} *fake = nullptr;

GuiEnvContext *const kFakeContext = reinterpret_cast<GuiEnvContext *>(&fake);

vexl::ConfigServiceCalls fake_calls() {
    return {[] {
                ++fake->init_calls;
                return fake->init_result;
            },
            [](const char *name, int) -> GuiEnvContext * {
                ++fake->open_calls;
                fake->opened_context = name;
                return fake->open_succeeds ? kFakeContext : nullptr;
            },
            [](GuiEnvContext *context, const char *, char *buffer, std::size_t limit) {
                fake->limit_seen = limit;
                if (context != kFakeContext || !fake->value)
                    return 1;
                std::strcpy(buffer, fake->value);
                return 0;
            },
            [](GuiEnvContext *context, int) {
                fake->close_calls += context == kFakeContext ? 1 : 100;
                return 1;
            }};
}

class SettingsLookupTest : public ::testing::Test {
  protected:
    void SetUp() override { fake = &service_; }
    void TearDown() override { fake = nullptr; }
    int lookup() { return lookup_.lookup("VEXL_TEST_SETTING", buffer_); }

    FakeService service_;
    SettingsLookup lookup_{fake_calls()};
    char buffer_[kSettingBufferSize] = {};
    vexl::test::ScopedEnv unset_{"VEXL_TEST_SETTING", nullptr};
};

TEST_F(SettingsLookupTest, ProcessEnvironmentComesFirst) {
    vexl::test::ScopedEnv env("VEXL_TEST_SETTING", "from-env");
    EXPECT_EQ(lookup(), 1);
    EXPECT_STREQ(buffer_, "from-env");
    EXPECT_EQ(service_.init_calls, 0);
}

TEST_F(SettingsLookupTest, EmptyEnvironmentValueIsFound) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows cannot hold an empty environment value";
#else
    vexl::test::ScopedEnv env("VEXL_TEST_SETTING", "");
    std::strcpy(buffer_, "stale");
    EXPECT_EQ(lookup(), 1);
    EXPECT_STREQ(buffer_, "");
    EXPECT_EQ(service_.init_calls, 0);
#endif
}

TEST_F(SettingsLookupTest, EnvironmentValueMustFitTheBuffer) {
    // The caller's 260 bytes sit inside a guarded block; nothing past them
    // may change.
    char guarded[kSettingBufferSize + 64];
    std::string fits(kSettingBufferSize - 1, 'f');
    vexl::test::ScopedEnv env("VEXL_TEST_SETTING", fits.c_str());
    EXPECT_EQ(lookup_.lookup("VEXL_TEST_SETTING", guarded), 1);
    EXPECT_EQ(std::string(guarded), fits);

    std::memset(guarded, '#', sizeof guarded);
    std::string too_long(kSettingBufferSize, 't');
    vexl::test::ScopedEnv longer("VEXL_TEST_SETTING", too_long.c_str());
    EXPECT_EQ(lookup_.lookup("VEXL_TEST_SETTING", guarded), 0);
    EXPECT_EQ(std::string(guarded, sizeof guarded), std::string(sizeof guarded, '#'));
    EXPECT_EQ(service_.init_calls, 0) << "a refused value is not looked up elsewhere";
}

TEST_F(SettingsLookupTest, FailedInitialisationIsRetriedUntilItSucceeds) {
    service_.init_result = 0;
    EXPECT_EQ(lookup(), 0);
    EXPECT_EQ(lookup(), 0);
    EXPECT_EQ(service_.init_calls, 2);
    EXPECT_EQ(service_.open_calls, 0);

    service_.init_result = 1;
    EXPECT_EQ(lookup(), 1);
    EXPECT_STREQ(buffer_, "from-config");
    EXPECT_EQ(service_.opened_context, "molvern");
    EXPECT_EQ(service_.limit_seen, 256u);

    service_.init_result = 0; // once it has worked it is never asked again
    EXPECT_EQ(lookup(), 1);
    EXPECT_EQ(service_.init_calls, 3);
    EXPECT_TRUE(lookup_.service_initialised());
}

TEST_F(SettingsLookupTest, MissesInTheServiceReturnZeroAndCloseWhatWasOpened) {
    service_.value = nullptr;
    EXPECT_EQ(lookup(), 0);
    EXPECT_EQ(service_.close_calls, 1);

    service_.open_succeeds = false;
    EXPECT_EQ(lookup(), 0);
    EXPECT_EQ(service_.close_calls, 1) << "nothing opened, nothing to close";
    EXPECT_EQ(service_.init_calls, 1) << "a failed open does not undo the initialisation";
}

// The real service behind a lookup, through a configuration file.
TEST(SettingsLookupService, EnvironmentOverridesTheFileWhichIsExpanded) {
    vexl::test::TempDir dir;
    {
        std::string path = dir.write("molvern.cfg", "[molvern]\n"
                                                    "VEXL_TEST_FILE = ${VEXL_TEST_BASE}/colors\n"
                                                    "VEXL_TEST_BOTH = file\n"
                                                    "VEXL_TEST_LONG = " +
                                                        std::string(257, 'l') + "\n");
        vexl::test::ScopedEnv named("MOLVERN_CONFIG", path.c_str());
        vexl::test::ScopedEnv base("VEXL_TEST_BASE", "/base");
        vexl::test::ScopedEnv both("VEXL_TEST_BOTH", "env");
        vexl::test::ScopedEnv file_only("VEXL_TEST_FILE", nullptr);
        vexl::test::ScopedEnv long_one("VEXL_TEST_LONG", nullptr);

        SettingsLookup lookup;
        char buffer[kSettingBufferSize];
        EXPECT_EQ(lookup.lookup("VEXL_TEST_FILE", buffer), 1);
        EXPECT_STREQ(buffer, "/base/colors");
        EXPECT_EQ(lookup.lookup("VEXL_TEST_BOTH", buffer), 1);
        EXPECT_STREQ(buffer, "env");
        EXPECT_EQ(lookup.lookup("VEXL_TEST_LONG", buffer), 0);
    }
    gui_env_init(); // give the rest of the suite its own configuration back
}

TEST(DebugSelector, MatchesTheVariableAgainstEachGivenKey) {
    vexl::test::ScopedEnv mode("VEXL_TEST_DEBUG", "kdhcopy");
    EXPECT_EQ(is_debug_mode_active_for("VEXL_TEST_DEBUG", "kdhcopy", "all", nullptr), 1);
    EXPECT_EQ(is_debug_mode_active_for("VEXL_TEST_DEBUG", nullptr, nullptr, "kdhcopy"), 1);
    EXPECT_EQ(is_debug_mode_active_for("VEXL_TEST_DEBUG", "KDHCOPY", "kdhcop", "kdhcopy "), 0);

    vexl::test::ScopedEnv unset("VEXL_TEST_DEBUG_UNSET", nullptr);
    EXPECT_EQ(is_debug_mode_active_for("VEXL_TEST_DEBUG_UNSET", "", "all", nullptr), 0);
    EXPECT_EQ(is_debug_mode_active_for(nullptr, "", "all", nullptr), 0);
}

} // namespace
