// The coarse comparison of two pictures of one sheet: the same drawing at
// another size, margin and pen width agrees; a picture upside down, with red
// and blue exchanged (the classic slip when reading Windows bitmaps), with
// half of it or a band of panels missing, or blank does not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "vexlplot/sheet_compare.h"

namespace {

struct Colour {
    uint8_t r, g, b;
};
constexpr Colour kBlack{0, 0, 0}, kRed{255, 0, 0}, kGreen{0, 160, 0}, kBlue{0, 0, 255},
    kCyan{0, 255, 255}, kYellow{230, 230, 0};

// A sheet 1000 x 700 units drawn at `scale` pixels a unit inside a white
// margin, y up as in a world window.
class Canvas {
  public:
    Canvas(double scale, int margin, int pen)
        : scale_(scale), margin_(margin), pen_(pen),
          width_(static_cast<uint32_t>(1000 * scale) + 2 * margin),
          height_(static_cast<uint32_t>(700 * scale) + 2 * margin),
          rgb_(3 * width_ * height_, 255) {}

    void fill(double x1, double y1, double x2, double y2, Colour colour) {
        const int left = px(x1), right = px(x2), top = py(y2), bottom = py(y1);
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x)
                set(x, y, colour);
        }
    }
    void frame(double x1, double y1, double x2, double y2) {
        const double w = pen_ / scale_;
        fill(x1, y1, x2, y1 + w, kBlack);
        fill(x1, y2 - w, x2, y2, kBlack);
        fill(x1, y1, x1 + w, y2, kBlack);
        fill(x2 - w, y1, x2, y2, kBlack);
    }
    void line(double x1, double y1, double x2, double y2, Colour colour) {
        const int steps = static_cast<int>(std::max(std::abs(x2 - x1), std::abs(y2 - y1)) * scale_);
        for (int i = 0; i <= steps; ++i) {
            const double x = x1 + (x2 - x1) * i / steps, y = y1 + (y2 - y1) * i / steps;
            for (int d = 0; d < pen_; ++d)
                set(px(x) + d, py(y), colour);
        }
    }
    Picture picture() const { return {rgb_.data(), width_, height_}; }
    std::vector<uint8_t> &pixels() { return rgb_; }
    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }

  private:
    int px(double x) const { return margin_ + static_cast<int>(x * scale_); }
    int py(double y) const { return margin_ + static_cast<int>((700 - y) * scale_); }
    void set(int x, int y, Colour colour) {
        if (x < 0 || y < 0 || x >= static_cast<int>(width_) || y >= static_cast<int>(height_))
            return;
        uint8_t *pixel = &rgb_[3 * (static_cast<std::size_t>(y) * width_ + x)];
        pixel[0] = colour.r, pixel[1] = colour.g, pixel[2] = colour.b;
    }
    double scale_;
    int margin_, pen_;
    uint32_t width_, height_;
    std::vector<uint8_t> rgb_;
};

// Panels in frames, lines fanning out in the top panel, a row of coloured
// swatches low on the left, and a band of small framed cells with a
// diagonal each, as dense as the demonstration sheet's top rows.
void draw_sheet(Canvas &canvas) {
    canvas.frame(0, 0, 1000, 700);
    for (int i = 0; i < 10; ++i) {
        canvas.frame(520 + 46 * i, 210, 560 + 46 * i, 250);
        canvas.line(525 + 46 * i, 215, 555 + 46 * i, 245, kBlack);
    }
    canvas.frame(10, 400, 990, 690);
    canvas.frame(10, 10, 490, 390);
    canvas.frame(510, 10, 990, 390);
    for (int i = 0; i < 8; ++i)
        canvas.line(30, 420, 200 + 100 * i, 670, i % 2 ? kRed : kBlue);
    const Colour swatches[] = {kRed, kGreen, kBlue, kCyan, kYellow, kRed};
    for (int i = 0; i < 6; ++i)
        canvas.fill(30 + 75 * i, 30, 95 + 75 * i, 200, swatches[i]);
    canvas.fill(560, 250, 700, 370, kBlack);
    canvas.line(520, 20, 980, 380, kGreen);
}

SheetComparison compare(const Canvas &a, const Canvas &b, bool *compared) {
    SheetComparison result;
    const Picture first = a.picture(), second = b.picture();
    *compared = compare_sheets(&first, &second, &result) != 0;
    return result;
}

TEST(SheetCompare, SameSheetAtAnotherSizeMarginAndPenAgrees) {
    Canvas small(0.8, 10, 1), large(1.7, 90, 3);
    draw_sheet(small);
    draw_sheet(large);
    bool compared = false;
    const SheetComparison result = compare(small, large, &compared);
    ASSERT_TRUE(compared);
    EXPECT_GT(result.ink_cells[0], 100);
    EXPECT_GT(result.filled_cells, 20);
    EXPECT_TRUE(sheets_agree(&result))
        << result.matched_cells[0] << "/" << result.ink_cells[0] << ", " << result.matched_cells[1]
        << "/" << result.ink_cells[1] << ", " << result.colour_matches << "/"
        << result.filled_cells;
}

TEST(SheetCompare, DifferentPicturesDisagree) {
    Canvas reference(1.0, 20, 1);
    draw_sheet(reference);

    Canvas upside_down(1.0, 20, 1);
    draw_sheet(upside_down);
    std::vector<uint8_t> &rows = upside_down.pixels();
    const std::size_t row_bytes = 3 * upside_down.width();
    for (uint32_t y = 0; y < upside_down.height() / 2; ++y)
        std::swap_ranges(rows.begin() + y * row_bytes, rows.begin() + (y + 1) * row_bytes,
                         rows.end() - (y + 1) * row_bytes);

    Canvas red_blue(1.0, 20, 1);
    draw_sheet(red_blue);
    for (std::size_t i = 0; i < red_blue.pixels().size(); i += 3)
        std::swap(red_blue.pixels()[i], red_blue.pixels()[i + 2]);

    Canvas left_half(1.0, 20, 1);
    draw_sheet(left_half);
    left_half.fill(500, -20, 1020, 720, {255, 255, 255});

    for (const Canvas *other : {&upside_down, &red_blue, &left_half}) {
        bool compared = false;
        const SheetComparison result = compare(reference, *other, &compared);
        EXPECT_TRUE(compared);
        EXPECT_FALSE(sheets_agree(&result))
            << result.matched_cells[0] << "/" << result.ink_cells[0] << ", "
            << result.matched_cells[1] << "/" << result.ink_cells[1] << ", "
            << result.colour_matches << "/" << result.filled_cells;
    }
}

// On a grid too coarse for a dense sheet nearly every cell has ink, and a
// band of panels left out still matched its neighbours' ink.
TEST(SheetCompare, BandOfPanelsMissingFromADenseSheetDisagrees) {
    Canvas reference(1.0, 20, 1), band_missing(1.0, 20, 1);
    draw_sheet(reference);
    draw_sheet(band_missing);
    band_missing.fill(515, 205, 985, 255, {255, 255, 255});
    bool compared = false;
    const SheetComparison result = compare(reference, band_missing, &compared);
    EXPECT_TRUE(compared);
    EXPECT_FALSE(sheets_agree(&result))
        << result.matched_cells[0] << "/" << result.ink_cells[0] << ", " << result.matched_cells[1]
        << "/" << result.ink_cells[1];
}

TEST(SheetCompare, BlankPictureIsNoMatch) {
    Canvas reference(1.0, 20, 1), blank(1.0, 20, 1);
    draw_sheet(reference);
    bool compared = true;
    const SheetComparison result = compare(reference, blank, &compared);
    EXPECT_FALSE(compared);
    EXPECT_FALSE(sheets_agree(&result));
}

} // namespace
