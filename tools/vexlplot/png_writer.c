#include "png_writer.h"

#include <stdlib.h>
#include <string.h>

uint32_t png_crc32(uint32_t crc, const void *data, size_t size) {
    /* Bitwise, without a table: a picture of a few megabytes takes a few
     * hundredths of a second, and there is no table to build or keep. */
    const uint8_t *bytes = data;
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

uint32_t png_adler32(uint32_t adler, const void *data, size_t size) {
    enum { MODULUS = 65521, RUN = 5552 }; /* the longest run whose sums fit 32 bits */
    const uint8_t *bytes = data;
    uint32_t a = adler & 0xFFFFu, b = adler >> 16;
    while (size > 0) {
        const size_t run = size < RUN ? size : RUN;
        for (size_t i = 0; i < run; ++i) {
            a += bytes[i];
            b += a;
        }
        a %= MODULUS;
        b %= MODULUS;
        bytes += run;
        size -= run;
    }
    return (b << 16) | a;
}

static void put_be32(uint8_t *out, uint32_t value) {
    out[0] = (uint8_t)(value >> 24);
    out[1] = (uint8_t)(value >> 16);
    out[2] = (uint8_t)(value >> 8);
    out[3] = (uint8_t)value;
}

/* One chunk: length, type, data, CRC of type and data. */
static int write_chunk(FILE *stream, const char type[4], const uint8_t *data, uint32_t size) {
    uint8_t head[8], tail[4];
    put_be32(head, size);
    memcpy(head + 4, type, 4);
    put_be32(tail, png_crc32(png_crc32(0, type, 4), data, size));
    return fwrite(head, 1, sizeof head, stream) == sizeof head &&
           (size == 0 || fwrite(data, 1, size, stream) == size) &&
           fwrite(tail, 1, sizeof tail, stream) == sizeof tail;
}

/* The image data as PNG sees it before compression: each row led by its
 * filter byte (0, none). Handed out in pieces by copy_raw. */
typedef struct RawImage {
    const uint8_t *rgb;
    size_t stride, row_bytes; /* row_bytes = 3 * width, without the filter byte */
    uint32_t height;
    uint32_t row;  /* next row to hand out */
    size_t column; /* next byte of that row, 0 being its filter byte */
} RawImage;

static size_t copy_raw(RawImage *raw, uint8_t *out, size_t wanted) {
    size_t copied = 0;
    while (copied < wanted && raw->row < raw->height) {
        if (raw->column == 0) {
            out[copied++] = 0;
            raw->column = 1;
            continue;
        }
        const size_t left = raw->row_bytes - (raw->column - 1);
        const size_t take = left < wanted - copied ? left : wanted - copied;
        memcpy(out + copied, raw->rgb + raw->row * raw->stride + (raw->column - 1), take);
        copied += take;
        raw->column += take;
        if (raw->column - 1 == raw->row_bytes) {
            raw->row++;
            raw->column = 0;
        }
    }
    return copied;
}

int png_write_rgb(FILE *stream, const uint8_t *rgb, uint32_t width, uint32_t height,
                  size_t stride) {
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (width == 0 || height == 0 || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu)
        return 0;
    uint8_t header[13];
    put_be32(header, width);
    put_be32(header + 4, height);
    header[8] = 8;  /* bits per sample */
    header[9] = 2;  /* colour type: RGB */
    header[10] = 0; /* deflate */
    header[11] = 0; /* adaptive filtering, every row filter 0 */
    header[12] = 0; /* not interlaced */
    if (fwrite(signature, 1, sizeof signature, stream) != sizeof signature ||
        !write_chunk(stream, "IHDR", header, sizeof header))
        return 0;

    /* Each IDAT holds one stored block; the first also leads with the zlib
     * header, the last also ends with the Adler-32 of all raw bytes. */
    uint8_t *chunk = malloc(2 + 5 + PNG_STORED_BLOCK_BYTES + 4);
    if (chunk == NULL)
        return 0;
    RawImage raw = {rgb, stride, (size_t)width * 3u, height, 0, 0};
    int written = 1;
    uint32_t adler = 1;
    int first = 1, last = 0;
    while (written && !last) {
        size_t at = 0;
        if (first) {
            chunk[at++] = 0x78; /* deflate, 32 KiB window */
            chunk[at++] = 0x01; /* no preset dictionary, check bits */
            first = 0;
        }
        const size_t block_at = at;
        at += 5;
        const size_t size = copy_raw(&raw, chunk + at, PNG_STORED_BLOCK_BYTES);
        last = raw.row == raw.height;
        chunk[block_at] = last ? 1 : 0; /* BFINAL, BTYPE 00 (stored) */
        chunk[block_at + 1] = (uint8_t)size;
        chunk[block_at + 2] = (uint8_t)(size >> 8);
        chunk[block_at + 3] = (uint8_t)~size;
        chunk[block_at + 4] = (uint8_t)(~size >> 8);
        adler = png_adler32(adler, chunk + at, size);
        at += size;
        if (last) {
            put_be32(chunk + at, adler);
            at += 4;
        }
        written = write_chunk(stream, "IDAT", chunk, (uint32_t)at);
    }
    free(chunk);
    return written && write_chunk(stream, "IEND", NULL, 0);
}
