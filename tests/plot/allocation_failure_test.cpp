// Exceptions cross the C interface: an exported call that runs out of memory
// must come back to its C caller with "Malloc failed" (or its own code) and
// its failure result, never with a std::bad_alloc the caller cannot catch.
// This program replaces operator new (failing_allocator.cpp), so the
// allocations refused are the ones the library really makes.
#include <gtest/gtest.h>

#include <string>

#include "core/errors.h"
#include "failing_allocator.h"
#include "plot/gfonts.h"
#include "plot/gplot.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

using vexl::test::RefusedAllocations;

// Runs an exported call while every allocation fails and hands back its
// result; the call is reached through a C function pointer, as a C program
// reaches it.
template <typename Result, typename... Args>
Result call_without_memory(Result (*call)(Args...), Args... args) {
    const std::size_t refused_before = RefusedAllocations::refused();
    GplotErrno = 0;
    Result result{};
    {
        RefusedAllocations no_memory;
        result = call(args...);
    }
    EXPECT_GT(RefusedAllocations::refused(), refused_before)
        << "the call made no allocation, so nothing was tested";
    return result;
}

TEST(ExceptionsCrossTheCInterface, StoringAPrintFileNameReportsMallocFailed) {
    gprint_set_printtofile_filename("kept.plt");
    const std::string long_name(300, 'n'); // beyond any small-string buffer
    const std::size_t refused_before = RefusedAllocations::refused();
    GplotErrno = 0;
    {
        RefusedAllocations no_memory;
        gprint_set_printtofile_filename(long_name.c_str());
    }
    EXPECT_GT(RefusedAllocations::refused(), refused_before);
    EXPECT_EQ(GplotErrno, 13);
    EXPECT_EQ(gplot_error_is_fatal(), 1);
    EXPECT_STREQ(gprint_get_printtofile_filename(), "kept.plt");
}

TEST(ExceptionsCrossTheCInterface, LoadingAFontTableReturnsZero) {
    vexl::test::TempDir dir;
    const vexl::test::ScopedEnv glyphs("MOLVERN_OCCIDENTAL_FILE", dir.file("hersh.oc").c_str());
    GFontTable table{};
    const char *name = "a_font_table_name_long_enough_for_the_heap";
    EXPECT_EQ(call_without_memory(&gftable_load_font_table, &table, 0, 0, name), 0);
    EXPECT_EQ(GplotErrno, 13);
    gftable_unload_font_table(&table);
}

TEST(ExceptionsCrossTheCInterface, ListingFontsReturnsNull) {
    int count = -1;
    EXPECT_EQ(call_without_memory(&gttfont_getFontList, &count), nullptr);
    EXPECT_EQ(GplotErrno, 13);
    EXPECT_EQ(count, -1); // nothing is reported for a list that was never made
}

// The open calls keep their own code for a device that cannot be built.
TEST(ExceptionsCrossTheCInterface, OpeningAPlotFileKeepsItsOwnCode) {
    vexl::test::TempDir dir;
    const std::string path = dir.file("out.hgl");
    EXPECT_EQ(call_without_memory(&gplot_open_hpgl2, path.c_str(), DB_UNIT_INCH, 0), nullptr);
    EXPECT_EQ(GplotErrno, 22);
}

} // namespace
