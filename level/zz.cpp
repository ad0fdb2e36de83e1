// zz.cpp -- the level block compressor on zstd; the block layout is described in zz.h.
// SPDX-License-Identifier: MIT
#include "level/zz.h"
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <zstd.h>
#include "util/bytes.h"

enum { ZZ_VERSION = 1, ZZ_STORED = 0, ZZ_ZSTD = 1 };

// Adler-32 of n bytes, the stored block's guard against damage.
static uint32_t adler32(const unsigned char *p, size_t n) {
    uint32_t a = 1, b = 0;
    while (n > 0) {
        size_t run = n < 5552 ? n : 5552; // the longest run before the sums can overflow
        n -= run;
        while (run--) {
            a += *p++;
            b += a;
        }
        a %= 65521;
        b %= 65521;
    }
    return b << 16 | a;
}

static void put_header(unsigned char *buffer, uint32_t need, int method, uint32_t image,
                       uint32_t last) {
    le32_put(buffer, need);
    buffer[4] = 'V';
    buffer[5] = 'Z';
    buffer[6] = ZZ_VERSION;
    buffer[7] = (unsigned char)method;
    le32_put(buffer + 8, image);
    le32_put(buffer + 12, last);
}

static int zstd_level(int effort) {
    if (effort <= 0) return 1;
    if (effort == 1) return 9;
    return 19;
}

int ZzCompressBlock(unsigned char *buffer, int length, int effort, int reserved) {
    if (!buffer || length <= 0 || length > ZZ_MAX_IMAGE || reserved != 0) return -1;
    size_t bound = ZSTD_compressBound((size_t)length);
    unsigned char *packed = (unsigned char *)malloc(bound);
    ZSTD_CCtx *cctx = ZSTD_createCCtx();
    if (!packed || !cctx) {
        free(packed);
        ZSTD_freeCCtx(cctx);
        return -2;
    }
    ZSTD_CCtx_setParameter(cctx, ZSTD_c_compressionLevel, zstd_level(effort));
    ZSTD_CCtx_setParameter(cctx, ZSTD_c_checksumFlag, 1);
    size_t n = ZSTD_compress2(cctx, packed, bound, buffer, (size_t)length);
    ZSTD_freeCCtx(cctx);
    if (ZSTD_isError(n)) {
        free(packed);
        return -2;
    }
    int block;
    if (ZZ_HEADER_SIZE + n < (size_t)length) {
        memcpy(buffer + ZZ_HEADER_SIZE, packed, n);
        put_header(buffer, (uint32_t)length, ZZ_ZSTD, (uint32_t)length, (uint32_t)n);
        block = ZZ_HEADER_SIZE + (int)n;
    } else {
        uint32_t sum = adler32(buffer, (size_t)length);
        memmove(buffer + ZZ_HEADER_SIZE, buffer, (size_t)length);
        block = ZZ_HEADER_SIZE + length;
        put_header(buffer, (uint32_t)block, ZZ_STORED, (uint32_t)length, sum);
    }
    free(packed);
    return block;
}

long ZzBlockLength(const unsigned char *buffer, size_t available) {
    if (!buffer || available < ZZ_HEADER_SIZE) return -1;
    uint32_t need = le32_get(buffer);
    uint32_t image = le32_get(buffer + 8);
    uint32_t last = le32_get(buffer + 12);
    if (buffer[4] != 'V' || buffer[5] != 'Z' || buffer[6] != ZZ_VERSION) return -1;
    if (image == 0 || image > ZZ_MAX_IMAGE || need < image) return -1;
    uint64_t length;
    if (buffer[7] == ZZ_STORED)
        length = (uint64_t)ZZ_HEADER_SIZE + image;
    else if (buffer[7] == ZZ_ZSTD)
        length = (uint64_t)ZZ_HEADER_SIZE + last;
    else
        return -1;
    if (length > need) // the block must fit the buffer it asks for
        return -1;
    return (long)length;
}

int ZzUncompressBlock(unsigned char *buffer) {
    if (!buffer) return -1;
    uint32_t need = le32_get(buffer);
    if (need < ZZ_HEADER_SIZE || ZzBlockLength(buffer, need) < 0) return -1;
    uint32_t image = le32_get(buffer + 8);
    uint32_t last = le32_get(buffer + 12);
    if (buffer[7] == ZZ_STORED) {
        if (adler32(buffer + ZZ_HEADER_SIZE, image) != last) return -1;
        memmove(buffer, buffer + ZZ_HEADER_SIZE, image);
        return (int)image;
    }
    // zstd cannot unpack over its own input safely, so the frame moves aside first.
    unsigned char *frame = (unsigned char *)malloc(last ? last : 1);
    if (!frame) return -1;
    memcpy(frame, buffer + ZZ_HEADER_SIZE, last);
    size_t n = ZSTD_decompress(buffer, image, frame, last);
    free(frame);
    if (ZSTD_isError(n) || n != image) return -1;
    return (int)image;
}
