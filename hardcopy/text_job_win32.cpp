// A text file printed line by line in the printer's own font. The page
// arithmetic is text_job_layout.cpp's; this file measures the font, makes the
// job's GDI calls and keeps the job's promises whatever happens: the owner is
// enabled again, and a job that was started is ended or aborted.
#include "hardcopy/text_job_win32.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

#include "hardcopy/text_job_layout.h"
#include "plot/gplot_win32.h"
#include "support/rtk_files.h"

namespace vexl {

namespace {

// The 32-bit system's record is 20 bytes; each build hands its own size.
static_assert(sizeof(void *) != 4 || sizeof(DOCINFOA) == 20);

constexpr const char *kPrintErrorTitle = "Print Error";

std::optional<TextJobLayout> printer_text_layout(HDC printer) {
    TEXTMETRICA font{};
    if (!GetTextMetricsA(printer, &font))
        return std::nullopt;
    PrinterFontMetrics metrics;
    metrics.height = font.tmHeight;
    metrics.external_leading = font.tmExternalLeading;
    metrics.average_character_width = font.tmAveCharWidth;
    metrics.page_width = GetDeviceCaps(printer, HORZRES);
    metrics.page_height = GetDeviceCaps(printer, VERTRES);
    return text_job_layout(metrics);
}

// Pages of the job on the printer context.
class PrinterPages : public TextPageOutput {
  public:
    explicit PrinterPages(HDC printer) : printer_(printer) {}
    bool start_page() override { return StartPage(printer_) > 0; }
    bool draw_line(int32_t y, const std::string &text) override {
        // An empty line has nothing to draw; some drivers refuse the call.
        return text.empty() ||
               vexl_TextOut(printer_, 0, y, text.data(), static_cast<unsigned>(text.size())) != 0;
    }
    bool end_page() override { return EndPage(printer_) > 0; }

  private:
    HDC printer_;
};

// Enables the owner on the way out of the job, on every path.
class OwnerEnabledAfterwards {
  public:
    explicit OwnerEnabledAfterwards(HWND owner) : owner_(owner) {}
    ~OwnerEnabledAfterwards() {
        if (owner_ != nullptr)
            EnableWindow(owner_, TRUE);
    }
    OwnerEnabledAfterwards(const OwnerEnabledAfterwards &) = delete;
    OwnerEnabledAfterwards &operator=(const OwnerEnabledAfterwards &) = delete;

  private:
    HWND owner_;
};

} // namespace

int print_text_job(void *printer, const char *path, void *owner, int32_t page_limit) {
    const OwnerEnabledAfterwards enable(static_cast<HWND>(owner));
    HDC context = static_cast<HDC>(printer);
    const FilePtr text(rtk_fopen(path, "r"));
    if (!text) {
        std::fprintf(stderr, "Print: could not open file %s\n", path);
        return 0;
    }
    // A font that cannot be measured cannot be laid out: no job to start.
    const std::optional<TextJobLayout> layout = printer_text_layout(context);
    if (!layout) {
        vexl_displayMsg("Unable to start print job", kPrintErrorTitle, MSG_ERROR);
        return 0;
    }
    TextLineReader lines(text.get(), *layout, text_tab_width());

    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = path;
    if (StartDocA(context, &document) <= 0) {
        vexl_displayMsg("Unable to start print job", kPrintErrorTitle, MSG_ERROR);
        return 0;
    }
    PrinterPages pages(context);
    if (!print_text_pages(lines, *layout, page_limit, pages)) {
        // The spooler throws away what the refused job had so far.
        AbortDoc(context);
        return 0;
    }
    return EndDoc(context) > 0 ? 1 : 0;
}

} // namespace vexl
