// The guarded print calls. The companion module is handed the table and may
// call back through it while one of its operations runs, so the table's
// entries are replaced here by operations that call back in exactly that
// way; each records what it was asked and what the inner calls gave.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hardcopy/print_options.h"
#include "plot/gplot.h"

namespace {

struct Trace {
    std::vector<std::string> ran;
    std::vector<int> inner_results;
};
Trace trace;

int file_calling_back(int32_t kind, const char *, void *) {
    trace.ran.push_back("file " + std::to_string(kind));
    trace.inner_results.push_back(gprint_printFile(kind, "inner", nullptr));
    return 7;
}

int file_dialog_calling_back(int32_t kind, const char *path, void *window) {
    trace.ran.push_back("file dialog " + std::to_string(kind));
    trace.inner_results.push_back(gprint_printFileDialog(kind, path, window));
    trace.inner_results.push_back(gprint_printSetupDialog(kind, window));
    // Printing has a guard of its own: the dialog hands its file on.
    trace.inner_results.push_back(gprint_printFile(kind, path, window));
    return 8;
}

int setup_dialog_calling_back(int32_t kind, void *window) {
    trace.ran.push_back("setup dialog " + std::to_string(kind));
    trace.inner_results.push_back(gprint_printFileDialog(kind, "inner", window));
    trace.inner_results.push_back(gprint_printSetupDialog(kind, window));
    return 9;
}

class PrintCallsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        trace = {};
        *getPrintTable() = {file_calling_back, file_dialog_calling_back, setup_dialog_calling_back};
    }
    void TearDown() override {
        *getPrintTable() = saved_table_;
        vexl::print_options() = saved_options_;
    }

  private:
    const GPrintOp saved_table_ = *getPrintTable();
    const vexl::PrintOptions saved_options_ = vexl::print_options();
};

TEST_F(PrintCallsTest, PrintFileRefusesToRunInsideItself) {
    EXPECT_EQ(gprint_printFile(1, "outer", nullptr), 7);
    EXPECT_EQ(trace.ran, std::vector<std::string>{"file 1"});
    EXPECT_EQ(trace.inner_results, std::vector<int>{0});
    // The guard is free again once the call is over.
    EXPECT_EQ(gprint_printFile(0, "again", nullptr), 7);
}

TEST_F(PrintCallsTest, TheTwoDialogsShareOneGuard) {
    EXPECT_EQ(gprint_printFileDialog(1, "outer", nullptr), 8);
    EXPECT_EQ(trace.ran, (std::vector<std::string>{"file dialog 1", "file 1"}));
    // Both dialogs refused; printing ran, and refused its own nested call.
    EXPECT_EQ(trace.inner_results, (std::vector<int>{0, 0, 0, 7}));

    trace = {};
    EXPECT_EQ(gprint_printSetupDialog(0, nullptr), 9);
    EXPECT_EQ(trace.ran, std::vector<std::string>{"setup dialog 0"});
    EXPECT_EQ(trace.inner_results, (std::vector<int>{0, 0}));
}

TEST_F(PrintCallsTest, PrintCallsRecordTheContentKindTheSetupDialogDoesNot) {
    vexl::print_options().contentKind = 5;
    gprint_printSetupDialog(1, nullptr);
    EXPECT_EQ(vexl::print_options().contentKind, 5);
    gprint_printFileDialog(1, "outer", nullptr);
    EXPECT_EQ(vexl::print_options().contentKind, 1);
    gprint_printFile(0, "outer", nullptr);
    EXPECT_EQ(vexl::print_options().contentKind, 0);
}

// A refused call must not record its content kind: the running call's
// output is described by it.
TEST_F(PrintCallsTest, RefusedCallLeavesTheContentKind) {
    getPrintTable()->print_file = [](int32_t, const char *, void *) {
        gprint_printFile(1, "inner", nullptr);
        return vexl::print_options().contentKind;
    };
    EXPECT_EQ(gprint_printFile(0, "outer", nullptr), 0);
}

} // namespace
