// The print-to-file dialogs under Windows, shown for real and worked by a
// scripted user (dialog_user_win32.h): the name the loop settles on, the
// overwrite question, cancelling, and the hook keeping the option boxes and
// the print options in step. Each test makes dialogs of its own, set up as
// the process's first use would, so no test depends on another's choices.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "dialog_user_win32.h"
#include "hardcopy/dialog_ids.h"
#include "hardcopy/print_options.h"
#include "hardcopy/save_dialog_win32.h"
#include "plot/gplot.h"
#include "plot/gplot_win32.h"
#include "support/temp_dir.h"

namespace {

using vexl::PrintFileType;
using vexl::SaveContent;
using vexl::SaveDialog;
using vexl::test::DialogUser;

constexpr const char *kSaveTitle = "Print to File";
constexpr const char *kQuestionTitle = "Save to file";
constexpr int kEmf = 0, kHpgl = 1, kWmf = 2; // entries of the file-type box

class SaveDialogTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { module_ = LoadLibraryA("vexl"); }
    static void TearDownTestSuite() {
        if (module_ != nullptr)
            FreeLibrary(module_);
    }
    void SetUp() override {
        ASSERT_NE(module_, nullptr) << "the companion module vexl.dll is not beside the tests";
        vexl::print_options() = vexl::PrintOptions{};
    }
    void TearDown() override { vexl::print_options() = saved_; }

    // Runs the dialog against the script; fails the test when the script
    // could not finish in time.
    int run(SaveDialog &dialog, DialogUser::Script script) {
        return vexl::test::run_with_user(std::move(script), [&] { return dialog.run(nullptr); });
    }

    // Chooses a file type, types a name and presses OK.
    int save_as(SaveDialog &dialog, int type, const std::string &name) {
        return run(dialog, [&](DialogUser &user) {
            HWND box = user.wait_for(kSaveTitle);
            user.choose_file_type(box, type);
            user.type_file_name(box, name);
            user.press(box, IDOK);
        });
    }

    vexl::test::TempDir dir_;

  private:
    static HMODULE module_;
    const vexl::PrintOptions saved_ = vexl::print_options();
};
HMODULE SaveDialogTest::module_ = nullptr;

TEST_F(SaveDialogTest, NameWithoutDotGetsTheExtensionOfTheChosenType) {
    SaveDialog dialog(SaveContent::Graphics, vexl::windows_major_version());
    const std::string typed = dir_.file("sheet");
    EXPECT_EQ(save_as(dialog, kWmf, typed), 3);
    EXPECT_EQ(getPrintStatus(), 1);
    EXPECT_EQ(fileType(), 3);
    EXPECT_EQ(std::string(gprint_get_printtofile_filename()), typed + ".wmf");
    // Next time the dialog opens on the same type with a matching file box.
    EXPECT_STREQ(dialog.file_box(), "*.wmf");
    EXPECT_EQ(dialog.filter_index(), 3u);
}

TEST_F(SaveDialogTest, DotInAFolderKeepsTheNameAsTyped) {
    CreateDirectoryA(dir_.file("plots.d").c_str(), nullptr);
    SaveDialog dialog(SaveContent::Graphics, vexl::windows_major_version());
    const std::string typed = dir_.file("plots.d\\sheet");
    EXPECT_EQ(save_as(dialog, kHpgl, typed), 2);
    EXPECT_EQ(fileType(), 2);
    EXPECT_TRUE(printToHPGL2Selected());
    EXPECT_EQ(std::string(gprint_get_printtofile_filename()), typed);
}

// The question names the file with the extension the loop added; No shows
// the dialog again, and cancelling that ends with nothing chosen. The file
// is left alone throughout.
TEST_F(SaveDialogTest, DecliningToOverwriteAsksAgainAndCancelEndsIt) {
    const std::string existing = dir_.write("old.emf", "kept");
    gprint_set_printtofile_filename("earlier.emf");
    SaveDialog dialog(SaveContent::Graphics, vexl::windows_major_version());
    std::string question;
    bool asked_again = false;
    const int result = run(dialog, [&](DialogUser &user) {
        HWND box = user.wait_for(kSaveTitle);
        user.type_file_name(box, dir_.file("old"));
        user.press(box, IDOK);
        HWND ask = user.wait_for(kQuestionTitle);
        question = DialogUser::text_of(ask);
        user.press(ask, IDNO);
        user.wait_closed(ask);
        HWND again = user.wait_for(kSaveTitle);
        asked_again = true;
        user.press(again, IDCANCEL);
    });
    EXPECT_EQ(question, "Do you want to overwrite old.emf ?");
    EXPECT_TRUE(asked_again);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(getPrintStatus(), 0);
    EXPECT_EQ(vexl::test::TempDir::read(existing), "kept");
}

TEST_F(SaveDialogTest, AgreeingToOverwriteAcceptsTheFile) {
    const std::string existing = dir_.write("old.hgl", "kept");
    SaveDialog dialog(SaveContent::Graphics, vexl::windows_major_version());
    const int result = run(dialog, [&](DialogUser &user) {
        HWND box = user.wait_for(kSaveTitle);
        user.type_file_name(box, existing);
        user.press(box, IDOK);
        HWND ask = user.wait_for(kQuestionTitle);
        if (DialogUser::text_of(ask) != "Do you want to overwrite old.hgl ?")
            user.complain("asked: " + DialogUser::text_of(ask));
        user.press(ask, IDYES);
    });
    // The typed extension decides nothing: the chosen type is EMF.
    EXPECT_EQ(result, 1);
    EXPECT_EQ(getPrintStatus(), 1);
    EXPECT_EQ(std::string(gprint_get_printtofile_filename()), existing);
}

// The two boxes show the options, a click changes the option with the
// check, and the Aldus box is offered for the WMF type only.
TEST_F(SaveDialogTest, HookKeepsTheBoxesAndOptionsInStep) {
    vexl::print_options().aldusPlaceable = 1;
    SaveDialog dialog(SaveContent::Graphics, vexl::windows_major_version());
    struct Seen {
        bool background, aldus, aldus_enabled;
    };
    Seen opened{}, clicked{}, wmf{}, hpgl{}, wmf_again{};
    run(dialog, [&](DialogUser &user) {
        HWND box = user.wait_for(kSaveTitle);
        const auto look = [&] {
            return Seen{user.checked(box, VEXL_PRESERVE_BACKGROUND_BOX),
                        user.checked(box, VEXL_ALDUS_PLACEABLE_BOX),
                        user.enabled(box, VEXL_ALDUS_PLACEABLE_BOX)};
        };
        opened = look();
        user.click(box, VEXL_PRESERVE_BACKGROUND_BOX);
        clicked = look();
        user.choose_file_type(box, kWmf);
        wmf = look();
        user.click(box, VEXL_ALDUS_PLACEABLE_BOX);
        user.choose_file_type(box, kHpgl);
        hpgl = look();
        user.choose_file_type(box, kWmf);
        wmf_again = look();
        user.press(box, IDCANCEL);
    });
    EXPECT_FALSE(opened.background);
    EXPECT_TRUE(opened.aldus);
    EXPECT_FALSE(opened.aldus_enabled) << "the dialog opens on EMF";
    EXPECT_TRUE(clicked.background);
    EXPECT_TRUE(wmf.aldus_enabled);
    EXPECT_FALSE(hpgl.aldus) << "unchecked by the click while WMF was chosen";
    EXPECT_FALSE(hpgl.aldus_enabled);
    EXPECT_TRUE(wmf_again.aldus_enabled);
    // The boxes set the options at once; cancelling the file does not undo them.
    EXPECT_EQ(preserveBkgColorSelected(), 1);
    EXPECT_EQ(AldusPlaceableSelected(), 0);
    EXPECT_EQ(getPrintStatus(), 0);
}

// A dialog cancelled while WMF was chosen: the hook remembered WMF as the
// current type, so on the next showing the Aldus box was wrong until the
// type changed twice (the system may reopen on WMF or on the type before).
TEST_F(SaveDialogTest, AldusBoxAfterACancelledWmfChoice) {
    SaveDialog dialog(SaveContent::Graphics, vexl::windows_major_version());
    run(dialog, [&](DialogUser &user) {
        HWND box = user.wait_for(kSaveTitle);
        user.choose_file_type(box, kWmf);
        user.press(box, IDCANCEL);
    });
    bool opened_on_wmf = false, opened_enabled = false, wmf_enabled = false;
    run(dialog, [&](DialogUser &user) {
        HWND box = user.wait_for(kSaveTitle);
        char shown[64] = {};
        GetWindowTextA(DialogUser::control(box, 1136), shown, sizeof shown);
        opened_on_wmf = shown[0] == 'W';
        opened_enabled = user.enabled(box, VEXL_ALDUS_PLACEABLE_BOX);
        user.choose_file_type(box, opened_on_wmf ? kEmf : kWmf);
        user.choose_file_type(box, kWmf);
        wmf_enabled = user.enabled(box, VEXL_ALDUS_PLACEABLE_BOX);
        user.press(box, IDCANCEL);
    });
    EXPECT_EQ(opened_enabled, opened_on_wmf);
    EXPECT_TRUE(wmf_enabled);
}

// A dialog that opens on WMF offers the Aldus box even when the last file
// written was of another kind (here a text file).
TEST_F(SaveDialogTest, AldusBoxWhenOpeningOnWmfAfterATextFile) {
    SaveDialog dialog(SaveContent::Graphics, vexl::windows_major_version());
    save_as(dialog, kWmf, dir_.file("first"));
    vexl::print_options().fileType = PrintFileType::EmfOrText;
    bool opened_enabled = false;
    run(dialog, [&](DialogUser &user) {
        HWND box = user.wait_for(kSaveTitle);
        opened_enabled = user.enabled(box, VEXL_ALDUS_PLACEABLE_BOX);
        user.press(box, IDCANCEL);
    });
    EXPECT_EQ(dialog.filter_index(), 3u);
    EXPECT_TRUE(opened_enabled);
}

// Without the companion module there is no template: the dialog shows
// without the two boxes rather than not at all. Once the module is loaded
// the boxes appear; they never did when the module was looked for only at
// the first showing.
TEST_F(SaveDialogTest, BoxesAppearOnceTheModuleIsLoaded) {
    char shipped[MAX_PATH] = {};
    GetModuleFileNameA(GetModuleHandleA("vexl"), shipped, sizeof shipped);
    const std::string late = dir_.file("vexl_late.dll");
    ASSERT_TRUE(CopyFileA(shipped, late.c_str(), FALSE));
    SaveDialog dialog(SaveContent::Graphics, vexl::windows_major_version(),
                      [] { return GetModuleHandleA("vexl_late"); });
    const std::string typed = dir_.file("plain");
    bool boxes_before = true, boxes_after = false;
    const int result = run(dialog, [&](DialogUser &user) {
        HWND box = user.wait_for(kSaveTitle);
        boxes_before = DialogUser::control(box, VEXL_ALDUS_PLACEABLE_BOX) != nullptr;
        user.type_file_name(box, typed);
        user.press(box, IDOK);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(std::string(gprint_get_printtofile_filename()), typed + ".emf");

    HMODULE module = LoadLibraryA(late.c_str());
    ASSERT_NE(module, nullptr);
    run(dialog, [&](DialogUser &user) {
        HWND box = user.wait_for(kSaveTitle);
        boxes_after = DialogUser::control(box, VEXL_ALDUS_PLACEABLE_BOX) != nullptr;
        user.press(box, IDCANCEL);
    });
    FreeLibrary(module);
    EXPECT_FALSE(boxes_before);
    EXPECT_TRUE(boxes_after);
}

// The question names the file that would be replaced: a name kept as typed
// (its folder has a dot) is asked about without an extension.
TEST_F(SaveDialogTest, OverwriteQuestionForANameKeptAsTyped) {
    CreateDirectoryA(dir_.file("plots.d").c_str(), nullptr);
    const std::string existing = dir_.write("plots.d\\sheet", "kept");
    SaveDialog dialog(SaveContent::Graphics, vexl::windows_major_version());
    std::string question;
    run(dialog, [&](DialogUser &user) {
        HWND box = user.wait_for(kSaveTitle);
        user.type_file_name(box, existing);
        user.press(box, IDOK);
        HWND ask = user.wait_for(kQuestionTitle);
        question = DialogUser::text_of(ask);
        user.press(ask, IDYES);
    });
    EXPECT_EQ(question, "Do you want to overwrite sheet ?");
    EXPECT_EQ(std::string(gprint_get_printtofile_filename()), existing);
}

// The old-style dialog of Windows 3 tells the hook of a type change only as
// a command; the hook reads the dialog's own type box.
TEST_F(SaveDialogTest, OldStyleDialogFollowsTheTypeBoxToo) {
    SaveDialog dialog(SaveContent::Graphics, 3);
    bool emf_enabled = true, wmf_enabled = false, background = false;
    const std::string typed = dir_.file("old");
    const int result = run(dialog, [&](DialogUser &user) {
        HWND box = user.wait_for(kSaveTitle);
        emf_enabled = user.enabled(box, VEXL_ALDUS_PLACEABLE_BOX);
        user.choose_file_type(box, kWmf);
        wmf_enabled = user.enabled(box, VEXL_ALDUS_PLACEABLE_BOX);
        user.click(box, VEXL_PRESERVE_BACKGROUND_BOX);
        background = user.checked(box, VEXL_PRESERVE_BACKGROUND_BOX);
        user.type_file_name(box, typed);
        user.press(box, IDOK);
    });
    EXPECT_FALSE(emf_enabled);
    EXPECT_TRUE(wmf_enabled);
    EXPECT_TRUE(background);
    EXPECT_EQ(preserveBkgColorSelected(), 1);
    EXPECT_EQ(result, 3);
    EXPECT_EQ(std::string(gprint_get_printtofile_filename()), typed + ".wmf");
}

} // namespace
