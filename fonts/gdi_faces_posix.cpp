// Without GDI no face is drawable through it: the TrueType list then comes
// from the font directory alone.
#include "fonts/gdi_faces.h"

namespace vexl {

std::set<std::string> gdi_truetype_face_names() {
    return {};
}

} // namespace vexl
