/* Answers the library's print and save dialogs the way a person at the
 * keyboard would, for vexlplot's WMF kinds.
 *
 * The library has no call that chooses print to file, the WMF type or the
 * Aldus header: an application gets them from its user through the print
 * dialog and the print-to-file dialog. vexlplot runs unattended, so a second
 * thread plays the user: it waits for each dialog the calling thread shows,
 * checks "print to file", picks the Windows Metafile type, sets the Aldus
 * box as asked, types the file name, accepts, and agrees to overwrite an
 * existing file. Whatever is still open at the deadline is cancelled and
 * closed, so the library call always returns and the tool never hangs. */
#ifndef VEXLPLOT_DIALOG_ANSWERS_WIN32_H
#define VEXLPLOT_DIALOG_ANSWERS_WIN32_H

#include <windows.h>

typedef struct DialogAnswers DialogAnswers;

/* Starts answering the dialogs the calling thread will show: `file` is the
 * name to type (a full path), `aldus` the wanted state of the Aldus box.
 * Null after reporting a failure. */
DialogAnswers *start_dialog_answers(const char *file, int aldus);
/* The library call has returned: stops the answers and frees them. Returns
 * 1 when every dialog was answered as planned, else 0 after reporting. */
int finish_dialog_answers(DialogAnswers *answers);

#endif
