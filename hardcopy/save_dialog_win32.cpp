// The print-to-file dialogs: GetSaveFileNameA with the companion module's
// templates, the loop that settles the file name, and the graphics dialog's
// hook, which keeps the two option boxes and the print options in step and
// offers the Aldus box only while the WMF type is chosen.
#include "hardcopy/save_dialog_win32.h"

#include <cstdio>

#include "hardcopy/dialog_ids.h"
#include "hardcopy/print_module.h"
#include "hardcopy/print_options.h"
#include "support/rtk_files.h"

namespace vexl {

namespace {

// The file-type box of the system's save dialog (cmb1).
constexpr int kFileTypeBox = 1136;

// Where the hook finds its dialog object on the hook's own window.
constexpr const char *kDialogProperty = "vexl33.SaveDialog";

void set_check(HWND dialog, int box, int32_t on) {
    SendDlgItemMessageA(dialog, box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void enable_box(HWND dialog, int box, bool on) {
    if (HWND control = GetDlgItem(dialog, box))
        EnableWindow(control, on ? TRUE : FALSE);
}

} // namespace

HINSTANCE companion_module() {
    if (void *loaded = print_module_handle())
        return static_cast<HINSTANCE>(loaded);
    return GetModuleHandleA("vexl");
}

SaveDialog::SaveDialog(SaveContent content, int windows_major_version, ModuleFinder find_module)
    : content_(content), setup_(save_dialog_setup(content, windows_major_version)),
      find_module_(find_module) {
    std::snprintf(file_, sizeof file_, "%s", setup_.initial_file);
    record_.lStructSize = sizeof record_;
    record_.lpstrFilter = setup_.filter.c_str();
    record_.nFilterIndex = 1;
    record_.lpstrFile = file_;
    record_.nMaxFile = sizeof file_;
    record_.lpstrFileTitle = title_;
    record_.nMaxFileTitle = sizeof title_;
    record_.lpstrTitle = setup_.title;
    record_.Flags = setup_.flags;
    if (setup_.template_id != 0)
        record_.lpTemplateName = MAKEINTRESOURCEA(setup_.template_id);
    if (setup_.hooked) {
        record_.lpfnHook = hook;
        record_.lCustData = reinterpret_cast<LPARAM>(this);
    }
    print_options().printToFileName.clear();
}

// The templates live in the companion module. Until it is loaded the dialog
// is shown without them (and so without the two option boxes) rather than
// failing to appear at all, and the module is looked for again next time.
void SaveDialog::attach_module() {
    if (record_.hInstance == nullptr)
        record_.hInstance = find_module_();
    if (setup_.template_id == 0)
        return;
    if (record_.hInstance != nullptr)
        record_.Flags |= OFN_ENABLETEMPLATE;
    else
        record_.Flags &= ~static_cast<DWORD>(OFN_ENABLETEMPLATE);
}

int SaveDialog::run(HWND owner) {
    PrintOptions &options = print_options();
    record_.hwndOwner = owner;
    attach_module();
    for (;;) {
        if (!GetSaveFileNameA(&record_)) {
            options.printStatus = 0;
            return 0;
        }
        options.printToFileName.clear();
        const PrintFileType type = save_file_type(content_, record_.nFilterIndex);
        const char *extension = save_extension(content_, type);
        const ChosenFile chosen = with_extension(file_, extension);
        std::snprintf(file_, sizeof file_, "*%s", extension);

        if (gfile_exists(chosen.name.c_str())) {
            const std::string question = overwrite_question(title_, chosen);
            if (MessageBoxA(owner, question.c_str(), "Save to file", MB_YESNO | MB_ICONQUESTION) ==
                IDNO)
                continue;
        }
        options.printToFileName = chosen.name;
        options.printStatus = 1;
        if (content_ == SaveContent::Text) {
            options.fileType = PrintFileType::EmfOrText;
            return 1;
        }
        options.fileType = type;
        return static_cast<int>(type);
    }
}

void SaveDialog::on_hook_start(HWND dialog) {
    const PrintOptions &options = print_options();
    set_check(dialog, VEXL_PRESERVE_BACKGROUND_BOX, options.preserveBkgColor);
    set_check(dialog, VEXL_ALDUS_PLACEABLE_BOX, options.aldusPlaceable);
    // The box follows the type the dialog opens on, which is the last type
    // chosen here, not the type of the last file written by either dialog.
    const bool aldus = types_.open_on(save_file_type(content_, record_.nFilterIndex));
    enable_box(dialog, VEXL_ALDUS_PLACEABLE_BOX, aldus);
}

void SaveDialog::on_box_click(HWND dialog, int box) {
    PrintOptions &options = print_options();
    int32_t &option =
        box == VEXL_PRESERVE_BACKGROUND_BOX ? options.preserveBkgColor : options.aldusPlaceable;
    option = option ? 0 : 1;
    set_check(dialog, box, option);
}

void SaveDialog::on_type_change(HWND dialog, HWND type_box_owner) {
    char text[256] = {};
    if (HWND box = GetDlgItem(type_box_owner, kFileTypeBox))
        GetWindowTextA(box, text, sizeof text);
    const std::optional<PrintFileType> type = type_from_type_box(text);
    if (!type)
        return;
    if (const std::optional<bool> aldus = types_.change_to(*type))
        enable_box(dialog, VEXL_ALDUS_PLACEABLE_BOX, *aldus);
}

UINT_PTR CALLBACK SaveDialog::hook(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        const auto *record = reinterpret_cast<const OPENFILENAMEA *>(lparam);
        auto *self = reinterpret_cast<SaveDialog *>(record->lCustData);
        SetPropA(dialog, kDialogProperty, self);
        self->on_hook_start(dialog);
        return TRUE;
    }
    auto *self = static_cast<SaveDialog *>(GetPropA(dialog, kDialogProperty));
    if (self == nullptr)
        return FALSE;
    const bool explorer = (self->record_.Flags & OFN_EXPLORER) != 0;
    switch (message) {
        case WM_COMMAND: {
            const int control = LOWORD(wparam);
            if (control == VEXL_PRESERVE_BACKGROUND_BOX || control == VEXL_ALDUS_PLACEABLE_BOX) {
                if (HIWORD(wparam) == BN_CLICKED)
                    self->on_box_click(dialog, control);
            } else if (!explorer) {
                // The old-style dialog tells of no type change of its own;
                // any other command may have been one.
                self->on_type_change(dialog, dialog);
            }
            return FALSE;
        }
        case WM_NOTIFY: {
            const auto *notice = reinterpret_cast<const OFNOTIFYA *>(lparam);
            if (notice->hdr.code == CDN_TYPECHANGE) {
                self->on_type_change(dialog, GetParent(dialog));
            } else if (notice->hdr.code == CDN_FILEOK) {
                // The loop, not the dialog, judges the name; the hook's
                // result of 0 lets the dialog close.
                SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 1);
            }
            return FALSE;
        }
        case WM_DESTROY:
            RemovePropA(dialog, kDialogProperty);
            return FALSE;
        default:
            return FALSE;
    }
}

int windows_major_version() {
    static const int major = [] {
        OSVERSIONINFOA version{};
        version.dwOSVersionInfoSize = sizeof version;
        return GetVersionExA(&version) ? static_cast<int>(version.dwMajorVersion) : 3;
    }();
    return major;
}

SaveDialog &graphics_save_dialog() {
    static SaveDialog dialog(SaveContent::Graphics, windows_major_version());
    return dialog;
}

SaveDialog &text_save_dialog() {
    static SaveDialog dialog(SaveContent::Text, windows_major_version());
    return dialog;
}

} // namespace vexl
