// Reading MOLVERN_CLIPPING, MOLVERN_ARC_CLIPPING and MOLVERN_ARC_STEPVALUE.
#include "plot/clip_settings.h"

#include <cstring>
#include <optional>

namespace vexl {

namespace {

struct ClipToken {
    const char *name;
    int kind; // -1: every kind
};

// Exactly these spellings count; any other case or spelling is ignored.
constexpr ClipToken kClipTokens[] = {
    {"screen", GPLOT_SCREEN},
    {"SCREEN", GPLOT_SCREEN},
    {"scrn", GPLOT_SCREEN},
    {"SCRN", GPLOT_SCREEN},
    {"hpgl2", GPLOT_HPGL2},
    {"HPGL2", GPLOT_HPGL2},
    {"hpgl", GPLOT_HPGL2},
    {"HPGL", GPLOT_HPGL2},
    {"printer", GPLOT_PRINT},
    {"PRINTER", GPLOT_PRINT},
    {"print", GPLOT_PRINT},
    {"PRINT", GPLOT_PRINT},
    {"file", GPLOT_FILE},
    {"FILE", GPLOT_FILE},
    {"clipboard", GPLOT_CLIPBOARD},
    {"CLIPBOARD", GPLOT_CLIPBOARD},
    {"all", -1},
    {"ALL", -1},
};

bool token_selects(const char *token, int kind) {
    for (const ClipToken &entry : kClipTokens) {
        if (std::strcmp(token, entry.name) == 0)
            return entry.kind == -1 || entry.kind == kind;
    }
    return false;
}

bool clipping_selects(char *value, int kind) {
    bool selected = false;
    char *rest = value;
    while (*rest != '\0') {
        const std::size_t length = std::strcspn(rest, "\t|;, ");
        const bool last = rest[length] == '\0';
        rest[length] = '\0';
        if (length > 0 && token_selects(rest, kind))
            selected = true;
        if (last)
            break;
        rest += length + 1;
    }
    return selected;
}

} // namespace

ClipSettings read_clip_settings(int kind, const SettingLookup &lookup) {
    ClipSettings settings;
    char value[kSettingBufferSize];
    if (lookup("MOLVERN_CLIPPING", value) && clipping_selects(value, kind))
        settings.clip_mode = 1;
    if (settings.clip_mode == 0)
        return settings;

    settings.arc_clipping = 1;
    if (lookup("MOLVERN_ARC_CLIPPING", value) &&
        (std::strcmp(value, "off") == 0 || std::strcmp(value, "OFF") == 0))
        settings.arc_clipping = 0;
    if (const std::optional<int32_t> step = integer_setting("MOLVERN_ARC_STEPVALUE", lookup))
        settings.arc_step = *step;
    return settings;
}

} // namespace vexl
