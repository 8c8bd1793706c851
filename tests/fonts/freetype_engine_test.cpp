// The FreeType engine: one library handle for the process, and FreeType's
// error texts. Opening faces through it is covered by the font directory
// and face suites.
#include <gtest/gtest.h>

#include "fonts/freetype_engine.h"

namespace {

using vexl::freetype_engine;
using vexl::freetype_error_text;

TEST(FreeTypeEngine, StartsOnceForTheProcess) {
    const FT_Library library = freetype_engine();
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(freetype_engine(), library);
}

TEST(FreeTypeEngine, ErrorTextsAreFreeTypesOwn) {
    EXPECT_STREQ(freetype_error_text(FT_Err_Unknown_File_Format), "unknown file format");
    EXPECT_NE(freetype_error_text(0x7fff), nullptr);
}

} // namespace
