// The FreeType library handle the TrueType text shares across the process,
// and FreeType's error texts.
#ifndef VEXL33_FONTS_FREETYPE_ENGINE_H
#define VEXL33_FONTS_FREETYPE_ENGINE_H

#include <ft2build.h>
#include FT_FREETYPE_H

namespace vexl {

// A FreeType library handle started on demand: a start that fails is tried
// again by the next call, so a passing shortage (memory) does not disable
// TrueType text for the rest of the process. The handle is released when the
// engine is destroyed. Like the rest of the library it is used from the
// application's one graphics thread.
class FreetypeEngine {
  public:
    using Starter = FT_Error (*)(FT_Library *library);

    explicit FreetypeEngine(Starter starter = &FT_Init_FreeType) : starter_(starter) {}
    ~FreetypeEngine();
    FreetypeEngine(const FreetypeEngine &) = delete;
    FreetypeEngine &operator=(const FreetypeEngine &) = delete;

    // The running handle, started now if need be; null when the start fails,
    // with FreeType's error code in error (0 when it runs).
    FT_Library start(FT_Error &error);
    // The handle if running, else null; never starts it.
    FT_Library handle() const { return library_; }

  private:
    Starter starter_;
    FT_Library library_ = nullptr;
};

// The engine of the process, released at process exit.
FreetypeEngine &process_freetype_engine();

// The process's FreeType library, started if it does not run yet (silently);
// null when it cannot start.
FT_Library freetype_engine();

// Starts engine unless it runs. A failure writes "Font error while
// initializing engine." and FreeType's reason to stderr and returns false;
// the next call tries again.
bool start_freetype_engine(FreetypeEngine &engine);

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
