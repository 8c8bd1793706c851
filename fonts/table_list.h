// The order of the font-table list that gftable_get_ascii_fonttable_name
// hands out.
#ifndef VEXL33_FONTS_TABLE_LIST_H
#define VEXL33_FONTS_TABLE_LIST_H

namespace vexl {

// Byte order with characters compared as signed 8-bit values, except that a
// name comes before every longer name it is the start of, whatever byte
// follows it there (a byte of 128 or more reads as negative).
bool listed_table_name_less(const char *a, const char *b);

} // namespace vexl

#endif // VEXL33_FONTS_TABLE_LIST_H
