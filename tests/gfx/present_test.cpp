// present_test.cpp -- the window picture, pixel for pixel Allegro's own; the window sizes chosen.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <stdint.h>
#include <string.h>
#include "gfx/gfx.h"
#include "support/vbtest.h"
#include <allegro/internal/aintern.h>

namespace {

enum { BORDER = 3 }; // the picture goes this far into the window, on every side

// The 256x192 corner filled with raw pixel values from next(), in a colour that must not show.
template <class F> BITMAP *make_frame(F next) {
    BITMAP *f = create_bitmap(300, 200);
    clear_to_color(f, makecol(0, 255, 0));
    for (int y = 0; y < 192; y++)
        for (int x = 0; x < 256; x++)
            putpixel(f, x, y, next());
    return f;
}

// How many window rows (border included) differ from Allegro's at any scale, scanlines on or off.
int rows_differing(BITMAP *frame) {
    int bad = 0, bytes = (bitmap_color_depth(frame) + 7) / 8;
    for (int scale = 2; scale <= 4; scale++)
        for (int scan = 0; scan < 2; scan++) {
            int w = 256 * scale + 2 * BORDER, h = 192 * scale + 2 * BORDER;
            BITMAP *want = create_bitmap(w, h), *got = create_bitmap(w, h);
            clear_to_color(want, makecol(255, 0, 255 - 40 * scale));
            blit(want, got, 0, 0, 0, 0, w, h);
            // Allegro's way: stretched, GFX_init's translucent black on each block's last row.
            stretch_blit(frame, want, 0, 0, 256, 192, BORDER, BORDER, 256 * scale, 192 * scale);
            BITMAP *black = picture(256 * scale, 1, 0);
            for (int y = scale - 1; scan && y < 192 * scale; y += scale)
                draw_trans_sprite(want, black, BORDER, BORDER + y);
            destroy_bitmap(black);
            scan ? GFX_scanlines() : GFX_noscanlines();
            GFX_present_scaled(frame, got, scale, BORDER, BORDER);
            for (int y = 0; y < h; y++)
                bad += memcmp(want->line[y], got->line[y], (size_t)w * bytes) != 0;
            destroy_bitmap(want);
            destroy_bitmap(got);
        }
    GFX_scanlines();
    return bad;
}

class Present : public ::testing::TestWithParam<int> {};

// Every 15 or 16-bit value appears in some frame; at 32 bits, random colours and the extremes. A 15
// or 16-bit game in a 32-bit window matches its picture put through Allegro's X11 converter.
TEST_P(Present, EveryScaleWithAndWithoutScanlinesAndEveryConversionMatchesAllegro) {
    int depth = GetParam();
    vbtest_init(depth);
    GFX_init();
    uint32_t v = 0, seed = 12345;
    int frames = depth == 32 ? 3 : depth == 16 ? 2 : 1;
    for (int i = 0; i < frames; i++) {
        BITMAP *frame = make_frame([&]() -> int {
            if (depth != 32) return (int)(v++ & (depth == 15 ? 0x7fff : 0xffff));
            seed = seed * 1103515245u + 12345u;
            uint32_t c = (seed >> 4) & 0xffffff;
            return (int)(v++ % 97 == 0 ? (v & 1 ? 0xffffff : 0) : c);
        });
        EXPECT_EQ(rows_differing(frame), 0) << "frame " << i;
        destroy_bitmap(frame);
    }
    if (depth == 32) return;
    ASSERT_EQ(GFX_convert_from(depth), 0);
    BITMAP *frame = make_frame([&]() { return (int)(v++ * 7 & (depth == 15 ? 0x7fff : 0xffff)); });
    BITMAP *same = create_bitmap(768, 576), *want = create_bitmap_ex(32, 768, 576);
    BITMAP *got = create_bitmap_ex(32, 768, 576);
    GFX_present_scaled(frame, same, 3, 0, 0);
    GFX_present_scaled(frame, got, 3, 0, 0);
    COLORCONV_BLITTER_FUNC *conv = _get_colorconv_blitter(depth, 32);
    ASSERT_NE(conv, nullptr);
    GRAPHICS_RECT from = {768, 576, (int)(same->line[1] - same->line[0]), same->line[0]};
    GRAPHICS_RECT to = {768, 576, (int)(want->line[1] - want->line[0]), want->line[0]};
    conv(&from, &to);
    _release_colorconv_blitter(conv);
    int bad = 0;
    for (int y = 0; y < 576; y++)
        bad += memcmp(want->line[y], got->line[y], 768 * 4) != 0;
    EXPECT_EQ(bad, 0) << "converted to 32 bpp";
    for (BITMAP *b : {frame, same, want, got})
        destroy_bitmap(b);
}

INSTANTIATE_TEST_SUITE_P(Depths, Present, ::testing::Values(15, 16, 32));

TEST(WindowSize, EachSizeOnEachDesktop) {
    struct Case {
        int size, desk_w, desk_h;
        GfxMode want;
    } cases[] = {
        {4, 800, 600, {768, 576, 3, 0, 0, 0}},        // too big: the largest that fits
        {3, 0, 0, {768, 576, 3, 0, 0, 0}},            // desktop unknown: as asked
        {0, 1920, 1080, {1920, 1080, 5, 320, 60, 1}}, // full screen: whole scale, centred
        {0, 0, 0, {512, 384, 2, 0, 0, 0}},            // no desktop size: a 2X window
    };
    for (const Case &c : cases) {
        GfxMode m = GFX_pick_mode(c.size, c.desk_w, c.desk_h);
        EXPECT_EQ(memcmp(&m, &c.want, sizeof m), 0)
            << "size " << c.size << " on " << c.desk_w << "x" << c.desk_h;
    }
    // A first start: the largest window within about 80% of the desktop, 2X when none is.
    struct First {
        int desk_w, desk_h, want;
    } firsts[] = {{1280, 1024, 4}, {1280, 960, 4}, {1279, 1024, 3},
                  {1366, 768, 3},  {800, 600, 2},  {0, 0, 2}};
    for (const First &f : firsts)
        EXPECT_EQ(GFX_first_window_size(f.desk_w, f.desk_h), f.want) << f.desk_w << "x" << f.desk_h;
}

} // namespace
