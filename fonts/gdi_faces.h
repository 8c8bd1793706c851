// What the Windows graphics interface offers the font front door: the
// TrueType faces it can draw with, the face dialog and the windowless text
// measurement. The build picks gdi_faces_win32.cpp or gdi_faces_posix.cpp.
#ifndef VEXL33_FONTS_GDI_FACES_H
#define VEXL33_FONTS_GDI_FACES_H

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "plot/gplot.h"

namespace vexl {

// Full names ("DejaVu Sans Bold") of every style of the TrueType families
// GDI enumerates for the screen in any character set; empty where there is
// no GDI.
std::set<std::string> gdi_truetype_face_names();

// The system face dialog: 1 when a face was chosen (then the table holds
// its name, kind 2), 0 when cancelled or where there is no dialog.
int choose_gdi_face(GFontTable *table);

// The windowless measurement of TrueType text where GDI draws it, so that
// it agrees with what is drawn; nothing where there is no GDI (then FreeType
// measures).
std::optional<int> gdi_text_bounding_box_nw(const GFontTable *table, DBUnitCode units, double scale,
                                            int32_t height, const char *text, int32_t *height_out,
                                            int32_t *width_out);

} // namespace vexl

#endif // VEXL33_FONTS_GDI_FACES_H
