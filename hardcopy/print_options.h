// The process-wide print options: where the next hard copy goes and in which
// form. The devices read them when a plot opens and when its hard copy is
// delivered; the print and save dialogs and the exported selectors set them.
#ifndef VEXL33_HARDCOPY_PRINT_OPTIONS_H
#define VEXL33_HARDCOPY_PRINT_OPTIONS_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace vexl {

enum class PrintFileType : int32_t { None = 0, EmfOrText = 1, Hpgl2 = 2, Wmf = 3 };

// Every field as it stands before the first print dialog.
struct PrintOptions {
    int32_t printStatus = 0;
    int32_t printToFile = 0;
    int32_t colorOutput = 0;
    int32_t copyToClipboard = 0;
    int32_t copyToClipboardActive = 0;
    int32_t contentKind = 0; // 0 graphics, 1 text
    int32_t scaleToFitPage = 0;
    int32_t preserveBkgColor = 0;
    int32_t aldusPlaceable = 0;
    PrintFileType fileType = PrintFileType::None;
    std::string printToFileName; // empty while no name is kept
    int32_t colorChoiceEnabled = 0;
    int32_t clipboardSwitchSet = 0;
};

PrintOptions &print_options();

// Size of the buffer the file-name getters hand out.
inline constexpr std::size_t kPrintFileNameBufferSize = 4096;

} // namespace vexl

#endif // VEXL33_HARDCOPY_PRINT_OPTIONS_H
