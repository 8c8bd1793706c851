// Storage of the print options and the exported selectors on them.
#include "hardcopy/print_options.h"

#include <algorithm>
#include <cstring>

#include "core/c_boundary.h"
#include "plot/gplot.h"

namespace vexl {

PrintOptions &print_options() {
    static PrintOptions options;
    return options;
}

namespace {

// The getters hand out a copy of the kept name in one process-wide buffer, so
// a caller's pointer stays valid after the name is replaced. A name longer
// than the buffer is cut at its end; the kept name itself stays whole.
const char *copy_of_file_name() {
    static char buffer[kPrintFileNameBufferSize];
    const std::string &name = print_options().printToFileName;
    const std::size_t length = std::min(name.size(), sizeof buffer - 1);
    std::memcpy(buffer, name.data(), length);
    buffer[length] = '\0';
    return buffer;
}

void keep_file_name(const char *name) {
    print_options().printToFileName = name != nullptr ? name : "";
}

} // namespace

} // namespace vexl

using vexl::print_options;

extern "C" {

VEXL_API int getPrintStatus(void) VEXL_TRY {
    return print_options().printStatus;
}
VEXL_CATCH_RETURN(0)
VEXL_API void setPrintStatus(int value) VEXL_TRY {
    print_options().printStatus = value;
}
VEXL_CATCH_RETURN()

VEXL_API int printToFileSelected(void) VEXL_TRY {
    return print_options().printToFile;
}
VEXL_CATCH_RETURN(0)
VEXL_API int gprint_get_printtofile_status(void) VEXL_TRY {
    return printToFileSelected();
}
VEXL_CATCH_RETURN(0)
VEXL_API int vexl_printdlg_get_printtofile_status(void) VEXL_TRY {
    return printToFileSelected();
}
VEXL_CATCH_RETURN(0)

VEXL_API int printToHPGL2Selected(void) VEXL_TRY {
    return print_options().fileType == vexl::PrintFileType::Hpgl2 ? 1 : 0;
}
VEXL_CATCH_RETURN(0)

VEXL_API int copyToClipboardSelected(void) VEXL_TRY {
    return print_options().copyToClipboard;
}
VEXL_CATCH_RETURN(0)
VEXL_API int colorOutputSelected(void) VEXL_TRY {
    return print_options().colorOutput;
}
VEXL_CATCH_RETURN(0)
VEXL_API int scaleToFitPageSelected(void) VEXL_TRY {
    return print_options().scaleToFitPage;
}
VEXL_CATCH_RETURN(0)
VEXL_API int preserveBkgColorSelected(void) VEXL_TRY {
    return print_options().preserveBkgColor;
}
VEXL_CATCH_RETURN(0)
VEXL_API int AldusPlaceableSelected(void) VEXL_TRY {
    return print_options().aldusPlaceable;
}
VEXL_CATCH_RETURN(0)
VEXL_API int fileType(void) VEXL_TRY {
    return static_cast<int>(print_options().fileType);
}
VEXL_CATCH_RETURN(0)

VEXL_API void setScaleToFitPage(int value) VEXL_TRY {
    print_options().scaleToFitPage = value;
}
VEXL_CATCH_RETURN()

VEXL_API int setCopyToClipboardActive(int value) VEXL_TRY {
    print_options().copyToClipboardActive = value;
    return value;
}
VEXL_CATCH_RETURN(0)

VEXL_API int gprint_enable_copy_to_clipboard(int value) VEXL_TRY {
    print_options().copyToClipboardActive = value;
    print_options().clipboardSwitchSet = 1;
    return value;
}
VEXL_CATCH_RETURN(0)

VEXL_API const char *gprint_get_printtofile_filename(void) VEXL_TRY {
    return vexl::copy_of_file_name();
}
VEXL_CATCH_RETURN(nullptr)
VEXL_API const char *vexl_printdlg_get_printtofile_filename(void) VEXL_TRY {
    return vexl::copy_of_file_name();
}
VEXL_CATCH_RETURN(nullptr)

VEXL_API void gprint_set_printtofile_filename(const char *name) VEXL_TRY {
    vexl::keep_file_name(name);
}
VEXL_CATCH_RETURN()
VEXL_API void vexl_printdlg_set_printtofile_filename(const char *name) VEXL_TRY {
    vexl::keep_file_name(name);
}
VEXL_CATCH_RETURN()

VEXL_API int gxwin_printtofile_using_screenshot_method(void) VEXL_TRY {
    return 0;
}
VEXL_CATCH_RETURN(0)

} // extern "C"
