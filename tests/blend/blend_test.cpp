// blend_test.cpp -- additive, subtractive and translucent blending against per-channel arithmetic.
// SPDX-License-Identifier: MIT
#include "blend/blend.h"
#include "referencia.h"
#include "support/vbtest.h"

namespace {

typedef void (*BlendOp)(BITMAP *, BITMAP *, int, int, int);
const BlendOp OPS[3] = {blend_add, blend_sub, blend_trans};
const int VARIANTS[3] = {BLEND_PLAIN, BLEND_MMX, BLEND_SSE};

// A pixel on the saturation and borrow corners, now and then with its colourless bits set.
uint32_t corner_pixel(int depth, uint32_t &seed) {
    auto next = [&seed]() { return (seed = seed * 1664525u + 1013904223u) >> 8; };
    int w = depth == 32 ? 8 : 5;
    const int shift[3] = {0, w == 8 ? 8 : 5, depth == 32 ? 16 : depth == 16 ? 11 : 10};
    const int bits[3] = {w, depth == 16 ? 6 : w, w};
    uint32_t p = 0;
    for (int i = 0; i < 3; i++) {
        int top = (1 << bits[i]) - 1, k = next() % 8;
        uint32_t corner = k < 3 ? k : k < 6 ? top / 2 + k - 3 : top + k - 7;
        p |= (next() % 4 ? corner : next() & top) << shift[i];
    }
    if (depth == 15 && next() % 2) p |= 0x8000;
    uint32_t t = next() % 3;
    if (depth == 32) p |= (t == 0 ? 0 : t == 1 ? 0xFFu : next() & 0xFF) << 24;
    return p;
}

// A picture of w by h at depth: pixel (x, y) is mask(x, y) ? the mask colour : a corner pixel.
template <typename F> BITMAP *corner_picture(int depth, int w, int h, uint32_t seed, F mask) {
    BITMAP *b = create_bitmap_ex(depth, w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            putpixel(b, x, y, (int)(mask(x, y) ? ref_mask(depth) : corner_pixel(depth, seed)));
    return b;
}

// Blends src onto a copy of `before` at (x, y) (its clipping ignored), checks every pixel.
::testing::AssertionResult blends_right(int op, int v, int fact, BITMAP *src, BITMAP *before,
                                        int x = 0, int y = 0) {
    int depth = bitmap_color_depth(before);
    BITMAP *dst = create_bitmap_ex(depth, before->w, before->h);
    blit(before, dst, 0, 0, 0, 0, dst->w, dst->h);
    if (x || y) set_clip_rect(dst, 1, 1, 2, 1);
    OPS[op](src, dst, x, y, fact);
    ::testing::AssertionResult r = ::testing::AssertionSuccess();
    for (int j = 0; r && j < dst->h; j++)
        for (int i = 0; r && i < dst->w; i++) {
            uint32_t d = getpixel(before, i, j), want = d, got = getpixel(dst, i, j);
            if (i >= x && i < x + src->w && j >= y && j < y + src->h)
                want = ref_blend((RefOp)op, depth, v != BLEND_PLAIN, fact, d,
                                 getpixel(src, i - x, j - y));
            if (got != want)
                r = ::testing::AssertionFailure()
                    << "op " << op << " " << depth << " bpp variant " << v << " fact " << fact
                    << " source at (" << x << "," << y << "), pixel (" << i << "," << j << "): d "
                    << std::hex << d << " gave " << got << ", expected " << want;
        }
    destroy_bitmap(dst);
    return r;
}

class Blend : public ::testing::Test {
  protected:
    void SetUp() override { vbtest_init(16); }
    void TearDown() override { blend_force_variant(BLEND_AUTO); }
    // Forces variant v; false when this processor cannot run it.
    bool use(int v) {
        blend_force_variant(v);
        return blend_variant() == v;
    }
};

} // namespace

// Every variant, operation and depth matches the per-channel arithmetic (referencia.cpp) pixel for
// pixel, masks, row widths and edges too; other depths, or two depths, draw nothing.
TEST_F(Blend, EveryVariantMatchesThePerChannelArithmeticEverywhereAndOtherDepthsDrawNothing) {
    const std::pair<int, int> places[] = {{-5, -3}, {25, 20}, {-3, 18}, {28, -6}, {-20, 0}, {31, 2},
                                          {0, -10}, {32, 0},  {0, 24},  {-25, 5}, {6, 4}};
    for (int depth : {15, 16, 32}) {
        // 67 columns put pairs and remainders everywhere; 34 rows hold the widest row test's.
        BITMAP *src = corner_picture(depth, 67, 34, 12345u + depth, [](int x, int y) {
            return (x + 3 * y) % 11 == 0 || (y % 5 == 0 && x >= 8 && x < 32);
        });
        BITMAP *before = corner_picture(depth, 67, 34, 777u, [](int, int) { return false; });
        BITMAP *small = corner_picture(depth, 20, 10, 99u, [](int, int) { return false; });
        BITMAP *under = create_bitmap_ex(depth, 32, 24);
        blit(before, under, 0, 0, 0, 0, 32, 24);
        for (int v : VARIANTS) {
            if (!use(v)) continue;
            for (int op = 0; op < 3; op++) {
                for (int fact = -5; fact <= 260; fact++) // beyond 0..255 as 0 and 255
                    ASSERT_TRUE(blends_right(op, v, fact, src, before));
                for (int w = 1; w <= 17; w++) { // row 2p: a mask pixel at p; 2p + 1: at p, p + 1
                    BITMAP *rows = corner_picture(depth, w, 2 * w, w, [](int x, int y) {
                        return x == y / 2 || (y % 2 && x == y / 2 + 1);
                    });
                    ASSERT_TRUE(blends_right(op, v, 100, rows, before)) << "width " << w;
                    destroy_bitmap(rows);
                }
                for (auto &at : places)
                    ASSERT_TRUE(blends_right(op, v, 200, small, under, at.first, at.second));
            }
        }
        for (BITMAP *b : {src, before, small, under})
            destroy_bitmap(b);
    }

    for (auto &pr : {std::make_pair(8, 8), {24, 24}, {16, 15}, {15, 16}, {32, 16}, {16, 32}}) {
        BITMAP *src = create_bitmap_ex(pr.first, 8, 8), *dst = create_bitmap_ex(pr.second, 8, 8);
        clear_to_color(src, 0x12);
        clear_to_color(dst, 0x34);
        for (int op = 0; op < 3; op++) // refused before any variant's code
            for (int fact : {100, 255})
                OPS[op](src, dst, 0, 0, fact);
        for (int i = 0; i < 64; i++)
            ASSERT_EQ(getpixel(dst, i % 8, i / 8), 0x34) << pr.first << " on " << pr.second;
        destroy_bitmap(src);
        destroy_bitmap(dst);
    }
}

#if defined(VB_X86)
// On x86 the vector code is used even though Debian's Allegro reports no processor features.
TEST_F(Blend, X86ProcessorsGetTheVectorCodeOnTheirOwn) {
    __builtin_cpu_init();
    int expected = __builtin_cpu_supports("sse2")  ? BLEND_SSE
                   : __builtin_cpu_supports("mmx") ? BLEND_MMX
                                                   : BLEND_PLAIN;
    EXPECT_EQ(blend_variant(), expected);
}
#endif
