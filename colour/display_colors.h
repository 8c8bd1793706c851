// How many colours the display shows, which decides between the monochrome
// palette and a colour one. Each platform answers in its own file.
#ifndef VEXL33_COLOUR_DISPLAY_COLORS_H
#define VEXL33_COLOUR_DISPLAY_COLORS_H

#include <cstdint>

namespace vexl {

// Number of colours of the display: 2 for a monochrome display, the palette
// size for a palette display, and -1 for a true-colour display (which has no
// palette to count).
int32_t display_color_count();

} // namespace vexl

#endif // VEXL33_COLOUR_DISPLAY_COLORS_H
