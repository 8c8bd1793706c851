// The process-wide print options: where the next hard copy goes and in which
// form. Opening a file or print plot reads them to choose its device.
#ifndef VEXL33_HARDCOPY_PRINT_OPTIONS_H
#define VEXL33_HARDCOPY_PRINT_OPTIONS_H

#include <cstdint>

namespace vexl {

enum class PrintFileType : int32_t { None = 0, EmfOrText = 1, Hpgl2 = 2, Wmf = 3 };

// Every field as it stands before the first print dialog.
struct PrintOptions {
    int32_t printStatus = 0;
    int32_t printToFile = 0;
    int32_t colorOutput = 0;
    int32_t copyToClipboard = 0;
    int32_t copyToClipboardActive = 0;
    int32_t contentKind = 0;
    int32_t scaleToFitPage = 0;
    int32_t preserveBkgColor = 0;
    int32_t aldusPlaceable = 0;
    PrintFileType fileType = PrintFileType::None;
    int32_t colorChoiceEnabled = 0;
    int32_t clipboardSwitchSet = 0;
};

PrintOptions &print_options();

} // namespace vexl

int printToFileSelected();
int printToHPGL2Selected();

#endif // VEXL33_HARDCOPY_PRINT_OPTIONS_H
