// The print-file operation: a recorded metafile or a text file goes to the
// clipboard, to the file the save dialog chose, or to the printer. Printer
// plots were drawn on the printer as they were made, so a graphics file has
// nothing left to do there; text is printed here, one job per copy.
//
// Every outcome tells success from failure by its result: a Windows metafile
// reports its conversion and a failed copy reports 0, not the answer to the
// message box that told of it.
#include "hardcopy/print_delivery_win32.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "core/errors.h"
#include "hardcopy/metafile_export_win32.h"
#include "hardcopy/print_dialog_win32.h"
#include "hardcopy/print_options.h"
#include "hardcopy/text_job_layout.h"
#include "hardcopy/text_job_win32.h"
#include "plot/gplot_win32.h"
#include "support/platform.h"
#include "support/rtk_files.h"

namespace vexl {

namespace {

constexpr int32_t kGraphicsContent = 0;
constexpr int32_t kTextContent = 1;

// The wait cursor for the length of a delivery; the previous cursor comes
// back when it ends, or earlier when a message is about to be shown.
class WaitCursor {
  public:
    WaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { restore(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

    void restore() {
        if (!restored_)
            SetCursor(previous_);
        restored_ = true;
    }

  private:
    HCURSOR previous_;
    bool restored_ = false;
};

// The file already at the chosen name is the delivery itself.
bool is_print_to_file_target(const char *path) {
    const std::string &target = print_options().printToFileName;
    return path != nullptr && !target.empty() && platform::same_file(path, target.c_str());
}

int copy_to_print_to_file_name(const char *path, HWND owner) {
    const std::string &target = print_options().printToFileName;
    if (is_print_to_file_target(path))
        return 1;
    if (gfile_copy(path, target.c_str()))
        return 1;
    const std::string text = "Could not save " + target + " ?";
    MessageBoxA(owner, text.c_str(), "Error", MB_ICONEXCLAMATION);
    return 0;
}

int deliver_graphics(const char *path, HWND owner) {
    const PrintOptions &options = print_options();
    if (options.copyToClipboard)
        return EMFtoClipBoard(owner, 0, path);
    if (!options.printToFile)
        return 1;
    if (options.fileType == PrintFileType::Wmf)
        return save_emf_as_wmf(owner, path);
    return copy_to_print_to_file_name(path, owner);
}

int print_text(const char *path, HWND owner, WaitCursor &cursor) {
    HDC printer = static_cast<HDC>(print_dialog_printer_context());
    if (printer == nullptr) {
        cursor.restore();
        const std::string text = std::string("Print failure for ") + path + " : (Printer:hDC=NULL)";
        vexl_displayMsg(text.c_str(), "Print Error", MSG_ERROR);
        return 0;
    }
    const int copies = print_dialog_copies();
    const int32_t page_limit = text_job_page_limit(copies);
    int result = 1;
    // A copy that failed would fail again the same way: stop there.
    for (int copy = 0; copy < copies && result == 1; ++copy)
        result = print_text_job(printer, path, owner, page_limit);
    // The text job used the dialog's context up; the next dialog makes another.
    FreeDC(nullptr, take_print_dialog_printer_context(), HDC_PRINTER);
    return result;
}

int deliver_text(const char *path, HWND owner, WaitCursor &cursor) {
    const PrintOptions &options = print_options();
    if (options.copyToClipboard)
        return TEXTtoClipBoard(owner, 0, path);
    if (options.printToFile)
        return copy_to_print_to_file_name(path, owner);
    return print_text(path, owner, cursor);
}

bool delivered_to_file(int32_t content_kind) {
    const PrintOptions &options = print_options();
    return (content_kind == kGraphicsContent || content_kind == kTextContent) &&
           !options.copyToClipboard && options.printToFile;
}

bool needs_the_file(int32_t content_kind) {
    const PrintOptions &options = print_options();
    if (content_kind == kGraphicsContent)
        return options.copyToClipboard || options.printToFile;
    return content_kind == kTextContent;
}

} // namespace

int deliver_printed_file(int32_t content_kind, const char *path, void *window) {
    if (path == nullptr && needs_the_file(content_kind))
        return fail(Error::InvalidArgument);
    HWND owner = static_cast<HWND>(window != nullptr ? window : GetScreenHwnd());
    int result = 0;
    {
        WaitCursor cursor;
        if (content_kind == kGraphicsContent)
            result = deliver_graphics(path, owner);
        else if (content_kind == kTextContent)
            result = deliver_text(path, owner, cursor);
    }
    // A file recorded under the chosen name is the delivered copy itself.
    const bool is_the_copy = delivered_to_file(content_kind) && is_print_to_file_target(path);
    if (path != nullptr && !is_the_copy && !gfile_erasefil(path))
        std::remove(path);
    return result;
}

} // namespace vexl
