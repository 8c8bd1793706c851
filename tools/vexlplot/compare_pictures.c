/* compare_pictures FIRST.png SECOND.png: says whether two pictures show the
 * same sheet (see sheet_compare.h) and prints the figures. Exit status 0 when
 * they agree, 1 when they do not, 2 when a picture cannot be read. Reads PNG
 * through libpng, which takes any PNG (hp2xx's palettes as well as RGB). */
#include <png.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "sheet_compare.h"

/* Reads `path` as 8-bit RGB on white; null after reporting. */
static uint8_t *read_picture(const char *path, Picture *picture) {
    png_image image;
    memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path)) {
        fprintf(stderr, "compare_pictures: %s: %s\n", path, image.message);
        return NULL;
    }
    image.format = PNG_FORMAT_RGB;
    uint8_t *rgb = malloc(PNG_IMAGE_SIZE(image));
    const png_color white = {255, 255, 255};
    if (rgb == NULL || !png_image_finish_read(&image, &white, rgb, 0, NULL)) {
        fprintf(stderr, "compare_pictures: %s: %s\n", path,
                rgb == NULL ? "no memory" : image.message);
        png_image_free(&image);
        free(rgb);
        return NULL;
    }
    picture->rgb = rgb;
    picture->width = image.width;
    picture->height = image.height;
    return rgb;
}

int main(int argc, char **argv) {
    if (argc != 3) {
        fputs("usage: compare_pictures FIRST.png SECOND.png\n", stderr);
        return 2;
    }
    Picture pictures[2];
    uint8_t *first = read_picture(argv[1], &pictures[0]);
    uint8_t *second = first != NULL ? read_picture(argv[2], &pictures[1]) : NULL;
    int status = 2;
    SheetComparison comparison;
    if (second != NULL) {
        const int compared = compare_sheets(&pictures[0], &pictures[1], &comparison);
        status = compared && sheets_agree(&comparison) ? 0 : 1;
        printf("%s: cells with ink %d and %d of %d; matched %d and %d; "
               "filled in both %d, of like colour %d\n",
               status == 0 ? "the pictures agree" : "the pictures DIFFER", comparison.ink_cells[0],
               comparison.ink_cells[1], SHEET_GRID_ROWS * SHEET_GRID_COLUMNS,
               comparison.matched_cells[0], comparison.matched_cells[1], comparison.filled_cells,
               comparison.colour_matches);
    }
    free(first);
    free(second);
    return status;
}
