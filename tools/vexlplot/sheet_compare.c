#include "sheet_compare.h"

#include <stdlib.h>
#include <string.h>

/* A pixel is ink when some channel is clearly darker than white. */
enum { INK_BELOW = 192 };
/* A cell has ink when this many thousandths of it are ink: a hairline along a
 * cell still counts, a stray anti-aliased pixel does not. */
enum { INK_PER_MILLE = 10, FILLED_PER_MILLE = 500 };
/* Mean ink colours this close (sum of channel differences) are alike. */
enum { COLOUR_TOLERANCE = 120 };

typedef struct Cell {
    uint32_t pixels, ink;
    uint64_t red, green, blue; /* sums over the ink */
} Cell;

typedef struct Grid {
    Cell cells[SHEET_GRID_ROWS][SHEET_GRID_COLUMNS];
} Grid;

static int is_ink(const uint8_t *pixel) {
    return pixel[0] < INK_BELOW || pixel[1] < INK_BELOW || pixel[2] < INK_BELOW;
}

/* The box around every ink pixel; 0 when there is none. */
static int ink_box(const Picture *picture, uint32_t box[4]) {
    uint32_t left = picture->width, top = picture->height, right = 0, bottom = 0;
    for (uint32_t y = 0; y < picture->height; ++y) {
        const uint8_t *row = picture->rgb + (size_t)y * picture->width * 3;
        for (uint32_t x = 0; x < picture->width; ++x) {
            if (!is_ink(row + 3 * (size_t)x))
                continue;
            left = x < left ? x : left;
            right = x > right ? x : right;
            top = y < top ? y : top;
            bottom = y > bottom ? y : bottom;
        }
    }
    box[0] = left, box[1] = top, box[2] = right, box[3] = bottom;
    return left <= right && top <= bottom;
}

static int fill_grid(const Picture *picture, Grid *grid) {
    uint32_t box[4];
    if (!ink_box(picture, box))
        return 0;
    memset(grid, 0, sizeof *grid);
    const uint64_t box_width = box[2] - box[0] + 1, box_height = box[3] - box[1] + 1;
    for (uint32_t y = box[1]; y <= box[3]; ++y) {
        const size_t row = (size_t)((y - box[1]) * SHEET_GRID_ROWS / box_height);
        const uint8_t *pixels = picture->rgb + (size_t)y * picture->width * 3;
        for (uint32_t x = box[0]; x <= box[2]; ++x) {
            Cell *cell = &grid->cells[row][(x - box[0]) * SHEET_GRID_COLUMNS / box_width];
            const uint8_t *pixel = pixels + 3 * (size_t)x;
            cell->pixels++;
            if (is_ink(pixel)) {
                cell->ink++;
                cell->red += pixel[0];
                cell->green += pixel[1];
                cell->blue += pixel[2];
            }
        }
    }
    return 1;
}

static int has_ink(const Cell *cell) {
    return cell->pixels > 0 && (uint64_t)cell->ink * 1000 >= (uint64_t)cell->pixels * INK_PER_MILLE;
}

static int is_filled(const Cell *cell) {
    return cell->pixels > 0 &&
           (uint64_t)cell->ink * 1000 >= (uint64_t)cell->pixels * FILLED_PER_MILLE;
}

/* Ink in `grid` at (row, column) or in one of the eight cells around it. */
static int ink_near(const Grid *grid, int row, int column) {
    for (int r = row - 1; r <= row + 1; ++r) {
        for (int c = column - 1; c <= column + 1; ++c) {
            if (r >= 0 && r < SHEET_GRID_ROWS && c >= 0 && c < SHEET_GRID_COLUMNS &&
                has_ink(&grid->cells[r][c]))
                return 1;
        }
    }
    return 0;
}

static int colours_alike(const Cell *a, const Cell *b) {
    const long difference = labs((long)(a->red / a->ink) - (long)(b->red / b->ink)) +
                            labs((long)(a->green / a->ink) - (long)(b->green / b->ink)) +
                            labs((long)(a->blue / a->ink) - (long)(b->blue / b->ink));
    return difference <= COLOUR_TOLERANCE;
}

int compare_sheets(const Picture *first, const Picture *second, SheetComparison *result) {
    memset(result, 0, sizeof *result);
    Grid *grids = malloc(2 * sizeof *grids);
    if (grids == NULL)
        return 0;
    const int compared = fill_grid(first, &grids[0]) && fill_grid(second, &grids[1]);
    for (int row = 0; compared && row < SHEET_GRID_ROWS; ++row) {
        for (int column = 0; column < SHEET_GRID_COLUMNS; ++column) {
            for (int side = 0; side < 2; ++side) {
                if (!has_ink(&grids[side].cells[row][column]))
                    continue;
                result->ink_cells[side]++;
                result->matched_cells[side] += ink_near(&grids[1 - side], row, column);
            }
            const Cell *a = &grids[0].cells[row][column], *b = &grids[1].cells[row][column];
            if (is_filled(a) && is_filled(b)) {
                result->filled_cells++;
                result->colour_matches += colours_alike(a, b);
            }
        }
    }
    free(grids);
    return compared;
}

int sheets_agree(const SheetComparison *comparison) {
    for (int side = 0; side < 2; ++side) {
        if (comparison->ink_cells[side] == 0 ||
            comparison->matched_cells[side] * 100 < comparison->ink_cells[side] * 95)
            return 0;
    }
    return comparison->colour_matches * 10 >= comparison->filled_cells * 9;
}
