// The process-wide colour map: the colours a plot's indices name, read once
// from the colour file or built from a fixed palette.
//
// The loading rules are written against ColorMapSources rather than against
// the process's settings, display and message box, so every branch of them can
// be exercised on a private ColorMap; find_color_map builds the one map the
// library really uses from the real sources.
#ifndef VEXL33_COLOUR_COLOR_MAP_H
#define VEXL33_COLOUR_COLOR_MAP_H

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "plot/gplot.h"
#include "support/settings_lookup.h"

namespace vexl {

struct ColorMapEntry {
    int32_t red = 0;
    int32_t blue = 0;
    int32_t green = 0;
    std::string name; // from the colour file; empty for generated palettes
    int32_t pen = 0;  // HP-GL/2 pen number from the colour file
    uint32_t pixel = 0;
};

struct ColorMap {
    std::vector<ColorMapEntry> entries;
    int32_t key = 0;
    int32_t uses_default_colors = 0;
    int32_t device_color_count = 0; // 2 on a monochrome display
};

// Everything the loading rules ask of the world outside the map.
struct ColorMapSources {
    // Settings lookup with the contract of gplot_get_environment: 1 and the
    // value in a buffer of at least 260 bytes when found, else 0.
    SettingLookup lookup;
    // Number of display colours: 2 monochrome, -1 true colour.
    std::function<int32_t()> display_color_count;
    // Tells the user something (the library shows it titled "KDcolor").
    std::function<void(const char *text)> show_message;
    // debug_mode_active_for: the library's own debug selector.
    std::function<bool(const char *a, const char *b, const char *c)> debug_active;
    // is_debug_mode_active_for: the companion library's selector.
    std::function<bool(const char *variable, const char *a, const char *b, const char *c)>
        support_debug_active;
    // kdcolor_read, or a stand-in (a reader that fails is hard to get from
    // a real file). Empty means kdcolor_read.
    std::function<int(ColorEntryList *list, FILE *file)> read_colors;
    // Set once the "colour names are not supported" message has been shown;
    // the library keeps one flag for the whole process.
    bool *names_message_shown = nullptr;
};

// The real settings, display, message box and debug selectors.
ColorMapSources process_color_map_sources();

// Fills map by the loading rules: a monochrome, inverted or default palette,
// or the colour file named by MOLVERN_COLOR, as MOLVERN_COLOR_MODE and the
// display decide. The map's key is left alone.
void load_color_map(ColorMap &map, const ColorMapSources &sources);

// Replaces the entries by one of the fixed palettes: names empty, pens 0,
// every entry allocated. Only the default palette sets uses_default_colors.
void load_monochrome_palette(ColorMap &map);
void load_inverted_palette(ColorMap &map);
void load_default_palette(ColorMap &map);

// The map of this key, created and loaded on first use. Every device uses
// key 0, so there is one map per process.
ColorMap &find_color_map(int32_t key);

// Number of entries, capped at INT32_MAX.
int32_t color_count(const ColorMap &map);

// The entry at index, or null when index is outside the map.
const ColorMapEntry *color_entry(const ColorMap &map, int32_t index);

// Index of the first entry with exactly these components, or -1 when there
// is none.
int32_t find_color_by_rgb(const ColorMap &map, int32_t red, int32_t green, int32_t blue);
// The same on the key-0 map.
int32_t find_color_by_rgb(int32_t red, int32_t green, int32_t blue);

// Index of the first entry whose name equals name, or -1.
int32_t find_color_by_name(const ColorMap &map, const char *name);

// Whichever of black and white stands out against the entry at index: its
// index (the first entry that is exactly that colour) in out and true; false
// and out untouched when the map holds no such entry or index is outside it.
bool get_contrast_color(const ColorMap &map, int32_t index, int32_t *out);

// The pixel value of an allocated colour: blue in the high byte of three.
inline uint32_t color_pixel(int32_t red, int32_t green, int32_t blue) {
    return static_cast<uint32_t>(blue) * 65536u + static_cast<uint32_t>(green) * 256u +
           static_cast<uint32_t>(red);
}

} // namespace vexl

#endif // VEXL33_COLOUR_COLOR_MAP_H
