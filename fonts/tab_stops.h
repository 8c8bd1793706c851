// Tab expansion shared by the stroke-text measurement and drawing.
#ifndef VEXL33_FONTS_TAB_STOPS_H
#define VEXL33_FONTS_TAB_STOPS_H

#include <cstdint>

namespace vexl {

// The blanks from column to the next tab stop (a stop below 1 counts as 1).
// In 64 bits, so a tab stop near the int limit neither overflows nor wraps.
inline int64_t blanks_to_tab_stop(int64_t column, int tab) {
    const int64_t stop = tab >= 1 ? tab : 1;
    return (column / stop + 1) * stop - column;
}

} // namespace vexl

#endif // VEXL33_FONTS_TAB_STOPS_H
