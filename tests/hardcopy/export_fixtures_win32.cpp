// Metafiles of known shapes, the clipboard read and written directly, and a
// thread holding the clipboard.
#include "export_fixtures_win32.h"

#include <chrono>
#include <cstring>

#include <gtest/gtest.h>

namespace vexl::test {

void record_known_shapes(const std::string &path) {
    HDC dc = CreateEnhMetaFileA(nullptr, path.c_str(), nullptr, "vexl33 test\0shapes\0");
    ASSERT_NE(dc, nullptr) << path;
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(200, 0, 0));
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 200));
    HGDIOBJ old_pen = SelectObject(dc, pen);
    HGDIOBJ old_brush = SelectObject(dc, brush);
    Rectangle(dc, 20, 20, 180, 120);
    Ellipse(dc, 200, 20, 380, 140);
    const POINT line[3] = {{20, 280}, {200, 160}, {380, 280}};
    Polyline(dc, line, 3);
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(pen);
    DeleteObject(brush);
    HENHMETAFILE done = CloseEnhMetaFile(dc);
    ASSERT_NE(done, nullptr);
    DeleteEnhMetaFile(done);
}

namespace {

int CALLBACK collect_type(HDC, HANDLETABLE *, const ENHMETARECORD *record, int, LPARAM data) {
    reinterpret_cast<std::vector<DWORD> *>(data)->push_back(record->iType);
    return 1;
}

// The clipboard, open for the test's own thread.
class OpenForTest {
  public:
    OpenForTest() : open_(OpenClipboard(nullptr) != FALSE) { EXPECT_TRUE(open_); }
    ~OpenForTest() {
        if (open_)
            CloseClipboard();
    }
    OpenForTest(const OpenForTest &) = delete;
    OpenForTest &operator=(const OpenForTest &) = delete;
    explicit operator bool() const { return open_; }

  private:
    bool open_;
};

} // namespace

std::vector<DWORD> record_types(HENHMETAFILE metafile) {
    std::vector<DWORD> types;
    EnumEnhMetaFile(nullptr, metafile, collect_type, &types, nullptr);
    return types;
}

std::vector<unsigned char> metafile_bits(HENHMETAFILE metafile) {
    std::vector<unsigned char> bits(GetEnhMetaFileBits(metafile, 0, nullptr));
    GetEnhMetaFileBits(metafile, static_cast<UINT>(bits.size()), bits.data());
    return bits;
}

void put_clipboard_text(const std::string &text) {
    OpenForTest clipboard;
    if (!clipboard)
        return;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    ASSERT_NE(block, nullptr);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    if (SetClipboardData(CF_TEXT, block) == nullptr) {
        GlobalFree(block);
        ADD_FAILURE() << "the clipboard did not take the text";
    }
}

std::optional<std::string> clipboard_text_block() {
    OpenForTest clipboard;
    if (!clipboard)
        return std::nullopt;
    HANDLE block = GetClipboardData(CF_TEXT);
    if (block == nullptr)
        return std::nullopt;
    const SIZE_T size = GlobalSize(block);
    const auto *bytes = static_cast<const char *>(GlobalLock(block));
    if (bytes == nullptr)
        return std::nullopt;
    std::string out(bytes, size);
    GlobalUnlock(block);
    return out;
}

std::optional<std::vector<unsigned char>> clipboard_metafile_bits() {
    OpenForTest clipboard;
    if (!clipboard)
        return std::nullopt;
    auto *metafile = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    if (metafile == nullptr)
        return std::nullopt;
    return metafile_bits(metafile);
}

ClipboardHolder::ClipboardHolder(int seconds) {
    thread_ = std::thread([this, seconds] {
        // Opened for a window of its own: a clipboard opened for no window
        // is open for every caller that names no window either.
        HWND owner = CreateWindowExA(0, "STATIC", "clipboard holder", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
        const bool open = owner != nullptr && OpenClipboard(owner) != FALSE;
        std::unique_lock<std::mutex> lock(mutex_);
        started_ = true;
        holding_ = open;
        changed_.notify_all();
        changed_.wait_for(lock, std::chrono::seconds(seconds), [this] { return release_; });
        if (open)
            CloseClipboard();
        if (owner != nullptr)
            DestroyWindow(owner);
    });
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return started_; });
}

ClipboardHolder::~ClipboardHolder() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        release_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

} // namespace vexl::test
