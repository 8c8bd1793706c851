// The name a font table owns: one way to replace it, used by every font layer.
#ifndef VEXL33_FONTS_TABLE_NAME_H
#define VEXL33_FONTS_TABLE_NAME_H

#include <cstdlib>
#include <cstring>

#include "plot/gfonts.h"

namespace vexl {

// Frees the table's current name and stores a heap copy of name (null
// clears it). A table record starts zero-filled, so its first name is null.
// When the copy cannot be made the old name is kept.
inline void set_table_name(GFontTable *table, const char *name) {
    char *copy = nullptr;
    if (name != nullptr) {
        const std::size_t size = std::strlen(name) + 1;
        copy = static_cast<char *>(std::malloc(size));
        if (copy == nullptr)
            return;
        std::memcpy(copy, name, size);
    }
    std::free(table->name);
    table->name = copy;
}

} // namespace vexl

#endif // VEXL33_FONTS_TABLE_NAME_H
