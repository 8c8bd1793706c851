// The name a font table owns: one way to replace it, used by every font layer.
#ifndef VEXL33_FONTS_TABLE_NAME_H
#define VEXL33_FONTS_TABLE_NAME_H

#include "plot/gfonts.h"

namespace vexl {

// Stores a heap copy of name as the table's name (null clears it) and frees
// the previous name when this library made it. Callers may hand in a record
// they never zeroed, so a name pointer the library did not store here is
// left alone rather than freed. When the copy cannot be made the old name
// is kept.
void set_table_name(GFontTable *table, const char *name);

} // namespace vexl

#endif // VEXL33_FONTS_TABLE_NAME_H
