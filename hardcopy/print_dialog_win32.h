// The print dialog's record as the rest of the hard-copy code sees it: the
// printer context and copy count the last dialog chose, and the rule for the
// owner of a dialog. The dialog itself is the exported PrintSetup_Dialog
// (plot/gplot_win32.h). Handles are untyped so that including this header
// does not bring in the Windows headers.
#ifndef VEXL33_HARDCOPY_PRINT_DIALOG_WIN32_H
#define VEXL33_HARDCOPY_PRINT_DIALOG_WIN32_H

namespace vexl {

// The printer context (HDC) the last print dialog returned, or null. The
// record keeps it and deletes it at the next dialog call.
void *print_dialog_printer_context();

// Hands the printer context over: the record forgets it, and the caller
// deletes it.
void *take_print_dialog_printer_context();

// The copy count of the last dialog, at least 1: the copies the library
// prints itself, as one job each. A dialog whose printer makes the copies
// leaves 1 here and the count in the device mode.
int print_dialog_copies();
// Sets that count (at least 1), as a dialog does when the printer cannot
// make copies itself.
void set_print_dialog_copies(int copies);

// The device mode (an HGLOBAL holding a DEVMODEA) of the printer the last
// dialog chose, or null before the first dialog.
void *print_dialog_device_mode();

// The owner of a dialog (HWND): window itself, or when it is null the active
// window, or when there is none the desktop.
void *dialog_owner(void *window);

} // namespace vexl

#endif // VEXL33_HARDCOPY_PRINT_DIALOG_WIN32_H
