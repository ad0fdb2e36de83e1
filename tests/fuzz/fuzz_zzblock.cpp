// fuzz_zzblock.cpp -- any bytes unpacked as a block, and packed and unpacked again unchanged.
// SPDX-License-Identifier: MIT
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include "level/zz.h"
#include "util/bytes.h"

enum { MAX_ROOM = 8 * 1024 * 1024 }; // blocks asking for more are outside the harness

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // Unpacking: the bytes, cut as the reader's buffer would cut them, fill what their size asks.
    unsigned char word[4] = {0, 0, 0, 0};
    memcpy(word, data, size < 4 ? size : 4);
    uint32_t need = le32_get(word);
    if (need <= MAX_ROOM) {
        size_t room = need < 4 ? 4 : need;
        unsigned char *buf = (unsigned char *)calloc(room, 1);
        memcpy(buf, word, 4);
        if (size > 4) memcpy(buf + 4, data + 4, size - 4 < room - 4 ? size - 4 : room - 4);
        int n = ZzUncompressBlock(buf);
        if (n >= 0 && (uint32_t)n > need) __builtin_trap();
        free(buf);
    }

    // Packing: any image comes back unchanged, in place within the slack.
    if (size == 0) return 0;
    unsigned char *img = (unsigned char *)malloc(size + ZZ_SLACK);
    memcpy(img, data, size);
    int n = ZzCompressBlock(img, (int)size, (int)(size & 1), 0);
    if (n < 0 || n > (int)size + ZZ_SLACK || ZzBlockLength(img, (size_t)n) != n) __builtin_trap();
    uint32_t back = le32_get(img);
    if (back < size || back > size + ZZ_SLACK) __builtin_trap();
    unsigned char *out = (unsigned char *)malloc(back);
    memcpy(out, img, (size_t)n);
    if (ZzUncompressBlock(out) != (int)size || memcmp(out, data, size) != 0) __builtin_trap();
    free(out);
    free(img);
    return 0;
}
