// Puts the process's print options back when a test that changed them ends.
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

} // namespace vexl::test

#endif // VEXL33_TESTS_HARDCOPY_SAVED_PRINT_OPTIONS_H
