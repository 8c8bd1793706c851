// The print options as applications read and set them without a dialog.
#include <gtest/gtest.h>

#include <string>

#include "hardcopy/print_options.h"
#include "plot/gplot.h"

namespace {

// Each test starts from the options as they are before any dialog and puts
// the process's options back afterwards.
class PrintOptionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = vexl::print_options();
        vexl::print_options() = vexl::PrintOptions{};
    }
    void TearDown() override { vexl::print_options() = saved_; }

  private:
    vexl::PrintOptions saved_;
};

TEST_F(PrintOptionsTest, EverySelectorIsOffBeforeTheFirstDialog) {
    EXPECT_EQ(getPrintStatus(), 0);
    EXPECT_EQ(printToFileSelected(), 0);
    EXPECT_EQ(printToHPGL2Selected(), 0);
    EXPECT_EQ(copyToClipboardSelected(), 0);
    EXPECT_EQ(colorOutputSelected(), 0);
    EXPECT_EQ(scaleToFitPageSelected(), 0);
    EXPECT_EQ(preserveBkgColorSelected(), 0);
    EXPECT_EQ(AldusPlaceableSelected(), 0);
    EXPECT_EQ(fileType(), 0);
    EXPECT_STREQ(gprint_get_printtofile_filename(), "");
    EXPECT_EQ(gxwin_printtofile_using_screenshot_method(), 0);
}

TEST_F(PrintOptionsTest, HpglIsSelectedByTheFileTypeAlone) {
    vexl::print_options().fileType = vexl::PrintFileType::Hpgl2;
    EXPECT_EQ(printToHPGL2Selected(), 1);
    EXPECT_EQ(fileType(), 2);
    vexl::print_options().printToFile = 1;
    EXPECT_EQ(printToFileSelected(), 1);
    EXPECT_EQ(gprint_get_printtofile_status(), 1);
    EXPECT_EQ(vexl_printdlg_get_printtofile_status(), 1);
    vexl::print_options().fileType = vexl::PrintFileType::Wmf;
    EXPECT_EQ(printToHPGL2Selected(), 0);
}

TEST_F(PrintOptionsTest, SettersStoreAndAnswer) {
    setPrintStatus(1);
    EXPECT_EQ(getPrintStatus(), 1);
    setScaleToFitPage(1);
    EXPECT_EQ(scaleToFitPageSelected(), 1);
    EXPECT_EQ(setCopyToClipboardActive(7), 7);
    EXPECT_EQ(vexl::print_options().copyToClipboardActive, 7);
    EXPECT_EQ(vexl::print_options().clipboardSwitchSet, 0);
    EXPECT_EQ(gprint_enable_copy_to_clipboard(0), 0);
    EXPECT_EQ(vexl::print_options().copyToClipboardActive, 0);
    EXPECT_EQ(vexl::print_options().clipboardSwitchSet, 1);
}

TEST_F(PrintOptionsTest, FileNameIsCopiedInAndOut) {
    std::string name = "plot.emf";
    gprint_set_printtofile_filename(name.c_str());
    name[0] = 'X'; // the library keeps its own copy
    const char *got = gprint_get_printtofile_filename();
    EXPECT_STREQ(got, "plot.emf");
    vexl_printdlg_set_printtofile_filename("second.wmf");
    // The getters share one buffer; an earlier pointer sees the new name.
    EXPECT_STREQ(vexl_printdlg_get_printtofile_filename(), "second.wmf");
    EXPECT_STREQ(got, "second.wmf");
    gprint_set_printtofile_filename(nullptr);
    EXPECT_STREQ(gprint_get_printtofile_filename(), "");
}

TEST_F(PrintOptionsTest, NameLongerThanTheBufferIsKeptWholeAndHandedOutCut) {
    const std::string name(5000, 'n');
    gprint_set_printtofile_filename(name.c_str());
    EXPECT_EQ(vexl::print_options().printToFileName, name);
    EXPECT_EQ(std::string(gprint_get_printtofile_filename()),
              name.substr(0, vexl::kPrintFileNameBufferSize - 1));
}

} // namespace
