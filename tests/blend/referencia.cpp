// referencia.cpp -- per-channel blend arithmetic: one colour at a time, plain integers.
// SPDX-License-Identifier: MIT
#include "referencia.h"
#include <algorithm>

namespace {

int floor_div(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// A pixel taken apart: red, green, blue, and the bits that hold no colour.
struct Rgb {
    int c[3]; // blue, red, green: the order a borrow runs through a spread 15/16 bpp word
    uint32_t extra;
};

// Field position and width of blue, red, green at each depth.
struct Layout {
    int shift[3], bits[3];
    uint32_t extra_mask;
};
const Layout L15 = {{0, 10, 5}, {5, 5, 5}, 0x8000};
const Layout L16 = {{0, 11, 5}, {5, 5, 6}, 0};
const Layout L32 = {{0, 16, 8}, {8, 8, 8}, 0xFF000000};

Rgb split(uint32_t p, const Layout &l) {
    Rgb r;
    for (int i = 0; i < 3; i++)
        r.c[i] = (p >> l.shift[i]) & ((1 << l.bits[i]) - 1);
    r.extra = p & l.extra_mask;
    return r;
}

uint32_t join(const Rgb &r, const Layout &l) {
    uint32_t p = r.extra;
    for (int i = 0; i < 3; i++)
        p |= (uint32_t)r.c[i] << l.shift[i];
    return p;
}

uint32_t blend32(RefOp op, bool vec, int fact, uint32_t d, uint32_t s) {
    Rgb a = split(d, L32), b = split(s, L32), out = a;
    int dt = d >> 24, st = s >> 24, top = 0;
    if (op == REF_TRANS) {
        if (fact == 255) return s;
        bool half = vec ? fact == 128 : (fact == 127 || fact == 128);
        for (int i = 0; i < 3; i++)
            out.c[i] =
                half ? (a.c[i] + b.c[i]) / 2 : a.c[i] + floor_div((b.c[i] - a.c[i]) * fact, 256);
        top = vec && !half ? dt : 0;
    } else {
        int f = op == REF_ADD ? fact + 1 : fact;
        bool unscaled = vec ? f == 255 : f == 256;
        for (int i = 0; i < 3; i++) {
            int sc = unscaled ? b.c[i] : b.c[i] * f / 256;
            out.c[i] = op == REF_ADD ? std::min(255, a.c[i] + sc) : std::max(0, a.c[i] - sc);
        }
        if (vec) {
            top = !unscaled ? dt : op == REF_ADD ? std::min(255, dt + st) : std::max(0, dt - st);
        }
    }
    out.extra = (uint32_t)top << 24;
    return join(out, L32);
}

uint32_t blend1516(RefOp op, int depth, bool vec, int fact, uint32_t d, uint32_t s) {
    const Layout &l = depth == 15 ? L15 : L16;
    int f = (fact + 7) >> 3;
    Rgb a = split(d, l), b = split(s, l), out = a;
    if (op == REF_TRANS) {
        if (f >= 32) return s;
        for (int i = 0; i < 3; i++)
            out.c[i] =
                f == 16 ? (a.c[i] + b.c[i]) / 2 : a.c[i] + floor_div((b.c[i] - a.c[i]) * f, 32);
        out.extra = 0;
        return join(out, l);
    }
    int borrow = 0;
    for (int i = 0; i < 3; i++) {
        int dc = a.c[i], sc = b.c[i], max = 31;
        bool six = l.bits[i] == 6, wide = six && vec;
        if (six && !vec) dc >>= 1, sc >>= 1; // the plain code keeps the upper five green bits
        if (wide) max = 63;
        if (f != 32) sc = sc * f / 32;
        int t = op == REF_ADD ? dc + sc : dc - sc - (vec ? 0 : borrow);
        if (op == REF_ADD && t > max) t = wide ? 62 + (t & 1) : max;
        if (op == REF_SUB) borrow = t < 0;
        if (op == REF_SUB && t < 0) t = wide ? (t & 1) : 0;
        out.c[i] = six && !vec ? t << 1 : t;
    }
    out.extra = vec ? a.extra : 0;
    return join(out, l);
}

} // namespace

uint32_t ref_mask(int depth) {
    return depth == 15 ? 0x7C1F : depth == 16 ? 0xF81F : 0xFF00FF;
}

uint32_t ref_blend(RefOp op, int depth, bool vec, int fact, uint32_t d, uint32_t s) {
    if (fact > 255) fact = 255;
    if (s == ref_mask(depth) || fact < 1) return d;
    return depth == 32 ? blend32(op, vec, fact, d, s) : blend1516(op, depth, vec, fact, d, s);
}
