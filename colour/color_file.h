// The colour-file reader behind kdcolor_read, with the knobs its tests and
// its fuzz target need, and an owner for the entry list it fills.
#ifndef VEXL33_COLOUR_COLOR_FILE_H
#define VEXL33_COLOUR_COLOR_FILE_H

#include <cstdint>
#include <cstdio>

#include "colour/entry_array.h"
#include "plot/gplot.h"

namespace vexl {

// Characters of one line the reader looks at; the rest of a longer line is
// skipped, and the line is ignored unless that rest is only white space.
inline constexpr int kColorLineLimit = 255;
// The entry array grows to the next multiple of this many entries.
inline constexpr int32_t kColorListStep = kEntryArrayStep;

// kdcolor_read, refusing to let the array grow beyond max_capacity entries:
// the entry count, or -1 when the array would have to grow further (or
// cannot), keeping the entries read until then.
int read_color_file(ColorEntryList *list, FILE *file, int32_t max_capacity);

// Owns a ColorEntryList from kdcolor_create to kdcolor_destroy.
class ColorEntries {
  public:
    ColorEntries() { kdcolor_create(&list_); }
    ~ColorEntries() { kdcolor_destroy(&list_); }
    ColorEntries(const ColorEntries &) = delete;
    ColorEntries &operator=(const ColorEntries &) = delete;

    ColorEntryList *get() { return &list_; }
    const ColorEntryList &operator*() const { return list_; }
    const ColorEntryList *operator->() const { return &list_; }

  private:
    ColorEntryList list_{};
};

} // namespace vexl

#endif // VEXL33_COLOUR_COLOR_FILE_H
