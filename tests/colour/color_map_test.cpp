// The colour map: where its colours come from, what the user is told when a
// source fails, the debug trace, and the queries the devices and the
// exported gxwin_* calls answer from it.
//
// The loading rules run against a fake world (settings, display, message
// sink, debug switch) so every branch is reachable; the process-wide map is
// only checked for what holds whatever it was loaded from.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "colour/color_map.h"
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

// Settings, display, user and debug switches as the loader sees them.
struct FakeWorld {
    std::map<std::string, std::string> settings;
    int32_t display_colors = -1;
    bool debug = false;
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
        s.debug_active = [this](const char *, const char *, const char *) { return debug; };
        s.support_debug_active = [this](const char *var, const char *, const char *, const char *) {
            return debug && std::string(var) == "MOLVERN_DEBUG_MODE";
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
         "1 2 3 : a : 2\n: navy : 5\n: teal : 6\n",
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
        for (const vexl::ColorMapEntry &e : map.entries) { // every colour allocated
            EXPECT_EQ(e.pixel, e.blue * 65536u + e.green * 256u + e.red);
            EXPECT_EQ(e.name.empty(), row.colours != kThreeRgb) << e.name; // none of the file left
        }
    }
}

TEST(ColorMapSource, NamesMessageOnceAReaderThatCannotGrowAndTheTrace) {
    FakeWorld world(nullptr, ": navy : 5\n");
    world.load();
    world.messages.clear();
    EXPECT_EQ(colours_of(world.load()), kDefaults);
    EXPECT_EQ(world.messages, Texts{kDefaultsMessage});
    world.messages.clear();
    EXPECT_TRUE(world.load([](ColorEntryList *, FILE *) { return -1; }).entries.empty());
    EXPECT_EQ(world.messages, Texts{"Corrupted color file, unable to read requested colors"});

    FakeWorld traced("color", kThreeColours);
    traced.debug = true;
    testing::internal::CaptureStderr();
    traced.load();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "colorMap->numDeviceColors     = -1\nMOLVERN_COLOR_MODE = color\nMOLVERN_COLOR = " +
                  traced.settings["MOLVERN_COLOR"] + "\nSuccessfully loaded 3 colors\n");
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
        dir.write("slots.kdcolor", "0 0 180 : ink : 1\n255 255 0 : y : 1\n0 255 0 : g : 1\n"
                                   "200 0 0 : ink : 1\n191 191 191 : l : 1\n192 192 192 : m : 1\n"
                                   "0 0 255 : b : 1\n255 255 255 : white : 1\n0 0 0 : black : 1\n");
    vexl::test::ScopedEnv file("MOLVERN_COLOR", path.c_str());
    vexl::test::ScopedEnv mode("MOLVERN_COLOR_MODE", "color");
    GPlot plot{};
    KeyedDevice device(&plot);
    int32_t n = 0, r = -1, g = -1, b = -1, index = -1;
    ASSERT_TRUE(device.get_color_size(&n));
    ASSERT_EQ(n, 9);
    EXPECT_EQ(&vexl::find_color_map(4711), &vexl::find_color_map(4711)); // loaded once
    EXPECT_TRUE(device.get_color_RGB(3, &r, &g, &b));
    EXPECT_EQ((Rgb{r, g, b}), (Rgb{200, 0, 0}));
    uint32_t pixel = 0;
    EXPECT_TRUE(device.get_color_pixel(0, &pixel));
    EXPECT_EQ(pixel, 0xB40000u);
    const char *name = nullptr;
    EXPECT_TRUE(device.get_color_name(7, &name));
    EXPECT_STREQ(name, "white");
    EXPECT_TRUE(device.get_color_index("ink", &index)); // the first of two
    EXPECT_EQ(index, 0);
    for (const char *missing : {"teal", "Ink", static_cast<const char *>(nullptr)}) {
        index = -1;
        EXPECT_FALSE(device.get_color_index(missing, &index));
        EXPECT_EQ(index, 0);
    }
    // Dark colours (largest component below 0.75) get white; of the others,
    // those brighter than 0.5 by (3 red + 5 green + blue) / 9 get black.
    const int32_t white = 7, black = 8;
    const int32_t contrast[] = {white, black, black, white, white, black, white, black, white};
    for (int32_t i = 0; i < n; ++i) {
        EXPECT_TRUE(device.get_contrast_color(i, &index)) << i;
        EXPECT_EQ(index, contrast[i]) << i;
    }
    EXPECT_FALSE(device.get_color_RGB(n, &r, &g, &b));
    EXPECT_FALSE(device.get_color_pixel(-1, &pixel));
    EXPECT_FALSE(device.get_color_name(n, &name));
}

TEST(ColorContrast, InvertedPaletteAndAMapWithoutItsPartner) {
    ColorMap map;
    vexl::load_inverted_palette(map);
    int32_t first = -1, second = -1, out = 42;
    EXPECT_TRUE(vexl::get_contrast_color(map, 0, &first));
    EXPECT_TRUE(vexl::get_contrast_color(map, 1, &second));
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 0);
    map.entries.pop_back(); // white alone: no black to contrast with
    EXPECT_FALSE(vexl::get_contrast_color(map, 0, &out));
    EXPECT_FALSE(vexl::get_contrast_color(map, 1, &out));
    EXPECT_FALSE(vexl::get_contrast_color(map, -1, &out));
    EXPECT_EQ(out, 42);
}

TEST(ColorQueries, IndexChecksAtTheBoundariesAndNullOutputs) {
    int32_t n = -1, device_n = -1, r = -1, g = -1, b = -1;
    ASSERT_EQ(gxwin_widget_get_color_size(nullptr, &n), 1);
    GPlot plot{};
    EXPECT_TRUE(vexl::test::RecordingDevice(&plot).get_color_size(&device_n)); // key 0
    EXPECT_EQ(device_n, n);
    for (int32_t bad : {n, -1}) {
        GplotErrno = 0;
        EXPECT_EQ(gxwin_screen_get_color_RGB(bad, &r, &g, &b), 0);
        EXPECT_EQ(GplotErrno, 36);
    }
    EXPECT_EQ((Rgb{r, g, b}), (Rgb{-1, -1, -1}));
    for (int missing = 0; missing < 3; ++missing) {
        int32_t *out[] = {&r, &g, &b};
        out[missing] = nullptr;
        GplotErrno = 0;
        EXPECT_EQ(gxwin_widget_get_color_RGB(nullptr, 0, out[0], out[1], out[2]), 0);
        EXPECT_EQ(GplotErrno, 10);
    }
    GplotErrno = 0;
}

} // namespace
