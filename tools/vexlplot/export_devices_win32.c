/* The Windows-metafile kinds of the Windows builds, made the way an
 * application makes them: its user chooses print to file in the print
 * dialog and the Windows Metafile type (with or without the Aldus placeable
 * header) and the file in the print-to-file dialog; the application then
 * records the sheet on a file plot and hands the recording to
 * gprint_printFile, which converts it to the chosen file and erases it.
 * vexlplot answers the dialogs itself (dialog_answers_win32.h). */
#include <stdlib.h>

#include <windows.h>

#include "devices.h"
#include "dialog_answers_win32.h"
#include "gplot_win32.h"

/* What a WMF output holds until it is delivered. */
typedef struct WmfExport {
    HWND owner;               /* owns the dialogs; its context is the reference */
    char recording[MAX_PATH]; /* the enhanced metafile the plot records */
} WmfExport;

static void release_export(WmfExport *pending) {
    if (pending->owner != NULL)
        DestroyWindow(pending->owner);
    if (pending->recording[0] != '\0')
        DeleteFileA(pending->recording);
    free(pending);
}

/* The print options asked for: print to file as WMF, the header as wanted. */
static int options_chosen(const char *file, int aldus) {
    if (getPrintStatus() == 1 && printToFileSelected() && fileType() == 3 &&
        AldusPlaceableSelected() == aldus)
        return 1;
    fprintf(stderr,
            "vexlplot: the print dialogs did not choose %s as a Windows metafile%s "
            "(print status %d, print to file %d, file type %d, Aldus %d)\n",
            file, aldus ? " with the Aldus header" : "", getPrintStatus(), printToFileSelected(),
            fileType(), AldusPlaceableSelected());
    return 0;
}

/* Shows the print dialogs, answered as a user choosing `file` would. */
static int choose_wmf_file(HWND owner, const char *file, int aldus) {
    DialogAnswers *answers = start_dialog_answers(file, aldus);
    if (answers == NULL)
        return 0;
    const int accepted = gprint_display_printui_dialogs(1, 0, owner);
    const int answered = finish_dialog_answers(answers);
    if (!accepted)
        fprintf(stderr, "vexlplot: the print dialogs were not accepted: %s\n",
                gplot_get_error_message());
    return accepted && answered && options_chosen(file, aldus);
}

static int open_wmf(const char *file, int aldus, Output *output) {
    output->plot = NULL;
    output->holder = NULL;
    WmfExport *pending = calloc(1, sizeof *pending);
    if (pending == NULL) {
        fputs("vexlplot: no memory for the metafile pending\n", stderr);
        return 0;
    }
    /* The dialog takes a full name; "/tmp/x.wmf" becomes "Z:\tmp\x.wmf" under Wine. */
    char full_name[MAX_PATH];
    const DWORD length = GetFullPathNameA(file, sizeof full_name, full_name, NULL);
    char folder[MAX_PATH];
    pending->owner = CreateWindowA("STATIC", "vexlplot", WS_OVERLAPPED, 0, 0, 10, 10, NULL, NULL,
                                   GetModuleHandleA(NULL), NULL);
    if (length == 0 || length >= sizeof full_name || pending->owner == NULL ||
        GetTempPathA(sizeof folder, folder) == 0 ||
        GetTempFileNameA(folder, "vxp", 0, pending->recording) == 0) {
        fprintf(stderr, "vexlplot: preparing the pending of %s: Windows error %lu\n", file,
                (unsigned long)GetLastError());
        release_export(pending);
        return 0;
    }
    if (!choose_wmf_file(pending->owner, full_name, aldus)) {
        release_export(pending);
        return 0;
    }
    output->plot = gplot_open_file(pending->recording, DB_UNIT_INCH, -3, NULL);
    if (output->plot == NULL) {
        fprintf(stderr, "vexlplot: opening a file plot on %s: %s\n", pending->recording,
                gplot_get_error_message());
        release_export(pending);
        return 0;
    }
    output->holder = pending;
    return 1;
}

int open_wmf_plain(const char *file, Output *output) {
    return open_wmf(file, 0, output);
}
int open_wmf_placeable(const char *file, Output *output) {
    return open_wmf(file, 1, output);
}

/* Closing ends the recording; the delivery converts it to the chosen file
 * and erases it. */
int close_wmf(Output *output, const char *file) {
    WmfExport *pending = output->holder;
    int delivered = close_plot(output, pending->recording);
    if (delivered && !gprint_printFile(0, pending->recording, pending->owner)) {
        fprintf(stderr, "vexlplot: delivering the recording to %s failed: %s\n", file,
                gplot_get_error_message());
        delivered = 0;
    }
    release_export(pending);
    return delivered;
}
