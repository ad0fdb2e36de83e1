// mapfile_test.cpp -- map files: every form read back, damaged ones refused, colours kept.
// SPDX-License-Identifier: MIT
#include <stdio.h>
#include <stdlib.h>
#include "level_fixture.h"

class MapFile : public LevelTest {};

// Every form (the old one too) reads back identical; a damaged file is refused saying why and
// changes nothing; a write that cannot finish says so and keeps the old file.
TEST_F(MapFile, EveryFormReadsBackIdenticalDamagedFilesChangeNothingAndFailedWritesKeepTheOld) {
    Level *lv = level_new(16), *in = level_new(16, 0x55);
    level_randomise(lv, 2);
    std::string plain;
    for (unsigned char f : {0x08, 0x0A, 0x0B, 0x09, 0x0F}) {
        SCOPED_TRACE(f);
        level_randomise(in, f);
        ASSERT_EQ(level_write("l.vb3", lv, f), 1);
        std::string bytes = vbtest_read("l.vb3");
        if (!(f & 1)) { // the plain form: the flags byte, the image, the effect number if any
            EXPECT_EQ(bytes.size(), 1u + 1211594u + (f & 2 ? 4 : 0));
        }
        if (f == 0x0A) plain = bytes;
        ASSERT_EQ(MAP_read("l.vb3", in), 1);
        EXPECT_EQ(std::make_pair((int)(unsigned char)bytes[0], (int)in->flags),
                  std::make_pair(f | 0x20, f | 0x20));
        EXPECT_TRUE(same_records(lv, in) && same_pixels(lv, in));
        EXPECT_EQ(in->effect, (f & 2) ? lv->effect : -1);
    }
    std::string packed = vbtest_read("l.vb3"); // 0x0F: packed, with its effect number
    auto edit = [](std::string s, size_t at, int value, size_t len = 1) {
        return s.replace(at, len, len, (char)value);
    };
    size_t half = packed.size() / 2;
    const std::pair<std::string, const char *> damaged[] = {
        {"", "empty"},
        {plain.substr(0, plain.size() - 1), "truncated"},
        {plain + '\0', "trailing"},
        {packed.substr(0, 4), "truncated"},
        {packed.substr(0, packed.size() - 1), "truncated"},
        {packed + '\0', "trailing"},
        {edit(edit(packed, 1, 0x10), 2, 0, 3), "smaller than the level"}, // its size word
        {edit(packed, 4, 0x40), "absurdly large"},
        {edit(packed, half, packed[half] ^ 0x5A), "damaged"},
        {edit(packed, 5, 'X'), "damaged"},
        {edit(packed, 0, packed[0] & ~2),
         "wrong length"}}; // a good block of a level with no effect
    for (auto &d : damaged) {
        vbtest_write("bad.vb3", d.first);
        remove("log.txt");
        in->effect = 1234;
        EXPECT_EQ(MAP_read("bad.vb3", in), 0);
        EXPECT_EQ(std::make_pair(in->effect, (int)in->flags), std::make_pair(-1, 0x2F));
        EXPECT_TRUE(same_records(lv, in) && same_pixels(lv, in));
        EXPECT_NE(vbtest_read("log.txt").find(d.second), std::string::npos)
            << vbtest_read("log.txt");
    }
    std::string image = plain.substr(1);
    auto read_old = [in](const std::string &bytes) {
        vbtest_write("x.old", bytes);
        level_randomise(in, 9);
        return MAP_read_old("x.old", in);
    };
    ASSERT_EQ(read_old(image), 1);
    EXPECT_EQ(in->effect, lv->effect);
    EXPECT_TRUE(same_records(lv, in) && same_pixels(lv, in));
    ASSERT_EQ(read_old(image.substr(0, image.size() - 4)), 1);
    EXPECT_EQ(in->effect, -1);
    for (size_t cut : {size_t(5), size_t(1)})
        EXPECT_EQ(read_old(image.substr(0, image.size() - cut)), 0) << cut;
    EXPECT_EQ(read_old(image + "x"), 0);
    EXPECT_EQ(level_write("nowhere/l.vb3", lv, 0x08), 0);
    EXPECT_NE(vbtest_read("log.txt").find("not written"), std::string::npos);
    BITMAP *odd = lv->tiles[7]; // pictures of mixed depths
    lv->tiles[7] = create_bitmap_ex(32, CELL, CELL);
    EXPECT_EQ(level_write("l.vb3", lv, 0x08), 0);
    destroy_bitmap(lv->tiles[7]);
    lv->tiles[7] = odd;
    EXPECT_EQ(vbtest_read("l.vb3"), packed);
}

// a and b show the same RGB within the coarser depth's step and the same mask pixels.
static void expect_same_colours(BITMAP *a, BITMAP *b) {
    int da = bitmap_color_depth(a), db = bitmap_color_depth(b);
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++) {
            int pa = getpixel(a, x, y), pb = getpixel(b, x, y);
            bool ma = pa == bitmap_mask_color(a);
            ASSERT_EQ(ma, pb == bitmap_mask_color(b)) << x << "," << y;
            if (ma) continue;
            ASSERT_LE(abs(getr_depth(da, pa) - getr_depth(db, pb)), 8);
            ASSERT_LE(abs(getg_depth(da, pa) - getg_depth(db, pb)), 8);
            ASSERT_LE(abs(getb_depth(da, pa) - getb_depth(db, pb)), 8);
        }
}

// Values survive their own depth, colours any other (no depth recorded: 16) and either channel
// order (windowless Allegro puts blue high), so a level made by the tools shows its colours.
TEST_F(MapFile, ValuesSurviveTheirOwnDepthAndColoursAnyOtherOrAnotherChannelOrder) {
    Level *lv = level_new(16);
    level_randomise(lv, 11);
    ASSERT_EQ(level_write("d.vb3", lv, 0x08), 1);
    std::string bytes = vbtest_read("d.vb3");
    bytes[0] = 0x08; // no depth recorded
    vbtest_write("u.vb3", bytes);
    for (int depth : {15, 32}) {
        Level *in = level_new(depth), *other = level_new(depth);
        ASSERT_EQ(MAP_read("d.vb3", in), 1);
        ASSERT_EQ(MAP_read("u.vb3", other), 1);
        EXPECT_TRUE(same_pixels(in, other));
        for (int i = 0; i < LEVEL_PICTURES; i++)
            expect_same_colours(level_picture(lv, i), level_picture(in, i));
        level_randomise(in, depth); // its own depth's values: recorded, read back exact
        ASSERT_EQ(level_write("r.vb3", in, 0x0B), 1);
        ASSERT_EQ(MAP_read("r.vb3", other), 1);
        EXPECT_EQ(other->flags, depth == 15 ? 0x1B : 0x3B);
        EXPECT_TRUE(same_pixels(in, other));
    }
    lv = level_new(32); // near magenta written at 32 stays visible at 16
    clear_to_color(lv->backgrounds[0], makecol32(250, 2, 251));
    ASSERT_EQ(level_write("m.vb3", lv, 0x08), 1);
    Level *in = level_new(16);
    ASSERT_EQ(MAP_read("m.vb3", in), 1);
    int c = getpixel(in->backgrounds[0], 0, 0);
    EXPECT_NE(c, MASK_COLOR_16);
    EXPECT_TRUE(getr16(c) >= 240 && getg16(c) <= 16) << getr16(c) << "," << getg16(c);
    // A colour of three different channels, in the windowless order: red first in the file.
    const int saved[3] = {_rgb_r_shift_16, _rgb_g_shift_16, _rgb_b_shift_16};
    _rgb_r_shift_16 = 0, _rgb_g_shift_16 = 5, _rgb_b_shift_16 = 11;
    lv = level_new(16);
    putpixel(lv->backgrounds[0], 0, 0, makecol16(176, 132, 40));
    ASSERT_EQ(level_write("o.vb3", lv, 0x08), 1);
    bytes = vbtest_read("o.vb3");
    EXPECT_EQ((unsigned char)bytes[1 + LEVEL_PIXELS_OFFSET] |
                  (unsigned char)bytes[2 + LEVEL_PIXELS_OFFSET] << 8,
              0xB425);
    _rgb_r_shift_16 = 11, _rgb_g_shift_16 = 5, _rgb_b_shift_16 = 0; // a window's order
    in = level_new(16);
    ASSERT_EQ(MAP_read("o.vb3", in), 1);
    EXPECT_EQ(getpixel(in->backgrounds[0], 0, 0), 0xB425);
    _rgb_r_shift_16 = saved[0], _rgb_g_shift_16 = saved[1], _rgb_b_shift_16 = saved[2];
}
