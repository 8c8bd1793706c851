// Growth of the C entry arrays the file readers fill (ColorEntryList,
// FillEntryList): one contiguous block of entries, a count and a capacity.
//
// Both arrays grow the same way, in whole steps of 32 entries, and are
// released with rtk_free, so the rule lives here once. What a failure means
// (an error code or none) stays with each reader.
#ifndef VEXL33_COLOUR_ENTRY_ARRAY_H
#define VEXL33_COLOUR_ENTRY_ARRAY_H

#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "support/rtk_memory.h"

namespace vexl {

// The capacity of an entry array is always a multiple of this.
inline constexpr int32_t kEntryArrayStep = 32;

// Room for one more entry in list: when it is full (or has no block yet) the
// block grows to the next multiple of kEntryArrayStep above the count. False,
// with the list unchanged, when that would exceed max_capacity entries or the
// allocation fails. The list must have a count of at least 0.
template <typename List>
bool make_room(List &list, int32_t max_capacity = std::numeric_limits<int32_t>::max()) {
    using Entry = std::remove_pointer_t<decltype(list.entries)>;
    if (list.count < list.capacity && list.entries)
        return true;
    const int64_t next = (static_cast<int64_t>(list.count) / kEntryArrayStep + 1) * kEntryArrayStep;
    if (next > max_capacity || static_cast<uint64_t>(next) > SIZE_MAX / sizeof(Entry))
        return false;
    void *grown = rtk_realloc(list.entries, static_cast<std::size_t>(next) * sizeof(Entry));
    if (!grown)
        return false;
    list.entries = static_cast<Entry *>(grown);
    list.capacity = static_cast<int32_t>(next);
    return true;
}

// An empty list with no block, as the readers' create calls leave it.
template <typename List>
void clear_entry_array(List *list) {
    if (!list)
        return;
    list->entries = nullptr;
    list->count = 0;
    list->capacity = 0;
}

// Releases the block and leaves the list empty, ready to be read into again.
template <typename List>
void release_entry_array(List *list) {
    if (!list)
        return;
    rtk_free(list->entries);
    clear_entry_array(list);
}

} // namespace vexl

#endif // VEXL33_COLOUR_ENTRY_ARRAY_H
