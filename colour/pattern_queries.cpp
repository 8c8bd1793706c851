// The exported pattern queries over the process-wide pattern table.
#include "colour/pattern_queries.h"

#include <cstring>

#include "core/c_boundary.h"
#include "core/errors.h"

namespace vexl {

namespace {

// The entry at index of a loaded table, or null with code 37.
const PatternEntry *entry_at(PatternTable &table, int32_t index) {
    table.load();
    if (index < 0 || index >= table.size()) {
        fail(Error::InvalidPatternNumber);
        return nullptr;
    }
    return &table.entries()[static_cast<std::size_t>(index)];
}

} // namespace

int query_pattern_size(PatternTable &table, int32_t *n) {
    if (!n)
        return fail(Error::InvalidArgument);
    table.load();
    *n = table.size();
    return 1;
}

int query_pattern_index(PatternTable &table, const char *name, int32_t *index) {
    if (!index)
        return fail(Error::InvalidArgument);
    *index = 0;
    if (!name)
        return fail(Error::InvalidArgument);
    table.load();
    const int32_t size = table.size();
    for (int32_t i = 0; i < size; ++i) {
        if (std::strcmp(table.entries()[static_cast<std::size_t>(i)].name, name) == 0) {
            *index = i;
            return 1;
        }
    }
    return 0;
}

int query_pattern_name(PatternTable &table, int32_t index, const char **name) {
    if (!name)
        return fail(Error::InvalidArgument);
    const PatternEntry *entry = entry_at(table, index);
    *name = entry ? entry->name : nullptr;
    return entry ? 1 : 0;
}

int query_pixmap_id(PatternTable &table, int32_t index, void **id) {
    if (!id)
        return fail(Error::InvalidArgument);
    const PatternEntry *entry = entry_at(table, index);
    *id = entry ? entry->bitmap.handle() : nullptr;
    return entry ? 1 : 0;
}

} // namespace vexl

extern "C" {

VEXL_API int gxwin_get_pattern_size(int32_t *n) VEXL_TRY {
    return vexl::query_pattern_size(vexl::process_pattern_table(), n);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gxwin_get_pattern_index(const char *name, int32_t *index) VEXL_TRY {
    return vexl::query_pattern_index(vexl::process_pattern_table(), name, index);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gxwin_get_pattern_name(int32_t index, const char **name) VEXL_TRY {
    return vexl::query_pattern_name(vexl::process_pattern_table(), index, name);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gxwin_get_pixmap_id(int32_t index, void **id) VEXL_TRY {
    return vexl::query_pixmap_id(vexl::process_pattern_table(), index, id);
}
VEXL_CATCH_RETURN(0)

} // extern "C"
