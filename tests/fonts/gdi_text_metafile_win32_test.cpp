// TrueType text recorded into an enhanced metafile (a print-to-file plot),
// read back record by record: the font each text is drawn in as GDI
// recorded it (EMR_EXTCREATEFONTINDIRECTW) and where each line is put
// (EMR_EXTTEXTOUTA/W reference points), which a window's pixels cannot tell
// exactly.
//
// The recording's reference is set to 1000 x 800 pixels on 250 x 200 mm, and
// the world window is twice the picture's pixels, so a distance in pixels
// that the text code forgets to turn into world units lands at half its
// place.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cwchar>
#include <iterator>
#include <string>
#include <vector>

#include "core/gxwin_base.h"
#include "devices/gdi_window_win32.h"
#include "fonts/gdi_test_font_win32.h"
#include "hardcopy/print_options.h"
#include "hardcopy/saved_print_options.h"
#include "plot/gplot.h"
#include "support/temp_dir.h"
#include "test_env.h"

namespace {

// The font of a recorded text, as the recording holds it.
struct RecordedFont {
    LOGFONTW font{};
    std::string face;
};

// One line of text as recorded: where, what, and in which font.
struct RecordedText {
    POINTL reference{};
    std::string text;
    int font = -1; // index into Recording::fonts
};

struct Recording {
    std::vector<RecordedFont> fonts;
    std::vector<RecordedText> texts;
    std::vector<DWORD> text_aligns; // every SetTextAlign, in order
    int fonts_deleted = 0;          // of the fonts above
    // Handle-table slot -> index into fonts, while the slot holds a font.
    std::vector<int> slot_font;
    int selected_font = -1;
};

std::string narrow(const wchar_t *text, std::size_t length) {
    std::string out;
    for (std::size_t i = 0; i < length; ++i)
        out += text[i] < 128 ? static_cast<char>(text[i]) : '?';
    return out;
}

int slot_of(std::vector<int> &slots, DWORD slot) {
    if (slots.size() <= slot)
        slots.resize(slot + 1, -1);
    return slots[slot];
}

int CALLBACK collect(HDC, HANDLETABLE *, const ENHMETARECORD *record, int, LPARAM data) {
    auto &r = *reinterpret_cast<Recording *>(data);
    switch (record->iType) {
        case EMR_EXTCREATEFONTINDIRECTW: {
            const auto *made = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW *>(record);
            RecordedFont font;
            font.font = made->elfw.elfLogFont;
            font.face = narrow(font.font.lfFaceName, wcsnlen(font.font.lfFaceName, LF_FACESIZE));
            slot_of(r.slot_font, made->ihFont);
            r.slot_font[made->ihFont] = static_cast<int>(r.fonts.size());
            r.fonts.push_back(font);
            break;
        }
        case EMR_SELECTOBJECT: {
            const DWORD slot = reinterpret_cast<const EMRSELECTOBJECT *>(record)->ihObject;
            if ((slot & 0x80000000u) != 0) // a stock object
                r.selected_font = -1;
            else if (slot_of(r.slot_font, slot) >= 0)
                r.selected_font = r.slot_font[slot];
            break;
        }
        case EMR_DELETEOBJECT: {
            const DWORD slot = reinterpret_cast<const EMRDELETEOBJECT *>(record)->ihObject;
            if (slot_of(r.slot_font, slot) >= 0) {
                ++r.fonts_deleted;
                r.slot_font[slot] = -1;
            }
            break;
        }
        case EMR_SETTEXTALIGN:
            r.text_aligns.push_back(reinterpret_cast<const EMRSETTEXTALIGN *>(record)->iMode);
            break;
        case EMR_EXTTEXTOUTW:
        case EMR_EXTTEXTOUTA: {
            const auto *out = reinterpret_cast<const EMREXTTEXTOUTW *>(record);
            const EMRTEXT &text = out->emrtext;
            const auto *bytes = reinterpret_cast<const char *>(record) + text.offString;
            RecordedText line;
            line.reference = text.ptlReference;
            line.text = record->iType == EMR_EXTTEXTOUTW
                            ? narrow(reinterpret_cast<const wchar_t *>(bytes), text.nChars)
                            : std::string(bytes, text.nChars);
            line.font = r.selected_font;
            r.texts.push_back(line);
            break;
        }
        default:
            break;
    }
    return 1;
}

Recording read_recording(const std::string &path) {
    Recording r;
    HENHMETAFILE file = GetEnhMetaFileA(path.c_str());
    EXPECT_NE(file, nullptr) << path;
    if (file != nullptr) {
        EnumEnhMetaFile(nullptr, file, collect, &r, nullptr);
        DeleteEnhMetaFile(file);
    }
    return r;
}

// The picture is 1000 pixels square (the reference's width over the world's
// width is the scale): two world units to the pixel, the picture's bottom
// left at world (0, 0); device x = world x / 2, device y = 999 - world y / 2.
constexpr int kPictureSide = 1000;
constexpr int32_t kWorld[4] = {0, 0, 2 * (kPictureSide - 1), 2 * (kPictureSide - 1)};

POINTL device_of(const WorldPointS &p) {
    return {p.x / 2, kPictureSide - 1 - p.y / 2};
}

// A print-to-file plot scaled to its picture, with text drawn into it in
// TrueType tables.
class MetafileText : public ::testing::Test {
  protected:
    void SetUp() override {
        vexl::test::choose_scaled_print_to_file();
        plot_ = gplot_open_file(file_.c_str(), 0, 0, nullptr);
        ASSERT_NE(plot_, nullptr) << "code " << GplotErrno;
        plot_->device->set_device_size(1000, 800, 250.0, 200.0);
        ASSERT_EQ(gplot_set_world(plot_, kWorld), 1);
        const int32_t *extent = plot_->device_extent;
        ASSERT_EQ(extent[2], kPictureSide - 1) << "the mapping the test counts on";
        ASSERT_EQ(extent[1], kPictureSide - 1);
    }
    void TearDown() override {
        if (plot_ != nullptr)
            gplot_close(plot_);
        for (GFontTable &table : tables_)
            gttfont_unloadFont(&table);
    }
    // A TrueType table of that face, kept until the test ends.
    GFontTable *face(const char *name) {
        tables_.emplace_back();
        GFontTable &table = tables_.back();
        EXPECT_EQ(gttfont_setFontName(&table, name), 1);
        table.kind = GFONT_TABLE_TRUETYPE;
        return &table;
    }
    int write(const char *face_name, WorldPointS at, int32_t height, double angle,
              const char *text) {
        return gplot_write_rotated_ascii_text_world(plot_, face(face_name), &at, height, angle,
                                                    text);
    }
    // Closes the plot and reads what it recorded.
    Recording recorded() {
        EXPECT_EQ(gplot_close(plot_), 1);
        plot_ = nullptr;
        return read_recording(file_);
    }

    vexl::test::Deadline deadline_{120, "a metafile text test"};
    vexl::test::TestWindow &window_ = vexl::test::TestWindow::shared(120, 90);
    vexl::test::SavedPrintOptions saved_;
    vexl::test::ScopedEnv file_res_{"EMF_FILE_RES", nullptr};
    vexl::test::TempDir dir_;
    std::string file_ = dir_.file("text.emf");
    GPlot *plot_ = nullptr;
    std::vector<GFontTable> tables_;
};

TEST_F(MetafileText, FontOfEachTextComesFromItsFaceNameSizeAndAngle) {
    struct Case {
        const char *face;
        double angle;
        LONG weight;
        BYTE italic;
        LONG escapement;
    };
    // 60 world units are 30 pixels.
    const Case cases[] = {
        {"Arial Bold Italic", 0.0, 700, 255, 0},
        {"Helvetica Light", 0.0, 300, 0, 0},
        {"Futura Extra Light", 0.0, 200, 0, 0}, // not the 300 of "Light"
        {"Times", 0.0, 0, 0, 0},                // the font mapper's choice
        {"DejaVu Sans", 0.5, 0, 0, 286},        // 286.48 tenths, truncated
        {"DejaVu Sans", -1.0, 0, 0, -572},      // clockwise, toward zero
    };
    int32_t y = 1800;
    for (const Case &c : cases) {
        ASSERT_EQ(write(c.face, {100, y}, 60, c.angle, "Hx"), 1) << c.face;
        y -= 200;
    }
    const Recording r = recorded();
    ASSERT_EQ(r.texts.size(), std::size(cases));
    ASSERT_EQ(r.fonts.size(), std::size(cases)) << "one font for each text";
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case &c = cases[i];
        SCOPED_TRACE(c.face);
        ASSERT_EQ(r.texts[i].font, static_cast<int>(i)) << "drawn in its own font";
        const LOGFONTW &f = r.fonts[i].font;
        EXPECT_EQ(r.fonts[i].face, c.face);
        EXPECT_EQ(f.lfHeight, -30);
        EXPECT_EQ(f.lfWidth, 0);
        EXPECT_EQ(f.lfWeight, c.weight);
        EXPECT_EQ(f.lfItalic, c.italic);
        EXPECT_EQ(f.lfEscapement, c.escapement);
        EXPECT_EQ(f.lfOrientation, 0);
        EXPECT_EQ(f.lfUnderline, 0);
        EXPECT_EQ(f.lfStrikeOut, 0);
        EXPECT_EQ(f.lfCharSet, 0);
        EXPECT_EQ(f.lfOutPrecision, OUT_TT_PRECIS);
        EXPECT_EQ(f.lfClipPrecision, CLIP_STROKE_PRECIS);
        EXPECT_EQ(f.lfQuality, DRAFT_QUALITY);
        EXPECT_EQ(f.lfPitchAndFamily, 0);
    }
    EXPECT_EQ(r.fonts_deleted, static_cast<int>(std::size(cases)))
        << "every font is deleted after its text";
}

TEST_F(MetafileText, LinesStartWhereTheRulesPutThem) {
    const double a = 0.5;
    // The second line's start, one text height (60) below the position,
    // turned by a about it, each product truncated on its own: (+28, -52).
    const WorldPointS turned{1000 + static_cast<int32_t>(std::trunc(-std::sin(a) * -60)),
                             800 + static_cast<int32_t>(std::trunc(std::cos(a) * -60))};
    struct Case {
        const char *what;
        WorldPointS at;
        int32_t height;
        double angle;
        const char *text;
        std::vector<RecordedText> lines;
    };
    const Case cases[] = {
        {"one line, its bottom left at the position",
         {400, 600},
         100,
         0.0,
         "Hgx",
         {{device_of({400, 600}), "Hgx"}}},
        {"lines one height apart",
         {400, 600},
         100,
         0.0,
         "AB\nCD\nE",
         {{device_of({400, 600}), "AB"},
          {device_of({400, 500}), "CD"},
          {device_of({400, 400}), "E"}}},
        {"line starts turned about the position",
         {1000, 800},
         60,
         a,
         "AB\nCD",
         {{device_of({1000, 800}), "AB"}, {device_of(turned), "CD"}}},
        {"a trailing newline ends with an empty line",
         {400, 600},
         100,
         0.0,
         "MM\n",
         {{device_of({400, 600}), "MM"}, {device_of({400, 500}), ""}}},
    };
    for (const Case &c : cases)
        ASSERT_EQ(write("DejaVu Sans", c.at, c.height, c.angle, c.text), 1) << c.what;
    const Recording r = recorded();

    std::size_t next = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        for (const RecordedText &expected : c.lines) {
            ASSERT_LT(next, r.texts.size());
            const RecordedText &line = r.texts[next++];
            EXPECT_EQ(line.text, expected.text);
            EXPECT_EQ(line.reference.x, expected.reference.x) << expected.text;
            EXPECT_EQ(line.reference.y, expected.reference.y) << expected.text;
            EXPECT_GE(line.font, 0);
        }
    }
    EXPECT_EQ(next, r.texts.size());
    ASSERT_FALSE(r.text_aligns.empty());
    for (DWORD align : r.text_aligns)
        EXPECT_EQ(align, static_cast<DWORD>(TA_BOTTOM | TA_LEFT)) << "bottom alignment";
}

TEST_F(MetafileText, JustifiedLinesMoveByTheirPixelsInWorldUnits) {
    // Measured on the screen, the recording's reference: a font made on the
    // recording's own context would be recorded too.
    HDC screen = GetDC(nullptr);
    const vexl::test::HundredAndSixty w = vexl::test::hundred_and_sixty(screen);
    ReleaseDC(nullptr, screen);
    if (w.size == 0)
        GTEST_SKIP() << "no size makes M's 100 and 60 pixels wide";
    const std::string text = std::string(w.wide, 'M') + "\n" + std::string(w.narrow, 'M');
    const WorldPointS at{200, 800};
    const int32_t height = 2 * w.size; // w.size pixels
    struct Case {
        int justification;
        int32_t second_line_shift; // pixels
    };
    const Case cases[] = {{1, 0}, {2, 20}, {3, 40}};
    for (const Case &c : cases) {
        ASSERT_EQ(gplot_set_ascii_text_justification(plot_, c.justification), 1);
        ASSERT_EQ(write(vexl::test::kGdiTestFace, at, height, 0.0, text.c_str()), 1);
    }
    const Recording r = recorded();
    ASSERT_EQ(r.texts.size(), 2 * std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].justification);
        const RecordedText &first = r.texts[2 * i], &second = r.texts[2 * i + 1];
        EXPECT_EQ(first.reference.x, device_of(at).x) << "the widest line is not moved";
        EXPECT_EQ(second.reference.x - first.reference.x, cases[i].second_line_shift);
        EXPECT_EQ(second.reference.y - first.reference.y, w.size);
        EXPECT_EQ(r.fonts[static_cast<std::size_t>(first.font)].font.lfHeight, -w.size);
    }
}

} // namespace
