// The colour map: where its colours come from, what the user is told when a
// source fails, the debug traces, and the queries the devices and the
// exported gxwin_* calls answer from it.
//
// The loading rules run against a fake world (settings, display, message
// sink, debug selectors) so every branch is reachable; the process-wide map
// is only checked for what holds whatever it was loaded from.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "colour/color_map.h"
#include "colour/display_colors.h"
#include "devices/recording_device.h"
#include "plot/gplot.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

using vexl::ColorMap;

constexpr const char *kNamesMessage = "Palette contains color names.  Color names are not "
                                      "supported in Windows.  Loading default palette";
constexpr const char *kDefaultsMessage = "Loading default system colors . . .";

struct Rgb {
    int32_t red, green, blue;
    bool operator==(const Rgb &o) const {
        return red == o.red && green == o.green && blue == o.blue;
    }
};

std::vector<Rgb> colours_of(const ColorMap &map) {
    std::vector<Rgb> out;
    for (const vexl::ColorMapEntry &e : map.entries)
        out.push_back({e.red, e.green, e.blue});
    return out;
}

const std::vector<Rgb> kMono = {{0, 0, 0}, {255, 255, 255}};
const std::vector<Rgb> kInverted = {{255, 255, 255}, {0, 0, 0}};
const std::vector<Rgb> kDefaults = {{0, 0, 0},       {255, 0, 0}, {255, 255, 0}, {0, 255, 0},
                                    {0, 255, 255},   {0, 0, 255}, {255, 0, 255}, {160, 160, 164},
                                    {255, 255, 255}, {0, 0, 128}};

// Settings, display and user as the loader sees them.
struct FakeWorld {
    std::map<std::string, std::string> settings;
    int32_t display_colors = -1;
    std::string debug_mode; // MOLVERN_DEBUG_MODE for both debug selectors
    std::vector<std::string> messages;
    bool names_shown = false;
    std::optional<int> reader_result; // replaces kdcolor_read when set
    vexl::test::TempDir dir;

    void colour_file(const std::string &text) {
        settings["MOLVERN_COLOR"] = dir.write("colours.kdcolor", text);
    }

    vexl::ColorMapSources sources() {
        vexl::ColorMapSources s;
        s.lookup = [this](const char *name, char *buffer) {
            auto found = settings.find(name);
            if (found == settings.end())
                return 0;
            std::snprintf(buffer, 260, "%s", found->second.c_str());
            return 1;
        };
        s.display_color_count = [this] { return display_colors; };
        s.show_message = [this](const char *text) { messages.emplace_back(text); };
        s.debug_active = [this](const char *a, const char *b, const char *c) {
            if (debug_mode == "all")
                return true;
            for (const char *key : {a, b, c}) {
                if (key && debug_mode == key)
                    return true;
            }
            return false;
        };
        s.support_debug_active = [this](const char *variable, const char *a, const char *b,
                                        const char *c) {
            if (std::strcmp(variable, "MOLVERN_DEBUG_MODE") != 0)
                return false;
            for (const char *key : {a, b, c}) {
                if (key && debug_mode == key)
                    return true;
            }
            return false;
        };
        if (reader_result) {
            const int result = *reader_result;
            s.read_colors = [result](ColorEntryList *, FILE *) { return result; };
        }
        s.names_message_shown = &names_shown;
        return s;
    }

    ColorMap load() {
        ColorMap map;
        map.key = 17;
        vexl::load_color_map(map, sources());
        EXPECT_EQ(map.key, 17);
        return map;
    }
};

const char *const kThreeColours = "255 0 0 : red : 2\n"
                                  "0 0 255 : blue : 4\n"
                                  "255 128 0 : orange : 3\n";
const std::vector<Rgb> kThreeRgb = {{255, 0, 0}, {0, 0, 255}, {255, 128, 0}};

// ---- Choosing the source ----------------------------------------------------

TEST(ColorMapSource, ModeAndDisplayChooseThePalette) {
    struct Row {
        const char *mode; // null: not set
        int32_t display_colors;
        const std::vector<Rgb> *expected;
        int32_t uses_default_colors;
        std::vector<std::string> messages;
    };
    const Row rows[] = {
        {nullptr, -1, &kThreeRgb, 0, {}},
        {nullptr, 256, &kThreeRgb, 0, {}},
        {nullptr, 2, &kMono, 0, {}},
        {"mono", -1, &kMono, 0, {}},
        {"mono", 2, &kMono, 0, {}},
        {"invert", -1, &kInverted, 0, {}},
        {"invert", 2, &kInverted, 0, {}},
        {"color", 2, &kThreeRgb, 0, {}},
        {"color", -1, &kThreeRgb, 0, {}},
        {"share", -1, &kDefaults, 1, {kDefaultsMessage}},
        {"share", 16, &kDefaults, 1, {kDefaultsMessage}},
        {"share", 2, &kMono, 0, {}},
        // Compared exactly: anything else counts as not set.
        {"Mono", -1, &kThreeRgb, 0, {}},
        {"share ", -1, &kThreeRgb, 0, {}},
        {"", -1, &kThreeRgb, 0, {}},
        {"", 2, &kMono, 0, {}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.mode ? row.mode : "(unset)") + " on " +
                     std::to_string(row.display_colors));
        FakeWorld world;
        world.colour_file(kThreeColours);
        world.display_colors = row.display_colors;
        if (row.mode)
            world.settings["MOLVERN_COLOR_MODE"] = row.mode;
        const ColorMap map = world.load();
        EXPECT_EQ(colours_of(map), *row.expected);
        EXPECT_EQ(map.uses_default_colors, row.uses_default_colors);
        EXPECT_EQ(map.device_color_count, row.display_colors);
        EXPECT_EQ(world.messages, row.messages);
    }
}

TEST(ColorMapSource, FileEntriesKeepNamesPensAndPixels) {
    FakeWorld world;
    world.colour_file(kThreeColours);
    const ColorMap map = world.load();
    ASSERT_EQ(map.entries.size(), 3u);
    EXPECT_EQ(map.entries[2].name, "orange");
    EXPECT_EQ(map.entries[2].pen, 3);
    EXPECT_EQ(map.entries[2].pixel, 0x0080FFu); // blue, green, red from the top
    EXPECT_EQ(map.entries[1].pixel, 0xFF0000u);
    EXPECT_EQ(map.uses_default_colors, 0);
}

TEST(ColorMapSource, GeneratedPalettesHaveNoNamesOrPens) {
    ColorMap map;
    map.entries.resize(12, vexl::ColorMapEntry{1, 2, 3, "left over", 9, 7});
    vexl::load_default_palette(map);
    ASSERT_EQ(colours_of(map), kDefaults);
    EXPECT_EQ(map.uses_default_colors, 1);
    for (const vexl::ColorMapEntry &e : map.entries) {
        EXPECT_EQ(e.name, "");
        EXPECT_EQ(e.pen, 0);
        EXPECT_EQ(e.pixel, vexl::color_pixel(e.red, e.green, e.blue));
    }
    EXPECT_EQ(map.entries[7].pixel, 0xA4A0A0u);
}

// ---- Colour-file failures --------------------------------------------------

TEST(ColorMapFile, EachFailureIsToldAndLeavesAnEmptyMap) {
    struct Row {
        const char *what;
        std::optional<std::string> file; // contents; none: setting not set
        std::optional<int> reader_result;
        const char *message;
    };
    const Row rows[] = {
        {"no setting", std::nullopt, std::nullopt, "Cannot locate color file"},
        {"no such file", std::nullopt, std::nullopt, "Cannot locate color file"},
        {"empty file", std::string(), std::nullopt, "Invalid color file, unable to read colors"},
        {"only comments", std::string("# nothing\n\n1 2 : x : 1\n"), std::nullopt,
         "Invalid color file, unable to read colors"},
        {"array cannot grow", std::string(kThreeColours), -1,
         "Corrupted color file, unable to read requested colors"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        FakeWorld world;
        if (row.file)
            world.colour_file(*row.file);
        else if (std::string(row.what) == "no such file")
            world.settings["MOLVERN_COLOR"] = world.dir.file("absent.kdcolor");
        world.reader_result = row.reader_result;
        const ColorMap map = world.load();
        EXPECT_TRUE(map.entries.empty());
        EXPECT_EQ(map.uses_default_colors, 0);
        EXPECT_EQ(world.messages, std::vector<std::string>{row.message});
    }
}

TEST(ColorMapFile, NameOnlyEntryReplacesTheMapWithTheDefaults) {
    FakeWorld world;
    world.colour_file("255 0 0 : red : 2\n"
                      ": navy : 5\n"
                      ": teal : 6\n"
                      "1 2 3 : dark : 7\n");
    const ColorMap map = world.load();
    EXPECT_EQ(colours_of(map), kDefaults);
    EXPECT_EQ(map.uses_default_colors, 1);
    EXPECT_EQ(map.entries[0].name, "");
    EXPECT_EQ(map.entries[0].pen, 0);
    EXPECT_EQ(world.messages, (std::vector<std::string>{kNamesMessage, kDefaultsMessage}));
    EXPECT_TRUE(world.names_shown);

    // The names message is shown once per process; the fallback is told
    // every time.
    world.messages.clear();
    EXPECT_EQ(colours_of(world.load()), kDefaults);
    EXPECT_EQ(world.messages, std::vector<std::string>{kDefaultsMessage});
}

// ---- Debug traces ----------------------------------------------------------

std::string traces_of(FakeWorld &world) {
    testing::internal::CaptureStderr();
    world.load();
    return testing::internal::GetCapturedStderr();
}

TEST(ColorMapTrace, ColourSelectorTracesEveryStep) {
    FakeWorld world;
    world.debug_mode = "color";
    world.colour_file(kThreeColours);
    world.settings["MOLVERN_COLOR_MODE"] = "color";
    const std::string path = world.settings["MOLVERN_COLOR"];
    EXPECT_EQ(traces_of(world), "colorMap->numDeviceColors     = -1\n"
                                "MOLVERN_COLOR_MODE = color\n"
                                "MOLVERN_COLOR = " +
                                    path +
                                    "\n"
                                    "Successfully loaded 3 colors\n");
}

TEST(ColorMapTrace, MonochromeChoicesEndWithoutACount) {
    struct Row {
        const char *mode;
        const char *expected;
    };
    const Row rows[] = {
        {"mono", "colorMap->numDeviceColors     = 2\n"
                 "MOLVERN_COLOR_MODE = mono\n"
                 "Monochrome mode active . . .\n"},
        {"invert", "colorMap->numDeviceColors     = 2\n"
                   "MOLVERN_COLOR_MODE = invert\n"
                   "Inverted monochrome mode active . . .\n"},
        // A monochrome display chosen by default still reports its count.
        {"share", "colorMap->numDeviceColors     = 2\n"
                  "MOLVERN_COLOR_MODE = share\n"
                  "Monochrome mode active . . .\n"
                  "Successfully loaded 2 colors\n"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.mode);
        FakeWorld world;
        world.debug_mode = "all";
        world.display_colors = 2;
        world.settings["MOLVERN_COLOR_MODE"] = row.mode;
        EXPECT_EQ(traces_of(world), row.expected);
    }
}

TEST(ColorMapTrace, SelectorsReachOnlyTheirOwnTraces) {
    FakeWorld world;
    world.colour_file("");
    // "colpat" is not a selector of the device-count trace.
    world.debug_mode = "colpat";
    EXPECT_EQ(traces_of(world), "MOLVERN_COLOR = " + world.settings["MOLVERN_COLOR"] +
                                    "\nSuccessfully loaded 0 colors\n");
    world.debug_mode = "pattern";
    EXPECT_EQ(traces_of(world), "MOLVERN_COLOR = " + world.settings["MOLVERN_COLOR"] + "\n");
    world.debug_mode = "";
    EXPECT_EQ(traces_of(world), "");
}

// ---- Queries on a map ------------------------------------------------------

ColorMap map_of(const std::vector<Rgb> &colours, const std::vector<std::string> &names = {}) {
    ColorMap map;
    for (std::size_t i = 0; i < colours.size(); ++i) {
        vexl::ColorMapEntry e;
        e.red = colours[i].red;
        e.green = colours[i].green;
        e.blue = colours[i].blue;
        e.name = i < names.size() ? names[i] : "";
        e.pixel = vexl::color_pixel(e.red, e.green, e.blue);
        map.entries.push_back(e);
    }
    return map;
}

TEST(ColorContrast, DarkColoursGetWhiteAndBrightOnesBlack) {
    const ColorMap map = map_of({{0, 0, 180},
                                 {255, 255, 0},
                                 {0, 255, 0},
                                 {200, 0, 0},
                                 {191, 191, 191},
                                 {192, 192, 192},
                                 {0, 0, 255},
                                 {255, 255, 255},
                                 {0, 0, 0},
                                 {255, 255, 255}});
    constexpr int32_t white = 7, black = 8;
    const int32_t expected[] = {white, black, black, white, white, black, white, black, white};
    for (int32_t i = 0; i < 9; ++i) {
        int32_t out = -5;
        EXPECT_TRUE(vexl::get_contrast_color(map, i, &out)) << i;
        EXPECT_EQ(out, expected[i]) << i;
    }
}

TEST(ColorContrast, InvertedPaletteContrastsWithItself) {
    ColorMap map;
    vexl::load_inverted_palette(map);
    int32_t out = -1;
    ASSERT_TRUE(vexl::get_contrast_color(map, 0, &out));
    EXPECT_EQ(out, 1);
    ASSERT_TRUE(vexl::get_contrast_color(map, 1, &out));
    EXPECT_EQ(out, 0);
}

TEST(ColorContrast, NoBlackOrWhiteOrBadIndexLeavesOutUntouched) {
    const ColorMap map = map_of({{10, 10, 10}, {250, 250, 250}, {0, 0, 0}});
    int32_t out = 42;
    EXPECT_FALSE(vexl::get_contrast_color(map, 0, &out)); // wants white: none
    EXPECT_FALSE(vexl::get_contrast_color(map, 3, &out));
    EXPECT_FALSE(vexl::get_contrast_color(map, -1, &out));
    EXPECT_FALSE(vexl::get_contrast_color(ColorMap{}, 0, &out));
    EXPECT_EQ(out, 42);
    EXPECT_TRUE(vexl::get_contrast_color(map, 1, &out));
    EXPECT_EQ(out, 2);
}

TEST(ColorLookup, FirstMatchWinsAndMissesAreMinusOne) {
    const ColorMap map = map_of({{1, 2, 3}, {4, 5, 6}, {1, 2, 3}}, {"ink", "paper", "ink"});
    EXPECT_EQ(vexl::find_color_by_name(map, "ink"), 0);
    EXPECT_EQ(vexl::find_color_by_name(map, "paper"), 1);
    EXPECT_EQ(vexl::find_color_by_name(map, "Ink"), -1);
    EXPECT_EQ(vexl::find_color_by_name(map, nullptr), -1);
    EXPECT_EQ(vexl::find_color_by_rgb(map, 1, 2, 3), 0);
    EXPECT_EQ(vexl::find_color_by_rgb(map, 4, 5, 7), -1);
    EXPECT_EQ(vexl::color_entry(map, 2), &map.entries[2]);
    EXPECT_EQ(vexl::color_entry(map, 3), nullptr);
    EXPECT_EQ(vexl::color_entry(map, -1), nullptr);
}

// ---- The process's maps and the device slots -------------------------------

// A device reading a map of its own key, loaded from a colour file by the
// real loading rules, so its contents do not depend on which test ran first.
class KeyedDevice : public vexl::test::RecordingDevice {
  public:
    using RecordingDevice::RecordingDevice;
    int32_t get_colormap_key() override { return 4711; }
};

TEST(ColorDeviceSlots, SlotsAnswerFromTheMapOfTheDeviceKey) {
    vexl::test::TempDir dir;
    const std::string path = dir.write("slots.kdcolor", "0 0 180 : ink : 2\n"
                                                        "255 255 255 : paper : 1\n"
                                                        "0 0 0 : shadow : 3\n"
                                                        "9 9 9 : ink : 4\n");
    vexl::test::ScopedEnv file("MOLVERN_COLOR", path.c_str());
    vexl::test::ScopedEnv mode("MOLVERN_COLOR_MODE", "color");
    GPlot plot{};
    KeyedDevice device(&plot);

    int32_t n = 0;
    ASSERT_TRUE(device.get_color_size(&n));
    ASSERT_EQ(n, 4);
    EXPECT_EQ(&vexl::find_color_map(4711), &vexl::find_color_map(4711));

    int32_t r = -1, g = -1, b = -1;
    EXPECT_TRUE(device.get_color_RGB(0, &r, &g, &b));
    EXPECT_EQ((Rgb{r, g, b}), (Rgb{0, 0, 180}));
    uint32_t pixel = 0;
    EXPECT_TRUE(device.get_color_pixel(0, &pixel));
    EXPECT_EQ(pixel, 0xB40000u);
    const char *name = nullptr;
    EXPECT_TRUE(device.get_color_name(1, &name));
    EXPECT_STREQ(name, "paper");
    int32_t index = -1;
    EXPECT_TRUE(device.get_color_index("ink", &index));
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(device.get_color_index("shadow", &index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(device.get_color_index("teal", &index));
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(device.get_contrast_color(0, &index));
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(device.get_contrast_color(1, &index));
    EXPECT_EQ(index, 2);

    // Outside the map nothing is read.
    EXPECT_FALSE(device.get_color_RGB(4, &r, &g, &b));
    EXPECT_FALSE(device.get_color_pixel(-1, &pixel));
    EXPECT_FALSE(device.get_color_name(4, &name));
}

TEST(ColorDeviceSlots, BaseDeviceUsesTheSharedMap) {
    GPlot plot{};
    vexl::test::RecordingDevice device(&plot);
    int32_t n = -1;
    ASSERT_TRUE(device.get_color_size(&n));
    EXPECT_EQ(n, vexl::color_count(vexl::find_color_map(0)));
}

class ColorQueries : public ::testing::Test {
  protected:
    void SetUp() override { GplotErrno = 0; }
    void TearDown() override { GplotErrno = 0; }
};

TEST_F(ColorQueries, IndexChecksAtTheBoundaries) {
    int32_t n = -1;
    ASSERT_EQ(gxwin_screen_get_color_size(&n), 1);
    EXPECT_EQ(n, vexl::color_count(vexl::find_color_map(0)));
    int32_t widget_n = -1;
    EXPECT_EQ(gxwin_widget_get_color_size(nullptr, &widget_n), 1);
    EXPECT_EQ(widget_n, n);

    int32_t r = -1, g = -1, b = -1;
    EXPECT_EQ(gxwin_widget_get_color_RGB(nullptr, n, &r, &g, &b), 0);
    EXPECT_EQ(GplotErrno, 36);
    GplotErrno = 0;
    EXPECT_EQ(gxwin_screen_get_color_RGB(-1, &r, &g, &b), 0);
    EXPECT_EQ(GplotErrno, 36);
    EXPECT_EQ((Rgb{r, g, b}), (Rgb{-1, -1, -1}));
    if (n > 0) {
        GplotErrno = 0;
        ASSERT_EQ(gxwin_screen_get_color_RGB(n - 1, &r, &g, &b), 1);
        const vexl::ColorMapEntry &last = vexl::find_color_map(0).entries.back();
        EXPECT_EQ((Rgb{r, g, b}), (Rgb{last.red, last.green, last.blue}));
        EXPECT_EQ(GplotErrno, 0);
    }
}

TEST_F(ColorQueries, NullOutputsAreInvalidArguments) {
    int32_t r, g, b;
    EXPECT_EQ(gxwin_screen_get_color_size(nullptr), 0);
    EXPECT_EQ(GplotErrno, 10);
    GplotErrno = 0;
    EXPECT_EQ(gxwin_widget_get_color_RGB(nullptr, 0, &r, nullptr, &b), 0);
    EXPECT_EQ(GplotErrno, 10);
    GplotErrno = 0;
    EXPECT_EQ(gxwin_screen_get_color_RGB(0, nullptr, &g, &b), 0);
    EXPECT_EQ(GplotErrno, 10);
}

// ---- Finding files and counting display colours -----------------------------

TEST(ColorFileName, SettingNamesTheFileToOpen) {
    vexl::test::TempDir dir;
    const std::string path = dir.write("named.kdcolor", "1 2 3 : x : 1\n");
    {
        vexl::test::ScopedEnv setting("VEXL_TEST_COLOUR_FILE", path.c_str());
        FILE *file = gplot_get_filename("VEXL_TEST_COLOUR_FILE");
        ASSERT_NE(file, nullptr);
        char line[32] = {};
        EXPECT_NE(std::fgets(line, sizeof line, file), nullptr);
        EXPECT_STREQ(line, "1 2 3 : x : 1\n");
        std::fclose(file);
    }
    {
        const std::string absent = dir.file("absent.kdcolor");
        vexl::test::ScopedEnv setting("VEXL_TEST_COLOUR_FILE", absent.c_str());
        EXPECT_EQ(gplot_get_filename("VEXL_TEST_COLOUR_FILE"), nullptr);
    }
    vexl::test::ScopedEnv unset("VEXL_TEST_COLOUR_FILE", nullptr);
    EXPECT_EQ(gplot_get_filename("VEXL_TEST_COLOUR_FILE"), nullptr);
    EXPECT_EQ(gplot_get_filename(nullptr), nullptr);
}

TEST(DisplayColorCount, NeverClaimsAnEmptyDisplay) {
    const int32_t count = vexl::display_color_count();
    EXPECT_TRUE(count == -1 || count >= 2) << count;
#ifndef _WIN32
    EXPECT_EQ(count, -1); // no screen here: answered as true colour
#endif
}

} // namespace
