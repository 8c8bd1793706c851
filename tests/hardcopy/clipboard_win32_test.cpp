// Text files, metafiles and clipboard plots onto the real clipboard, read
// back through the clipboard's own calls. Each failure must tell the user
// (on the error stream here) and leave the clipboard as it was, which the
// tests show by putting a known text there first.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "devices/gdi_device_win32.h"
#include "devices/gdi_window_win32.h"
#include "export_fixtures_win32.h"
#include "hardcopy/print_options.h"
#include "hardcopy/saved_print_options.h"
#include "plot/gplot.h"
#include "plot/gplot_win32.h"
#include "support/temp_dir.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;
using vexl::test::clipboard_metafile_bits;
using vexl::test::clipboard_text_block;
using vexl::test::ClipboardHolder;
using vexl::test::Deadline;
using vexl::test::put_clipboard_text;

const std::string kBefore = "on the clipboard before";

class ClipboardExport : public ::testing::Test {
  protected:
    void SetUp() override { put_clipboard_text(kBefore); }
    void expect_clipboard_unchanged() const {
        EXPECT_EQ(clipboard_text_block(), kBefore + '\0');
        EXPECT_FALSE(clipboard_metafile_bits().has_value());
    }

    Deadline deadline_{60, "a clipboard export"};
    vexl::test::TempDir dir_;
};

// ---- Text --------------------------------------------------------------------------

TEST_F(ClipboardExport, TextFileGoesOnAsItsBytesAndAClosingNul) {
    // Read as bytes: a text-mode read would fold the CR LF and stop at the
    // Ctrl-Z.
    const std::string text = "first line\r\nsecond\tline\n\x1A after the end mark\n";
    const std::string path = dir_.write("notes.txt", text);
    EXPECT_EQ(TEXTtoClipBoard(nullptr, 0, path.c_str()), 0);
    EXPECT_EQ(clipboard_text_block(), text + '\0');
    EXPECT_EQ(vexl::test::TempDir::read(path), text);
}

TEST_F(ClipboardExport, EmptyTextFileGivesOneNulByte) {
    const std::string path = dir_.write("empty.txt", "");
    EXPECT_EQ(TEXTtoClipBoard(nullptr, 0, path.c_str()), 0);
    EXPECT_EQ(clipboard_text_block(), std::string(1, '\0'));
}

TEST_F(ClipboardExport, MissingTextFileIsToldAndChangesNothing) {
    CaptureStderr();
    EXPECT_EQ(TEXTtoClipBoard(nullptr, 0, dir_.file("absent.txt").c_str()), 0);
    EXPECT_EQ(TEXTtoClipBoard(nullptr, 0, nullptr), 0);
    EXPECT_EQ(GetCapturedStderr(), "TEXT file open error\nTEXT file open error\n");
    expect_clipboard_unchanged();
}

TEST_F(ClipboardExport, BusyClipboardTakesNoText) {
    const std::string path = dir_.write("notes.txt", "never posted");
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.holding());
        CaptureStderr();
        EXPECT_EQ(TEXTtoClipBoard(nullptr, 0, path.c_str()), 0);
        EXPECT_EQ(GetCapturedStderr(), "TEXT open clipboard error\n");
    }
    expect_clipboard_unchanged();
    EXPECT_EQ(vexl::test::TempDir::read(path), "never posted");
}

// ---- Enhanced metafiles ------------------------------------------------------------

TEST_F(ClipboardExport, MetafileGoesOnWithEveryRecord) {
    const std::string path = dir_.file("shapes.emf");
    vexl::test::record_known_shapes(path);
    HENHMETAFILE source = GetEnhMetaFileA(path.c_str());
    ASSERT_NE(source, nullptr);
    const std::vector<unsigned char> bits = vexl::test::metafile_bits(source);
    const std::vector<DWORD> types = vexl::test::record_types(source);
    DeleteEnhMetaFile(source);
    EXPECT_NE(std::find(types.begin(), types.end(), DWORD{EMR_ELLIPSE}), types.end());

    EXPECT_NE(EMFtoClipBoard(nullptr, 0, path.c_str()), 0);
    EXPECT_EQ(clipboard_metafile_bits(), bits);
    // The file is the caller's to remove, and it is still whole.
    ASSERT_TRUE(std::filesystem::exists(path));
    HENHMETAFILE again = GetEnhMetaFileA(path.c_str());
    EXPECT_EQ(vexl::test::metafile_bits(again), bits);
    DeleteEnhMetaFile(again);
}

TEST_F(ClipboardExport, MissingOrForeignMetafileIsToldAndGivesZero) {
    const std::string text = dir_.write("not-a-metafile.emf", "plain words, no records");
    CaptureStderr();
    EXPECT_EQ(EMFtoClipBoard(nullptr, 0, dir_.file("absent.emf").c_str()), 0);
    EXPECT_EQ(EMFtoClipBoard(nullptr, 0, text.c_str()), 0);
    EXPECT_EQ(EMFtoClipBoard(nullptr, 0, nullptr), 0);
    EXPECT_EQ(GetCapturedStderr(),
              "EMF file open error\nEMF file open error\nEMF file open error\n");
    expect_clipboard_unchanged();
}

TEST_F(ClipboardExport, BusyClipboardTakesNoMetafileAndKeepsNoHandle) {
    const std::string path = dir_.file("shapes.emf");
    vexl::test::record_known_shapes(path);
    EXPECT_NE(EMFtoClipBoard(nullptr, 0, path.c_str()), 0); // GDI's first use
    put_clipboard_text(kBefore);
    const unsigned high_water = vexl::test::gdi_handle_high_water();
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.holding());
        CaptureStderr();
        // The file was opened, so the result is that of giving it back.
        EXPECT_NE(EMFtoClipBoard(nullptr, 0, path.c_str()), 0);
        EXPECT_EQ(GetCapturedStderr(), "EMF open clipboard error\n");
    }
    EXPECT_EQ(vexl::test::gdi_handle_high_water(), high_water);
    expect_clipboard_unchanged();
}

// ---- Clipboard plots ---------------------------------------------------------------

class ClipboardPlot : public ClipboardExport {
  protected:
    void SetUp() override {
        ClipboardExport::SetUp();
        vexl::print_options() = vexl::PrintOptions{};
        plot_ = gplot_open_clipboard(nullptr);
        ASSERT_NE(plot_, nullptr) << "code " << GplotErrno;
        file_ = static_cast<GXWINwin32 *>(plot_->device)->fileName;
    }
    void draw() {
        const int32_t world[4] = {0, 0, 500, 500};
        ASSERT_EQ(gplot_set_world(plot_, world), 1);
        int32_t rect[4] = {100, 100, 400, 400};
        ASSERT_EQ(gplot_draw_rectangle_world(plot_, rect), 1);
    }

    vexl::test::TestWindow &window_ = vexl::test::TestWindow::shared(120, 90);
    vexl::test::SavedPrintOptions saved_;
    GPlot *plot_ = nullptr;
    std::string file_;
};

// A closed clipboard plot once left its drawing in its temporary file and
// the clipboard as it was.
TEST_F(ClipboardPlot, ClosedPlotPostsItsDrawingAndRemovesItsFile) {
    draw();
    ASSERT_EQ(gplot_close(plot_), 1);
    EXPECT_FALSE(std::filesystem::exists(file_));
    const std::optional<std::vector<unsigned char>> bits = clipboard_metafile_bits();
    ASSERT_TRUE(bits.has_value());
    HENHMETAFILE posted = SetEnhMetaFileBits(static_cast<UINT>(bits->size()), bits->data());
    ASSERT_NE(posted, nullptr);
    const std::vector<DWORD> types = vexl::test::record_types(posted);
    DeleteEnhMetaFile(posted);
    EXPECT_NE(std::find(types.begin(), types.end(), DWORD{EMR_RECTANGLE}), types.end());
}

TEST_F(ClipboardPlot, KeptFileStaysAndIsNotPosted) {
    draw();
    plot_->keep_clipboard_file = 1;
    ASSERT_EQ(gplot_close(plot_), 1);
    ASSERT_TRUE(std::filesystem::exists(file_));
    expect_clipboard_unchanged();
    HENHMETAFILE kept = GetEnhMetaFileA(file_.c_str());
    EXPECT_NE(kept, nullptr);
    DeleteEnhMetaFile(kept);
    std::filesystem::remove(file_);
}

TEST_F(ClipboardPlot, PlotWithoutAWorldPostsNothingAndRemovesItsFile) {
    ASSERT_EQ(gplot_close(plot_), 1);
    EXPECT_FALSE(std::filesystem::exists(file_));
    expect_clipboard_unchanged();
}

TEST_F(ClipboardPlot, SavingTheClipboardToAFileDoesNothingAndSucceeds) {
    draw();
    const std::string copy = dir_.file("copy.emf");
    EXPECT_EQ(gplot_save_clipboard_to_file(plot_, copy.c_str()), 1);
    EXPECT_FALSE(std::filesystem::exists(copy));
    ASSERT_EQ(gplot_close(plot_), 1);
}

} // namespace
