// The two print-to-file dialogs, one for graphics (EMF, HP-GL/2, WMF, with
// the preserve-background and Aldus boxes of the companion module) and one
// for text. Each keeps its record and buffers for the life of the process, so
// the folder, file type and file box of one use are where the next starts.
#ifndef VEXL33_HARDCOPY_SAVE_DIALOG_WIN32_H
#define VEXL33_HARDCOPY_SAVE_DIALOG_WIN32_H

#include <windows.h>

#include <commdlg.h>

#include "hardcopy/save_dialog_rules.h"

namespace vexl {

// The companion module the loader loaded, else one named "vexl" that the
// application loaded itself; null when there is none.
HINSTANCE companion_module();

class SaveDialog {
  public:
    // Where the templates are: the companion module, or null while it is
    // not loaded.
    using ModuleFinder = HINSTANCE (*)();

    // Sets the dialog up as its first use does: filters, file box, title,
    // flags and template for this Windows version, and no kept file name.
    SaveDialog(SaveContent content, int windows_major_version,
               ModuleFinder find_module = companion_module);
    SaveDialog(const SaveDialog &) = delete;
    SaveDialog &operator=(const SaveDialog &) = delete;

    // Asks for a file until one is accepted (the chosen type for graphics, 1
    // for text, with the print options set) or the dialog is cancelled (0,
    // print status 0). A name the user declines to overwrite asks again.
    int run(HWND owner);

    // The file box the next use opens with.
    const char *file_box() const { return file_; }
    DWORD filter_index() const { return record_.nFilterIndex; }

  private:
    static UINT_PTR CALLBACK hook(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
    void on_hook_start(HWND dialog);
    void on_box_click(HWND dialog, int box);
    void on_type_change(HWND dialog, HWND type_box_owner);
    void attach_module();

    SaveContent content_;
    SaveDialogSetup setup_;
    ModuleFinder find_module_;
    OPENFILENAMEA record_{};
    char file_[512] = {};
    char title_[512] = {};
    SaveTypeTracker types_;
};

// The major version of the running Windows, asked once per process; 3 when
// the system will not say.
int windows_major_version();

// The process's two dialogs, set up on first use.
SaveDialog &graphics_save_dialog();
SaveDialog &text_save_dialog();

} // namespace vexl

#endif // VEXL33_HARDCOPY_SAVE_DIALOG_WIN32_H
