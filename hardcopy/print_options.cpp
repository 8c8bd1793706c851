// Storage of the print options and the selectors the devices read.
#include "hardcopy/print_options.h"

namespace vexl {

PrintOptions &print_options() {
    static PrintOptions options;
    return options;
}

} // namespace vexl

int printToFileSelected() {
    return vexl::print_options().printToFile;
}

int printToHPGL2Selected() {
    return vexl::print_options().fileType == vexl::PrintFileType::Hpgl2;
}
