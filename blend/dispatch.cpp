// dispatch.cpp -- clipping shared by the blend operations and the choice of plain or vector code.
// SPDX-License-Identifier: MIT
#include "blend/blend.h"
#include "blend/blend_comun.h"

// The variant module's state: what a caller forced and what the processor offers.
static struct {
    int forced; // BLEND_AUTO unless a test or benchmark forced a variant
    int chosen; // the processor's best variant, 0 until first asked
} bv;

// Best variant the processor runs: Allegro's report first, the processor itself when Allegro
// reports nothing (Debian's Allegro on x86-64 never fills cpu_capabilities).
static int best_variant(void) {
#if defined(VB_X86)
    int caps = cpu_capabilities;
    bool sse2 = (caps & CPU_SSE2) != 0;
    bool mmx = (caps & CPU_MMX) != 0;
    if (!(caps & (CPU_SSE | CPU_MMX))) {
        __builtin_cpu_init();
        sse2 = __builtin_cpu_supports("sse2");
        mmx = __builtin_cpu_supports("mmx");
    } else if ((caps & CPU_SSE) && !sse2) {
        // Allegro's CPU_SSE is the first SSE; our vector code needs SSE2, so ask the processor.
        __builtin_cpu_init();
        sse2 = __builtin_cpu_supports("sse2");
    }
    if (sse2) return BLEND_SSE;
    if (mmx) return BLEND_MMX;
#endif
    return BLEND_PLAIN;
}

void blend_force_variant(int v) {
    bv.forced = v;
}

int blend_variant(void) {
    if (!bv.chosen) bv.chosen = best_variant();
    if (bv.forced == BLEND_AUTO) return bv.chosen;
    if (bv.forced == BLEND_PLAIN) return BLEND_PLAIN;
    // A forced vector variant only where the processor has it (SSE implies MMX here).
    if (bv.forced == BLEND_SSE && bv.chosen == BLEND_SSE) return BLEND_SSE;
    if (bv.forced == BLEND_MMX && bv.chosen != BLEND_PLAIN) return BLEND_MMX;
    return BLEND_PLAIN;
}

int blend_prepare(BITMAP *src, BITMAP *dst, int x, int y, BlendArea *a) {
    a->sx = 0;
    a->sy = 0;
    a->dx = x;
    a->dy = y;
    a->w = src->w;
    a->h = src->h;
    if (a->dx < 0) {
        a->sx = -a->dx;
        a->w += a->dx;
        a->dx = 0;
    }
    if (a->dy < 0) {
        a->sy = -a->dy;
        a->h += a->dy;
        a->dy = 0;
    }
    if (a->dx + a->w >= dst->w) a->w = dst->w - a->dx;
    if (a->dy + a->h >= dst->h) a->h = dst->h - a->dy;
    if (a->w <= 0 || a->h <= 0) return 0;
    int depth = bitmap_color_depth(src);
    if (depth != bitmap_color_depth(dst)) return 0;
    if (depth != 15 && depth != 16 && depth != 32) return 0;
    return depth;
}
