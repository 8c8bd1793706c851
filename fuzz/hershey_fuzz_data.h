// Shared by the font-index fuzz targets: a fixed Hershey data file for the
// index to pick from, a valid index head to put before the fuzzer's bytes
// (so the bytes also reach the entries and the glyph loading, not only the
// header), and a way to keep the loaders' messages off the fuzzer's output.
#ifndef VEXL33_FUZZ_HERSHEY_FUZZ_DATA_H
#define VEXL33_FUZZ_HERSHEY_FUZZ_DATA_H

#include <cstdint>
#include <cstdio>
#include <string>

namespace vexl::fuzz {

// Records 1..kFixedRecords in order: point counts 0..39, records over one
// line continued on the next, pen lifts every fifth point.
inline constexpr int kFixedRecords = 255;

inline std::string fixed_hershey_text() {
    std::string text = "# fixed glyphs\n";
    for (int n = 1; n <= kFixedRecords; ++n) {
        const int points = n % 40;
        char header[16];
        std::snprintf(header, sizeof header, "%5d%3dIZ", n, points + 1);
        text += header;
        for (int i = 0; i < points; ++i) {
            if (i == 31)
                text += '\n';
            if (i % 5 == 4)
                text += " R";
            else
                text += {static_cast<char>('K' + (n + i) % 15), static_cast<char>('K' + i % 15)};
        }
        text += '\n';
    }
    return text;
}

// The data file, made once; the loaders rewind it themselves.
inline std::FILE *fixed_hershey_file() {
    static std::FILE *const file = [] {
        std::FILE *made = std::tmpfile();
        const std::string text = fixed_hershey_text();
        if (made)
            std::fwrite(text.data(), 1, text.size(), made);
        return made;
    }();
    return file;
}

// A header and, for an ASCII index, the first entries of the characters
// 32.. with numbers of the fixed file.
inline std::string index_head(int ascii_entries) {
    std::string text = "# head\n-12 12\t-15 15\n";
    for (int c = 32; c < 32 + ascii_entries && c < 128; ++c) {
        const std::string name = c == 32 ? "^^" : c == 127 ? "$$" : std::string{char(c), ' '};
        text += name + std::to_string((c * 7) % kFixedRecords + 1) + "\n";
    }
    return text;
}

// Sends what the library writes on stderr to a null device while alive.
// libFuzzer keeps its own copy of the stream and the sanitizers write to the
// descriptor, so their reports still show.
class QuietStderr {
  public:
    QuietStderr() : saved_(stderr) {
        static std::FILE *const null_device = std::fopen("/dev/null", "w");
        if (null_device)
            stderr = null_device;
    }
    ~QuietStderr() { stderr = saved_; }
    QuietStderr(const QuietStderr &) = delete;
    QuietStderr &operator=(const QuietStderr &) = delete;

  private:
    std::FILE *saved_;
};

} // namespace vexl::fuzz

#endif // VEXL33_FUZZ_HERSHEY_FUZZ_DATA_H
