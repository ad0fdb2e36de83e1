// cadd.cpp -- additive blending: the destination brightens by the scaled source (light effects).
// SPDX-License-Identifier: MIT
#include "blend/blend.h"
#include "blend/blend_comun.h"
#if defined(VB_X86)
#include "blend/blend_mmx.h"
#include "blend/blend_sse.h"
static const BlendKernel add_kernels[6] = {blend_add_sse_15, blend_add_sse_16, blend_add_sse_32,
                                           blend_add_mmx_15, blend_add_mmx_16, blend_add_mmx_32};
#else
static const BlendKernel add_kernels[6] = {};
#endif

// Packed saturating add of one 15 or 16 bpp row: every field of the spread form at most 31.
// Two pixels go through one 64-bit word; pairs under the mask colour are skipped whole.
template <uint32_t mask, uint32_t m, uint32_t o, uint32_t keep>
static void add_row_1516(const uint16_t *s, uint16_t *d, int w, int f) {
    const uint64_t m2 = m | (uint64_t)m << 32, o2 = o | (uint64_t)o << 32;
    int i = 0;
    for (; i + 1 < w; i += 2) {
        uint32_t sw = blend_load_pair(s + i);
        bool masked0 = (sw & 0xFFFF) == mask, masked1 = sw >> 16 == mask;
        if (masked0 && masked1) continue;
        uint32_t dw = blend_load_pair(d + i);
        uint64_t sum =
            blend_spread_pair(dw, m2) + blend_scale_spread2(blend_spread_pair(sw, m2), f, m2);
        uint64_t ov = sum & o2;
        uint64_t r = blend_unspread_pair((sum | (ov - (ov >> 5))) & m2);
        if (!masked0) d[i] = (uint16_t)(r & keep);
        if (!masked1) d[i + 1] = (uint16_t)((r >> 32) & keep);
    }
    if (i < w && s[i] != mask) {
        uint32_t sum = blend_spread(d[i], m) + blend_scale_spread(blend_spread(s[i], m), f, m);
        uint32_t ov = sum & o;
        sum = (sum | (ov - (ov >> 5))) & m;
        d[i] = (uint16_t)(blend_unspread(sum) & keep);
    }
}

// Packed saturating add of one 32 bpp row: seven-bit sums, each byte's carry turned into 0xFF.
static void add_row_32(const uint32_t *s, uint32_t *d, int w, int f) {
    for (int i = 0; i < w; i++) {
        uint32_t sp = s[i];
        if (sp == BLEND_MASK32) continue;
        uint32_t dp = d[i], sc = blend_scale32(sp, f);
        uint32_t x = (dp & 0x7F7F7F) + (sc & 0x7F7F7F);
        uint32_t c = ((dp & sc) | ((dp ^ sc) & x)) & 0x808080;
        uint32_t r = (x ^ ((dp ^ sc) & 0x808080)) | ((c << 1) - (c >> 7));
        d[i] = r & 0xFFFFFF;
    }
}

void blend_add(BITMAP *src, BITMAP *dst, int x, int y, int fact) {
    BlendArea a;
    int depth = blend_prepare(src, dst, x, y, &a);
    if (!depth) return;
    fact = blend_clamp_fact(fact);
    int f;
    if (depth == 32) {
        if (fact < 1) return;
        f = fact + 1;
    } else {
        f = (fact + 7) >> 3;
        if (f < 1) return;
    }
    BlendKernel k = blend_pick(blend_variant(), depth, add_kernels);
    if (depth == 32) {
        blend_run<uint32_t>(src, dst, a, k, f,
                            [f](const uint32_t *s, uint32_t *d, int w) { add_row_32(s, d, w, f); });
    } else if (depth == 16) {
        blend_run<uint16_t>(src, dst, a, k, f, [f](const uint16_t *s, uint16_t *d, int w) {
            add_row_1516<BLEND_MASK16, BLEND_SPREAD16, BLEND_CARRY16, 0xFFFF>(s, d, w, f);
        });
    } else {
        blend_run<uint16_t>(src, dst, a, k, f, [f](const uint16_t *s, uint16_t *d, int w) {
            add_row_1516<BLEND_MASK15, BLEND_SPREAD15, BLEND_CARRY15, 0x7FFF>(s, d, w, f);
        });
    }
}
