// Loading the companion print module: which kinds load it, how
// often its print entry is called, and what happens when it is missing. The
// tests drive their own CompanionModule, the object behind the one-line
// exports vexldll_load and vexldll_loadStatus; the stand-in module
// (companion_module.c) counts its entry's calls.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "hardcopy/print_table.h"
#include "plot/gplot.h"
#include "plot/vexldll.h"
#include "support/platform.h"

namespace {

using vexl::CompanionModule;

// VEXLDLL for one test: the stand-in module, or a name no library has.
std::string module_setting;
const std::string kMissing = "no-such-module-anywhere";

int fake_lookup(const char *name, char *buffer) {
    if (std::strcmp(name, "VEXLDLL") != 0)
        return 0;
    std::strcpy(buffer, module_setting.c_str());
    return 1;
}

class CompanionModuleTest : public ::testing::Test {
  protected:
    // The probe keeps the module mapped between the loader's own loads, so its
    // counter survives; a fresh count starts from here.
    void SetUp() override {
        module_setting = vexl::platform::library_directory() + vexl::platform::path_separator() +
                         VEXL_TEST_MODULE_NAME;
        probe_ = vexl::platform::load_module(module_setting.c_str());
        ASSERT_NE(probe_, nullptr) << vexl::platform::last_module_error();
        calls_before_ = new_calls();
    }
    void TearDown() override { vexl::platform::free_module(probe_); }
    template <typename Function>
    Function entry(const char *name) const {
        return reinterpret_cast<Function>(vexl::platform::module_symbol(probe_, name));
    }
    int new_calls() const {
        return entry<int (*)()>("test_module_print_init_calls")() - calls_before_;
    }

    void *probe_ = nullptr;
    int calls_before_ = 0;
};

TEST_F(CompanionModuleTest, MissingModuleFailsOnlyTheKindsThatNeedIt) {
    module_setting = kMissing;
    CompanionModule module(fake_lookup);
    for (int kind : {GPLOT_SCREEN, GPLOT_HPGL2, GPLOT_CLIPBOARD})
        EXPECT_TRUE(module.load(kind)) << kind;
    // Nothing was initialised, so a second print load tries (and fails) again.
    for (int kind : {GPLOT_PRINT, GPLOT_PRINT, GPLOT_FILE}) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(module.load(kind));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Unable to load DLL " + kMissing + "\n");
    }
    EXPECT_FALSE(module.loaded());
}

TEST_F(CompanionModuleTest, PrintInitialisesOnceFileEveryTimeWithThePrintTable) {
    CompanionModule module(fake_lookup);
    EXPECT_TRUE(module.load(GPLOT_PRINT));
    EXPECT_TRUE(module.load(GPLOT_PRINT));
    EXPECT_EQ(new_calls(), 1);
    EXPECT_TRUE(module.load(GPLOT_FILE));
    EXPECT_TRUE(module.load(GPLOT_FILE));
    EXPECT_EQ(new_calls(), 3);
    EXPECT_EQ(entry<void *(*)()>("test_module_last_table")(), static_cast<void *>(getPrintTable()));
}

TEST_F(CompanionModuleTest, UnloadKeepsPrintInitialised) {
    static int first_loads;
    first_loads = 0;
    CompanionModule module(fake_lookup);
    module.on_first_load = [] { ++first_loads; };
    ASSERT_TRUE(module.load(GPLOT_PRINT));
    module.unload();
    EXPECT_FALSE(module.loaded());
    EXPECT_TRUE(module.load(GPLOT_PRINT)); // initialised before: not loaded again
    EXPECT_FALSE(module.loaded());
    EXPECT_TRUE(module.load(7)); // other kinds load without initialising printing
    EXPECT_TRUE(module.loaded());
    EXPECT_EQ(new_calls(), 1);
    EXPECT_EQ(first_loads, 1);
}

} // namespace
