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

// Writes a failure message (printf format, arguments after it) and then
// "Reason: " with FreeType's text for error, both to stderr.
#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void report_freetype_failure(FT_Error error, const char *format, ...);

} // namespace vexl

#endif // VEXL33_FONTS_FREETYPE_ENGINE_H
