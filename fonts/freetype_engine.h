// The FreeType library handle the TrueType text shares across the process,
// and FreeType's error texts.
#ifndef VEXL33_FONTS_FREETYPE_ENGINE_H
#define VEXL33_FONTS_FREETYPE_ENGINE_H

#include <ft2build.h>
#include FT_FREETYPE_H

namespace vexl {

// The process's FreeType library, started on the first call and released at
// process exit; every later call returns the same handle. Null when FreeType
// could not start: the reason is written to stderr once, and later calls
// return null without trying again. The start itself is thread-safe; using
// the handle from several threads at once is not (FreeType's rule).
FT_Library freetype_engine();

// FreeType's own text for an error code ("unknown file format" for
// FT_Err_Unknown_File_Format); never null, also for codes FreeType does not
// define.
const char *freetype_error_text(FT_Error error);

} // namespace vexl

#endif // VEXL33_FONTS_FREETYPE_ENGINE_H
