// depth_test.cpp -- levels keep their colours when read at another colour depth.
#include <gtest/gtest.h>
#include <filesystem>
#include <stdlib.h>
#include "nivel_fixture.h"

namespace fs = std::filesystem;

class MapDepth : public ::testing::Test {
  protected:
    std::string dir;
    void SetUp() override { dir = temp_dir(); }
    void TearDown() override { fs::remove_all(dir); }
    std::string file(const char *name) { return dir + "/" + name; }
};

// Every pixel of a (colour at depth da) and b (at depth db) shows the same 8-bit RGB within the
// coarser depth's step, and mask pixels are mask pixels on both sides.
static void expect_same_colours(BITMAP *a, BITMAP *b, int *masks) {
    int da = bitmap_color_depth(a), db = bitmap_color_depth(b);
    int step = (da == 32 && db == 32) ? 0 : 8;
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++) {
            int pa = getpixel(a, x, y), pb = getpixel(b, x, y);
            bool ma = pa == bitmap_mask_color(a), mb = pb == bitmap_mask_color(b);
            ASSERT_EQ(ma, mb) << x << "," << y;
            if (ma) {
                ++*masks;
                continue;
            }
            ASSERT_LE(abs(getr_depth(da, pa) - getr_depth(db, pb)), step);
            ASSERT_LE(abs(getg_depth(da, pa) - getg_depth(db, pb)), step);
            ASSERT_LE(abs(getb_depth(da, pa) - getb_depth(db, pb)), step);
        }
}

TEST_F(MapDepth, LevelWrittenAt16ShowsTheSameColoursAt15And32) {
    TestLevel *lv = level_new(16);
    level_randomise(lv, 11);
    ASSERT_EQ(level_write(file("d.vb3"), lv, 0x09), 1);
    for (int depth : {15, 32}) {
        SCOPED_TRACE(depth);
        TestLevel *in = level_new(depth);
        ASSERT_EQ(level_read(file("d.vb3"), in), 1);
        EXPECT_EQ(in->flags, 0x29);
        EXPECT_TRUE(same_records(lv, in));
        int masks = 0;
        for (int i = 0; i < BACKGROUND_COUNT; i++)
            expect_same_colours(lv->bg[i], in->bg[i], &masks);
        for (int i = 0; i < TILE_COUNT; i++) {
            expect_same_colours(lv->tiles[i], in->tiles[i], &masks);
            expect_same_colours(lv->sprites[i], in->sprites[i], &masks);
        }
        EXPECT_GT(masks, 10000);
        level_free(in);
    }
    level_free(lv);
}

TEST_F(MapDepth, RoundTripsAtEachDepthKeepEveryValueAndRecordIt) {
    const int depths[] = {15, 16, 32};
    const unsigned char recorded[] = {0x10, 0x20, 0x30};
    for (int k = 0; k < 3; k++) {
        SCOPED_TRACE(depths[k]);
        TestLevel *lv = level_new(depths[k]);
        level_randomise(lv, 20 + k);
        TestLevel *in = level_new(depths[k]);
        ASSERT_EQ(level_write(file("r.vb3"), lv, 0x0B), 1);
        ASSERT_EQ(level_read(file("r.vb3"), in), 1);
        EXPECT_EQ(in->flags, 0x0B | recorded[k]);
        EXPECT_TRUE(same_pixels(lv, in));
        level_free(lv);
        level_free(in);
    }
}

TEST_F(MapDepth, FileWithoutARecordedDepthIsTakenAs16) {
    TestLevel *lv = level_new(16);
    level_randomise(lv, 30);
    ASSERT_EQ(level_write(file("u.vb3"), lv, 0x08), 1);
    std::vector<unsigned char> bytes = read_file(file("u.vb3"));
    bytes[0] = 0x08;
    write_file(file("u.vb3"), bytes);

    TestLevel *same = level_new(16), *deep = level_new(32), *ref = level_new(32);
    ASSERT_EQ(level_read(file("u.vb3"), same), 1);
    EXPECT_TRUE(same_pixels(lv, same));
    bytes[0] = 0x28;
    write_file(file("r.vb3"), bytes);
    ASSERT_EQ(level_read(file("u.vb3"), deep), 1);
    ASSERT_EQ(level_read(file("r.vb3"), ref), 1);
    EXPECT_TRUE(same_pixels(deep, ref));
    EXPECT_EQ(getpixel(deep->bg[0], 0, 0), getpixel(ref->bg[0], 0, 0));
    level_free(lv);
    level_free(same);
    level_free(deep);
    level_free(ref);
}

TEST_F(MapDepth, NearMagentaStaysVisibleAtALowerDepth) {
    TestLevel *lv = level_new(32);
    clear_to_color(lv->bg[0], makecol32(250, 2, 251));
    putpixel(lv->bg[0], 5, 5, makecol32(255, 0, 255));
    ASSERT_EQ(level_write(file("m.vb3"), lv, 0x08), 1);
    for (int depth : {15, 16}) {
        TestLevel *in = level_new(depth);
        ASSERT_EQ(level_read(file("m.vb3"), in), 1);
        EXPECT_EQ(getpixel(in->bg[0], 5, 5), bitmap_mask_color(in->bg[0]));
        int c = getpixel(in->bg[0], 0, 0);
        EXPECT_NE(c, bitmap_mask_color(in->bg[0]));
        EXPECT_GE(getr_depth(depth, c), 240);
        EXPECT_LE(getg_depth(depth, c), 16);
        level_free(in);
    }
    level_free(lv);
}

// Files keep red in the high bits whatever channel order the writing machine uses (Allegro
// without a window puts blue there; the game's window puts red), so a level made by the tools
// shows its own colours in the game.
TEST_F(MapDepth, ColoursSurviveAChangeOfChannelOrderBetweenWriterAndReader) {
    const int saved[3] = {_rgb_r_shift_16, _rgb_g_shift_16, _rgb_b_shift_16};
    _rgb_r_shift_16 = 0, _rgb_g_shift_16 = 5, _rgb_b_shift_16 = 11; // the windowless order
    TestLevel *lv = level_new(16);
    level_randomise(lv, 5);
    putpixel(lv->bg[0], 0, 0, makecol16(255, 0, 0));
    std::vector<int> rgb;
    for (int x = 0; x < 240; x++) {
        int p = getpixel(lv->bg[1], x, 7);
        rgb.push_back(p == MASK_COLOR_16 ? -1 : getr16(p) << 16 | getg16(p) << 8 | getb16(p));
    }
    ASSERT_EQ(level_write(file("o.vb3"), lv, 0x08), 1);
    std::vector<unsigned char> bytes = read_file(file("o.vb3"));
    EXPECT_EQ(bytes[1 + LEVEL_PIXELS_OFFSET] | bytes[2 + LEVEL_PIXELS_OFFSET] << 8, 0xF800);

    _rgb_r_shift_16 = 11, _rgb_g_shift_16 = 5, _rgb_b_shift_16 = 0; // a window's order
    TestLevel *in = level_new(16);
    ASSERT_EQ(level_read(file("o.vb3"), in), 1);
    EXPECT_EQ(getpixel(in->bg[0], 0, 0), 0xF800);
    for (int x = 0; x < 240; x++) {
        int p = getpixel(in->bg[1], x, 7);
        EXPECT_EQ(p == MASK_COLOR_16 ? -1 : getr16(p) << 16 | getg16(p) << 8 | getb16(p), rgb[x]);
    }
    level_free(in);
    level_free(lv);
    _rgb_r_shift_16 = saved[0], _rgb_g_shift_16 = saved[1], _rgb_b_shift_16 = saved[2];
}
