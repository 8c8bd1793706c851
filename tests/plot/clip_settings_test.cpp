// The clipping settings read when a plot opens.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "plot/clip_settings.h"

namespace {

using vexl::ClipSettings;
using vexl::read_clip_settings;

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
    static ClipSettings read(int kind) { return read_clip_settings(kind, fake_lookup); }
};

TEST_F(ClipSettingsTest, UnsetMeansNoClippingAndNoArcSettingsAsked) {
    settings["MOLVERN_ARC_CLIPPING"] = "on";
    settings["MOLVERN_ARC_STEPVALUE"] = "90";
    const ClipSettings got = read(GPLOT_SCREEN);
    EXPECT_EQ(got.clip_mode, 0);
    EXPECT_EQ(got.arc_clipping, 0);
    EXPECT_EQ(got.arc_step, 0);
    EXPECT_EQ(asked.count("MOLVERN_ARC_CLIPPING"), 0u);
    EXPECT_EQ(asked.count("MOLVERN_ARC_STEPVALUE"), 0u);
}

TEST_F(ClipSettingsTest, TokensSelectTheirKindsOnly) {
    settings["MOLVERN_CLIPPING"] = "hpgl;print";
    EXPECT_EQ(read(GPLOT_HPGL2).clip_mode, 1);
    EXPECT_EQ(read(GPLOT_PRINT).clip_mode, 1);
    EXPECT_EQ(read(GPLOT_SCREEN).clip_mode, 0);
    EXPECT_EQ(read(GPLOT_FILE).clip_mode, 0);
    EXPECT_EQ(read(GPLOT_CLIPBOARD).clip_mode, 0);
}

TEST_F(ClipSettingsTest, EverySeparatorSplitsAndEmptyTokensAreHarmless) {
    settings["MOLVERN_CLIPPING"] = " SCRN\t|FILE,,clipboard ; PRINTER ";
    EXPECT_EQ(read(GPLOT_SCREEN).clip_mode, 1);
    EXPECT_EQ(read(GPLOT_FILE).clip_mode, 1);
    EXPECT_EQ(read(GPLOT_CLIPBOARD).clip_mode, 1);
    EXPECT_EQ(read(GPLOT_PRINT).clip_mode, 1);
    EXPECT_EQ(read(GPLOT_HPGL2).clip_mode, 0);
}

TEST_F(ClipSettingsTest, OnlyExactSpellingsCount) {
    for (const char *value : {"Screen", "screens", "scr", "HpGl", "All", "screen-hpgl"}) {
        settings["MOLVERN_CLIPPING"] = value;
        for (int kind = GPLOT_HPGL2; kind <= GPLOT_CLIPBOARD; ++kind)
            EXPECT_EQ(read(kind).clip_mode, 0) << value << " kind " << kind;
    }
}

TEST_F(ClipSettingsTest, AllSelectsEveryKind) {
    for (const char *value : {"all", "ALL"}) {
        settings["MOLVERN_CLIPPING"] = value;
        for (int kind = GPLOT_HPGL2; kind <= GPLOT_CLIPBOARD; ++kind)
            EXPECT_EQ(read(kind).clip_mode, 1) << value << " kind " << kind;
    }
}

TEST_F(ClipSettingsTest, ArcSettingsOnceClippingIsOn) {
    settings["MOLVERN_CLIPPING"] = "hpgl2";
    ClipSettings got = read(GPLOT_HPGL2);
    EXPECT_EQ(got.arc_clipping, 1);
    EXPECT_EQ(got.arc_step, 0);

    settings["MOLVERN_ARC_CLIPPING"] = "OFF";
    EXPECT_EQ(read(GPLOT_HPGL2).arc_clipping, 0);
    settings["MOLVERN_ARC_CLIPPING"] = "Off"; // not one of the two spellings
    EXPECT_EQ(read(GPLOT_HPGL2).arc_clipping, 1);

    const std::pair<const char *, int> steps[] = {{"72", 72},   {"36 steps", 36},
                                                  {"steps", 0}, {"", 0},
                                                  {"-5", -5},   {"99999999999", INT32_MAX}};
    for (const auto &[text, value] : steps) {
        settings["MOLVERN_ARC_STEPVALUE"] = text;
        EXPECT_EQ(read(GPLOT_HPGL2).arc_step, value) << '"' << text << '"';
    }
}

TEST_F(ClipSettingsTest, LongestValueIsSplitWithoutOverrun) {
    // The longest value a lookup hands out: 259 characters, the last token
    // ending at the terminating zero.
    std::string value = "print,";
    value.resize(vexl::kSettingBufferSize - 1 - 4, ' ');
    value += "file";
    settings["MOLVERN_CLIPPING"] = value;
    EXPECT_EQ(read(GPLOT_FILE).clip_mode, 1);
    EXPECT_EQ(read(GPLOT_SCREEN).clip_mode, 0);
}

} // namespace
