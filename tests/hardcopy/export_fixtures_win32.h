// What the clipboard and export tests share: a metafile of known shapes, the
// clipboard read and set through the system's own calls, and a second
// thread that keeps the clipboard busy.
#ifndef VEXL33_TESTS_HARDCOPY_EXPORT_FIXTURES_WIN32_H
#define VEXL33_TESTS_HARDCOPY_EXPORT_FIXTURES_WIN32_H

#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace vexl::test {

// Records an enhanced metafile at path holding one rectangle, one ellipse
// and one poly-line, drawn on a 400 x 300 pixel frame.
void record_known_shapes(const std::string &path);

// The record types of a metafile, in order.
std::vector<DWORD> record_types(HENHMETAFILE metafile);
// The bytes of a metafile.
std::vector<unsigned char> metafile_bits(HENHMETAFILE metafile);

// Empties the clipboard and puts text on it as CF_TEXT.
void put_clipboard_text(const std::string &text);
// The whole CF_TEXT block on the clipboard (every byte GlobalSize counts),
// or nothing when it holds no text.
std::optional<std::string> clipboard_text_block();
// The bytes of the CF_ENHMETAFILE on the clipboard, or nothing.
std::optional<std::vector<unsigned char>> clipboard_metafile_bits();

// Opens the clipboard for a window on a thread of its own and keeps it open
// until the holder ends (at the latest after `seconds`, so a failing test cannot
// leave it held for ever).
class ClipboardHolder {
  public:
    explicit ClipboardHolder(int seconds = 60);
    ~ClipboardHolder();
    ClipboardHolder(const ClipboardHolder &) = delete;
    ClipboardHolder &operator=(const ClipboardHolder &) = delete;

    bool holding() const { return holding_; }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool started_ = false;
    bool holding_ = false;
    bool release_ = false;
    std::thread thread_;
};

} // namespace vexl::test

#endif // VEXL33_TESTS_HARDCOPY_EXPORT_FIXTURES_WIN32_H
