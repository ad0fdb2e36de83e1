// vec_kern.h -- the vector blend kernels, written once over an instruction set O (VSse, VMmx).
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>
#include <stdint.h>
#include "blend/blend_comun.h"

// Field layout of a 15 or 16 bpp pixel as the kernels see it.
struct Pix15 {
    enum { RSHIFT = 10, GREEN = 31, LOW = 0x3DEF, TOP = 0x4210, HALF = 0x7BDE, ODD = 0x0421 };
    enum { MASK = BLEND_MASK15, HIGH_BIT = 0x8000 }; // 15 bpp add keeps the destination's bit 15
};
struct Pix16 {
    enum { RSHIFT = 11, GREEN = 63, LOW = 0x7BEF, TOP = 0x8410, HALF = 0xF7DE, ODD = 0x0821 };
    enum { MASK = BLEND_MASK16, HIGH_BIT = 0 };
};

// Lanes of s equal to the mask colour mc: all ones there, zero elsewhere.
template <class O, class T>
static inline typename O::V vec_masked(typename O::V s, typename O::V mc) {
    return sizeof(T) == 2 ? O::cmpeq16(s, mc) : O::cmpeq32(s, mc);
}

// Runs k(s, d, m) over the rectangle, m marking the source's mask-colour lanes: eight 16-bit or
// four 32-bit pixels per step (a register wholly under the mask colour is left alone), then the
// row's remainder one, two and four pixels at a time as its bits say.
template <class O, class T, class K>
static inline void vec_rows(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                            typename O::V mc, K k) {
    typedef typename O::V V;
    const int step = 16 / (int)sizeof(T);
    for (int r = 0; r < h; r++) {
        const T *s = (const T *)blend_src_row(src, sy + r) + sx;
        T *d = (T *)blend_dst_row(dst, dy + r) + dx;
        for (int n = w / step; n > 0; n--, s += step, d += step) {
            O::prefetch(s, d);
            for (int b = 0; b < 16; b += O::BYTES) {
                V sv = O::load((const char *)s + b, O::BYTES);
                V m = vec_masked<O, T>(sv, mc);
                if (O::all_ones(m)) continue;
                char *db = (char *)d + b;
                O::store(db, k(sv, O::load(db, O::BYTES), m), O::BYTES);
            }
        }
        int rest = w % step;
        for (int part = 1; part < step; part <<= 1) {
            if (!(rest & part)) continue;
            int bytes = part * (int)sizeof(T);
            V sv = O::load(s, bytes);
            O::store(d, k(sv, O::load(d, bytes), vec_masked<O, T>(sv, mc)), bytes);
            s += part;
            d += part;
        }
    }
    O::done();
}

// m ? d : r, lane by lane.
template <class O>
static inline typename O::V vec_select(typename O::V m, typename O::V d, typename O::V r) {
    return O::or_(O::and_(m, d), O::andnot(m, r));
}

// The source scaled by f/32 per channel (f below 32), all six green bits at 16 bpp. With an
// unsigned high multiply each field is scaled where it sits: (field << k) * (f << 11) >> 16.
template <class O, class P>
static inline typename O::V vec_scale16(typename O::V s, typename O::V f) {
    typedef typename O::V V;
    const V rmask = O::set16(31 << P::RSHIFT), gmask = O::set16(P::GREEN << 5), c31 = O::set16(31);
    V red, green, blue;
    if constexpr (O::MULHI) {
        const V f11 = O::template slli16<11>(f);
        red = O::and_(O::mulhi_u16(O::and_(s, rmask), f11), rmask);
        green = O::and_(O::mulhi_u16(O::and_(s, gmask), f11), gmask);
        blue = O::mulhi_u16(O::and_(s, c31), f11);
    } else {
        red = O::template srli16<P::RSHIFT>(s);
        if (P::RSHIFT + 5 < 16) red = O::and_(red, c31);
        red = O::and_(O::template slli16<P::RSHIFT - 5>(O::mullo16(red, f)), rmask);
        green = O::mullo16(O::and_(O::template srli16<5>(s), O::set16(P::GREEN)), f);
        green = O::and_(green, gmask);
        blue = O::template srli16<5>(O::mullo16(O::and_(s, c31), f));
    }
    return O::or_(O::or_(red, green), blue);
}

// Add at 15 and 16 bpp: sums of the fields without their top bits, the carries out of each top
// bit found from the top bits and turned into a full field (the lowest green bit at 16 bpp keeps
// the sum's). Unscaled at f = 32.
template <class O, class P>
static void vec_add1516(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                        int f) {
    typedef typename O::V V;
    const V F = O::set16(f), L = O::set16(P::LOW), T = O::set16(P::TOP);
    const V M = O::set16(P::MASK), HB = O::set16(P::HIGH_BIT);
    const bool unscaled = f == 32;
    vec_rows<O, uint16_t>(src, dst, sx, sy, dx, dy, w, h, M, [&](V s, V d, V m) {
        V sc = unscaled ? s : vec_scale16<O, P>(s, F);
        V x = O::add16(O::and_(d, L), O::and_(sc, L));
        V dxs = O::xor_(d, sc);
        V c = O::and_(O::or_(O::and_(d, sc), O::and_(dxs, x)), T);
        V fill = O::or_(O::sub16(c, O::template srli16<4>(c)), c);
        V r = O::or_(O::xor_(x, O::and_(dxs, T)), fill);
        if (P::HIGH_BIT != 0) r = O::or_(r, O::and_(d, HB));
        return vec_select<O>(m, d, r);
    });
}

// Subtract at 15 and 16 bpp: each field on its own, no borrow between them; a field that runs
// below zero is cleared above its lowest bit (the lowest green bit at 16 bpp keeps the
// difference's). The destination's bit 15 stays at 15 bpp. Unscaled at f = 32.
template <class O, class P>
static void vec_sub1516(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                        int f) {
    typedef typename O::V V;
    const V F = O::set16(f), L = O::set16(P::LOW), T = O::set16(P::TOP), M = O::set16(P::MASK);
    const bool unscaled = f == 32;
    vec_rows<O, uint16_t>(src, dst, sx, sy, dx, dy, w, h, M, [&](V s, V d, V m) {
        V sc = unscaled ? s : vec_scale16<O, P>(s, F);
        V y = O::sub16(O::or_(d, T), O::and_(sc, L));
        V same = O::andnot(O::xor_(d, sc), T);
        V b = O::and_(O::or_(O::andnot(d, sc), O::andnot(y, same)), T);
        V clear = O::or_(O::sub16(b, O::template srli16<4>(b)), b);
        V r = O::andnot(clear, O::xor_(y, same));
        return vec_select<O>(m, d, r);
    });
}

// One channel of the translucency: d + floor((s - d) * f / 32).
template <class O>
static inline typename O::V vec_mix(typename O::V s, typename O::V d, typename O::V f) {
    return O::add16(d, O::template srai16<5>(O::mullo16(O::sub16(s, d), f)));
}

// Translucency at 15 and 16 bpp, channel by channel; f = 16 is the exact average.
template <class O, class P>
static void vec_trans1516(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                          int f) {
    typedef typename O::V V;
    const V F = O::set16(f), M = O::set16(P::MASK), C31 = O::set16(31), G = O::set16(P::GREEN);
    const V HALF = O::set16(P::HALF), ODD = O::set16(P::ODD);
    const bool half = f == 16;
    vec_rows<O, uint16_t>(src, dst, sx, sy, dx, dy, w, h, M, [&](V s, V d, V m) {
        V r;
        if (half) {
            r = O::add16(O::add16(O::template srli16<1>(O::and_(d, HALF)),
                                  O::template srli16<1>(O::and_(s, HALF))),
                         O::and_(O::and_(d, s), ODD));
        } else {
            V red = vec_mix<O>(O::and_(O::template srli16<P::RSHIFT>(s), C31),
                               O::and_(O::template srli16<P::RSHIFT>(d), C31), F);
            V green = vec_mix<O>(O::and_(O::template srli16<5>(s), G),
                                 O::and_(O::template srli16<5>(d), G), F);
            V blue = vec_mix<O>(O::and_(s, C31), O::and_(d, C31), F);
            r = O::or_(O::or_(O::template slli16<P::RSHIFT>(red), O::template slli16<5>(green)),
                       blue);
        }
        return vec_select<O>(m, d, r);
    });
}

// The 32 bpp source scaled by f/256 per channel (f up to 256), top byte 0.
template <class O> static inline typename O::V vec_scale32(typename O::V s, typename O::V f) {
    typedef typename O::V V;
    const V z = O::zero();
    V lo = O::template srli16<8>(O::mullo16(O::unpacklo8(s, z), f));
    V hi = O::template srli16<8>(O::mullo16(O::unpackhi8(s, z), f));
    return O::and_(O::packus16(lo, hi), O::set32(0xFFFFFF));
}

// Add (sub = false) or subtract at 32 bpp with byte-wise saturation; at f = 255 the whole source
// pixel, top byte included, enters unscaled.
template <class O>
static void vec_addsub32(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                         int f, bool sub) {
    typedef typename O::V V;
    const V F = O::set16(f), M = O::set32(BLEND_MASK32);
    const bool unscaled = f == 255;
    vec_rows<O, uint32_t>(src, dst, sx, sy, dx, dy, w, h, M, [&](V s, V d, V m) {
        V sc = unscaled ? s : vec_scale32<O>(s, F);
        V r = sub ? O::subs_u8(d, sc) : O::adds_u8(d, sc);
        return vec_select<O>(m, d, r);
    });
}

// Translucency at 32 bpp: (s * f + d * (256 - f)) / 256 per channel keeping the destination's
// top byte; f = 128 is the exact average with top byte 0.
template <class O>
static void vec_trans32(BITMAP *src, BITMAP *dst, int sx, int sy, int dx, int dy, int w, int h,
                        int f) {
    typedef typename O::V V;
    const V F = O::set16(f), G = O::set16(256 - f), M = O::set32(BLEND_MASK32), z = O::zero();
    const V HALF = O::set32(0xFEFEFE), ODD = O::set32(0x010101), RGB = O::set32(0xFFFFFF);
    const bool half = f == 128;
    vec_rows<O, uint32_t>(src, dst, sx, sy, dx, dy, w, h, M, [&](V s, V d, V m) {
        V r;
        if (half) {
            r = O::add8(O::add8(O::template srli16<1>(O::and_(d, HALF)),
                                O::template srli16<1>(O::and_(s, HALF))),
                        O::and_(O::and_(d, s), ODD));
        } else {
            V lo = O::add16(O::mullo16(O::unpacklo8(s, z), F), O::mullo16(O::unpacklo8(d, z), G));
            V hi = O::add16(O::mullo16(O::unpackhi8(s, z), F), O::mullo16(O::unpackhi8(d, z), G));
            r = O::packus16(O::template srli16<8>(lo), O::template srli16<8>(hi));
            r = O::or_(O::and_(r, RGB), O::andnot(RGB, d));
        }
        return vec_select<O>(m, d, r);
    });
}

// The nine routines of one instruction set, named blend_<op>_<set>_<depth>.
#define VEC_DEFINE_ROUTINES(SET, O)                                                                \
    void blend_add_##SET##_15(BITMAP *s, BITMAP *d, int sx, int sy, int dx, int dy, int w, int h,  \
                              int f) {                                                             \
        vec_add1516<O, Pix15>(s, d, sx, sy, dx, dy, w, h, f);                                      \
    }                                                                                              \
    void blend_add_##SET##_16(BITMAP *s, BITMAP *d, int sx, int sy, int dx, int dy, int w, int h,  \
                              int f) {                                                             \
        vec_add1516<O, Pix16>(s, d, sx, sy, dx, dy, w, h, f);                                      \
    }                                                                                              \
    void blend_add_##SET##_32(BITMAP *s, BITMAP *d, int sx, int sy, int dx, int dy, int w, int h,  \
                              int f) {                                                             \
        vec_addsub32<O>(s, d, sx, sy, dx, dy, w, h, f, false);                                     \
    }                                                                                              \
    void blend_sub_##SET##_15(BITMAP *s, BITMAP *d, int sx, int sy, int dx, int dy, int w, int h,  \
                              int f) {                                                             \
        vec_sub1516<O, Pix15>(s, d, sx, sy, dx, dy, w, h, f);                                      \
    }                                                                                              \
    void blend_sub_##SET##_16(BITMAP *s, BITMAP *d, int sx, int sy, int dx, int dy, int w, int h,  \
                              int f) {                                                             \
        vec_sub1516<O, Pix16>(s, d, sx, sy, dx, dy, w, h, f);                                      \
    }                                                                                              \
    void blend_sub_##SET##_32(BITMAP *s, BITMAP *d, int sx, int sy, int dx, int dy, int w, int h,  \
                              int f) {                                                             \
        vec_addsub32<O>(s, d, sx, sy, dx, dy, w, h, f, true);                                      \
    }                                                                                              \
    void blend_trans_##SET##_15(BITMAP *s, BITMAP *d, int sx, int sy, int dx, int dy, int w,       \
                                int h, int f) {                                                    \
        vec_trans1516<O, Pix15>(s, d, sx, sy, dx, dy, w, h, f);                                    \
    }                                                                                              \
    void blend_trans_##SET##_16(BITMAP *s, BITMAP *d, int sx, int sy, int dx, int dy, int w,       \
                                int h, int f) {                                                    \
        vec_trans1516<O, Pix16>(s, d, sx, sy, dx, dy, w, h, f);                                    \
    }                                                                                              \
    void blend_trans_##SET##_32(BITMAP *s, BITMAP *d, int sx, int sy, int dx, int dy, int w,       \
                                int h, int f) {                                                    \
        vec_trans32<O>(s, d, sx, sy, dx, dy, w, h, f);                                             \
    }
