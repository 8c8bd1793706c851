// The clipping settings read when a plot opens, through a scripted lookup that also records what
// was asked.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "plot/clip_settings.h"

namespace {

using vexl::ClipSettings;

// The settings one test provides, and which names were asked for.
std::map<std::string, std::string> settings;
std::map<std::string, int> asked;

int fake_lookup(const char *name, char *buffer) {
    ++asked[name];
    const auto found = settings.find(name);
    if (found == settings.end())
        return 0;
    std::strcpy(buffer, found->second.c_str());
    return 1;
}

class ClipSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings.clear();
        asked.clear();
    }
    static ClipSettings read(int kind) { return vexl::read_clip_settings(kind, fake_lookup); }
};

TEST_F(ClipSettingsTest, TokensSelectTheirKindsOnly) {
    // Bit k of kinds: clipping on for plot kind k (0 hpgl2, 1 screen, 2 file,
    // 3 print, 4 clipboard).
    const std::pair<std::string, int> cases[] = {
        {"hpgl;print", 0b01001},
        {" SCRN\t|FILE,,clipboard ; PRINTER ", 0b11110},
        {"all", 0b11111},
        {"ALL", 0b11111},
        {"Screen screens scr HpGl All screen-hpgl", 0}, // only the exact spellings count
        // The longest value a lookup hands out (259 characters), the last
        // token ending at the terminating zero.
        {"print," + std::string(vexl::kSettingBufferSize - 11, ' ') + "file", 0b01100},
    };
    for (const auto &[value, kinds] : cases) {
        settings["MOLVERN_CLIPPING"] = value;
        for (int kind = GPLOT_HPGL2; kind <= GPLOT_CLIPBOARD; ++kind)
            EXPECT_EQ(read(kind).clip_mode, (kinds >> kind) & 1) << value << " kind " << kind;
    }
}

TEST_F(ClipSettingsTest, ArcSettingsAreReadOnlyOnceClippingIsOn) {
    settings["MOLVERN_ARC_STEPVALUE"] = "90";
    const ClipSettings unset = read(GPLOT_SCREEN);
    EXPECT_EQ(unset.clip_mode + unset.arc_clipping + unset.arc_step, 0);
    EXPECT_EQ(asked.count("MOLVERN_ARC_CLIPPING") + asked.count("MOLVERN_ARC_STEPVALUE"), 0u);

    settings["MOLVERN_CLIPPING"] = "hpgl2";
    for (const auto &[text, on] :
         {std::pair<const char *, int>{"off", 0}, {"OFF", 0}, {"Off", 1}}) {
        settings["MOLVERN_ARC_CLIPPING"] = text;
        EXPECT_EQ(read(GPLOT_HPGL2).arc_clipping, on) << text;
    }
    settings.erase("MOLVERN_ARC_CLIPPING");
    EXPECT_EQ(read(GPLOT_HPGL2).arc_clipping, 1);

    const std::pair<const char *, int> steps[] = {{"72", 72},   {"36 steps", 36},
                                                  {"steps", 0}, {"", 0},
                                                  {"-5", -5},   {"99999999999", INT32_MAX}};
    for (const auto &[text, value] : steps) {
        settings["MOLVERN_ARC_STEPVALUE"] = text;
        EXPECT_EQ(read(GPLOT_HPGL2).arc_step, value) << '"' << text << '"';
    }
}

} // namespace
