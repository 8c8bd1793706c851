#include "fonts/freetype_engine.h"

#include <cstdarg>
#include <cstdio>

namespace vexl {

namespace {

// Owns the library handle for the life of the process: a function-local
// static of this type starts FreeType once and is destroyed at exit.
class FreetypeLibrary {
  public:
    FreetypeLibrary() {
        const FT_Error error = FT_Init_FreeType(&library_);
        if (error != 0) {
            library_ = nullptr;
            std::fprintf(stderr, "FreeType did not start: %s\n", freetype_error_text(error));
        }
    }
    ~FreetypeLibrary() {
        if (library_ != nullptr)
            FT_Done_FreeType(library_);
    }
    FreetypeLibrary(const FreetypeLibrary &) = delete;
    FreetypeLibrary &operator=(const FreetypeLibrary &) = delete;

    FT_Library handle() const { return library_; }

  private:
    FT_Library library_ = nullptr;
};

} // namespace

FT_Library freetype_engine() {
    static const FreetypeLibrary library;
    return library.handle();
}

const char *freetype_error_text(FT_Error error) {
#ifdef FT_CONFIG_OPTION_ERROR_STRINGS
    if (const char *text = FT_Error_String(error))
        return text;
#endif
    // FT_Error_String answers null unless FreeType was built with its error
    // strings, which neither Debian's library nor the Windows build has, so
    // the texts come from fterrors.h's own table, read once more as cases.
    switch (FT_ERROR_BASE(error)) {
#undef FTERRORS_H_
#define FT_ERROR_START_LIST
#define FT_ERRORDEF(e, v, s)                                                                       \
    case v:                                                                                        \
        return s;
#define FT_ERROR_END_LIST
#include FT_ERRORS_H
    }
    return "unknown FreeType error";
}

void report_freetype_failure(FT_Error error, const char *format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stderr, format, arguments);
    va_end(arguments);
    std::fprintf(stderr, "Reason: %s\n", freetype_error_text(error));
}

} // namespace vexl
