#include "fonts/freetype_engine.h"

#include <cstdarg>
#include <cstdio>

namespace vexl {

FreetypeEngine::~FreetypeEngine() {
    if (FT_Library library = handle())
        FT_Done_FreeType(library);
}

FT_Library FreetypeEngine::start(FT_Error &error) {
    error = 0;
    if (library_ == nullptr)
        error = starter_(&library_);
    if (error != 0)
        library_ = nullptr;
    return library_;
}

FreetypeEngine &process_freetype_engine() {
    static FreetypeEngine engine;
    return engine;
}

FT_Library freetype_engine() {
    FT_Error ignored = 0;
    return process_freetype_engine().start(ignored);
}

bool start_freetype_engine(FreetypeEngine &engine) {
    FT_Error error = 0;
    if (engine.start(error) != nullptr)
        return true;
    report_freetype_failure(error, "Font error while initializing engine.\n");
    return false;
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
