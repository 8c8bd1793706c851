// The TrueType faces the Windows graphics interface can draw with. The build
// picks gdi_faces_win32.cpp or gdi_faces_posix.cpp.
#ifndef VEXL33_FONTS_GDI_FACES_H
#define VEXL33_FONTS_GDI_FACES_H

#include <set>
#include <string>

namespace vexl {

// Face names of the TrueType fonts GDI enumerates for the screen in any
// character set; empty where there is no GDI.
std::set<std::string> gdi_truetype_face_names();

} // namespace vexl

#endif // VEXL33_FONTS_GDI_FACES_H
