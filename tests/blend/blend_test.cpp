// blend_test.cpp -- additive, subtractive and translucent blending against per-channel arithmetic.
#include <gtest/gtest.h>
#include <string.h>
#include "blend/blend.h"
#include "referencia.h"
#include "support/vbtest.h"

namespace {

typedef void (*BlendOp)(BITMAP *, BITMAP *, int, int, int);
const BlendOp OPS[3] = {blend_add, blend_sub, blend_trans};
const char *const OP_NAMES[3] = {"add", "sub", "trans"};
const int DEPTHS[3] = {15, 16, 32};
const int VARIANTS[3] = {BLEND_PLAIN, BLEND_MMX, BLEND_SSE};
const char *const VARIANT_NAMES[4] = {"auto", "plain", "mmx", "sse"};

// Forces variant v; false when this processor cannot run it.
bool use_variant(int v) {
    blend_force_variant(v);
    return blend_variant() == v;
}

uint32_t get_px(BITMAP *b, int x, int y) {
    if (bitmap_color_depth(b) == 32) return ((uint32_t *)b->line[y])[x];
    return ((uint16_t *)b->line[y])[x];
}

void put_px(BITMAP *b, int x, int y, uint32_t p) {
    if (bitmap_color_depth(b) == 32)
        ((uint32_t *)b->line[y])[x] = p;
    else
        ((uint16_t *)b->line[y])[x] = (uint16_t)p;
}

uint32_t mask_of(int depth) {
    return depth == 15 ? 0x7C1F : depth == 16 ? 0xF81F : 0xFF00FF;
}

// A pixel whose channels mostly sit on the saturation and borrow corners, with the bits that
// hold no colour (bit 15 at 15 bpp, the top byte at 32 bpp) sometimes set.
uint32_t corner_pixel(int depth, uint32_t &seed) {
    auto next = [&seed]() {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    static const int c5[8] = {0, 1, 2, 15, 16, 17, 30, 31};
    static const int c6[8] = {0, 1, 2, 31, 32, 33, 62, 63};
    static const int c8[8] = {0, 1, 2, 127, 128, 129, 254, 255};
    int shift[3], bits[3];
    if (depth == 32) {
        shift[0] = 16, shift[1] = 8, shift[2] = 0, bits[0] = bits[1] = bits[2] = 8;
    } else {
        shift[0] = depth == 15 ? 10 : 11, shift[1] = 5, shift[2] = 0;
        bits[0] = bits[2] = 5, bits[1] = depth == 15 ? 5 : 6;
    }
    uint32_t p = 0;
    for (int i = 0; i < 3; i++) {
        const int *c = bits[i] == 8 ? c8 : bits[i] == 6 ? c6 : c5;
        uint32_t v = next() % 4 ? c[next() % 8] : next() % (1u << bits[i]);
        p |= v << shift[i];
    }
    if (depth == 15 && next() % 2) p |= 0x8000;
    if (depth == 32) {
        uint32_t t = next() % 3;
        p |= (t == 0 ? 0 : t == 1 ? 0xFFu : next() & 0xFF) << 24;
    }
    return p;
}

// Expects every pixel of dst to be the reference blend of before and src placed at (0, 0).
::testing::AssertionResult matches_reference(int op, int variant, int fact, BITMAP *before,
                                             BITMAP *src, BITMAP *dst) {
    int depth = bitmap_color_depth(dst);
    for (int y = 0; y < dst->h; y++)
        for (int x = 0; x < dst->w; x++) {
            uint32_t d = get_px(before, x, y), s = get_px(src, x, y);
            uint32_t want = ref_blend((RefOp)op, depth, variant != BLEND_PLAIN, fact, d, s);
            uint32_t got = get_px(dst, x, y);
            if (got != want)
                return ::testing::AssertionFailure()
                       << OP_NAMES[op] << " " << depth << " bpp " << VARIANT_NAMES[variant]
                       << " fact " << fact << " at (" << x << "," << y << "): d " << std::hex << d
                       << " s " << s << " gave " << got << ", expected " << want;
        }
    return ::testing::AssertionSuccess();
}

class Blend : public ::testing::Test {
  protected:
    void SetUp() override { vbtest_init(16); }
    void TearDown() override { blend_force_variant(BLEND_AUTO); }
};

// Blends one pixel s onto d with a 1 by 1 source; returns the new destination pixel.
uint32_t one_pixel(BlendOp op, int depth, int fact, uint32_t d, uint32_t s) {
    BITMAP *src = create_bitmap_ex(depth, 1, 1), *dst = create_bitmap_ex(depth, 1, 1);
    put_px(src, 0, 0, s);
    put_px(dst, 0, 0, d);
    op(src, dst, 0, 0, fact);
    uint32_t r = get_px(dst, 0, 0);
    destroy_bitmap(src);
    destroy_bitmap(dst);
    return r;
}

} // namespace

// Every variant, operation, depth and factor gives, pixel for pixel, what the arithmetic worked
// out one channel at a time says, over corner pixels with mask-colour pixels among them.
TEST_F(Blend, EveryVariantMatchesThePerChannelArithmeticAtEveryFactor) {
    for (int depth : DEPTHS) {
        // 67 columns: odd, and not a multiple of 8, so pairs and remainders fall everywhere.
        BITMAP *src = create_bitmap_ex(depth, 67, 31), *before = create_bitmap_ex(depth, 67, 31);
        BITMAP *dst = create_bitmap_ex(depth, 67, 31);
        uint32_t seed = 12345u + depth;
        for (int y = 0; y < src->h; y++)
            for (int x = 0; x < src->w; x++) {
                // scattered mask pixels, and on every fifth row a run of 24 (whole registers)
                bool masked = (x + 3 * y) % 11 == 0 || (y % 5 == 0 && x >= 8 && x < 32);
                put_px(src, x, y, masked ? mask_of(depth) : corner_pixel(depth, seed));
                put_px(before, x, y, corner_pixel(depth, seed));
            }
        for (int v : VARIANTS) {
            if (!use_variant(v)) continue;
            for (int op = 0; op < 3; op++)
                for (int fact = 0; fact <= 255; fact++) {
                    blit(before, dst, 0, 0, 0, 0, dst->w, dst->h);
                    OPS[op](src, dst, 0, 0, fact);
                    ASSERT_TRUE(matches_reference(op, v, fact, before, src, dst));
                }
        }
        destroy_bitmap(src);
        destroy_bitmap(before);
        destroy_bitmap(dst);
    }
}

// White plus black at 16 bpp: the plain code drops the lowest green bit, the vector code keeps it.
TEST_F(Blend, BlackAddedOntoWhiteAt16BppIsFFDFPlainAndFFFFVector) {
    ASSERT_TRUE(use_variant(BLEND_PLAIN));
    EXPECT_EQ(one_pixel(blend_add, 16, 100, 0xFFFF, 0x0000), 0xFFDFu);
    for (int v : {BLEND_MMX, BLEND_SSE}) {
        if (!use_variant(v)) continue;
        EXPECT_EQ(one_pixel(blend_add, 16, 100, 0xFFFF, 0x0000), 0xFFFFu) << VARIANT_NAMES[v];
        // Green 1 added unscaled onto green 63 comes out 62 in the vector code.
        EXPECT_EQ(one_pixel(blend_add, 16, 255, 63 << 5, 1 << 5), 62u << 5) << VARIANT_NAMES[v];
    }
}

// Subtracting blue 1 from red 5, green 5 at 15 bpp: the plain code borrows a red unit.
TEST_F(Blend, SubtractAt15BppBorrowsIntoRedOnlyInThePlainCode) {
    const uint32_t d = 5 << 10 | 5 << 5, s = 1;
    ASSERT_TRUE(use_variant(BLEND_PLAIN));
    EXPECT_EQ(one_pixel(blend_sub, 15, 255, d, s), 4u << 10 | 5 << 5);
    for (int v : {BLEND_MMX, BLEND_SSE}) {
        if (!use_variant(v)) continue;
        EXPECT_EQ(one_pixel(blend_sub, 15, 255, d, s), d) << VARIANT_NAMES[v];
    }
}

// Translucency at half strength is the exact average; a pixel over itself stays as it was; at
// 32 bpp fact 64 moves a quarter of the way, rounding down.
TEST_F(Blend, TranslucencyAveragesAtHalfAndMovesAQuarterAt64) {
    for (int v : VARIANTS) {
        if (!use_variant(v)) continue;
        for (int fact = 121; fact <= 128; fact++) {
            EXPECT_EQ(one_pixel(blend_trans, 16, fact, 0xFFFF, 0x0000), 0x7BEFu);
            EXPECT_EQ(one_pixel(blend_trans, 15, fact, 0x7FFF, 0x0001), 0x3DF0u);
            EXPECT_EQ(one_pixel(blend_trans, 16, fact, 0x1234, 0x1234), 0x1234u);
        }
        EXPECT_EQ(one_pixel(blend_trans, 32, 64, 0x000000, 0xFFFFFF), 0x3F3F3Fu);
        EXPECT_EQ(one_pixel(blend_trans, 32, 64, 0xFFFFFF, 0x000000), 0xBFBFBFu);
    }
}

// Factor 0 draws nothing, 255 adds the whole source, and a factor above 255 acts as 255.
TEST_F(Blend, FactorZeroDrawsNothingAndFullFactorAddsTheWholeSource) {
    for (int v : VARIANTS) {
        if (!use_variant(v)) continue;
        for (int op = 0; op < 3; op++) {
            EXPECT_EQ(one_pixel(OPS[op], 32, 0, 0x404040, 0x808080), 0x404040u);
            EXPECT_EQ(one_pixel(OPS[op], 16, -5, 0x4208, 0x8410), 0x4208u);
            EXPECT_EQ(one_pixel(OPS[op], 32, 1000, 0x102030, 0x203040),
                      one_pixel(OPS[op], 32, 255, 0x102030, 0x203040));
            EXPECT_EQ(one_pixel(OPS[op], 16, 1000, 0x1234, 0x4321),
                      one_pixel(OPS[op], 16, 255, 0x1234, 0x4321));
        }
        EXPECT_EQ(one_pixel(blend_add, 32, 255, 0x102030, 0x203040), 0x305070u);
    }
}

// Rows of every width from 1 to 17 are blended up to their last pixel, and a mask-colour source
// pixel leaves the destination alone wherever it sits, alone or as both pixels of a pair.
TEST_F(Blend, EveryRowWidthIsBlendedToItsEndAroundMaskPixels) {
    for (int depth : DEPTHS) {
        uint32_t colour = depth == 32 ? 0x00806040 : depth == 16 ? 0x8410 : 0x4210;
        uint32_t under = depth == 32 ? 0x00204080 : depth == 16 ? 0x2104 : 0x1084;
        for (int v : VARIANTS) {
            if (!use_variant(v)) continue;
            for (int w = 1; w <= 17; w++) {
                BITMAP *src = create_bitmap_ex(depth, w, 2), *dst = create_bitmap_ex(depth, w, 2);
                BITMAP *before = create_bitmap_ex(depth, w, 2);
                for (int p = 0; p < w; p++)
                    for (int op = 0; op < 3; op++) {
                        for (int x = 0; x < w; x++) {
                            // row 0: one mask pixel at p; row 1: mask pixels at p and p + 1
                            put_px(src, x, 0, x == p ? mask_of(depth) : colour);
                            put_px(src, x, 1, x == p || x == p + 1 ? mask_of(depth) : colour);
                            put_px(before, x, 0, under);
                            put_px(before, x, 1, under);
                        }
                        blit(before, dst, 0, 0, 0, 0, w, 2);
                        OPS[op](src, dst, 0, 0, 100);
                        ASSERT_EQ(get_px(dst, p, 0), under);
                        ASSERT_TRUE(matches_reference(op, v, 100, before, src, dst))
                            << "width " << w << " mask at " << p;
                    }
                destroy_bitmap(src);
                destroy_bitmap(dst);
                destroy_bitmap(before);
            }
        }
    }
}

// A source hanging over any edge is cut there; one entirely outside draws nothing; the
// destination's clipping rectangle does not stop the blend.
TEST_F(Blend, SourcesAreCutAtTheDestinationEdgesAndItsClipRectangleIsIgnored) {
    struct Place {
        int x, y;
    };
    const Place places[] = {{-5, -3}, {25, 20}, {-3, 18}, {28, -6}, {-20, 0},
                            {0, -10}, {32, 0},  {0, 24},  {-25, 5}, {6, 4}};
    for (int depth : {16, 32}) {
        BITMAP *src = create_bitmap_ex(depth, 20, 10), *dst = create_bitmap_ex(depth, 32, 24);
        BITMAP *before = create_bitmap_ex(depth, 32, 24);
        uint32_t seed = 99;
        for (int y = 0; y < 10; y++)
            for (int x = 0; x < 20; x++)
                put_px(src, x, y, corner_pixel(depth, seed));
        for (int y = 0; y < 24; y++)
            for (int x = 0; x < 32; x++)
                put_px(before, x, y, corner_pixel(depth, seed));
        for (int v : VARIANTS) {
            if (!use_variant(v)) continue;
            for (const Place &pl : places)
                for (int op = 0; op < 3; op++) {
                    blit(before, dst, 0, 0, 0, 0, 32, 24);
                    set_clip_rect(dst, 10, 10, 12, 12);
                    OPS[op](src, dst, pl.x, pl.y, 200);
                    set_clip_rect(dst, 0, 0, 31, 23);
                    for (int y = 0; y < 24; y++)
                        for (int x = 0; x < 32; x++) {
                            int sx = x - pl.x, sy = y - pl.y;
                            bool inside = sx >= 0 && sx < 20 && sy >= 0 && sy < 10;
                            uint32_t d = get_px(before, x, y);
                            uint32_t want = inside ? ref_blend((RefOp)op, depth, v != BLEND_PLAIN,
                                                               200, d, get_px(src, sx, sy))
                                                   : d;
                            ASSERT_EQ(get_px(dst, x, y), want)
                                << OP_NAMES[op] << " " << depth << " bpp " << VARIANT_NAMES[v]
                                << " source at (" << pl.x << "," << pl.y << "), pixel (" << x << ","
                                << y << ")";
                        }
                }
        }
        destroy_bitmap(src);
        destroy_bitmap(dst);
        destroy_bitmap(before);
    }
}

// 8 and 24 bpp, and a source whose depth differs from the destination's, draw nothing.
TEST_F(Blend, UnsupportedOrMismatchedDepthsDrawNothing) {
    const int pairs[][2] = {{8, 8}, {24, 24}, {16, 15}, {15, 16}, {32, 16}, {16, 32}};
    for (auto &pr : pairs) {
        BITMAP *src = create_bitmap_ex(pr[0], 8, 8), *dst = create_bitmap_ex(pr[1], 8, 8);
        BITMAP *copy = create_bitmap_ex(pr[1], 8, 8);
        clear_to_color(src, 0x12);
        clear_to_color(dst, 0x3456 & ((1 << (pr[1] == 8 ? 8 : 15)) - 1));
        blit(dst, copy, 0, 0, 0, 0, 8, 8);
        for (int v : VARIANTS) {
            if (!use_variant(v)) continue;
            for (int op = 0; op < 3; op++) {
                OPS[op](src, dst, 0, 0, 100);
                OPS[op](src, dst, 0, 0, 255);
            }
        }
        for (int y = 0; y < 8; y++)
            EXPECT_EQ(memcmp(dst->line[y], copy->line[y], 8 * ((pr[1] + 7) / 8)), 0)
                << pr[0] << " on " << pr[1] << " row " << y;
        destroy_bitmap(src);
        destroy_bitmap(dst);
        destroy_bitmap(copy);
    }
}

#if defined(VB_X86)
// On x86 the vector code is used even though Debian's Allegro reports no processor features.
TEST_F(Blend, X86ProcessorsGetTheVectorCodeOnTheirOwn) {
    blend_force_variant(BLEND_AUTO);
    __builtin_cpu_init();
    int expected = __builtin_cpu_supports("sse2")  ? BLEND_SSE
                   : __builtin_cpu_supports("mmx") ? BLEND_MMX
                                                   : BLEND_PLAIN;
    EXPECT_EQ(blend_variant(), expected);
}
#endif

// Sub-bitmaps blend where they sit inside their parents, as separate bitmaps of the same pixels do.
TEST_F(Blend, SubBitmapsBlendWhereTheySit) {
    for (int v : VARIANTS) {
        if (!use_variant(v)) continue;
        for (int op = 0; op < 3; op++) {
            BITMAP *big_src = create_bitmap_ex(16, 40, 20), *big_dst = create_bitmap_ex(16, 40, 20);
            BITMAP *src = create_bitmap_ex(16, 13, 7), *dst = create_bitmap_ex(16, 13, 7);
            uint32_t seed = 5;
            for (int y = 0; y < 20; y++)
                for (int x = 0; x < 40; x++) {
                    put_px(big_src, x, y, corner_pixel(16, seed));
                    put_px(big_dst, x, y, corner_pixel(16, seed));
                }
            blit(big_src, src, 3, 5, 0, 0, 13, 7);
            blit(big_dst, dst, 21, 9, 0, 0, 13, 7);
            BITMAP *sub_src = create_sub_bitmap(big_src, 3, 5, 13, 7);
            BITMAP *sub_dst = create_sub_bitmap(big_dst, 21, 9, 13, 7);
            OPS[op](sub_src, sub_dst, 0, 0, 77);
            OPS[op](src, dst, 0, 0, 77);
            for (int y = 0; y < 7; y++)
                for (int x = 0; x < 13; x++)
                    ASSERT_EQ(get_px(big_dst, 21 + x, 9 + y), get_px(dst, x, y))
                        << OP_NAMES[op] << " " << VARIANT_NAMES[v];
            destroy_bitmap(sub_src);
            destroy_bitmap(sub_dst);
            destroy_bitmap(big_src);
            destroy_bitmap(big_dst);
            destroy_bitmap(src);
            destroy_bitmap(dst);
        }
    }
}
