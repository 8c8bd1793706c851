// Loading the companion print module: which kinds load it, how often its
// print entry is called, and what happens when it is missing.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "hardcopy/print_table.h"
#include "plot/gplot.h"
#include "plot/vexldll.h"
#include "support/platform.h"
#include "test_env.h"

namespace {

using vexl::CompanionModule;
using vexl::test::ScopedEnv;

// Settings for one test: VEXLDLL is either the test module, or a name no
// library has.
const char *module_setting = nullptr;

int fake_lookup(const char *name, char *buffer) {
    if (std::strcmp(name, "VEXLDLL") != 0 || module_setting == nullptr)
        return 0;
    std::strcpy(buffer, module_setting);
    return 1;
}

std::string test_module_path() {
    return vexl::platform::library_directory() + vexl::platform::path_separator() +
           VEXL_TEST_MODULE_NAME;
}

// Calls of the test module's print entry so far, read through the module.
int print_init_calls(void *module) {
    using Counter = int (*)();
    auto counter = reinterpret_cast<Counter>(
        vexl::platform::module_symbol(module, "test_module_print_init_calls"));
    return counter != nullptr ? counter() : -1;
}

class CompanionModuleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = test_module_path();
        module_setting = path_.c_str();
        // Keeps the test module mapped between the loader's own loads so its
        // call counter survives; a fresh count starts from here.
        probe_ = vexl::platform::load_module(path_.c_str());
        ASSERT_NE(probe_, nullptr) << vexl::platform::last_module_error();
        calls_before_ = print_init_calls(probe_);
    }
    void TearDown() override {
        vexl::platform::free_module(probe_);
        module_setting = nullptr;
    }
    int new_calls() const { return print_init_calls(probe_) - calls_before_; }

    std::string path_;
    void *probe_ = nullptr;
    int calls_before_ = 0;
};

TEST_F(CompanionModuleTest, ScreenHpglAndClipboardNeverLoad) {
    module_setting = "no-such-module-anywhere";
    CompanionModule module(fake_lookup);
    EXPECT_TRUE(module.load(GPLOT_SCREEN));
    EXPECT_TRUE(module.load(GPLOT_HPGL2));
    EXPECT_TRUE(module.load(GPLOT_CLIPBOARD));
    EXPECT_FALSE(module.loaded());
}

TEST_F(CompanionModuleTest, MissingModuleIsReportedAndNotLoaded) {
    module_setting = "no-such-module-anywhere";
    CompanionModule module(fake_lookup);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(module.load(GPLOT_PRINT));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Unable to load DLL no-such-module-anywhere\n");
    EXPECT_FALSE(module.loaded());
    // Nothing was initialised, so a second print load tries (and fails) again.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(module.load(GPLOT_PRINT));
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
}

TEST_F(CompanionModuleTest, PrintInitialisesOnceFileEveryTime) {
    CompanionModule module(fake_lookup);
    EXPECT_TRUE(module.load(GPLOT_PRINT));
    EXPECT_TRUE(module.loaded());
    EXPECT_TRUE(module.load(GPLOT_PRINT));
    EXPECT_EQ(new_calls(), 1);
    EXPECT_TRUE(module.load(GPLOT_FILE));
    EXPECT_TRUE(module.load(GPLOT_FILE));
    EXPECT_EQ(new_calls(), 3);
}

TEST_F(CompanionModuleTest, EntryReceivesThePrintTable) {
    CompanionModule module(fake_lookup);
    ASSERT_TRUE(module.load(GPLOT_FILE));
    using TableGetter = void *(*)();
    auto last_table = reinterpret_cast<TableGetter>(
        vexl::platform::module_symbol(probe_, "test_module_last_table"));
    ASSERT_NE(last_table, nullptr);
    EXPECT_EQ(last_table(), static_cast<void *>(getPrintTable()));
}

TEST_F(CompanionModuleTest, UnloadKeepsPrintInitialised) {
    CompanionModule module(fake_lookup);
    ASSERT_TRUE(module.load(GPLOT_PRINT));
    module.unload();
    EXPECT_FALSE(module.loaded());
    // Printing was initialised before, so the module is not loaded again.
    EXPECT_TRUE(module.load(GPLOT_PRINT));
    EXPECT_FALSE(module.loaded());
    EXPECT_EQ(new_calls(), 1);
    // Other kinds (here an unknown one) load without initialising printing.
    EXPECT_TRUE(module.load(7));
    EXPECT_TRUE(module.loaded());
    EXPECT_EQ(new_calls(), 1);
}

TEST_F(CompanionModuleTest, FirstLoadHookRunsOnce) {
    static int hook_calls = 0;
    hook_calls = 0;
    CompanionModule module(fake_lookup);
    module.on_first_load = [] { ++hook_calls; };
    ASSERT_TRUE(module.load(GPLOT_FILE));
    module.unload();
    ASSERT_TRUE(module.load(GPLOT_FILE));
    EXPECT_EQ(hook_calls, 1);
}

// The exported calls on the process module, with no module to be found.
TEST(VexlDllInterface, MissingModuleThroughTheExports) {
    ScopedEnv name("VEXLDLL", "no-such-module-anywhere");
    EXPECT_EQ(vexldll_load(GPLOT_SCREEN), 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(vexldll_load(GPLOT_FILE), 0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Unable to load DLL"), std::string::npos);
    EXPECT_EQ(vexldll_loadStatus(), 0);
    vexldll_unload(); // nothing loaded: harmless
    EXPECT_EQ(vexldll_loadStatus(), 0);
}

} // namespace
