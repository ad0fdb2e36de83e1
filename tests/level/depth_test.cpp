// depth_test.cpp -- levels keep their colours when read at another colour depth, and whatever
// channel order the writing machine used.
#include <gtest/gtest.h>
#include <stdlib.h>
#include "level_fixture.h"

class MapDepth : public LevelTest {};

// Every pixel of a (at depth da) and b (at depth db) shows the same 8-bit RGB within the coarser
// depth's step, and mask pixels are mask pixels on both sides; counts the mask pixels.
static void expect_same_colours(BITMAP *a, BITMAP *b, int *masks) {
    int da = bitmap_color_depth(a), db = bitmap_color_depth(b);
    int step = (da == 32 && db == 32) ? 0 : 8;
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++) {
            int pa = getpixel(a, x, y), pb = getpixel(b, x, y);
            bool ma = pa == bitmap_mask_color(a), mb = pb == bitmap_mask_color(b);
            ASSERT_EQ(ma, mb) << x << "," << y;
            *masks += ma;
            if (ma) continue;
            ASSERT_LE(abs(getr_depth(da, pa) - getr_depth(db, pb)), step);
            ASSERT_LE(abs(getg_depth(da, pa) - getg_depth(db, pb)), step);
            ASSERT_LE(abs(getb_depth(da, pa) - getb_depth(db, pb)), step);
        }
}

// Written at each depth, read at the same depth: every value kept and the depth recorded (15:
// 0x10, 16: 0x20, 32: 0x30); written at 16, read at 15 and 32: the same colours; a file that
// records no depth is taken as 16; a near-magenta colour never turns into the mask.
TEST_F(MapDepth, ValuesSurviveTheirOwnDepthAndColoursAnyOther) {
    const int depths[] = {15, 16, 32};
    for (int k = 0; k < 3; k++) {
        Level *lv = level_new(depths[k]), *in = level_new(depths[k]);
        level_randomise(lv, 20 + k);
        ASSERT_EQ(level_write("r.vb3", lv, 0x0B), 1);
        ASSERT_EQ(MAP_read("r.vb3", in), 1);
        EXPECT_EQ(in->flags, 0x0B | (k + 1) << 4);
        EXPECT_TRUE(same_pixels(lv, in)) << depths[k];
    }
    Level *lv = level_new(16);
    level_randomise(lv, 11);
    ASSERT_EQ(level_write("d.vb3", lv, 0x08), 1);
    std::string bytes = vbtest_read("d.vb3");
    bytes[0] = 0x08; // no depth recorded
    vbtest_write("u.vb3", bytes);
    for (int depth : {15, 32}) {
        Level *in = level_new(depth), *unrecorded = level_new(depth);
        ASSERT_EQ(MAP_read("d.vb3", in), 1);
        ASSERT_EQ(MAP_read("u.vb3", unrecorded), 1);
        EXPECT_TRUE(same_records(lv, in));
        EXPECT_TRUE(same_pixels(in, unrecorded));
        int masks = 0;
        for (int i = 0; i < LEVEL_PICTURES; i++)
            expect_same_colours(level_picture(lv, i), level_picture(in, i), &masks);
        EXPECT_GT(masks, 10000);
    }

    lv = level_new(32); // near magenta written at 32 stays visible at 15 and 16
    clear_to_color(lv->backgrounds[0], makecol32(250, 2, 251));
    putpixel(lv->backgrounds[0], 5, 5, makecol32(255, 0, 255));
    ASSERT_EQ(level_write("m.vb3", lv, 0x08), 1);
    for (int depth : {15, 16}) {
        Level *in = level_new(depth);
        ASSERT_EQ(MAP_read("m.vb3", in), 1);
        EXPECT_EQ(getpixel(in->backgrounds[0], 5, 5), bitmap_mask_color(in->backgrounds[0]));
        int c = getpixel(in->backgrounds[0], 0, 0);
        EXPECT_NE(c, bitmap_mask_color(in->backgrounds[0]));
        EXPECT_GE(getr_depth(depth, c), 240);
        EXPECT_LE(getg_depth(depth, c), 16);
    }
}

// Files keep red in the high bits whatever channel order the writing machine uses (Allegro
// without a window puts blue there; the game's window puts red), so a level made by the tools
// shows its own colours in the game.
TEST_F(MapDepth, ColoursSurviveAChangeOfChannelOrderBetweenWriterAndReader) {
    const int saved[3] = {_rgb_r_shift_16, _rgb_g_shift_16, _rgb_b_shift_16};
    _rgb_r_shift_16 = 0, _rgb_g_shift_16 = 5, _rgb_b_shift_16 = 11; // the windowless order
    Level *lv = level_new(16);
    level_randomise(lv, 5);
    putpixel(lv->backgrounds[0], 0, 0, makecol16(255, 0, 0));
    std::vector<int> rgb;
    for (int x = 0; x < 240; x++) {
        int p = getpixel(lv->backgrounds[1], x, 7);
        rgb.push_back(p == MASK_COLOR_16 ? -1 : getr16(p) << 16 | getg16(p) << 8 | getb16(p));
    }
    ASSERT_EQ(level_write("o.vb3", lv, 0x08), 1);
    std::string bytes = vbtest_read("o.vb3");
    EXPECT_EQ((unsigned char)bytes[1 + LEVEL_PIXELS_OFFSET] |
                  (unsigned char)bytes[2 + LEVEL_PIXELS_OFFSET] << 8,
              0xF800);

    _rgb_r_shift_16 = 11, _rgb_g_shift_16 = 5, _rgb_b_shift_16 = 0; // a window's order
    Level *in = level_new(16);
    ASSERT_EQ(MAP_read("o.vb3", in), 1);
    EXPECT_EQ(getpixel(in->backgrounds[0], 0, 0), 0xF800);
    for (int x = 0; x < 240; x++) {
        int p = getpixel(in->backgrounds[1], x, 7);
        EXPECT_EQ(p == MASK_COLOR_16 ? -1 : getr16(p) << 16 | getg16(p) << 8 | getb16(p), rgb[x]);
    }
    _rgb_r_shift_16 = saved[0], _rgb_g_shift_16 = saved[1], _rgb_b_shift_16 = saved[2];
}
