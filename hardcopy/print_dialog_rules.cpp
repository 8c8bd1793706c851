// The print dialog's rules on the options.
//
// Files and the clipboard always get colour, so while either destination is
// chosen the colour box shows a check and cannot be changed; colorOutput
// keeps the printer's choice underneath and comes back on the box when both
// destinations are off again. The two destinations exclude each other.
#include "hardcopy/print_dialog_rules.h"

#include "hardcopy/dialog_ids.h"

namespace vexl {

namespace {

// The colour box while a file or the clipboard is the destination (forced)
// or the printer is (the stored choice).
void show_colour_choice(const PrintOptions &options, PrintDialogBoxes &boxes) {
    const bool forced = options.colorChoiceEnabled == 0;
    boxes.set_checked(VEXL_COLOUR_BOX, forced || options.colorOutput != 0);
    boxes.set_enabled(VEXL_COLOUR_BOX, !forced);
}

// A click on one of the two destination boxes: box and its option, the
// other destination's box and option.
void destination_clicked(PrintOptions &options, PrintDialogBoxes &boxes, int box, int32_t &chosen,
                         int other_box, int32_t &other) {
    if (boxes.checked(box)) {
        chosen = 1;
        other = 0;
        boxes.set_checked(other_box, false);
        options.colorChoiceEnabled = 0;
    } else {
        chosen = 0;
        boxes.set_checked(box, false);
        options.colorChoiceEnabled = 1;
    }
    show_colour_choice(options, boxes);
}

} // namespace

std::optional<uint32_t> print_dialog_flags(int32_t kind, bool hook_installed) {
    switch (kind) {
        case kDefaultPrinterDialog:
            return kDefaultPrinterFlags;
        case kLibraryPrintDialog:
            if (hook_installed)
                return kLibraryPrintFlags;
            return std::nullopt;
        case kPlainPrintDialog:
            return kPlainPrintFlags;
        case kPrinterSetupDialog:
            return kPrinterSetupFlags;
        default:
            return std::nullopt;
    }
}

void set_first_print_dialog_options(PrintOptions &options) {
    options.printStatus = 0;
    options.printToFile = 0;
    options.colorOutput = 0;
    options.copyToClipboard = 0;
    // An application that switched the offer before its first dialog keeps
    // what it asked for.
    if (options.clipboardSwitchSet == 0)
        options.copyToClipboardActive = 1;
    options.scaleToFitPage = 1;
    options.preserveBkgColor = 0;
    options.aldusPlaceable = 1;
    options.fileType = PrintFileType::None;
    options.printToFileName.clear();
    options.colorChoiceEnabled = 1;
}

void show_print_options(const PrintOptions &options, PrintDialogBoxes &boxes) {
    if (options.copyToClipboardActive == 0) {
        boxes.set_checked(VEXL_COPY_TO_CLIPBOARD_BOX, false);
        boxes.set_enabled(VEXL_COPY_TO_CLIPBOARD_BOX, false);
    } else {
        boxes.set_checked(VEXL_COPY_TO_CLIPBOARD_BOX, options.copyToClipboard != 0);
    }
    boxes.set_checked(VEXL_PRINT_TO_FILE_BOX, options.printToFile != 0);
    show_colour_choice(options, boxes);
    boxes.set_checked(VEXL_SCALE_TO_FIT_BOX, options.scaleToFitPage != 0);
    // Text is printed line by line at its own size; there is nothing to scale.
    if (options.contentKind == 1)
        boxes.set_enabled(VEXL_SCALE_TO_FIT_BOX, false);
}

bool print_option_clicked(PrintOptions &options, PrintDialogBoxes &boxes, int box) {
    switch (box) {
        case VEXL_PRINT_TO_FILE_BOX:
            destination_clicked(options, boxes, box, options.printToFile,
                                VEXL_COPY_TO_CLIPBOARD_BOX, options.copyToClipboard);
            return true;
        case VEXL_COPY_TO_CLIPBOARD_BOX:
            destination_clicked(options, boxes, box, options.copyToClipboard,
                                VEXL_PRINT_TO_FILE_BOX, options.printToFile);
            return true;
        case VEXL_SCALE_TO_FIT_BOX:
            options.scaleToFitPage = options.scaleToFitPage != 0 ? 0 : 1;
            boxes.set_checked(box, options.scaleToFitPage != 0);
            return true;
        case VEXL_COLOUR_BOX:
            options.colorOutput = options.colorOutput != 0 ? 0 : 1;
            boxes.set_checked(box, options.colorOutput != 0);
            return true;
        default:
            return false;
    }
}

} // namespace vexl
