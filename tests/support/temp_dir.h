// A fresh directory for one test, removed with everything in it afterwards.
// Built on std::filesystem so the code under test is not also the fixture.
#ifndef VEXL33_TESTS_SUPPORT_TEMP_DIR_H
#define VEXL33_TESTS_SUPPORT_TEMP_DIR_H

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace vexl::test {

class TempDir {
  public:
    TempDir() {
        const auto seed = std::chrono::steady_clock::now().time_since_epoch().count();
        int attempt = 0;
        do {
            dir_ = std::filesystem::temp_directory_path() /
                   ("vexl_test_" + std::to_string(seed) + "_" + std::to_string(attempt++));
        } while (!std::filesystem::create_directory(dir_));
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    std::string path() const { return dir_.string(); }
    std::string file(const std::string &name) const { return (dir_ / name).string(); }

    // Writes bytes exactly as given (binary) and returns the file's path.
    std::string write(const std::string &name, const std::string &bytes) const {
        std::string where = file(name);
        std::ofstream out(where, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return where;
    }

    static std::string read(const std::string &where) {
        std::ifstream in(where, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

  private:
    std::filesystem::path dir_;
};

} // namespace vexl::test

#endif // VEXL33_TESTS_SUPPORT_TEMP_DIR_H
