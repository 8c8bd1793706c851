/* A small PNG writer for the pictures vexlplot reads back from a window.
 *
 * The picture goes out uncompressed: 8-bit RGB, no filtering, the image data
 * a zlib stream of stored deflate blocks (up to 65,535 bytes each, one per
 * IDAT chunk). That is a valid PNG every reader takes, at the size of the raw
 * pixels, and it needs nothing but CRC-32 and Adler-32, so the tool depends
 * on no image library on any system. */
#ifndef VEXLPLOT_PNG_WRITER_H
#define VEXLPLOT_PNG_WRITER_H

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The CRC-32 of ISO 3309 (that of PNG chunks, zip and gzip), continued from
 * `crc` (0 to start) over `size` bytes. */
uint32_t png_crc32(uint32_t crc, const void *data, size_t size);

/* The Adler-32 checksum of zlib, continued from `adler` (1 to start). */
uint32_t png_adler32(uint32_t adler, const void *data, size_t size);

/* The largest stored deflate block. */
enum { PNG_STORED_BLOCK_BYTES = 65535 };

/* Writes an RGB picture to `stream`: `height` rows of `width` pixels, 3 bytes
 * each (red, green, blue), row r starting at rgb + r * stride. Returns 1, or
 * 0 when the size is not one PNG can hold (no pixels, a side over 2^31 - 1)
 * or a write fails. The caller closes the stream and checks that too. */
int png_write_rgb(FILE *stream, const uint8_t *rgb, uint32_t width, uint32_t height, size_t stride);

#ifdef __cplusplus
}
#endif

#endif
