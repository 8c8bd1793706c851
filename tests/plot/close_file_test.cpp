// Closing the stream gplot_get_filename opened, through the library: a
// caller built against another C runtime cannot fclose it itself.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/errors.h"
#include "plot/gplot.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

TEST(CloseFile, ClosesTheStreamASettingOpened) {
    vexl::test::TempDir dir;
    const std::string path = dir.write("colours.kdcolor", "0 0 0 : black : 1\n");
    const vexl::test::ScopedEnv setting("VEXL_TEST_COLOUR_FILE", path.c_str());
    std::FILE *stream = gplot_get_filename("VEXL_TEST_COLOUR_FILE");
    ASSERT_NE(stream, nullptr);
    char line[32] = {};
    ASSERT_NE(std::fgets(line, sizeof line, stream), nullptr);
    EXPECT_STREQ(line, "0 0 0 : black : 1\n");
    GplotErrno = 0;
    EXPECT_EQ(gplot_close_file(stream), 1);
    EXPECT_EQ(GplotErrno, 0);
}

// The last buffered bytes cannot be written, so the close fails; the caller
// learns that the stream did not end cleanly.
TEST(CloseFile, ReportsAFailedClose) {
#ifdef _WIN32
    GTEST_SKIP() << "no full device to write to";
#else
    std::FILE *stream = std::fopen("/dev/full", "w");
    ASSERT_NE(stream, nullptr);
    std::fputs("lost", stream);
    GplotErrno = 0;
    EXPECT_EQ(gplot_close_file(stream), 0);
    EXPECT_EQ(GplotErrno, 24);
#endif
}

} // namespace
