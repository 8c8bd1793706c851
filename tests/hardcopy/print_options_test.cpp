// The print options as applications read and set them without a dialog:
// the state before any dialog, the one selector that does more
// than read a field, and the one buffer the file-name getters share. The
// other setters only store a field and are not tested one by one.
#include <gtest/gtest.h>

#include <string>

#include "hardcopy/print_options.h"
#include "plot/gplot.h"

namespace {

// Each test starts from the options as they are before any dialog and puts
// the process's options back afterwards.
class PrintOptionsTest : public ::testing::Test {
  protected:
    void SetUp() override { vexl::print_options() = vexl::PrintOptions{}; }
    void TearDown() override { vexl::print_options() = saved_; }

  private:
    const vexl::PrintOptions saved_ = vexl::print_options();
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

// The HP-GL/2 form is chosen by the file type alone, whatever else is set.
TEST_F(PrintOptionsTest, HpglFormFollowsTheFileType) {
    vexl::print_options().fileType = vexl::PrintFileType::Hpgl2;
    EXPECT_EQ(printToHPGL2Selected(), 1);
    vexl::print_options().fileType = vexl::PrintFileType::Wmf;
    EXPECT_EQ(printToHPGL2Selected(), 0);
}

TEST_F(PrintOptionsTest, FileNameIsKeptWholeAndHandedOutThroughOneBuffer) {
    std::string name(5000, 'n');
    gprint_set_printtofile_filename(name.c_str());
    name[0] = 'X'; // the library keeps its own copy
    EXPECT_EQ(vexl::print_options().printToFileName, std::string(5000, 'n'));
    const char *got = gprint_get_printtofile_filename();
    EXPECT_EQ(std::string(got), std::string(vexl::kPrintFileNameBufferSize - 1, 'n'));
    vexl_printdlg_set_printtofile_filename("second.wmf");
    EXPECT_STREQ(vexl_printdlg_get_printtofile_filename(), "second.wmf");
    EXPECT_STREQ(got, "second.wmf") << "the getters share one buffer";
    gprint_set_printtofile_filename(nullptr);
    EXPECT_STREQ(gprint_get_printtofile_filename(), "");
}

} // namespace
