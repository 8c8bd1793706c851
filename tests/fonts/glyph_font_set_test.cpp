// Hershey glyph records and font sets: parsing data records, finding them by
// number, reading ASCII and virtual index files and querying a loaded set.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "plot/gfonts.h"
#include "support/rtk_files.h"
#include "support/rtk_memory.h"
#include "support/temp_dir.h"

namespace {

using vexl::FilePtr;
using vexl::test::TempDir;
using Points = std::vector<std::pair<int32_t, int32_t>>;

constexpr const char *kAsciiMessage = "Corrupted ascii font index file\n";
constexpr const char *kVirtualMessage = "Corrupted virtual font index file\n";

// A data record with bounds "MW" (-5, 5); the vertex count is the points
// plus the bound pair unless given.
std::string record(int number, const std::string &pairs, int vertices = -1) {
    char header[32];
    std::snprintf(header, sizeof header, "%5d%3d", number,
                  vertices >= 0 ? vertices : static_cast<int>(pairs.size() / 2) + 1);
    return header + std::string("MW") + pairs + "\n";
}

// The one point of record n in numbered_records, unique for n < 676.
std::pair<int32_t, int32_t> numbered_point(int n) {
    return {'A' + n % 26 - 'R', 'A' + n / 26 % 26 - 'R'};
}

// Records 1..last in order, each of one point.
std::string numbered_records(int last) {
    std::string text = "# numbered glyphs\n";
    for (int n = 1; n <= last; ++n) {
        const auto [x, y] = numbered_point(n);
        text += record(n, {static_cast<char>(x + 'R'), static_cast<char>(y + 'R')});
    }
    return text;
}

FilePtr open_text(const TempDir &dir, const std::string &text) {
    static int files = 0;
    const std::string name = "font" + std::to_string(++files) + ".txt";
    return FilePtr(rtk_fopen(dir.write(name, text).c_str(), "r"));
}

Points points_of(const GFont &font) {
    Points points;
    for (int32_t i = 0; i < font.num_points; ++i)
        points.emplace_back(font.points[2 * i], font.points[2 * i + 1]);
    return points;
}

struct Glyph {
    GFont font;
    Glyph() { gfont_create(&font); }
    ~Glyph() { gfont_unload(&font); }
    Glyph(const Glyph &) = delete;
    Glyph &operator=(const Glyph &) = delete;
};

struct Set {
    GFontSet set{};
    Set(std::FILE *index, std::FILE *data) { gfs_open(&set, index, data); }
    ~Set() { gfs_close(&set); }
    Set(const Set &) = delete;
    Set &operator=(const Set &) = delete;
};

// Loads a set with the given loader; the result and what it wrote on stderr.
std::pair<int, std::string> load(Set &set, int (*loader)(GFontSet *)) {
    testing::internal::CaptureStderr();
    const int result = loader(&set.set);
    return {result, testing::internal::GetCapturedStderr()};
}

// "RM NV | RM VV | PS TS" with pen lifts: 8 points.
const std::string kPairs = "RMNV RRMVV RPSTS";
const Points kPoints = {{0, -5}, {-4, 4}, {-50, 0}, {0, -5}, {4, 4}, {-50, 0}, {-2, 1}, {2, 1}};

TEST(HersheyGlyph, RecordsGiveTheirPointsOrMinusOne) {
    const struct {
        std::string text;
        int result;
    } cases[] = {
        {record(501, kPairs), 8},
        {"# comment\n\n#" + std::string(100, '-') + "\n" + record(501, kPairs), 8},
        {"  501  9MWRMNV R\nRMVV RPSTS\n", 8}, // continued on the next line
        {"  501  9MW\n" + kPairs + "\n", 8},
        {record(501, kPairs).substr(0, 26), 8}, // the file ends the last line
        {record(501, ""), 0},
        {record(501, kPairs, 10), -1},            // one pair fewer than the count
        {record(501, kPairs, 8), -1},             // one more
        {"  501  9MWRMNV R\nRMVV RPST\nS\n", -1}, // a pair across a line end
        {"  501  9MWRMNV R\n\nRMVV RPSTS\n", -1},
        {record(0, kPairs), -1},
        {record(501, "", 0), -1},
        {"  501  1M\n", -1}, // no right bound
        {"  501\n", -1},
        {"glyph\n", -1},
        {"\n# only comments\n", -1},
        // Lines of 72 characters before the newline, and of 74.
        {record(501, std::string(62, 'S')), 31},
        {record(501, std::string(64, 'S')), -1},
        {"  501 37MW\n" + std::string(72, 'S') + "\n", 36},
        {"  501 38MW\n" + std::string(74, 'S') + "\n", -1},
        // Each field keeps to its columns: 3 digits of count after the number.
        {"  501101MW\n" + std::string(72, 'S') + "\n" + std::string(72, 'S') + "\n" +
             std::string(56, 'S') + "\n",
         100},
    };
    TempDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        Glyph glyph;
        EXPECT_EQ(gfont_load(&glyph.font, open_text(dir, c.text).get()), c.result);
        EXPECT_EQ(glyph.font.points != nullptr, c.result > 0);
        if (c.result < 0)
            continue;
        EXPECT_EQ(gfont_num_points(&glyph.font), c.result);
        EXPECT_EQ(glyph.font.hershey_index, 501);
        EXPECT_EQ(glyph.font.left, -5);
        EXPECT_EQ(glyph.font.right, 5);
        if (c.result == 8) {
            EXPECT_EQ(points_of(glyph.font), kPoints);
        }
    }
}

TEST(HersheyGlyph, RecordKeepsItsArrayInBounds) {
    Glyph glyph;
    EXPECT_EQ(std::make_pair(glyph.font.hershey_index, glyph.font.font_no), std::make_pair(-1, -1));
    EXPECT_EQ(glyph.font.points, nullptr);
    int32_t x = 7, y = 7;
    EXPECT_EQ(gfont_set_coord(&glyph.font, 0, 1, 2), 0);
    ASSERT_EQ(gfont_make_points(&glyph.font, 3), 1);
    EXPECT_EQ(gfont_unload(&glyph.font), 1); // the caller frees what it replaces
    ASSERT_EQ(gfont_make_points(&glyph.font, 2), 1);
    EXPECT_EQ(gfont_set_coord(&glyph.font, 1, -50, 0), 1);
    EXPECT_EQ(gfont_set_coord(&glyph.font, 2, 1, 2), 0);
    EXPECT_EQ(gfont_set_coord(&glyph.font, -1, 1, 2), 0);
    EXPECT_EQ(gfont_get_coord(&glyph.font, 2, &x, &y), 0);
    EXPECT_EQ(gfont_get_coord(&glyph.font, 1, &x, &y), 1);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(-50, 0));

    // Successive loads read successive records; each gives the record a new
    // array, and the one it held is the caller's to free.
    EXPECT_EQ(gfont_unload(&glyph.font), 1);
    TempDir dir;
    FilePtr data = open_text(dir, record(501, kPairs) + record(502, "RR"));
    EXPECT_EQ(gfont_load(&glyph.font, data.get()), 8);
    int32_t *first = glyph.font.points;
    EXPECT_EQ(gfont_load(&glyph.font, data.get()), 1);
    EXPECT_NE(glyph.font.points, first);
    rtk_free(first);
    EXPECT_EQ(glyph.font.hershey_index, 502);
    EXPECT_EQ(gfont_load(&glyph.font, data.get()), -1);
    EXPECT_EQ(gfont_unload(&glyph.font), 1);
    EXPECT_EQ(gfont_destroy(&glyph.font), 0);
    EXPECT_EQ(gfont_get_coord(&glyph.font, 0, &x, &y), 0);
}

// An ASCII index giving character c the Hershey number 300 - c, so Hershey
// order is the reverse of character order; "^^" and "$$" name the space and
// DEL. extra is appended as it is.
std::string ascii_index(const std::string &extra = "", int count = 96) {
    std::string text = "# test index\n-10 10\t-20 20\n";
    for (int c = 32; c < 32 + count; ++c) {
        const std::string name = c == 32 ? "^^" : c == 127 ? "$$" : std::string{char(c), ' '};
        text += name + std::to_string(300 - c) + "\n";
    }
    return text + extra;
}

// ascii_index() with the entry of 'B' rewritten.
std::string with_entry_b(const std::string &entry) {
    std::string text = ascii_index();
    return text.replace(text.find("\nB 234\n") + 1, 5, entry);
}

TEST(FontSet, AsciiIndexGivesEveryCharacterOrNothing) {
    TempDir dir;
    const struct {
        std::string index;
        bool message;
    } failures[] = {
        {ascii_index("", 95), true},
        {"-10 10\t-20\n" + ascii_index().substr(ascii_index().find("^^")), true}, // three bounds
        {with_entry_b("A 234"), true}, // 'A' twice, no 'B'
        {with_entry_b("B 0"), true},
        {with_entry_b("B x"), true},
        {with_entry_b("B 400"), false}, // not in the data
    };
    FilePtr data = open_text(dir, numbered_records(300));
    for (const auto &c : failures) {
        SCOPED_TRACE(testing::Message() << "case " << &c - failures);
        FilePtr index = open_text(dir, c.index);
        Set set(index.get(), data.get());
        EXPECT_EQ(load(set, gfs_load_ascii_table),
                  std::make_pair(0, std::string(c.message ? kAsciiMessage : "")));
        EXPECT_EQ(set.set.glyphs, nullptr);
        GFont out{};
        EXPECT_EQ(gfs_get_font_ascii(&set.set, 'A', &out), 0);
    }

    // A 97th entry is ignored.
    FilePtr index = open_text(dir, ascii_index("! 999\n"));
    Set set(index.get(), data.get());
    ASSERT_EQ(load(set, gfs_load_ascii_table), std::make_pair(1, std::string()));
    EXPECT_EQ(gfs_num_fonts(&set.set), 96);
    for (int c = 32; c < 128; ++c) {
        GFont glyph{};
        ASSERT_EQ(gfs_get_font_ascii(&set.set, static_cast<char>(c), &glyph), 1) << c;
        EXPECT_EQ(glyph.character, c);
        EXPECT_EQ(glyph.hershey_index, 300 - c);
        EXPECT_EQ(glyph.font_no, 127 - c); // its place in Hershey order
        EXPECT_EQ(points_of(glyph), Points{numbered_point(300 - c)});
    }
    int32_t box[4] = {};
    gfs_get_bound_box(&set.set, box);
    EXPECT_EQ(std::vector<int32_t>(box, box + 4), (std::vector<int32_t>{-10, 10, -20, 20}));
    double ratio = 0;
    ASSERT_EQ(gfs_get_font_aspect_ratio(&set.set, &ratio), 1);
    EXPECT_DOUBLE_EQ(ratio, 0.5);
}

TEST(FontSet, BuiltInIndexLoadsSharedGlyphsOnce) {
    TempDir dir;
    FilePtr data = open_text(dir, numbered_records(2300));
    Set set(nullptr, data.get());
    ASSERT_EQ(load(set, gfs_load_ascii_table), std::make_pair(1, std::string()));
    double ratio = 0;
    ASSERT_EQ(gfs_get_font_aspect_ratio(&set.set, &ratio), 1);
    EXPECT_DOUBLE_EQ(ratio, 0.8);

    const std::pair<char, int32_t> numbers[] = {{' ', 699}, {'0', 700}, {'A', 501}, {'Z', 526},
                                                {'a', 601}, {'z', 626}, {'~', 2246}};
    GFont glyph{};
    for (const auto &[c, number] : numbers) {
        ASSERT_EQ(gfs_get_font_ascii(&set.set, c, &glyph), 1);
        EXPECT_EQ(glyph.hershey_index, number) << c;
    }
    // '#' and DEL share 718: the second is found by going back to the first.
    GFont hash{}, del{};
    ASSERT_EQ(gfs_get_font_ascii(&set.set, '#', &hash), 1);
    ASSERT_EQ(gfs_get_font_ascii(&set.set, 127, &del), 1);
    EXPECT_EQ(hash.hershey_index, 718);
    EXPECT_EQ(del.hershey_index, 718);
    EXPECT_EQ(points_of(hash), points_of(del));

    glyph.hershey_index = 42;
    EXPECT_EQ(gfs_get_font_ascii(&set.set, 31, &glyph), 0);
    EXPECT_EQ(gfs_get_font_ascii(&set.set, static_cast<char>(200), &glyph), 0);
    EXPECT_EQ(glyph.hershey_index, 42);
    EXPECT_EQ(gfs_set_font(&set.set, 96, &hash), 0);
    EXPECT_EQ(gfs_close(&set.set), 1);
    EXPECT_EQ(gfs_get_font_ascii(&set.set, 'A', &glyph), 0);
    EXPECT_EQ(gfs_unload(&set.set), 0);
}

// A glyph handed out by a set shares the set's point array. Building a
// variant of it (new points, or a record parsed into it) gives the copy an
// array of its own and leaves the set's alone: the set still reads its
// points and frees its array exactly once when it is closed.
TEST(FontSet, DoubleFreeThroughGlyphCopies) {
    TempDir dir;
    FilePtr data = open_text(dir, record(1, "RRSS") + record(12, "SSTT"));
    FilePtr index = open_text(dir, "# virtual\n-5 5\t-5 5\n7 1\n8 12\n");
    const Points seven = {{0, 0}, {1, 1}};
    {
        Set set(index.get(), data.get());
        ASSERT_EQ(load(set, gfs_load_virtual_table).first, 1);
        GFont variant{};
        ASSERT_EQ(gfs_get_font_virtual(&set.set, 7, &variant), 1);
        ASSERT_EQ(gfont_make_points(&variant, 3), 1);
        EXPECT_EQ(gfont_set_coord(&variant, 2, 9, 9), 1);
        GFont again{};
        ASSERT_EQ(gfs_get_font_virtual(&set.set, 7, &again), 1);
        EXPECT_EQ(points_of(again), seven) << "the set's glyph is untouched";
        EXPECT_EQ(gfont_unload(&variant), 1);

        GFont parsed{};
        ASSERT_EQ(gfs_get_font_virtual(&set.set, 8, &parsed), 1);
        FilePtr other = open_text(dir, record(5, "QQ"));
        ASSERT_EQ(gfont_load(&parsed, other.get()), 1);
        EXPECT_EQ(points_of(parsed), (Points{{-1, -1}}));
        ASSERT_EQ(gfs_get_font_virtual(&set.set, 8, &again), 1);
        EXPECT_EQ(points_of(again), (Points{{1, 1}, {2, 2}}));
        EXPECT_EQ(gfont_unload(&parsed), 1);
    } // the set frees its arrays here, once each

    // A record parsed into a record that failed to parse gets no array.
    Glyph glyph;
    FilePtr bad = open_text(dir, record(5, "QQ", 3));
    EXPECT_EQ(gfont_load(&glyph.font, bad.get()), -1);
    EXPECT_EQ(glyph.font.points, nullptr);
    EXPECT_EQ(gfont_make_points(&glyph.font, 0), 1);
    EXPECT_EQ(glyph.font.points, nullptr);
    EXPECT_EQ(gfont_make_points(&glyph.font, -1), 0);
}

TEST(FontSet, VirtualIndexFindsGlyphsByCode) {
    TempDir dir;
    // Record 1 has vertex count 3 in its columns 6-8: a search for 3 must not
    // stop there.
    FilePtr data = open_text(dir, record(1, "RRSS") + record(3, "QQ") + record(12, "SS"));
    const std::string header = "# virtual\n-5 5\t-5 5\n";
    // Codes are any 32-bit values; two codes share glyph 12, which the
    // forward-only search passes once; the last line has no newline.
    FilePtr index = open_text(dir, header + "-7 3\n2147483647 12\n40000   12");
    Set set(index.get(), data.get());
    ASSERT_EQ(load(set, gfs_load_virtual_table), std::make_pair(1, std::string()));
    EXPECT_EQ(gfs_num_fonts(&set.set), 3);
    const std::pair<int32_t, Points> codes[] = {
        {-7, {{-1, -1}}}, {2147483647, {{1, 1}}}, {40000, {{1, 1}}}};
    GFont glyph{};
    for (const auto &[code, points] : codes) {
        ASSERT_EQ(gfs_get_font_virtual(&set.set, code, &glyph), 1) << code;
        EXPECT_EQ(points_of(glyph), points) << code;
    }
    glyph.font_no = 5;
    EXPECT_EQ(gfs_get_font_virtual(&set.set, 8, &glyph), 0);
    EXPECT_EQ(glyph.font_no, 5);

    const struct {
        std::string index;
        bool message;
    } failures[] = {
        {header + "1 12\nx 3\n2 100\n", true},
        {header + "1 12\n2\n", true},
        {header + "1 0\n", true},
        {header, true},
        {"-5 5\n1 12\n", true},
        {header + "1 12\n2 13\n", false}, // 13 is not in the data
    };
    for (const auto &c : failures) {
        SCOPED_TRACE(c.index);
        FilePtr bad = open_text(dir, c.index);
        Set failed(bad.get(), data.get());
        EXPECT_EQ(load(failed, gfs_load_virtual_table),
                  std::make_pair(0, std::string(c.message ? kVirtualMessage : "")));
        EXPECT_EQ(failed.set.glyphs, nullptr);
    }
    // A malformed record fails the set as silently as a missing one.
    FilePtr broken = open_text(dir, record(1, "RRSS") + record(12, "SS", 3));
    FilePtr two = open_text(dir, header + "1 1\n2 12\n");
    Set failed(two.get(), broken.get());
    EXPECT_EQ(load(failed, gfs_load_virtual_table), std::make_pair(0, std::string()));
    EXPECT_EQ(failed.set.glyphs, nullptr);
}

} // namespace
