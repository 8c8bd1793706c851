// What the save dialogs decide, apart from the dialogs themselves: the file
// types each dialog offers, the flags and template it opens with on each
// generation of Windows, how a chosen name gets its extension, the overwrite
// question, and how the graphics dialog's hook follows the file-type box.
// Kept free of Windows so every rule is checked on every build; the dialogs
// (save_dialog_win32.cpp) only make the calls.
#ifndef VEXL33_HARDCOPY_SAVE_DIALOG_RULES_H
#define VEXL33_HARDCOPY_SAVE_DIALOG_RULES_H

#include <cstdint>
#include <optional>
#include <string>

#include "hardcopy/print_options.h"

namespace vexl {

enum class SaveContent { Graphics, Text };

// How a save dialog opens: the filter list (pairs of description and
// pattern, each ended by a NUL, the list by a second NUL), the file box's
// first text, the common-dialog flags, the template in the companion module
// (0 for none) and whether the save hook watches it.
struct SaveDialogSetup {
    std::string filter;
    const char *initial_file;
    const char *title;
    uint32_t flags;
    int template_id;
    bool hooked;
};

// The set-up for a dialog on a Windows of the given major version; version 3
// has no explorer-style dialogs, so it gets the old-style template.
SaveDialogSetup save_dialog_setup(SaveContent content, int windows_major_version);

// The file type a filter index stands for (1 EMF, 2 HP-GL/2, 3 WMF), and its
// extension. The text dialog has one type, EmfOrText, with ".txt". An index
// outside the list counts as the first type.
PrintFileType save_file_type(SaveContent content, uint32_t filter_index);
const char *save_extension(SaveContent content, PrintFileType type);

// A chosen name and what the dialog does with it.
struct ChosenFile {
    std::string name;          // the file to write
    const char *appended = ""; // the extension added to the name, or ""
};

// Appends the type's extension when the name has no '.' anywhere; a name
// whose folder has one is therefore kept as it is.
ChosenFile with_extension(const std::string &name, const char *extension);

// The overwrite question for a file whose title (name without folder) the
// dialog reported; names the file that will be written.
std::string overwrite_question(const std::string &title, const ChosenFile &chosen);

// The file type shown by the file-type box, read from its text's first
// letter: 'E' EMF, 'H' HP-GL/2, 'W' WMF, anything else None. Nothing for an
// empty text (the box is being refilled and says nothing yet).
std::optional<PrintFileType> type_from_type_box(const char *text);

// The graphics dialog hook's memory of the file type on show, so the Aldus
// box is touched only when the type really changes.
class SaveTypeTracker {
  public:
    // The dialog opens on this type; the Aldus box is enabled for WMF only.
    bool open_on(PrintFileType type) {
        current_ = type;
        return type == PrintFileType::Wmf;
    }
    // The type box now says this; returns whether the Aldus box must be
    // enabled, or nothing when it stays as it is.
    std::optional<bool> change_to(PrintFileType type) {
        if (type == current_)
            return std::nullopt;
        current_ = type;
        return type == PrintFileType::Wmf;
    }
    PrintFileType current() const { return current_; }

  private:
    PrintFileType current_ = PrintFileType::EmfOrText;
};

} // namespace vexl

#endif // VEXL33_HARDCOPY_SAVE_DIALOG_RULES_H
