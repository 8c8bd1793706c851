// The FreeType font directory and the faces opened from it, as the TrueType
// selection layer sees them.
#ifndef VEXL33_FONTS_FREETYPE_FONTS_H
#define VEXL33_FONTS_FREETYPE_FONTS_H

#include <set>
#include <string>

namespace vexl {

// Fills names (emptied first) with the full face names of the TrueType files
// in the font directory; true when at least one was found.
bool scan_freetype_font_directory(std::set<std::string> &names);

} // namespace vexl

#endif // VEXL33_FONTS_FREETYPE_FONTS_H
