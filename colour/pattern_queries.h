// The pattern queries behind gxwin_get_pattern_size, gxwin_get_pattern_index,
// gxwin_get_pattern_name and gxwin_get_pixmap_id, on a given table. The
// exported calls use the process-wide table; tests hand in their own.
//
// Each loads the table first (a table that could not load answers as empty)
// and returns 1 on success, 0 on failure. A null output pointer is code 10;
// an index outside the table is code 37.
#ifndef VEXL33_COLOUR_PATTERN_QUERIES_H
#define VEXL33_COLOUR_PATTERN_QUERIES_H

#include <cstdint>

#include "colour/pattern_table.h"

namespace vexl {

// n := number of patterns (capped at INT32_MAX).
int query_pattern_size(PatternTable &table, int32_t *n);

// index := first pattern whose name equals name byte for byte. A name not in
// the table gives index 0 and 0, without an error code.
int query_pattern_index(PatternTable &table, const char *name, int32_t *index);

// name := the pattern's name (owned by the table); null when index is bad.
int query_pattern_name(PatternTable &table, int32_t index, const char **name);

// id := the pattern's device bitmap; null when index is bad.
int query_pixmap_id(PatternTable &table, int32_t index, void **id);

} // namespace vexl

#endif // VEXL33_COLOUR_PATTERN_QUERIES_H
