// blend_comun.h -- what the three blend operations share: clipping, depth check, row access.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>
#include <stdint.h>
#include <string.h>
#include "blend/blend.h"

// The clipped rectangle: where it starts in the source and in the destination, and its size.
struct BlendArea {
    int sx, sy; // first source column and row
    int dx, dy; // first destination column and row
    int w, h;   // pixels
};

// Clips the whole source placed at (x, y) to the destination's full size (its clip rectangle is
// ignored) and checks that both depths are equal and 15, 16 or 32. Returns the depth, or 0 when
// nothing is to be drawn.
int blend_prepare(BITMAP *src, BITMAP *dst, int x, int y, BlendArea *a);

// Factors above full strength act as full strength; no caller passes them.
static inline int blend_clamp_fact(int fact) {
    return fact > 255 ? 255 : fact;
}

// Address of source row y: the line table of a memory bitmap, bmp_read_line otherwise.
static inline uintptr_t blend_src_row(BITMAP *src, int y) {
    return is_memory_bitmap(src) ? (uintptr_t)src->line[y] : bmp_read_line(src, y);
}

// Address of destination row y for writing.
static inline uintptr_t blend_dst_row(BITMAP *dst, int y) {
    return bmp_write_line(dst, y);
}

// Mask colours, compared with the whole pixel.
enum : uint32_t { BLEND_MASK15 = 0x7C1F, BLEND_MASK16 = 0xF81F, BLEND_MASK32 = 0xFF00FF };

// A routine that blends a clipped rectangle with a mapped multiplier (the vector family).
typedef void (*BlendKernel)(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                            int f);

// Runs row(s, d, w) over every row of the clipped rectangle, pixels of type T.
template <class T, class Row>
static inline void blend_rows(BITMAP *src, BITMAP *dst, const BlendArea &a, Row row) {
    for (int r = 0; r < a.h; r++) {
        const T *s = (const T *)blend_src_row(src, a.sy + r) + a.sx;
        T *d = (T *)blend_dst_row(dst, a.dy + r) + a.dx;
        row(s, d, a.w);
    }
}

// Runs the chosen vector routine, or the plain rows when kernel is null; the destination is
// acquired around it and its line released after.
template <class T, class Row>
static inline void blend_run(BITMAP *src, BITMAP *dst, const BlendArea &a, BlendKernel kernel,
                             int f, Row row) {
    acquire_bitmap(dst);
    if (kernel)
        kernel(src, dst, a.sx, a.sy, a.dx, a.dy, a.w, a.h, f);
    else
        blend_rows<T>(src, dst, a, row);
    bmp_unwrite_line(dst);
    release_bitmap(dst);
}

// The spread form of a 15 or 16 bpp pixel: green in the upper half, red and blue in the lower,
// with free bits above each field for products and carries.
static inline uint32_t blend_spread(uint32_t p, uint32_t m) {
    return (p | p << 16) & m;
}
// Two neighbouring 16-bit pixels as one word, the first in the low half.
static inline uint32_t blend_load_pair(const uint16_t *p) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    uint32_t x;
    memcpy(&x, p, 4);
    return x;
#else
    return p[0] | (uint32_t)p[1] << 16;
#endif
}

// Two pixels (a word with the first in the low half) in spread form in one 64-bit word: the
// first pixel in the low 32 bits, the second in the high 32 bits; m2 is the spread mask twice.
static inline uint64_t blend_spread_pair(uint32_t x, uint64_t m2) {
    uint64_t y = x;
    return ((y | y << 32) & m2 & 0xFFFF00000000FFFFull) | ((y << 16) & m2 & 0x0000FFFFFFFF0000ull);
}
// Back from the spread form of two pixels: the first at bit 0, the second at bit 32 (each
// still to be cut to 16 bits).
static inline uint64_t blend_unspread_pair(uint64_t w) {
    return w | w >> 16;
}
// Back from the spread form to a pixel.
static inline uint32_t blend_unspread(uint32_t w) {
    return (w | w >> 16) & 0xFFFF;
}

// Spread masks and the carry bit just above each field.
enum : uint32_t {
    BLEND_SPREAD15 = 0x03E07C1F,
    BLEND_CARRY15 = 0x04008020,
    BLEND_SPREAD16 = 0x07C0F81F, // keeps only the upper five of the six green bits
    BLEND_CARRY16 = 0x08010020,
};

// The source scaled by f/32 per channel in spread form (f = 32: unscaled).
static inline uint32_t blend_scale_spread(uint32_t ws, int f, uint32_t m) {
    return f == 32 ? ws : ((ws * (uint32_t)f) >> 5) & m;
}

// Two spread source pixels scaled by f/32 (m2: the spread mask in both halves).
static inline uint64_t blend_scale_spread2(uint64_t ws, int f, uint64_t m2) {
    return f == 32 ? ws : ((ws * (uint64_t)f) >> 5) & m2;
}

// The source scaled by f/256 per channel at 32 bpp, top byte 0 (f = 256: unscaled).
static inline uint32_t blend_scale32(uint32_t s, int f) {
    if (f == 256) return s & 0xFFFFFF;
    return ((((s & 0xFF00FF) * (uint32_t)f) >> 8) & 0xFF00FF) |
           ((((s & 0xFF00) * (uint32_t)f) >> 8) & 0xFF00);
}

// The vector routine for an instruction set (BLEND_SSE or BLEND_MMX) and depth from a table of
// six (sse 15, 16, 32, mmx 15, 16, 32); null for the plain variant.
static inline BlendKernel blend_pick(int variant, int depth, const BlendKernel table[6]) {
    int col = depth == 15 ? 0 : depth == 16 ? 1 : 2;
    if (variant == BLEND_SSE) return table[col];
    if (variant == BLEND_MMX) return table[3 + col];
    return nullptr;
}
