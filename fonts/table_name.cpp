#include "fonts/table_name.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <unordered_set>

namespace vexl {

namespace {

// Every name this library has stored in a table and not yet freed. A table
// record is the caller's, and a record declared without an initialiser holds
// whatever bytes were there: its name pointer may be anything, so only a
// pointer found here is ever passed to free.
std::unordered_set<const char *> &names_made_here() {
    static std::unordered_set<const char *> names;
    return names;
}

void release_name(char *name) {
    if (name != nullptr && names_made_here().erase(name) > 0)
        std::free(name);
}

} // namespace

void set_table_name(GFontTable *table, const char *name) {
    char *copy = nullptr;
    if (name != nullptr) {
        const std::size_t size = std::strlen(name) + 1;
        copy = static_cast<char *>(std::malloc(size));
        if (copy == nullptr)
            return;
        std::memcpy(copy, name, size);
        try {
            names_made_here().insert(copy);
        } catch (const std::bad_alloc &) {
            std::free(copy);
            return;
        }
    }
    release_name(table->name);
    table->name = copy;
}

} // namespace vexl
