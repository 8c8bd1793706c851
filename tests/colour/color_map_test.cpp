// The colour map: where its colours come from, what the user is told when a
// source fails, the debug traces, and the queries the devices and the
// exported gxwin_* calls answer from it.
//
// The loading rules run against a fake world (settings, display, message
// sink, debug selectors) so every branch is reachable; the process-wide map
// is only checked for what holds whatever it was loaded from.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "colour/color_map.h"
#include "colour/display_colors.h"
#include "colour_test_files.h"
#include "devices/recording_device.h"
#include "test_env.h"

namespace {

using vexl::ColorMap;
using Rgb = std::array<int32_t, 3>;
using Texts = std::vector<std::string>;

constexpr const char *kDefaultsMessage = "Loading default system colors . . .";
const char *const kThreeColours = "255 0 0 : red : 2\n0 0 255 : blue : 4\n255 128 0 : orange : 3\n";
const std::vector<Rgb> kThreeRgb = {{255, 0, 0}, {0, 0, 255}, {255, 128, 0}};
const std::vector<Rgb> kMono = {{0, 0, 0}, {255, 255, 255}};
const std::vector<Rgb> kDefaults = {{0, 0, 0},       {255, 0, 0}, {255, 255, 0}, {0, 255, 0},
                                    {0, 255, 255},   {0, 0, 255}, {255, 0, 255}, {160, 160, 164},
                                    {255, 255, 255}, {0, 0, 128}};

std::vector<Rgb> colours_of(const ColorMap &map) {
    std::vector<Rgb> out;
    for (const vexl::ColorMapEntry &e : map.entries)
        out.push_back({e.red, e.green, e.blue});
    return out;
}

bool is_one_of(const std::string &key, const char *a, const char *b, const char *c) {
    return (a && key == a) || (b && key == b) || (c && key == c);
}

// Settings, display, user and debug selector as the loader sees them.
struct FakeWorld {
    std::map<std::string, std::string> settings;
    int32_t display_colors = -1;
    std::string debug; // the one selector MOLVERN_DEBUG_MODE names
    Texts messages;
    bool names_shown = false;
    vexl::test::TempDir dir;

    FakeWorld(const char *mode, const char *colour_file) {
        if (mode)
            settings["MOLVERN_COLOR_MODE"] = mode;
        if (colour_file)
            settings["MOLVERN_COLOR"] = dir.write("colours.kdcolor", colour_file);
    }
    ColorMap load(std::function<int(ColorEntryList *, FILE *)> reader = {}) {
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
            return debug == "all" || is_one_of(debug, a, b, c);
        };
        s.support_debug_active = [this](const char *var, const char *a, const char *b,
                                        const char *c) {
            return std::string(var) == "MOLVERN_DEBUG_MODE" && is_one_of(debug, a, b, c);
        };
        s.read_colors = std::move(reader);
        s.names_message_shown = &names_shown;
        ColorMap map;
        vexl::load_color_map(map, s);
        EXPECT_EQ(map.device_color_count, display_colors);
        return map;
    }
};

TEST(ColorMapSource, ModeDisplayAndFileChooseTheColours) {
    const std::string names = "Palette contains color names.  Color names are not supported in "
                              "Windows.  Loading default palette";
    const struct {
        const char *mode; // null: not set
        int32_t display_colors;
        const char *file; // null: MOLVERN_COLOR not set
        std::vector<Rgb> colours;
        Texts messages;
    } rows[] = {
        {nullptr, -1, kThreeColours, kThreeRgb, {}},
        {nullptr, 2, kThreeColours, kMono, {}},
        {"mono", -1, kThreeColours, kMono, {}},
        {"invert", -1, kThreeColours, {{255, 255, 255}, {0, 0, 0}}, {}},
        {"color", 2, kThreeColours, kThreeRgb, {}},
        {"share", 16, kThreeColours, kDefaults, {kDefaultsMessage}},
        {"share", 2, kThreeColours, kMono, {}},
        {"Mono", -1, kThreeColours, kThreeRgb, {}}, // compared exactly
        {nullptr, -1, nullptr, {}, {"Cannot locate color file"}},
        {nullptr, -1, "# x\n1 2 : x : 1\n", {}, {"Invalid color file, unable to read colors"}},
        {nullptr,
         -1,
         "1 2 3 : ink : 2\n: navy : 5\n: teal : 6\n",
         kDefaults,
         {names, kDefaultsMessage}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.mode ? row.mode : "-") + " " + (row.file ? row.file : "-"));
        FakeWorld world(row.mode, row.file);
        world.display_colors = row.display_colors;
        const ColorMap map = world.load();
        EXPECT_EQ(colours_of(map), row.colours);
        EXPECT_EQ(map.uses_default_colors, row.colours == kDefaults ? 1 : 0);
        EXPECT_EQ(world.messages, row.messages);
        for (const vexl::ColorMapEntry &e : map.entries) // none left of the file
            EXPECT_EQ(e.name.empty(), row.colours != kThreeRgb) << e.name;
    }
}

TEST(ColorMapSource, NamesMessageOnceAndAReaderThatCannotGrow) {
    FakeWorld world(nullptr, ": navy : 5\n");
    world.load();
    world.messages.clear();
    EXPECT_EQ(colours_of(world.load()), kDefaults);
    EXPECT_EQ(world.messages, Texts{kDefaultsMessage});
    world.messages.clear();
    EXPECT_TRUE(world.load([](ColorEntryList *, FILE *) { return -1; }).entries.empty());
    EXPECT_EQ(world.messages, Texts{"Corrupted color file, unable to read requested colors"});
}

TEST(ColorMapTrace, EachSelectorReachesItsOwnTraces) {
    const std::string count = "colorMap->numDeviceColors     = ";
    const struct {
        const char *debug, *mode;
        int32_t display_colors;
        std::string expected; // <file>: the colour file's path
    } rows[] = {
        {"color", "color", -1,
         count + "-1\nMOLVERN_COLOR_MODE = color\nMOLVERN_COLOR = <file>\n"
                 "Successfully loaded 3 colors\n"},
        {"all", "invert", 2,
         count + "2\nMOLVERN_COLOR_MODE = invert\nInverted monochrome mode active . . .\n"},
        {"all", "share", 2,
         count + "2\nMOLVERN_COLOR_MODE = share\nMonochrome mode active . . .\n"
                 "Successfully loaded 2 colors\n"},
        {"colpat", nullptr, -1, "MOLVERN_COLOR = <file>\nSuccessfully loaded 3 colors\n"},
        {"", nullptr, -1, ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.expected);
        FakeWorld world(row.mode, kThreeColours);
        world.debug = row.debug;
        world.display_colors = row.display_colors;
        std::string expected = row.expected;
        if (std::size_t at = expected.find("<file>"); at != std::string::npos)
            expected.replace(at, 6, world.settings["MOLVERN_COLOR"]);
        testing::internal::CaptureStderr();
        world.load();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), expected);
    }
}

TEST(ColorContrast, DarkColoursGetWhiteAndBrightOnesBlack) {
    ColorMap map;
    for (const auto &[r, g, b] : std::vector<Rgb>{{0, 0, 180},
                                                  {255, 255, 0},
                                                  {0, 255, 0},
                                                  {200, 0, 0},
                                                  {191, 191, 191},
                                                  {192, 192, 192},
                                                  {0, 0, 255},
                                                  {255, 255, 255},
                                                  {0, 0, 0},
                                                  {10, 10, 10}})
        map.entries.push_back({r, b, g, "", 0, 0}); // red, blue, green
    const int32_t white = 7, black = 8;
    const int32_t expected[] = {white, black, black, white, white, black, white, black, white};
    for (int32_t i = 0; i < 9; ++i) {
        int32_t out = -5;
        EXPECT_TRUE(vexl::get_contrast_color(map, i, &out)) << i;
        EXPECT_EQ(out, expected[i]) << i;
    }
    // No such entry, or an index outside the map: false, out untouched.
    int32_t out = 42;
    map.entries.erase(map.entries.begin() + 7);
    EXPECT_FALSE(vexl::get_contrast_color(map, 8, &out)); // wants white
    EXPECT_FALSE(vexl::get_contrast_color(map, 9, &out));
    EXPECT_FALSE(vexl::get_contrast_color(map, -1, &out));
    EXPECT_EQ(out, 42);

    vexl::load_inverted_palette(map);
    int32_t first = -1, second = -1;
    EXPECT_TRUE(vexl::get_contrast_color(map, 0, &first));
    EXPECT_TRUE(vexl::get_contrast_color(map, 1, &second));
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
}

// A device reading a map of its own key, loaded from a colour file by the
// real loading rules, so its contents do not depend on which test ran first.
class KeyedDevice : public vexl::test::RecordingDevice {
  public:
    using RecordingDevice::RecordingDevice;
    int32_t get_colormap_key() override { return 4711; }
};

TEST(ColorDeviceSlots, SlotsAnswerFromTheMapOfTheDeviceKey) {
    vexl::test::TempDir dir;
    const std::string path =
        dir.write("slots.kdcolor", "0 0 180 : ink : 2\n255 255 255 : paper : 1\n"
                                   "0 0 0 : shadow : 3\n9 9 9 : ink : 4\n");
    vexl::test::ScopedEnv file("MOLVERN_COLOR", path.c_str());
    vexl::test::ScopedEnv mode("MOLVERN_COLOR_MODE", "color");
    GPlot plot{};
    KeyedDevice device(&plot);
    int32_t n = 0, r = -1, g = -1, b = -1, index = -1;
    ASSERT_TRUE(device.get_color_size(&n));
    ASSERT_EQ(n, 4);
    EXPECT_EQ(&vexl::find_color_map(4711), &vexl::find_color_map(4711)); // loaded once
    EXPECT_TRUE(device.get_color_RGB(0, &r, &g, &b));
    EXPECT_EQ((Rgb{r, g, b}), (Rgb{0, 0, 180}));
    uint32_t pixel = 0;
    EXPECT_TRUE(device.get_color_pixel(0, &pixel));
    EXPECT_EQ(pixel, 0xB40000u);
    const char *name = nullptr;
    EXPECT_TRUE(device.get_color_name(1, &name));
    EXPECT_STREQ(name, "paper");
    EXPECT_TRUE(device.get_color_index("ink", &index)); // the first of two
    EXPECT_EQ(index, 0);
    for (const char *missing : {"teal", "Ink", static_cast<const char *>(nullptr)}) {
        index = -1;
        EXPECT_FALSE(device.get_color_index(missing, &index));
        EXPECT_EQ(index, 0);
    }
    EXPECT_TRUE(device.get_contrast_color(1, &index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(device.get_color_RGB(4, &r, &g, &b));
    EXPECT_FALSE(device.get_color_pixel(-1, &pixel));
    EXPECT_FALSE(device.get_color_name(4, &name));
}

TEST(ColorQueries, IndexChecksAtTheBoundariesAndNullOutputs) {
    int32_t n = -1, widget_n = -1, device_n = -1, r = -1, g = -1, b = -1;
    ASSERT_EQ(gxwin_screen_get_color_size(&n), 1);
    EXPECT_EQ(n, vexl::color_count(vexl::find_color_map(0)));
    EXPECT_EQ(gxwin_widget_get_color_size(nullptr, &widget_n), 1);
    EXPECT_EQ(widget_n, n);
    GPlot plot{};
    EXPECT_TRUE(vexl::test::RecordingDevice(&plot).get_color_size(&device_n)); // key 0
    EXPECT_EQ(device_n, n);
    for (int32_t bad : {n, -1}) {
        GplotErrno = 0;
        EXPECT_EQ(gxwin_widget_get_color_RGB(nullptr, bad, &r, &g, &b), 0);
        EXPECT_EQ(GplotErrno, 36);
    }
    EXPECT_EQ((Rgb{r, g, b}), (Rgb{-1, -1, -1}));
    if (n > 0) {
        ASSERT_EQ(gxwin_screen_get_color_RGB(n - 1, &r, &g, &b), 1);
        const vexl::ColorMapEntry &last = vexl::find_color_map(0).entries.back();
        EXPECT_EQ((Rgb{r, g, b}), (Rgb{last.red, last.green, last.blue}));
    }
    GplotErrno = 0;
    EXPECT_EQ(gxwin_screen_get_color_size(nullptr), 0);
    EXPECT_EQ(GplotErrno, 10);
    GplotErrno = 0;
    EXPECT_EQ(gxwin_screen_get_color_RGB(0, &r, nullptr, &b), 0);
    EXPECT_EQ(GplotErrno, 10);
    GplotErrno = 0;
}

TEST(ColorFileName, SettingNamesTheFileToOpen) {
    vexl::test::TempDir dir;
    vexl::test::ScopedEnv setting("VEXL_TEST_COLOUR_FILE", dir.write("a.kdcolor", "x\n").c_str());
    vexl::FilePtr file(gplot_get_filename("VEXL_TEST_COLOUR_FILE"));
    EXPECT_EQ(file ? std::fgetc(file.get()) : EOF, 'x');
    vexl::test::set_env("VEXL_TEST_COLOUR_FILE", dir.file("absent.kdcolor").c_str());
    EXPECT_EQ(gplot_get_filename("VEXL_TEST_COLOUR_FILE"), nullptr);
    vexl::test::unset_env("VEXL_TEST_COLOUR_FILE");
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
