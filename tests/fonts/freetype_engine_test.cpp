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

// A start-up that fails once for want of memory, then starts FreeType.
int starts_tried = 0;
FT_Error fails_first_time(FT_Library *library) {
    if (++starts_tried == 1)
        return FT_Err_Out_Of_Memory;
    return FT_Init_FreeType(library);
}

// The reason printed is FreeType's own text for its error, and a failed
// start is not remembered: the next call starts the engine.
TEST(FreeTypeEngine, StartUpFailureRememberedWithoutItsReason) {
    starts_tried = 0;
    vexl::FreetypeEngine engine(&fails_first_time);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(vexl::start_freetype_engine(engine));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Font error while initializing engine.\nReason: out of memory\n");
    EXPECT_EQ(engine.handle(), nullptr);

    testing::internal::CaptureStderr();
    EXPECT_TRUE(vexl::start_freetype_engine(engine));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    const FT_Library started = engine.handle();
    EXPECT_NE(started, nullptr);
    EXPECT_TRUE(vexl::start_freetype_engine(engine));
    EXPECT_EQ(engine.handle(), started);
    EXPECT_EQ(starts_tried, 2) << "a running engine is not started again";
}

} // namespace
