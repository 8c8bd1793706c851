/* The dialog answers: see dialog_answers_win32.h. The steps follow the
 * dialogs as the library shows them: first the print dialog with the
 * library's boxes, then, when print to file is checked and the dialog
 * accepted, the print-to-file dialog, and the overwrite question when the
 * file exists. */
#include "dialog_answers_win32.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* The controls a user works: the library's boxes (its print module's
 * templates) and the common save dialog's file name and type boxes. */
enum {
    PRINT_TO_FILE_BOX = 1001,
    ALDUS_PLACEABLE_BOX = 1005,
    FILE_TYPE_BOX = 1136,
    FILE_NAME_COMBO = 1148, /* explorer-style dialogs */
    FILE_NAME_EDIT = 1152,  /* older dialogs */
    WMF_TYPE_ENTRY = 2      /* EMF, HP-GL/2, WMF in the type box */
};

static const char save_title[] = "Print to File";
static const char question_title[] = "Save to file";

enum { POLL_MS = 20, SETTLE_MS = 200, DEADLINE_MS = 60000, MESSAGE_WAIT_MS = 5000 };

struct DialogAnswers {
    DWORD library_thread;
    char file[MAX_PATH];
    int aldus;
    ULONGLONG deadline;
    volatile LONG returned;
    volatile LONG failed;
    char complaint[256];
    HANDLE worker;
};

/* ---- looking at the windows of the library's thread ---- */

typedef struct Search {
    const char *title; /* null: any dialog box */
    HWND found;
} Search;

static BOOL CALLBACK match_window(HWND window, LPARAM data) {
    Search *search = (Search *)data;
    if (!IsWindowVisible(window))
        return TRUE;
    char text[256] = "";
    if (search->title != NULL) {
        /* Not GetWindowTextA, which asks the window's thread: once the
         * library has returned, that thread waits for this one. */
        WCHAR title[256] = L"";
        InternalGetWindowText(window, title, 256);
        WideCharToMultiByte(CP_ACP, 0, title, -1, text, sizeof text, NULL, NULL);
        if (strcmp(text, search->title) != 0)
            return TRUE;
    } else {
        GetClassNameA(window, text, sizeof text);
        if (strcmp(text, "#32770") != 0)
            return TRUE;
    }
    search->found = window;
    return FALSE;
}

static HWND visible_window(const DialogAnswers *answers, const char *title) {
    Search search = {title, NULL};
    EnumThreadWindows(answers->library_thread, match_window, (LPARAM)&search);
    return search.found;
}

typedef struct ControlSearch {
    int id;
    HWND found;
} ControlSearch;

static BOOL CALLBACK match_control(HWND window, LPARAM data) {
    ControlSearch *search = (ControlSearch *)data;
    if (GetDlgCtrlID(window) != search->id)
        return TRUE;
    search->found = window;
    return FALSE;
}

/* A control anywhere inside the dialog: the library's boxes of an
 * explorer-style save dialog sit in a child of the dialog. */
static HWND control(HWND dialog, int id) {
    ControlSearch search = {id, NULL};
    EnumChildWindows(dialog, match_control, (LPARAM)&search);
    return search.found;
}

/* ---- the user's actions ---- */

static int complain(DialogAnswers *answers, const char *what) {
    if (answers->complaint[0] == '\0')
        snprintf(answers->complaint, sizeof answers->complaint, "%s", what);
    InterlockedExchange(&answers->failed, 1);
    return 0;
}

static int past_deadline(const DialogAnswers *answers) {
    return GetTickCount64() > answers->deadline;
}

/* Waits for the window; 0 when the library returned or the deadline passed
 * first. */
static HWND wait_for(DialogAnswers *answers, const char *title) {
    while (!answers->returned && !past_deadline(answers)) {
        HWND window = visible_window(answers, title);
        if (window != NULL) {
            Sleep(SETTLE_MS); /* the dialog's hook sets its boxes up first */
            return window;
        }
        Sleep(POLL_MS);
    }
    return NULL;
}

static int wait_closed(DialogAnswers *answers, HWND window) {
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (past_deadline(answers))
            return 0;
        Sleep(POLL_MS);
    }
    return 1;
}

/* Sends a message and waits for the dialog to handle it, within reason. */
static LRESULT send_to_dialog(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wparam, lparam, SMTO_ABORTIFHUNG, MESSAGE_WAIT_MS,
                        &result);
    return (LRESULT)result;
}

static int checked(HWND dialog, int id) {
    HWND box = control(dialog, id);
    return box != NULL && send_to_dialog(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

static int click(HWND dialog, int id) {
    HWND button = control(dialog, id);
    if (button == NULL)
        return 0;
    send_to_dialog(button, BM_CLICK, 0, 0);
    return 1;
}

/* A push button that ends the dialog: the click is posted, as the dialog's
 * modal loop only returns once the message has been handled. */
static void press(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (button != NULL)
        PostMessageA(button, BM_CLICK, 0, 0);
    else
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

/* Picks an entry of the file-type box and tells its dialog, as a click on
 * the entry would. */
static int choose_file_type(HWND dialog, int entry) {
    HWND box = control(dialog, FILE_TYPE_BOX);
    if (box == NULL)
        return 0;
    send_to_dialog(box, CB_SETCURSEL, (WPARAM)entry, 0);
    HWND parent = GetParent(box);
    send_to_dialog(parent, WM_COMMAND, MAKEWPARAM(FILE_TYPE_BOX, CBN_SELCHANGE), (LPARAM)box);
    send_to_dialog(parent, WM_COMMAND, MAKEWPARAM(FILE_TYPE_BOX, CBN_SELENDOK), (LPARAM)box);
    return 1;
}

static int type_file_name(HWND dialog, const char *name) {
    HWND box = control(dialog, FILE_NAME_COMBO);
    if (box == NULL)
        box = control(dialog, FILE_NAME_EDIT);
    if (box == NULL)
        return 0;
    send_to_dialog(box, WM_SETTEXT, 0, (LPARAM)name);
    return 1;
}

/* ---- the script ---- */

static int answer_print_dialog(DialogAnswers *answers) {
    HWND print = wait_for(answers, NULL);
    if (print == NULL)
        return complain(answers, "the print dialog did not appear");
    if (control(print, PRINT_TO_FILE_BOX) == NULL) {
        press(print, IDCANCEL);
        return complain(answers, "the print dialog has no print-to-file box");
    }
    if (!checked(print, PRINT_TO_FILE_BOX))
        click(print, PRINT_TO_FILE_BOX);
    if (!checked(print, PRINT_TO_FILE_BOX)) {
        press(print, IDCANCEL);
        return complain(answers, "the print-to-file box does not stay checked");
    }
    press(print, IDOK);
    return wait_closed(answers, print) || complain(answers, "the print dialog stayed open");
}

static int answer_save_dialog(DialogAnswers *answers) {
    HWND save = wait_for(answers, save_title);
    if (save == NULL)
        return complain(answers, "the print-to-file dialog did not appear");
    if (!choose_file_type(save, WMF_TYPE_ENTRY)) {
        press(save, IDCANCEL);
        return complain(answers, "the print-to-file dialog has no file-type box");
    }
    if (checked(save, ALDUS_PLACEABLE_BOX) != answers->aldus)
        click(save, ALDUS_PLACEABLE_BOX);
    if (checked(save, ALDUS_PLACEABLE_BOX) != answers->aldus) {
        press(save, IDCANCEL);
        return complain(answers, "the Aldus placeable box cannot be set");
    }
    if (!type_file_name(save, answers->file)) {
        press(save, IDCANCEL);
        return complain(answers, "the print-to-file dialog has no file name box");
    }
    press(save, IDOK);
    return 1;
}

/* Until the library returns: an existing file is to be overwritten. */
static void agree_to_overwrite(DialogAnswers *answers) {
    while (!answers->returned && !past_deadline(answers)) {
        HWND question = visible_window(answers, question_title);
        if (question != NULL) {
            press(question, IDYES);
            wait_closed(answers, question);
        }
        Sleep(POLL_MS);
    }
}

/* Past the deadline: cancels, declines and closes whatever the library's
 * thread shows until its call returns. */
static void close_everything(DialogAnswers *answers) {
    complain(answers, "the dialogs were not done in time");
    while (!answers->returned) {
        HWND window;
        while ((window = visible_window(answers, NULL)) != NULL && !answers->returned) {
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            PostMessageA(window, WM_COMMAND, IDNO, 0);
            PostMessageA(window, WM_CLOSE, 0, 0);
            Sleep(SETTLE_MS);
        }
        Sleep(SETTLE_MS);
    }
}

static DWORD WINAPI answer_dialogs(void *data) {
    DialogAnswers *answers = data;
    if (answer_print_dialog(answers) && answer_save_dialog(answers))
        agree_to_overwrite(answers);
    while (!answers->returned) {
        if (past_deadline(answers)) {
            close_everything(answers);
            break;
        }
        Sleep(POLL_MS);
    }
    return 0;
}

DialogAnswers *start_dialog_answers(const char *file, int aldus) {
    DialogAnswers *answers = calloc(1, sizeof *answers);
    if (answers == NULL) {
        fputs("vexlplot: no memory for the dialog answers\n", stderr);
        return NULL;
    }
    if (strlen(file) >= sizeof answers->file) {
        fprintf(stderr, "vexlplot: the file name %s is too long for the print-to-file dialog\n",
                file);
        free(answers);
        return NULL;
    }
    strcpy(answers->file, file);
    answers->aldus = aldus != 0;
    answers->library_thread = GetCurrentThreadId();
    answers->deadline = GetTickCount64() + DEADLINE_MS;
    answers->worker = CreateThread(NULL, 0, answer_dialogs, answers, 0, NULL);
    if (answers->worker == NULL) {
        fprintf(stderr, "vexlplot: cannot start answering the dialogs: Windows error %lu\n",
                (unsigned long)GetLastError());
        free(answers);
        return NULL;
    }
    return answers;
}

int finish_dialog_answers(DialogAnswers *answers) {
    InterlockedExchange(&answers->returned, 1);
    WaitForSingleObject(answers->worker, INFINITE);
    CloseHandle(answers->worker);
    const int answered = !answers->failed;
    if (!answered)
        fprintf(stderr, "vexlplot: answering the print dialogs: %s\n", answers->complaint);
    free(answers);
    return answered;
}
