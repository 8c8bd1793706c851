// The Windows metafile export, read back byte by byte: the placeable header
// against the reference context's own size and a checksum computed here,
// the standard metafile header behind it (or at the start without it), the
// overwritten target and each failure's message. Every file written is also
// copied to wmf_written/ beside the test program, where libwmf's reader
// opens them all afterwards (CMakeLists.txt).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "devices/gdi_window_win32.h"
#include "export_fixtures_win32.h"
#include "hardcopy/metafile_export_win32.h"
#include "hardcopy/print_options.h"
#include "hardcopy/saved_print_options.h"
#include "support/temp_dir.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

uint16_t u16(const std::string &bytes, std::size_t offset) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                 static_cast<unsigned char>(bytes[offset + 1]) << 8);
}

uint32_t u32(const std::string &bytes, std::size_t offset) {
    return u16(bytes, offset) | static_cast<uint32_t>(u16(bytes, offset + 2)) << 16;
}

// HORZRES and VERTRES of the window's context, as a reader would ask them.
struct ReferenceSize {
    int width;
    int height;
};

ReferenceSize reference_size(HWND window) {
    HDC dc = GetDC(window);
    const ReferenceSize size{GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
    ReleaseDC(window, dc);
    return size;
}

// The standard metafile header at offset: on disk (1) or in memory (2),
// nine words long, version 3.0, and its size in words covering the rest of
// the file exactly.
void expect_standard_metafile_at(const std::string &file, std::size_t offset) {
    ASSERT_GE(file.size(), offset + 18);
    const uint16_t type = u16(file, offset);
    EXPECT_TRUE(type == 1 || type == 2) << type;
    EXPECT_EQ(u16(file, offset + 2), 9);
    EXPECT_EQ(u16(file, offset + 4), 0x300);
    EXPECT_EQ(u32(file, offset + 6) * 2u, file.size() - offset);
}

class WmfExport : public ::testing::Test {
  protected:
    void SetUp() override {
        vexl::test::record_known_shapes(emf_);
        vexl::print_options().printToFileName = wmf_;
        vexl::print_options().aldusPlaceable = 0;
    }
    // The file as written, with a copy kept for the independent reader.
    std::string written(const std::string &name) const {
        std::filesystem::create_directories("wmf_written");
        std::filesystem::copy_file(wmf_, "wmf_written/" + name + ".wmf",
                                   std::filesystem::copy_options::overwrite_existing);
        return vexl::test::TempDir::read(wmf_);
    }
    // What GDI itself makes of the recording against the same context.
    std::string converted_here(HWND window) const {
        HENHMETAFILE emf = GetEnhMetaFileA(emf_.c_str());
        HDC dc = GetDC(window);
        std::string bits(GetWinMetaFileBits(emf, 0, nullptr, MM_ANISOTROPIC, dc), '\0');
        GetWinMetaFileBits(emf, static_cast<UINT>(bits.size()),
                           reinterpret_cast<BYTE *>(bits.data()), MM_ANISOTROPIC, dc);
        ReleaseDC(window, dc);
        DeleteEnhMetaFile(emf);
        return bits;
    }

    vexl::test::Deadline deadline_{60, "a metafile export"};
    vexl::test::TestWindow &window_ = vexl::test::TestWindow::shared(120, 90);
    vexl::test::SavedPrintOptions saved_;
    vexl::test::TempDir dir_;
    const std::string emf_ = dir_.file("shapes.emf");
    const std::string wmf_ = dir_.file("shapes.wmf");
};

TEST_F(WmfExport, PlaceableHeaderGivesTheReferenceSizeAndItsChecksum) {
    vexl::print_options().aldusPlaceable = 1;
    ASSERT_EQ(vexl::save_emf_as_wmf(window_.handle(), emf_.c_str()), 1);
    const std::string file = written("placeable");
    const ReferenceSize size = reference_size(window_.handle());
    ASSERT_GT(file.size(), 22u);
    EXPECT_EQ(u32(file, 0), 0x9AC6CDD7u);
    EXPECT_EQ(u16(file, 4), 0); // handle
    EXPECT_EQ(u16(file, 6), 0); // left
    EXPECT_EQ(u16(file, 8), 0); // top
    EXPECT_EQ(u16(file, 10), size.width);
    EXPECT_EQ(u16(file, 12), size.height);
    EXPECT_EQ(u16(file, 14), 1000);
    EXPECT_EQ(u32(file, 16), 0u);
    uint16_t checksum = 0;
    for (std::size_t offset = 0; offset < 20; offset += 2)
        checksum ^= u16(file, offset);
    EXPECT_EQ(u16(file, 20), checksum);
    expect_standard_metafile_at(file, 22);
    EXPECT_EQ(file.substr(22), converted_here(window_.handle()));
}

TEST_F(WmfExport, WithoutTheHeaderTheFileIsAStandardMetafile) {
    ASSERT_EQ(vexl::save_emf_as_wmf(window_.handle(), emf_.c_str()), 1);
    const std::string file = written("plain");
    expect_standard_metafile_at(file, 0);
    EXPECT_EQ(file, converted_here(window_.handle()));
}

TEST_F(WmfExport, WithoutAWindowTheScreenIsTheReference) {
    vexl::print_options().aldusPlaceable = 1;
    ASSERT_EQ(vexl::save_emf_as_wmf(nullptr, emf_.c_str()), 1);
    const std::string file = written("screen");
    const ReferenceSize size = reference_size(nullptr);
    EXPECT_EQ(u16(file, 10), size.width);
    EXPECT_EQ(u16(file, 12), size.height);
    expect_standard_metafile_at(file, 22);
}

TEST_F(WmfExport, ExistingTargetIsOverwrittenWhole) {
    // Longer than the new file: nothing of it may be left behind.
    dir_.write("shapes.wmf", std::string(200000, 'x'));
    ASSERT_EQ(vexl::save_emf_as_wmf(window_.handle(), emf_.c_str()), 1);
    const std::string file = written("overwritten");
    expect_standard_metafile_at(file, 0);
    EXPECT_EQ(file.find(std::string(16, 'x')), std::string::npos);
}

TEST_F(WmfExport, SourceThatIsNoMetafileIsToldAndWritesNothing) {
    const std::string text = dir_.write("words.emf", "no records here");
    CaptureStderr();
    EXPECT_EQ(vexl::save_emf_as_wmf(window_.handle(), dir_.file("absent.emf").c_str()), 0);
    EXPECT_EQ(vexl::save_emf_as_wmf(window_.handle(), text.c_str()), 0);
    EXPECT_EQ(vexl::save_emf_as_wmf(window_.handle(), nullptr), 0);
    EXPECT_EQ(GetCapturedStderr(),
              "EMF file open error\nEMF file open error\nEMF file open error\n");
    EXPECT_FALSE(std::filesystem::exists(wmf_));
}

TEST_F(WmfExport, TargetThatCannotBeCreatedIsTold) {
    vexl::print_options().printToFileName = dir_.file("no such folder/shapes.wmf");
    CaptureStderr();
    EXPECT_EQ(vexl::save_emf_as_wmf(window_.handle(), emf_.c_str()), 0);
    vexl::print_options().printToFileName.clear();
    EXPECT_EQ(vexl::save_emf_as_wmf(window_.handle(), emf_.c_str()), 0);
    EXPECT_EQ(GetCapturedStderr(), "Unable to create WMF\nUnable to create WMF\n");
    // The source stays as it was.
    HENHMETAFILE emf = GetEnhMetaFileA(emf_.c_str());
    EXPECT_NE(emf, nullptr);
    DeleteEnhMetaFile(emf);
}

} // namespace
