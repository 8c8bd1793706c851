// The FreeType engine: one library handle for the process, faces opened
// through it, and FreeType's error texts.
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "fonts/freetype_engine.h"
#include "support/temp_dir.h"

namespace {

using vexl::freetype_engine;
using vexl::freetype_error_text;
using vexl::test::TempDir;

// Under Wine the same path works: Wine maps / to drive Z:.
const std::string kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

struct FaceCloser {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using Face = std::unique_ptr<FT_FaceRec_, FaceCloser>;

// Face 0 of the font file at path; null, with FreeType's code in error, when
// it does not open.
Face open_face(const std::string &path, FT_Error &error) {
    FT_Face face = nullptr;
    error = FT_New_Face(freetype_engine(), path.c_str(), 0, &face);
    return Face(error == 0 ? face : nullptr);
}

TEST(FreeTypeEngine, StartsOnceForTheProcess) {
    const FT_Library library = freetype_engine();
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(freetype_engine(), library);
}

TEST(FreeTypeEngine, ErrorTextsAreFreeTypesOwn) {
    EXPECT_STREQ(freetype_error_text(FT_Err_Unknown_File_Format), "unknown file format");
    EXPECT_NE(freetype_error_text(0x7fff), nullptr);
}

class FreeTypeFace : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(kDejaVuSans))
            GTEST_SKIP() << kDejaVuSans << " comes with Debian's fonts-dejavu-core";
    }
};

TEST_F(FreeTypeFace, OpensATrueTypeFile) {
    FT_Error error = 0;
    const Face face = open_face(kDejaVuSans, error);
    ASSERT_TRUE(face) << freetype_error_text(error);
    EXPECT_STREQ(face->family_name, "DejaVu Sans");
    EXPECT_GT(face->num_glyphs, 0);
}

TEST_F(FreeTypeFace, TruncatedFileFailsWithAReason) {
    const TempDir dir;
    const std::string head = TempDir::read(kDejaVuSans).substr(0, 100);
    FT_Error error = 0;
    EXPECT_FALSE(open_face(dir.write("truncated.ttf", head), error));
    EXPECT_NE(error, 0);
    EXPECT_STRNE(freetype_error_text(error), "");
}

} // namespace
