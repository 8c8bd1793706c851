// Delivering a finished hard-copy file where the print options say: the
// print-file operation of the print table.
#ifndef VEXL33_HARDCOPY_PRINT_DELIVERY_WIN32_H
#define VEXL33_HARDCOPY_PRINT_DELIVERY_WIN32_H

#include <cstdint>

namespace vexl {

// Delivers the file at path, of content kind 0 (a recorded enhanced
// metafile) or 1 (a text file), to the clipboard, to the print-to-file name
// or to the printer, under the wait cursor; window (an HWND, null for the
// active window or the desktop) owns the messages. The delivered file is
// erased afterwards whatever the outcome, unless it is the print-to-file
// target itself. The result is that of the step that delivered: the
// clipboard call, the copy or conversion (1 or 0), the printer (1, or 0 when
// a job failed or there is no printer context); 0 for any other kind, and
// code 10 without a path where one is needed.
int deliver_printed_file(int32_t content_kind, const char *path, void *window);

} // namespace vexl

#endif // VEXL33_HARDCOPY_PRINT_DELIVERY_WIN32_H
