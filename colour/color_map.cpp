// Where the colours of the colour map come from, and the process's one map.
//
// A map is loaded once, when it is first asked for: from a fixed palette or
// from the colour file named by MOLVERN_COLOR, as MOLVERN_COLOR_MODE and the
// display's colour count decide. Whatever goes wrong while loading is told to
// the user and leaves a map that is still usable: empty, or the default
// system colours. Changing the file or the mode therefore takes a new process.
//
// gplot_get_filename lives here as well: it is how both the colour file and
// the fill-pattern file are found.
#include "colour/color_map.h"

#include <cstdio>
#include <limits>
#include <list>
#include <new>
#include <string_view>

#include "colour/color_file.h"
#include "colour/display_colors.h"
#include "core/c_boundary.h"
#include "core/errors.h"
#include "plot/gplot.h"
#include "support/rtk_debug.h"
#include "support/rtk_files.h"
#include "support/rtk_strings.h"
#include "support/settings_lookup.h"

namespace vexl {

namespace {

struct PaletteColor {
    int32_t red, green, blue;
};

// The colours every Windows display offers without touching its palette.
constexpr PaletteColor kDefaultPalette[] = {
    {0, 0, 0},   {255, 0, 0},   {255, 255, 0},   {0, 255, 0},     {0, 255, 255},
    {0, 0, 255}, {255, 0, 255}, {160, 160, 164}, {255, 255, 255}, {0, 0, 128},
};
constexpr PaletteColor kMonochromePalette[] = {{0, 0, 0}, {255, 255, 255}};
constexpr PaletteColor kInvertedPalette[] = {{255, 255, 255}, {0, 0, 0}};

constexpr const char *kNamesNotSupported =
    "Palette contains color names.  Color names are not supported in Windows.  Loading default "
    "palette";
constexpr const char *kLoadingDefaults = "Loading default system colors . . .";

// Gives an entry its device pixel. Every display this library draws on takes
// the colour itself as the pixel value, so a colour with components can
// always be allocated; one known only by name cannot.
void allocate(ColorMapEntry &entry) {
    entry.pixel = color_pixel(entry.red, entry.green, entry.blue);
}

template <std::size_t N>
void load_palette(ColorMap &map, const PaletteColor (&palette)[N]) {
    map.entries.assign(N, ColorMapEntry{});
    for (std::size_t i = 0; i < N; ++i) {
        ColorMapEntry &entry = map.entries[i];
        entry.red = palette[i].red;
        entry.green = palette[i].green;
        entry.blue = palette[i].blue;
        allocate(entry);
    }
}

// gplot_get_filename with its lookup and debug selector handed in.
FILE *open_setting_file(const char *setting, const ColorMapSources &sources) {
    if (!setting)
        return nullptr;
    char path[kSettingBufferSize] = {};
    if (!sources.lookup(setting, path))
        return nullptr;
    path[kSettingBufferSize - 1] = '\0';
    FILE *file = rtk_fopen(path, "r");
    if (sources.debug_active("colpat", "color", "pattern"))
        std::fprintf(stderr, "%s = %s\n", setting, path);
    return file;
}

void trace(const ColorMapSources &sources, const char *text) {
    if (sources.debug_active("colpat", "color", nullptr)) {
        std::fputs(text, stderr);
        std::fflush(stderr);
    }
}

void use_monochrome(ColorMap &map, const ColorMapSources &sources) {
    load_monochrome_palette(map);
    trace(sources, "Monochrome mode active . . .\n");
}

void use_defaults(ColorMap &map, const ColorMapSources &sources) {
    load_default_palette(map);
    sources.show_message(kLoadingDefaults);
}

// Copies the file's entries into the map. Colours known only by name cannot
// be allocated; one such entry makes the whole map fall back to the default
// colours, so indices never point at a colour the display does not have.
void take_file_entries(ColorMap &map, const ColorEntryList &colors,
                       const ColorMapSources &sources) {
    map.entries.assign(static_cast<std::size_t>(colors.count), ColorMapEntry{});
    map.uses_default_colors = 0;
    bool all_allocated = true;
    for (int32_t i = 0; i < colors.count; ++i) {
        const ColorEntry &color = colors.entries[i];
        ColorMapEntry &entry = map.entries[static_cast<std::size_t>(i)];
        entry.pen = color.pen;
        entry.name = color.name;
        if (!color.name_only) {
            entry.red = color.red;
            entry.green = color.green;
            entry.blue = color.blue;
            allocate(entry);
            continue;
        }
        all_allocated = false;
        bool local_flag = false;
        bool &shown = sources.names_message_shown ? *sources.names_message_shown : local_flag;
        if (!shown) {
            shown = true;
            sources.show_message(kNamesNotSupported);
        }
    }
    if (!all_allocated)
        use_defaults(map, sources);
}

void load_color_file(ColorMap &map, const ColorMapSources &sources) {
    FilePtr file(open_setting_file("MOLVERN_COLOR", sources));
    if (!file) {
        sources.show_message("Cannot locate color file");
        return;
    }
    ColorEntries colors;
    const int count = sources.read_colors ? sources.read_colors(colors.get(), file.get())
                                          : kdcolor_read(colors.get(), file.get());
    if (count < 0) {
        sources.show_message("Corrupted color file, unable to read requested colors");
        return;
    }
    if (count == 0) {
        sources.show_message("Invalid color file, unable to read colors");
        return;
    }
    take_file_entries(map, *colors, sources);
}

} // namespace

void load_monochrome_palette(ColorMap &map) {
    load_palette(map, kMonochromePalette);
}

void load_inverted_palette(ColorMap &map) {
    load_palette(map, kInvertedPalette);
}

void load_default_palette(ColorMap &map) {
    load_palette(map, kDefaultPalette);
    map.uses_default_colors = 1;
}

void load_color_map(ColorMap &map, const ColorMapSources &sources) {
    map.entries.clear();
    map.uses_default_colors = 0;
    map.device_color_count = sources.display_color_count();
    if (sources.support_debug_active("MOLVERN_DEBUG_MODE", "color", "all", nullptr))
        std::fprintf(stderr, "colorMap->numDeviceColors     = %d\n",
                     static_cast<int>(map.device_color_count));

    char mode[kSettingBufferSize] = {};
    const bool has_mode = sources.lookup("MOLVERN_COLOR_MODE", mode) != 0;
    mode[kSettingBufferSize - 1] = '\0';
    if (has_mode && sources.debug_active("colpat", "color", nullptr)) {
        std::fprintf(stderr, "MOLVERN_COLOR_MODE = %s\n", mode);
        std::fflush(stderr);
    }

    const std::string_view choice = has_mode ? std::string_view(mode) : std::string_view();
    const bool monochrome_display = map.device_color_count == 2;
    if (choice == "mono") {
        use_monochrome(map, sources);
        return;
    }
    if (choice == "invert") {
        load_inverted_palette(map);
        trace(sources, "Inverted monochrome mode active . . .\n");
        return;
    }
    if (choice == "color")
        load_color_file(map, sources);
    else if (monochrome_display)
        use_monochrome(map, sources);
    else if (choice == "share")
        use_defaults(map, sources);
    else
        load_color_file(map, sources);

    if (sources.debug_active("colpat", "color", nullptr)) {
        std::fprintf(stderr, "Successfully loaded %d colors\n", static_cast<int>(color_count(map)));
        std::fflush(stderr);
    }
}

ColorMapSources process_color_map_sources() {
    static bool names_message_shown = false;
    ColorMapSources sources;
    sources.lookup = [](const char *name, char *buffer) {
        return gplot_get_environment(name, buffer);
    };
    sources.display_color_count = [] { return display_color_count(); };
    sources.show_message = [](const char *text) {
        vexl_displayMsg(text, "KDcolor", MSG_INFORMATION);
    };
    sources.debug_active = [](const char *a, const char *b, const char *c) {
        return debug_mode_active_for(a, b, c) != 0;
    };
    sources.support_debug_active = [](const char *variable, const char *a, const char *b,
                                      const char *c) {
        return is_debug_mode_active_for(variable, a, b, c) != 0;
    };
    sources.names_message_shown = &names_message_shown;
    return sources;
}

ColorMap &find_color_map(int32_t key) {
    // A list, so the maps stay where they are when another key is added:
    // devices keep pointers to entry names.
    static std::list<ColorMap> maps;
    for (ColorMap &map : maps) {
        if (map.key == key)
            return map;
    }
    try {
        ColorMap &map = maps.emplace_back();
        map.key = key;
        load_color_map(map, process_color_map_sources());
        return map;
    } catch (const std::bad_alloc &) {
        // Out of memory while loading: whatever was loaded stays, and an
        // empty map is a state every query already handles.
        for (ColorMap &map : maps) {
            if (map.key == key)
                return map;
        }
        static ColorMap unavailable;
        unavailable.entries.clear();
        unavailable.key = key;
        return unavailable;
    }
}

int32_t color_count(const ColorMap &map) {
    constexpr std::size_t limit = static_cast<std::size_t>(std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(map.entries.size() < limit ? map.entries.size() : limit);
}

const ColorMapEntry *color_entry(const ColorMap &map, int32_t index) {
    if (index < 0 || index >= color_count(map))
        return nullptr;
    return &map.entries[static_cast<std::size_t>(index)];
}

int32_t find_color_by_rgb(const ColorMap &map, int32_t red, int32_t green, int32_t blue) {
    const int32_t count = color_count(map);
    for (int32_t i = 0; i < count; ++i) {
        const ColorMapEntry &entry = map.entries[static_cast<std::size_t>(i)];
        if (entry.red == red && entry.green == green && entry.blue == blue)
            return i;
    }
    return -1;
}

int32_t find_color_by_rgb(int32_t red, int32_t green, int32_t blue) {
    return find_color_by_rgb(find_color_map(0), red, green, blue);
}

int32_t find_color_by_name(const ColorMap &map, const char *name) {
    if (!name)
        return -1;
    const int32_t count = color_count(map);
    for (int32_t i = 0; i < count; ++i) {
        if (rtk_strcmp(name, map.entries[static_cast<std::size_t>(i)].name.c_str()) == 0)
            return i;
    }
    return -1;
}

} // namespace vexl

extern "C" VEXL_API FILE *gplot_get_filename(const char *setting) VEXL_TRY {
    return vexl::open_setting_file(setting, vexl::process_color_map_sources());
}
VEXL_CATCH_RETURN(nullptr)

// The stream belongs to the library's C runtime, so the library closes it.
extern "C" VEXL_API int gplot_close_file(FILE *stream) VEXL_TRY {
    if (stream == nullptr)
        return vexl::fail(vexl::Error::InvalidArgument);
    if (rtk_fclose(stream) != 0)
        return vexl::fail(vexl::Error::FileCloseFailed);
    return 1;
}
VEXL_CATCH_RETURN(0)
