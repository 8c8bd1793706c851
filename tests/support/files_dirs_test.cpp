// File services of the companion library that the library relies
// on: copying without losing data, and the temporary names of clipboard plots.
// Fixture files are made with std::filesystem (TempDir), so the code under
// test never builds its own fixture. Module loading is covered by
// vexldll_test.cpp, the user configuration directory by config_test.cpp and
// gfile_type by the configuration loader's test; the font directory tests
// use the directory-name helpers, whose roots and separators differ by
// platform and are pinned here.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>

#include "support/rtk_dirs.h"
#include "support/rtk_files.h"
#include "temp_dir.h"
#include "test_env.h"

namespace {

namespace fs = std::filesystem;
using vexl::test::TempDir;

TEST(Files, CopyIsByteExactAndFailedCopiesLoseNothing) {
    // Every byte value, both line ends, more than one copy chunk, a longer target.
    std::string bytes = "line\r\nline\n";
    for (int i = 0; i < 300000; ++i)
        bytes += static_cast<char>(i * 7 % 256);
    TempDir dir;
    const std::string source = dir.write("source.emf", bytes);
    const std::string target = dir.write("target.emf", std::string(400000, 'x'));
    ASSERT_NE(gfile_copy(source.c_str(), target.c_str()), 0);
    EXPECT_EQ(TempDir::read(target), bytes);

    EXPECT_EQ(gfile_copy(source.c_str(), (dir.path() + "/./source.emf").c_str()), 0);
    EXPECT_EQ(TempDir::read(source), bytes) << "copying onto itself must not truncate";
    EXPECT_EQ(gfile_copy(dir.file("missing").c_str(), dir.file("new").c_str()), 0);
    EXPECT_EQ(gfile_exists(dir.file("new").c_str()), 0) << "no empty target for a missing source";
    EXPECT_EQ(gfile_copy(source.c_str(), dir.file("no/such/dir/t.emf").c_str()), 0);
}

TEST(Files, TemporaryNamesAreFreshEmptyFilesOrNothing) {
    TempDir dir;
#ifdef _WIN32
    vexl::test::ScopedEnv tmp("TMP", dir.path().c_str()), temp("TEMP", dir.path().c_str());
#else
    vexl::test::ScopedEnv tmp("TMPDIR", (dir.path() + "/").c_str());
#endif
    char first[260], second[260], small[8];
    ASSERT_EQ(rtk_tmpnam(first, sizeof first), first);
    ASSERT_EQ(rtk_tmpnam(second, sizeof second), second);
    EXPECT_STRNE(first, second);
    EXPECT_EQ(rtk_stat(first), 0);
    EXPECT_TRUE(fs::equivalent(fs::path(first).parent_path(), dir.path())) << first;
    EXPECT_EQ(rtk_tmpnam(small, sizeof small), nullptr);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST(Directories, NamesKeepTheirRootAndUseEveryPlatformSeparator) {
    const struct {
        const char *path;
        const char *stripped;
    } cases[] = {
        {"/fonts//", "/fonts"},
        {"/", "/"},
        {"///", "/"},
        {"fonts", "fonts"},
        {"", ""},
#ifdef _WIN32
        {"C:\\", "C:\\"},
        {"C:\\fonts\\/", "C:\\fonts"},
        {"fonts\\", "fonts"},
#else
        {"fonts\\", "fonts\\"}, // a backslash is a name character here
#endif
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        char path[64];
        std::snprintf(path, sizeof path, "%s", c.path);
        EXPECT_STREQ(gfile_strip_dir_name(path), c.stripped);
    }
    char dir[8] = "fonts";
    EXPECT_EQ(gfile_prepare_dir_name(dir, sizeof dir), dir);
#ifdef _WIN32
    EXPECT_STREQ(dir, "fonts\\");
#else
    EXPECT_STREQ(dir, "fonts/");
#endif
    char full[6] = "fonts";
    EXPECT_EQ(gfile_prepare_dir_name(full, sizeof full), nullptr) << "no room for the separator";
    EXPECT_STREQ(full, "fonts");

    TempDir temp;
    const std::string file = temp.write("f.txt", "12345");
    EXPECT_EQ(gfile_type(temp.path().c_str()), kGfileTypeDirectory);
    EXPECT_NE(gfile_type(file.c_str()), kGfileTypeDirectory);
    EXPECT_NE(gfile_type(file.c_str()), 0);
    EXPECT_EQ(gfile_type(temp.file("absent").c_str()), 0);
    EXPECT_EQ(rtk_stat(file.c_str()), 5);
    EXPECT_EQ(rtk_stat(temp.file("absent").c_str()), -1);
}

} // namespace
