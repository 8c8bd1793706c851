// Puts the process's print options back when a test that changed them ends,
// and the choices the hard-copy tests start from.
#ifndef VEXL33_TESTS_HARDCOPY_SAVED_PRINT_OPTIONS_H
#define VEXL33_TESTS_HARDCOPY_SAVED_PRINT_OPTIONS_H

#include "hardcopy/print_options.h"

namespace vexl::test {

class SavedPrintOptions {
  public:
    SavedPrintOptions() : saved_(print_options()) {}
    ~SavedPrintOptions() { print_options() = saved_; }
    SavedPrintOptions(const SavedPrintOptions &) = delete;
    SavedPrintOptions &operator=(const SavedPrintOptions &) = delete;

  private:
    PrintOptions saved_;
};

// What a user who prints to a file scaled to the page has chosen: a file
// plot then records an enhanced metafile of the picture.
inline void choose_scaled_print_to_file() {
    print_options().printToFile = 1;
    print_options().copyToClipboard = 0;
    print_options().scaleToFitPage = 1;
    print_options().printStatus = 0;
}

} // namespace vexl::test

#endif // VEXL33_TESTS_HARDCOPY_SAVED_PRINT_OPTIONS_H
