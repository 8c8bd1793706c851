// File and directory services, and the platform places and modules they
// rest on.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/platform.h"
#include "support/rtk_dirs.h"
#include "support/rtk_files.h"
#include "temp_dir.h"
#include "test_env.h"

namespace {

using vexl::test::TempDir;

TEST(Files, QueriesAndErase) {
    TempDir dir;
    std::string path = dir.write("five.txt", "12345");
    std::string missing = dir.file("missing.txt");
    EXPECT_EQ(rtk_stat(path.c_str()), 5);
    EXPECT_EQ(rtk_stat(missing.c_str()), -1);
    EXPECT_NE(gfile_exists(dir.path().c_str()), 0);
    EXPECT_EQ(gfile_exists(missing.c_str()), 0);
    EXPECT_EQ(rtk_fopen(missing.c_str(), "r"), nullptr);
    EXPECT_NE(rtk_fclose(nullptr), 0);

    EXPECT_NE(gfile_erasefil(path.c_str()), 0);
    EXPECT_EQ(gfile_exists(path.c_str()), 0);
    EXPECT_EQ(gfile_erasefil(path.c_str()), 0);
}

TEST(Files, CopyIsByteExactAndReplacesTheTarget) {
    // Every byte value, both line ends, and more than one copy chunk.
    std::string bytes = "line\r\nline\n";
    for (int i = 0; i < 300000; ++i)
        bytes += static_cast<char>(i * 7 % 256);
    TempDir dir;
    std::string source = dir.write("source.emf", bytes);
    std::string target = dir.write("target.emf", std::string(400000, 'x'));
    ASSERT_NE(gfile_copy(source.c_str(), target.c_str()), 0);
    EXPECT_EQ(TempDir::read(target), bytes);
}

TEST(Files, FailedCopiesLoseNothing) {
    TempDir dir;
    std::string source = dir.write("source.txt", "precious");
    std::string target = dir.file("target.txt");
    EXPECT_EQ(gfile_copy(dir.file("missing").c_str(), target.c_str()), 0);
    EXPECT_EQ(gfile_exists(target.c_str()), 0) << "no empty target for a missing source";

    std::string same_by_another_name = dir.path() + "/./source.txt";
    EXPECT_EQ(gfile_copy(source.c_str(), same_by_another_name.c_str()), 0);
    EXPECT_EQ(TempDir::read(source), "precious") << "copying onto itself must not truncate";
    EXPECT_EQ(gfile_copy(source.c_str(), dir.file("no/such/dir/t.txt").c_str()), 0);
}

class TempNames : public ::testing::Test {
  protected:
    TempDir dir_;
#ifdef _WIN32
    vexl::test::ScopedEnv tmp_{"TMP", dir_.path().c_str()};
    vexl::test::ScopedEnv temp_{"TEMP", dir_.path().c_str()};
#else
    vexl::test::ScopedEnv tmp_{"TMPDIR", (dir_.path() + "/").c_str()};
#endif
};

TEST_F(TempNames, EachNameIsAFreshEmptyFileInTheTemporaryDirectory) {
    EXPECT_TRUE(std::filesystem::equivalent(vexl::platform::temp_directory(), dir_.path()));
    EXPECT_NE(vexl::platform::temp_directory().back(), vexl::platform::path_separator());
    char first[260];
    char second[260];
    ASSERT_EQ(rtk_tmpnam(first, sizeof first), first);
    ASSERT_EQ(rtk_tmpnam(second, sizeof second), second);
    EXPECT_STRNE(first, second);
    for (const char *name : {first, second}) {
        EXPECT_EQ(rtk_stat(name), 0) << name;
        EXPECT_TRUE(
            std::filesystem::equivalent(std::filesystem::path(name).parent_path(), dir_.path()));
    }
}

TEST_F(TempNames, NameThatDoesNotFitIsRefusedAndLeavesNoFile) {
    char small[8] = "keep";
    EXPECT_EQ(rtk_tmpnam(small, sizeof small), nullptr);
    EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));
}

TEST(DirectoryNames, StripTrailingSeparatorsButKeepTheRoot) {
    struct Case {
        const char *in;
        const char *out;
    } cases[] = {
        {"a/b///", "a/b"},
        {"/", "/"},
        {"///", "/"},
        {"", ""},
#ifdef _WIN32
        {"C:\\fonts\\/", "C:\\fonts"},
        {"C:\\", "C:\\"},
#else
        {"name\\", "name\\"}, // a backslash is an ordinary character here
#endif
    };
    for (const Case &c : cases) {
        char text[32];
        std::strcpy(text, c.in);
        EXPECT_STREQ(gfile_strip_dir_name(text), c.out) << c.in;
    }
}

TEST(DirectoryNames, PrepareAppendsOneSeparatorWhenItFits) {
    const std::string fonts_dir = std::string("fonts") + vexl::platform::path_separator();
    char exact[7] = "fonts"; // "fonts", separator and zero: 7 bytes
    EXPECT_EQ(gfile_prepare_dir_name(exact, sizeof exact), exact);
    EXPECT_EQ(exact, fonts_dir);
    EXPECT_EQ(gfile_prepare_dir_name(exact, sizeof exact), exact);
    EXPECT_EQ(exact, fonts_dir) << "never a second separator";

    char tight[6] = "fonts";
    EXPECT_EQ(gfile_prepare_dir_name(tight, sizeof tight), nullptr);
    EXPECT_STREQ(tight, "fonts");
    char empty[4] = "";
    EXPECT_EQ(gfile_prepare_dir_name(empty, sizeof empty), empty);
    EXPECT_STREQ(empty, "") << "the current directory stays the current directory";
    char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(gfile_prepare_dir_name(unterminated, sizeof unterminated), nullptr);
}

TEST(DirectoryWalk, TypesAndEntriesOfADirectory) {
    TempDir dir;
    std::string file = dir.write("font.asc", "x");
    dir.write("arial.ttf", "");
    std::filesystem::create_directory(dir.file("sub.ttf"));
    EXPECT_EQ(gfile_type(dir.file("sub.ttf").c_str()), kGfileTypeDirectory);
    EXPECT_EQ(gfile_type(file.c_str()), S_IFREG);
    EXPECT_EQ(gfile_type(dir.file("missing").c_str()), 0);

    vexl::DirectoryReader reader(dir.path().c_str());
    ASSERT_TRUE(reader.is_open());
    std::vector<std::string> names;
    std::string name;
    while (reader.next(name))
        names.push_back(name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"arial.ttf", "font.asc", "sub.ttf"}));
    EXPECT_FALSE(reader.next(name)) << "stays at the end";

    vexl::DirectoryReader missing(dir.file("missing").c_str());
    EXPECT_FALSE(missing.is_open());
    EXPECT_FALSE(missing.next(name));
}

TEST(Platform, ModulesLoadBesideTheLibraryAndReportFailures) {
    const std::string path = vexl::platform::library_directory() +
                             vexl::platform::path_separator() + VEXL_TEST_MODULE_NAME;
    void *module = vexl::platform::load_module(path.c_str());
    ASSERT_NE(module, nullptr) << vexl::platform::last_module_error();
    EXPECT_NE(vexl::platform::module_symbol(module, "DllPrintInit"), nullptr);
    EXPECT_EQ(vexl::platform::module_symbol(module, "NoSuchEntryPoint"), nullptr);
    vexl::platform::free_module(module);

    EXPECT_EQ(vexl::platform::load_module("vexl_no_such_module_here"), nullptr);
    EXPECT_FALSE(vexl::platform::last_module_error().empty());
}

TEST(Platform, UserConfigurationDirectory) {
#ifdef _WIN32
    vexl::test::ScopedEnv appdata("APPDATA", "C:\\Users\\u\\AppData\\Roaming\\");
    EXPECT_EQ(vexl::platform::user_config_directory(), "C:\\Users\\u\\AppData\\Roaming");
#else
    vexl::test::ScopedEnv xdg("XDG_CONFIG_HOME", "/etc/xdg-user/");
    EXPECT_EQ(vexl::platform::user_config_directory(), "/etc/xdg-user");
    // A relative XDG directory is ignored in favour of the home directory.
    vexl::test::ScopedEnv relative("XDG_CONFIG_HOME", "relative/dir");
    vexl::test::ScopedEnv home("HOME", "/home/u");
    EXPECT_EQ(vexl::platform::user_config_directory(), "/home/u/.config");
#endif
}

} // namespace
