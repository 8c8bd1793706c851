// The fill-pattern file reader's C++ side: an owner for the entry list
// kdfill_read fills, shared by the pattern table, the HP-GL/2 fill-type table
// and the tests.
#ifndef VEXL33_COLOUR_FILL_FILE_H
#define VEXL33_COLOUR_FILL_FILE_H

#include <cstdint>

#include "plot/gplot.h"

namespace vexl {

// Owns a FillEntryList from kdfill_create to kdfill_destroy, however the
// code using it ends.
class FillEntries {
  public:
    FillEntries() { kdfill_create(&list_); }
    ~FillEntries() { kdfill_destroy(&list_); }
    FillEntries(const FillEntries &) = delete;
    FillEntries &operator=(const FillEntries &) = delete;

    FillEntryList *get() { return &list_; }
    const FillEntryList &operator*() const { return list_; }
    const FillEntryList *operator->() const { return &list_; }
    const FillEntry &operator[](int32_t i) const { return list_.entries[i]; }

  private:
    FillEntryList list_{};
};

} // namespace vexl

#endif // VEXL33_COLOUR_FILL_FILE_H
