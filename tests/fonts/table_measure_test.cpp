// Measuring text without a window through either kind of font table: a
// Hershey table is measured as stroke text, a TrueType table with its face,
// and measuring never changes the table it was asked about.
#include <cstdint>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "devices/recording_device.h"
#include "fonts/table_name.h"
#include "fonts/test_fonts.h"
#include "plot/gplot.h"
#ifdef _WIN32
#include "plot/gplot_win32.h"
#endif

namespace {

using vexl::test::Box;
using vexl::test::NamedTable;
using vexl::test::ScopedEnv;

const std::string kFonts = std::string(VEXL_SOURCE_DIR) + "/tests/data/fonts";

// What a table looks like from outside: what a measurement must not change.
struct Identity {
    int32_t kind;
    std::string name;
    void *face;
    bool operator==(const Identity &o) const {
        return kind == o.kind && name == o.name && face == o.face;
    }
};

std::ostream &operator<<(std::ostream &out, const Identity &id) {
    return out << "kind " << id.kind << ", name " << id.name << ", face " << id.face;
}

Identity identity_of(const GFontTable &table) {
    return {table.kind, table.name != nullptr ? table.name : "(null)", table.freetype_font};
}

Box plotless(GFontTable &table, int32_t height, const char *text) {
    Box box;
    box.result = gplot_get_ascii_text_bound_box_nw(&table, DB_UNIT_INCH, 1.0 / 72, height, text,
                                                   &box.height, &box.width);
    return box;
}

Box selected(GFontTable &table, int32_t height, const char *text) {
    Box box;
    box.result = gttfont_get_bounding_box_nw(&table, DB_UNIT_INCH, 1.0 / 72, height, text,
                                             &box.height, &box.width);
    return box;
}

Box freetype_windowless(GFontTable &table, int32_t height, const char *text) {
    Box box;
    box.result = gfreetype_get_bounding_box_nw(&table, DB_UNIT_INCH, 1.0 / 72, height, text,
                                               &box.height, &box.width);
    return box;
}

// What the windowless call measures a TrueType table with: GDI where GDI
// draws the text (so measured text fits drawn text), FreeType elsewhere.
Box text_drawing_windowless(GFontTable &table, int32_t height, const char *text) {
    Box box;
#ifdef _WIN32
    box.result = gttfont32_get_bounding_box_nw(&table, DB_UNIT_INCH, 1.0 / 72, height, text,
                                               &box.height, &box.width);
#else
    box = freetype_windowless(table, height, text);
#endif
    return box;
}

class TableMeasure : public vexl::test::TestFontDirectory {
  protected:
    void SetUp() override {
        TestFontDirectory::SetUp();
        if (IsSkipped())
            return;
        ScopedEnv data("MOLVERN_OCCIDENTAL_FILE", (kFonts + "/mini.hershey").c_str()),
            dir("MOLVERN_FONT_FILE", kFonts.c_str());
        ASSERT_EQ(gftable_load_font_table(&stroke, 0, GFONT_TABLE_ASCII, "mini"), 1);
        gftable_set_global_font_tabstop(8);
    }
    void TearDown() override {
        gftable_unload_font_table(&stroke);
        vexl::set_table_name(&stroke, nullptr);
    }

    GFontTable stroke{};
};

// The mini cell is 24 x 30: at height 30 a character is 24 wide.
TEST_F(TableMeasure, MeasuringAHersheyTableRewritesIt) {
    const Identity before = identity_of(stroke);
    const Box expected{1, 60, 48};
    EXPECT_EQ(selected(stroke, 30, "AB\nA"), expected);
    EXPECT_EQ(identity_of(stroke), before);
    EXPECT_EQ(freetype_windowless(stroke, 30, "AB\nA"), expected);
    vexl::test::RecordingPlot rec;
    rec.set_mapping({0, 0, 1000, 1000}, {0, 0, 1000, 1000});
    rec.plot.line_clipping = 1;
    Box on_device;
    on_device.result = gfreetype_get_bounding_box(&rec.device, &stroke, 30, "AB\nA",
                                                  &on_device.height, &on_device.width);
    EXPECT_EQ(on_device, expected);
    EXPECT_EQ(identity_of(stroke), before);
    EXPECT_EQ(vexl::freetype_default_font_holders(), 0);

    // The table still draws its strokes.
    const WorldPointS at{100, 100};
    EXPECT_EQ(gplot_write_ascii_text_world(&rec.plot, &stroke, &at, 30, "A"), 1);
    EXPECT_EQ(rec.device.calls.size(), 2u);
}

// A table can hold a face and no name: a Hershey-mode unload clears only the
// name. Measuring it must not read the missing name.
TEST_F(TableMeasure, MeasuringATableWithAFaceButNoName) {
    NamedTable sans("DejaVu Sans");
    ASSERT_EQ(gfreetype_loadFont(&sans.table), 1);
    const Box named = selected(sans.table, 12, "AB");
    ASSERT_EQ(named.result, 1);
    vexl::set_table_name(&sans.table, nullptr);
    const Box unnamed = selected(sans.table, 12, "AB");
    EXPECT_EQ(unnamed, text_drawing_windowless(sans.table, 12, "AB"));
    EXPECT_EQ(sans.table.name, nullptr);
    GFontTable bare{};
    bare.kind = GFONT_TABLE_TRUETYPE;
#ifdef _WIN32
    // GDI draws a table without a name in the default face, and measures it so.
    EXPECT_EQ(unnamed.result, 1);
    EXPECT_EQ(selected(bare, 12, "AB").result, 1);
#else
    EXPECT_EQ(unnamed, named);
    EXPECT_EQ(freetype_windowless(sans.table, 12, "AB"), named);
    // Without face or name there is nothing to measure with.
    EXPECT_EQ(selected(bare, 12, "AB").result, 0);
#endif
    EXPECT_EQ(identity_of(bare), (Identity{GFONT_TABLE_TRUETYPE, "(null)", nullptr}));
}

TEST_F(TableMeasure, BothKindsThroughThePlotlessCall) {
    // Hershey: one cell per character, tabs expanded, a line per newline.
    EXPECT_EQ(plotless(stroke, 30, "AB\nA"), (Box{1, 60, 48}));
    EXPECT_EQ(plotless(stroke, 30, "\tA"), (Box{1, 30, 216}));
    EXPECT_EQ(plotless(stroke, 30, ""), (Box{1, 30, 0}));
    EXPECT_EQ(plotless(stroke, 0, "A"), (Box{1, 0, 0}));
    GplotErrno = 0;
    EXPECT_EQ(plotless(stroke, -1, "A").result, 0);
    EXPECT_EQ(GplotErrno, 10);
    GplotErrno = 0;

    // TrueType: the face's measurement, the same through all three calls,
    // and the table neither given a face nor renamed.
    NamedTable sans("DejaVu Sans");
    sans.table.kind = GFONT_TABLE_TRUETYPE;
    const Identity before = identity_of(sans.table);
    const Box through_plotless = plotless(sans.table, 12, "AB\nA");
    EXPECT_EQ(through_plotless.result, 1);
    EXPECT_EQ(through_plotless.height, 24);
    EXPECT_GT(through_plotless.width, 0);
    EXPECT_EQ(identity_of(sans.table), before);
    EXPECT_EQ(selected(sans.table, 12, "AB\nA"), through_plotless);
    EXPECT_EQ(identity_of(sans.table), before);
    EXPECT_EQ(plotless(sans.table, 12, ""), (Box{1, 12, 0}));
    EXPECT_EQ(text_drawing_windowless(sans.table, 12, "AB\nA"), through_plotless);
    EXPECT_EQ(freetype_windowless(sans.table, 12, "AB\nA").height, 24);
    EXPECT_NE(sans.font(), nullptr) << "the FreeType call itself loads the face";

    // A face the directory lacks is measured with the default face, and the
    // table keeps the name it was given.
    NamedTable unknown("No Such Face");
    unknown.table.kind = GFONT_TABLE_TRUETYPE;
    testing::internal::CaptureStderr();
    const Box defaulted = plotless(unknown.table, 12, "AB");
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(defaulted.result, 1);
    EXPECT_EQ(identity_of(unknown.table),
              (Identity{GFONT_TABLE_TRUETYPE, "No Such Face", nullptr}));
    EXPECT_EQ(vexl::freetype_default_font_holders(), 0);
}

} // namespace
