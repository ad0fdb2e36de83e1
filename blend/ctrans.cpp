// ctrans.cpp -- translucent blending: the destination moves toward the source by the factor.
// SPDX-License-Identifier: MIT
#include "blend/blend.h"
#include "blend/blend_comun.h"
#if defined(VB_X86)
#include "blend/blend_mmx.h"
#include "blend/blend_sse.h"
static const BlendKernel trans_kernels[6] = {blend_trans_sse_15, blend_trans_sse_16,
                                             blend_trans_sse_32, blend_trans_mmx_15,
                                             blend_trans_mmx_16, blend_trans_mmx_32};
#else
static const BlendKernel trans_kernels[6] = {};
#endif

// Masks of the two-pixel packed translucency: A and C split the fields of two pixels into two
// sets with five free bits under (A) or over (C) each field; H and L build the average.
struct TransMasks {
    uint32_t a, c, h, l;
};
static const TransMasks TRANS15 = {0x7C1F03E0, 0x03E07C1F, 0x7BDE7BDE, 0x04210421};
static const TransMasks TRANS16 = {0xF81F07E0, 0x07E0F81F, 0xF7DEF7DE, 0x08210821};

// d + (s - d) * f / 32 per field (f = 16: the exact average) on packed words with masks k.
static inline uint32_t trans_word(uint32_t s, uint32_t d, uint32_t f, const TransMasks &k) {
    if (f == 16) return ((d & k.h) >> 1) + ((s & k.h) >> 1) + (d & s & k.l);
    uint32_t t1 = (((((s & k.a) >> 5) - ((d & k.a) >> 5)) * f) + (d & k.a)) & k.a;
    uint32_t t2 = (((((s & k.c) - (d & k.c)) * f) >> 5) + (d & k.c)) & k.c;
    return t1 | t2;
}

// One 15 or 16 bpp row, two pixels per 32-bit word (first pixel in the low half) and an odd last
// pixel on its own. Pixels under the mask colour are not written, so they stay exactly as they
// were; the fields of the two pixels never reach each other, so a masked neighbour changes
// nothing in the other's result.
static void trans_row_1516(const uint16_t *s, uint16_t *d, int w, int f, uint32_t mask,
                           const TransMasks &k) {
    int i = 0;
    for (; i + 1 < w; i += 2) {
        uint32_t sw = blend_load_pair(s + i);
        bool masked0 = (sw & 0xFFFF) == mask, masked1 = sw >> 16 == mask;
        if (masked0 && masked1) continue;
        uint32_t r = trans_word(sw, blend_load_pair(d + i), f, k);
        if (!masked0) d[i] = (uint16_t)r;
        if (!masked1) d[i + 1] = (uint16_t)(r >> 16);
    }
    if (i < w && s[i] != mask) {
        const TransMasks lo = {k.a & 0xFFFF, k.c & 0xFFFF, k.h & 0xFFFF, k.l & 0xFFFF};
        d[i] = (uint16_t)trans_word(s[i], d[i], f, lo);
    }
}

// One 32 bpp row: red-and-blue and green moved separately; fact 127 and 128 the exact average.
static void trans_row_32(const uint32_t *s, uint32_t *d, int w, uint32_t f) {
    bool half = f == 127 || f == 128;
    for (int i = 0; i < w; i++) {
        uint32_t sp = s[i];
        if (sp == BLEND_MASK32) continue;
        uint32_t dp = d[i], r;
        if (half) {
            r = ((dp & 0xFEFEFE) >> 1) + ((sp & 0xFEFEFE) >> 1) + (dp & sp & 0x010101);
        } else {
            uint32_t rb = (((sp & 0xFF00FF) - (dp & 0xFF00FF)) * f >> 8) + (dp & 0xFF00FF);
            uint32_t g = (((sp & 0xFF00) - (dp & 0xFF00)) * f >> 8) + (dp & 0xFF00);
            r = (rb & 0xFF00FF) | (g & 0xFF00);
        }
        d[i] = r;
    }
}

void blend_trans(BITMAP *src, BITMAP *dst, int x, int y, int fact) {
    BlendArea a;
    int depth = blend_prepare(src, dst, x, y, &a);
    if (!depth) return;
    fact = blend_clamp_fact(fact);
    int f = depth == 32 ? fact : (fact + 7) >> 3;
    if ((depth == 32 && fact == 255) || (depth != 32 && f >= 32)) {
        masked_blit(src, dst, a.sx, a.sy, a.dx, a.dy, a.w, a.h);
        return;
    }
    if (f < 1) return;
    BlendKernel k = blend_pick(blend_variant(), depth, trans_kernels);
    if (depth == 32) {
        blend_run<uint32_t>(src, dst, a, k, f, [f](const uint32_t *s, uint32_t *d, int w) {
            trans_row_32(s, d, w, f);
        });
    } else {
        const TransMasks &m = depth == 16 ? TRANS16 : TRANS15;
        uint32_t mask = depth == 16 ? BLEND_MASK16 : BLEND_MASK15;
        blend_run<uint16_t>(src, dst, a, k, f,
                            [f, &m, mask](const uint16_t *s, uint16_t *d, int w) {
                                trans_row_1516(s, d, w, f, mask, m);
                            });
    }
}
