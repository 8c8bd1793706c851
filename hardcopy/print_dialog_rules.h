// What the print dialog does with the print options, apart from the window
// system: the flags each kind of dialog asks for, the defaults the first
// dialog sets, and how the library's check boxes follow the options and
// change them. The Windows hook (print_dialog_win32.cpp) hands its events
// here through PrintDialogBoxes, so the rules are tested everywhere.
#ifndef VEXL33_HARDCOPY_PRINT_DIALOG_RULES_H
#define VEXL33_HARDCOPY_PRINT_DIALOG_RULES_H

#include <cstdint>
#include <optional>

#include "hardcopy/print_options.h"

namespace vexl {

// The dialogKind argument of PrintSetup_Dialog.
enum PrintDialogKind : int32_t {
    kDefaultPrinterDialog = 0, // no dialog: the default printer's context
    kLibraryPrintDialog = 1,   // the print dialog with the library's options
    kPlainPrintDialog = 2,
    kPrinterSetupDialog = 3,
};

// The PrintDlgA flags of each kind (PD_RETURNDEFAULT | PD_RETURNDC;
// ... | PD_ENABLEPRINTTEMPLATE | PD_ENABLEPRINTHOOK | ...; PD_HIDEPRINTTOFILE
// | ...; PD_PRINTSETUP | ...).
inline constexpr uint32_t kDefaultPrinterFlags = 0x500;
inline constexpr uint32_t kLibraryPrintFlags = 0x4510C;
inline constexpr uint32_t kPlainPrintFlags = 0x14010C;
inline constexpr uint32_t kPrinterSetupFlags = 0x14C;

// The flags for a dialog of this kind, or nothing when the record keeps the
// flags of the previous call: the library's dialog needs its hook and
// template, and an unknown kind asks for nothing.
std::optional<uint32_t> print_dialog_flags(int32_t kind, bool hook_installed);

// The options as the first print dialog of the process sets them. The
// copy-to-clipboard offer stays as an application switched it; otherwise it
// is offered.
void set_first_print_dialog_options(PrintOptions &options);

// The library's check boxes on the open print dialog.
class PrintDialogBoxes {
  public:
    virtual ~PrintDialogBoxes() = default;
    virtual void set_checked(int box, bool checked) = 0;
    virtual void set_enabled(int box, bool enabled) = 0;
    virtual bool checked(int box) const = 0;
};

// Shows the options on the boxes of a dialog that has just opened.
void show_print_options(const PrintOptions &options, PrintDialogBoxes &boxes);

// A click on box (which has already toggled its own check). False when box
// is none of the library's.
bool print_option_clicked(PrintOptions &options, PrintDialogBoxes &boxes, int box);

} // namespace vexl

#endif // VEXL33_HARDCOPY_PRINT_DIALOG_RULES_H
