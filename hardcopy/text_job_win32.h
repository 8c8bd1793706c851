// Printing a text file on the printer, one print job per call.
#ifndef VEXL33_HARDCOPY_TEXT_JOB_WIN32_H
#define VEXL33_HARDCOPY_TEXT_JOB_WIN32_H

#include <cstdint>

namespace vexl {

// Prints the text file at path on printer (an HDC) in the printer's current
// font, as one job named after the path; a job ends after page_limit pages.
// owner (an HWND, may be null) is enabled again afterwards, whatever the
// outcome: it may have been disabled while a dialog was up. 1 when the job
// went through; 0 when the file cannot be opened ("Print: could not open
// file %s" on the error stream), the job cannot start ("Unable to start
// print job") or the printer refuses a page.
int print_text_job(void *printer, const char *path, void *owner, int32_t page_limit);

} // namespace vexl

#endif // VEXL33_HARDCOPY_TEXT_JOB_WIN32_H
