// What a plot file holds when its program ends without closing it, and how
// a plot file that cannot be written is reported.
//
// The ending is a real process end (exit handlers, stream clean-up and, on
// Windows, the library's DLL detach), so each case runs a small application
// linked to the shared library, plot_file_exit_program.c, as a child.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#ifdef _WIN32
#include <process.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "plot/gplot.h"
#include "support/temp_dir.h"
#include "test_env.h"

#ifndef _WIN32
extern char **environ;
#endif

namespace {

using vexl::test::ScopedEnv;
using vexl::test::TempDir;

const std::string kData = std::string(VEXL_SOURCE_DIR) + "/tests/data/hpgl2/";
const std::string kFills = kData + "fills.kdfill";
const std::string kColours = kData + "pens.kdcolor";

// Runs the program with these arguments and waits for it: its exit status,
// or -1 when it could not be started or did not end normally.
int run_program(const std::vector<std::string> &arguments) {
    const std::string program = VEXL_PLOT_FILE_EXIT_PROGRAM;
#ifdef _WIN32
    // The C runtime joins the arguments with spaces into one command line.
    std::vector<std::string> quoted;
    for (const std::string &argument : arguments)
        quoted.push_back('"' + argument + '"');
    std::vector<const char *> argv{program.c_str()};
    for (const std::string &argument : quoted)
        argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    const intptr_t status = _spawnv(_P_WAIT, program.c_str(), argv.data());
    return status < 0 ? -1 : static_cast<int>(status);
#else
    std::vector<char *> argv{const_cast<char *>(program.c_str())};
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
#endif
}

class Hpgl2OutputLostAtExit : public ::testing::Test {
  protected:
    // The program leaves its plot open on purpose; a leak checker in a
    // sanitizer build would fail it for that.
    static std::string without_leak_check() {
        const char *options = std::getenv("ASAN_OPTIONS");
        return std::string(options ? options : "") + ":detect_leaks=0";
    }

    // The file the program leaves when it ends this way, and the file it
    // leaves after flushing and ending without any exit processing.
    void expect_everything_written(const std::string &ending) {
        SCOPED_TRACE(ending);
        const std::string left = dir.file(ending + ".hgl");
        const std::string flushed = dir.file(ending + "_flushed.hgl");
        ASSERT_EQ(run_program({flushed, ending, "flushed"}), 0);
        const std::string expected = TempDir::read(flushed);
        ASSERT_NE(expected.find("IN;"), std::string::npos);
        EXPECT_EQ(expected.find("PG;"), std::string::npos);

        ASSERT_EQ(run_program({left, ending}), 0);
        const std::string written = TempDir::read(left);
        // Nothing lost, and no page eject added.
        EXPECT_EQ(written.size(), expected.size());
        const auto differ =
            std::mismatch(written.begin(), written.end(), expected.begin(), expected.end());
        EXPECT_TRUE(written == expected)
            << "first difference at byte " << (differ.first - written.begin());
    }

    TempDir dir;
    ScopedEnv fills{"MOLVERN_FILL", kFills.c_str()};
    ScopedEnv colours{"MOLVERN_COLOR", kColours.c_str()};
    ScopedEnv sanitizer{"ASAN_OPTIONS", without_leak_check().c_str()};
};

TEST_F(Hpgl2OutputLostAtExit, NotWhenTheProgramCallsExit) {
    expect_everything_written("exit");
}

TEST_F(Hpgl2OutputLostAtExit, NotWhenMainReturns) {
    expect_everything_written("return");
}

// An exit handler the application registered before its first plot runs
// after the library's: what it draws must reach the file as well.
TEST_F(Hpgl2OutputLostAtExit, NotWhenAnExitHandlerDrawsAfterTheLibrarysOwn) {
    expect_everything_written("late");
}

#ifdef __linux__
// Linux only: /dev/full accepts the open and fails every write.
TEST(Hpgl2FailedWriteOrClose, IsReportedByFlushAndClose) {
    const ScopedEnv fills("MOLVERN_FILL", kFills.c_str());
    const ScopedEnv colours("MOLVERN_COLOR", kColours.c_str());
    GplotErrno = 0;
    GPlot *plot = gplot_open_hpgl2("/dev/full", DB_UNIT_INCH, 0);
    ASSERT_NE(plot, nullptr);
    const WorldPointS a{0, 0}, b{10, 10};
    ASSERT_EQ(gplot_draw_line_world(plot, &a, &b), 1);
    EXPECT_EQ(gplot_flush(plot), 0);
    EXPECT_EQ(GplotErrno, 24);
    GplotErrno = 0;
    EXPECT_EQ(gplot_flush(plot), 0) << "the plot file stays incomplete";
    EXPECT_EQ(GplotErrno, 24);
    GplotErrno = 0;
    EXPECT_EQ(gplot_close(plot), 0); // released all the same
    EXPECT_EQ(GplotErrno, 24);

    // Nothing flushed before: the close is the first to find out.
    plot = gplot_open_hpgl2("/dev/full", DB_UNIT_INCH, 0);
    ASSERT_NE(plot, nullptr);
    GplotErrno = 0;
    EXPECT_EQ(gplot_close(plot), 0);
    EXPECT_EQ(GplotErrno, 24);
    GplotErrno = 0;
}
#endif

TEST(Hpgl2FailedWriteOrClose, SuccessLeavesTheEarlierCodeAlone) {
    const ScopedEnv fills("MOLVERN_FILL", kFills.c_str());
    const ScopedEnv colours("MOLVERN_COLOR", kColours.c_str());
    const TempDir dir;
    GPlot *plot = gplot_open_hpgl2(dir.file("plot.hgl").c_str(), DB_UNIT_INCH, 0);
    ASSERT_NE(plot, nullptr);
    GplotErrno = 7;
    EXPECT_EQ(gplot_flush(plot), 1);
    EXPECT_EQ(GplotErrno, 7);
    EXPECT_EQ(gplot_close(plot), 1);
    EXPECT_EQ(GplotErrno, 7);
    GplotErrno = 0;
    EXPECT_NE(TempDir::read(dir.file("plot.hgl")).find("PG;"), std::string::npos);
}

} // namespace
