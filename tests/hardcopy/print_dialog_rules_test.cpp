// The print dialog's rules without a window system: which flags each kind of
// dialog asks for, what the first dialog sets, and the boxes' rules where the
// real dialog (print_dialog_win32_test.cpp) cannot easily reach: the
// clipboard taking over from a file, and options left by an earlier dialog.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "hardcopy/dialog_ids.h"
#include "hardcopy/print_dialog_rules.h"
#include "hardcopy/print_options.h"

namespace {

using vexl::PrintOptions;

// Boxes that remember what the rules did to them; a click toggles the check
// first, as a real check box does.
class Boxes : public vexl::PrintDialogBoxes {
  public:
    void set_checked(int box, bool checked) override { checked_[box] = checked; }
    void set_enabled(int box, bool enabled) override { enabled_[box] = enabled; }
    bool checked(int box) const override {
        auto found = checked_.find(box);
        return found != checked_.end() && found->second;
    }
    bool enabled(int box) const {
        auto found = enabled_.find(box);
        return found == enabled_.end() || found->second;
    }
    bool click(PrintOptions &options, int box) {
        checked_[box] = !checked(box);
        return vexl::print_option_clicked(options, *this, box);
    }

  private:
    std::map<int, bool> checked_, enabled_;
};

TEST(PrintDialogRules, FlagsByKind) {
    EXPECT_EQ(vexl::print_dialog_flags(0, false), 0x500u);
    EXPECT_EQ(vexl::print_dialog_flags(1, true), 0x4510Cu);
    EXPECT_EQ(vexl::print_dialog_flags(2, true), 0x14010Cu);
    EXPECT_EQ(vexl::print_dialog_flags(3, false), 0x14Cu);
    // Without its template the library's dialog keeps the previous flags, as
    // does a kind nobody knows.
    EXPECT_EQ(vexl::print_dialog_flags(1, false), std::nullopt);
    EXPECT_EQ(vexl::print_dialog_flags(4, true), std::nullopt);
    EXPECT_EQ(vexl::print_dialog_flags(-1, true), std::nullopt);
}

TEST(PrintDialogRules, FirstDialogSetsTheDefaultsAndForgetsTheFileName) {
    PrintOptions options;
    options.printToFile = options.colorOutput = options.printStatus = 1;
    options.fileType = vexl::PrintFileType::Wmf;
    options.printToFileName = "old.wmf";
    options.contentKind = 1;
    vexl::set_first_print_dialog_options(options);
    // The content kind is the call's own argument.
    EXPECT_EQ((std::vector<int>{options.printStatus, options.printToFile, options.colorOutput,
                                options.scaleToFitPage, options.aldusPlaceable,
                                options.preserveBkgColor, options.colorChoiceEnabled,
                                options.contentKind, options.copyToClipboardActive}),
              (std::vector<int>{0, 0, 0, 1, 1, 0, 1, 1, 1}));
    EXPECT_EQ(options.fileType, vexl::PrintFileType::None);
    EXPECT_EQ(options.printToFileName, "");
}

// An application that switched copy to clipboard on before its first dialog
// used to find it switched off by that dialog; the switch now holds either
// way.
TEST(PrintDialogRules, ClipboardSwitchBeforeTheFirstDialogHolds) {
    for (int value : {0, 1}) {
        PrintOptions options;
        options.copyToClipboardActive = value;
        options.clipboardSwitchSet = 1;
        vexl::set_first_print_dialog_options(options);
        EXPECT_EQ(options.copyToClipboardActive, value);
        EXPECT_EQ(options.clipboardSwitchSet, 1);
    }
}

TEST(PrintDialogRules, ClipboardTakesOverFromAFileAndGivesTheColourBack) {
    PrintOptions options;
    vexl::set_first_print_dialog_options(options);
    options.colorOutput = 1;
    Boxes boxes;
    vexl::show_print_options(options, boxes);
    ASSERT_TRUE(boxes.click(options, VEXL_PRINT_TO_FILE_BOX));
    ASSERT_TRUE(boxes.click(options, VEXL_COPY_TO_CLIPBOARD_BOX));
    EXPECT_EQ(options.copyToClipboard, 1);
    EXPECT_EQ(options.printToFile, 0);
    EXPECT_FALSE(boxes.checked(VEXL_PRINT_TO_FILE_BOX));
    EXPECT_FALSE(boxes.enabled(VEXL_COLOUR_BOX));
    ASSERT_TRUE(boxes.click(options, VEXL_COPY_TO_CLIPBOARD_BOX));
    EXPECT_EQ(options.copyToClipboard, 0);
    EXPECT_TRUE(boxes.enabled(VEXL_COLOUR_BOX));
    EXPECT_TRUE(boxes.checked(VEXL_COLOUR_BOX));
    EXPECT_EQ(options.colorChoiceEnabled, 1);
    EXPECT_EQ(options.colorOutput, 1); // kept under the forced check all along
}

// A dialog opened after one that chose a file shows that choice with the
// colour box forced, and a box that is not the library's is left alone.
TEST(PrintDialogRules, ReopenedDialogShowsTheEarlierDestination) {
    PrintOptions options;
    vexl::set_first_print_dialog_options(options);
    Boxes first;
    vexl::show_print_options(options, first);
    ASSERT_TRUE(first.click(options, VEXL_PRINT_TO_FILE_BOX));

    Boxes again;
    vexl::show_print_options(options, again);
    EXPECT_TRUE(again.checked(VEXL_PRINT_TO_FILE_BOX));
    EXPECT_TRUE(again.checked(VEXL_COLOUR_BOX));
    EXPECT_FALSE(again.enabled(VEXL_COLOUR_BOX));
    EXPECT_EQ(options.colorOutput, 0);
    EXPECT_FALSE(again.click(options, 1040));
}

} // namespace
