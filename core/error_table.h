// The one list of GplotErrno codes, their classes and their messages.
//
// VEXL_ERROR_LIST expands once into the Error enumeration and once into the
// table the error queries read, so a code, its class and its text cannot drift
// apart. The order of the rows is the code: row N describes code N.
#ifndef VEXL33_CORE_ERROR_TABLE_H
#define VEXL33_CORE_ERROR_TABLE_H

#include <cstddef>
#include <cstdint>

// X(name, class, message)
#define VEXL_ERROR_LIST(X)                                                                         \
    X(NoError, Warning, "No error")                                                                \
    X(InvalidPlot, Severe, "Invalid plot type")                                                    \
    X(InvalidWorld, Severe, "Invalid world dimension")                                             \
    X(BadViewport, Severe, "Bad viewport dimensions")                                              \
    X(InvalidDeviceType, Severe, "Invalid device type")                                            \
    X(InvalidFont, Severe, "Invalid font")                                                         \
    X(InvalidLineType, Severe, "Invalid line type")                                                \
    X(InvalidLineWidth, Severe, "Invalid line width")                                              \
    X(InvalidTabStop, Severe, "Invalid tab stop setting")                                          \
    X(InvalidJustification, Severe, "Invalid justification setting")                               \
    X(InvalidArgument, Severe, "Invalid parameter argument(s)")                                    \
    X(CannotJustify, Severe, "Unable to justify text")                                             \
    X(ArcPointsFailed, Severe, "Unable to calculate arc/radius points")                            \
    X(MallocFailed, Fatal, "Malloc failed")                                                        \
    X(NotImplemented, Fatal, "Function not implemented yet")                                       \
    X(NoFontIndexFile, Severe, "No font index file")                                               \
    X(NoHersheyFile, Severe, "No Hershey font file")                                               \
    X(FontAsciiOrVirtual, Severe, "Font: ASCII or VIRTUAL?")                                       \
    X(FontOccidentalOrOriental, Severe, "Font: OCCIDENTAL/ORIENTAL?")                              \
    X(NoSuchFontNumber, Severe, "No such font number")                                             \
    X(NoSuchAsciiFont, Severe, "No such ascii font")                                               \
    X(UnknownFontState, Fatal, "Unknown font drawing state")                                       \
    X(Hpgl2MallocFailed, Fatal, "GHPGL2 Malloc failed")                                            \
    X(FileOpenFailed, Severe, "Cannot open file, fopen failure")                                   \
    X(FileCloseFailed, Severe, "Cannot close file, fclose failure")                                \
    X(NothingToQuery, Severe, "Nothing to query")                                                  \
    X(NoAttributesToSet, Severe, "No attributes to set")                                           \
    X(InvalidPattern, Severe, "Invalid GXWIN pattern number")                                      \
    X(NoPatternsInFillFile, Severe, "No patterns in .kdfill file")                                 \
    X(NoColorsInColorFile, Severe, "No colors in .kdcolor file")                                   \
    X(WidgetNotRealized, Severe, "Xt widget not realized")                                         \
    X(CannotInitColor, Severe, "Cannot initialize X color")                                        \
    X(CannotGetWindowAttribute, Severe, "Cannot get X window attribute")                           \
    X(CannotChangeSharedColor, Severe, "Cannot change shared color")                               \
    X(CannotInitPattern, Severe, "Cannot initialize X pattern")                                    \
    X(GxwinOutOfMemory, Severe, "GXWIN out of memory")                                             \
    X(InvalidColor, Severe, "Invalid GXWIN color")                                                 \
    X(InvalidPatternNumber, Severe, "Invalid GXWIN pattern number")                                \
    X(CannotIconify, Severe, "Unable to iconify window")                                           \
    X(CannotRestore, Severe, "Unable to restore window")                                           \
    X(CannotFreeGc, Severe, "Could not free graphics context")                                     \
    X(NoFillFile, Severe, "Cannot find .kdfill file")                                              \
    X(CannotReadBitmap, Severe, "Cannot read XBitMap file")                                        \
    X(CannotDefineCursor, Severe, "Unable to define X cursor")                                     \
    X(CannotRealizePalette, Severe, "Unable to realize color palette")                             \
    X(NoDeviceContext, Severe, "Could not get device context")                                     \
    X(CannotReadFillFile, Severe, "Cannot read .kdfill file")

namespace vexl {

enum class Error : int32_t {
#define VEXL_ERROR_ENUM(name, cls, message) name,
    VEXL_ERROR_LIST(VEXL_ERROR_ENUM)
#undef VEXL_ERROR_ENUM
};

enum class ErrorClass : int32_t { Warning = 0, Severe = 1, Fatal = 2 };

struct ErrorRow {
    int32_t code;
    ErrorClass error_class;
    const char *message;
};

// GplotErrorTABLE and its row count.
extern const ErrorRow GplotErrorTABLE[];
extern const std::size_t GplotErrorTABLE_rows;

inline constexpr const char *kErrnoOutOfRange = "Unknown Error: GplotErrno out of range";
inline constexpr const char *kErrorTableInconsistent =
    "Assertion error: GplotErrorTABLE in gplot is inconsistent!";

} // namespace vexl

#endif // VEXL33_CORE_ERROR_TABLE_H
