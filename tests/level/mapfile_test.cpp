// mapfile_test.cpp -- map files: every form read back, damaged ones refused, colours kept.
// SPDX-License-Identifier: MIT
#include <filesystem>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include "level_fixture.h"

namespace fs = std::filesystem;

class MapFile : public LevelTest {};

// Every form, the old one too (the image alone, the effect optional), reads back identical.
TEST_F(MapFile, EveryFormReadsBackIdenticalWithTheExactSizeAndRecordedDepth) {
    Level *lv = level_new(16), *in = level_new(16, 0x55);
    level_randomise(lv, 2);
    for (int i = 0; i < 3; i++) // a few smooth pictures too, so packing meets both kinds of data
        for (int y = 0; y < 144; y++)
            for (int x = 0; x < 240; x++)
                putpixel(lv->backgrounds[i], x, y, makecol16(x, y, i * 80));
    for (unsigned char f : {0x08, 0x0A, 0x0B, 0x09, 0x0F}) {
        SCOPED_TRACE(f);
        level_randomise(in, f);
        ASSERT_EQ(level_write("l.vb3", lv, f), 1);
        std::string bytes = vbtest_read("l.vb3");
        if (!(f & 1)) { // the plain form: the flags byte, the image, the effect number if any
            EXPECT_EQ(bytes.size(), 1u + 1211594u + (f & 2 ? 4 : 0));
        }
        ASSERT_EQ(MAP_read("l.vb3", in), 1);
        EXPECT_EQ(std::make_pair((int)(unsigned char)bytes[0], (int)in->flags),
                  std::make_pair(f | 0x20, f | 0x20));
        EXPECT_TRUE(same_records(lv, in) && same_pixels(lv, in));
        EXPECT_EQ(in->effect, (f & 2) ? lv->effect : -1);
        EXPECT_EQ(estaComprimido(in->flags) + 2 * tieneEfecto(in->flags) +
                      4 * esEditable(in->flags) + 8 * esJugable(in->flags),
                  f & 0x0F);
    }
    ASSERT_EQ(level_write("n.vb3", lv, 0x0A), 1);
    std::string image = vbtest_read("n.vb3").substr(1);
    auto read_old = [in](const std::string &bytes) {
        vbtest_write("x.old", bytes);
        level_randomise(in, 9);
        return cargarMapaFormatoAntiguo("x.old", in->reserved, &in->header, in->rooms, in->levers,
                                        in->energy_items, in->backgrounds, in->tiles, in->sprites,
                                        &in->effect);
    };
    ASSERT_EQ(read_old(image), 1);
    EXPECT_EQ(in->effect, lv->effect);
    EXPECT_TRUE(same_records(lv, in) && same_pixels(lv, in));
    ASSERT_EQ(read_old(image.substr(0, image.size() - 4)), 1);
    EXPECT_EQ(in->effect, -1);
    for (size_t cut : {size_t(5), size_t(1)})
        EXPECT_EQ(read_old(image.substr(0, image.size() - cut)), 0) << cut;
    EXPECT_EQ(read_old(image + "x"), 0);
}

// Each damaged file is refused saying why in the log, leaving the level it was read into as it was.
TEST_F(MapFile, DamagedFilesAreRefusedAndLeaveTheLevelUntouched) {
    Level *lv = level_new(16);
    for (int y = 0; y < 144; y++) // smooth enough to be packed with zstd
        for (int x = 0; x < 240; x++)
            for (int i = 0; i < 5; i++)
                putpixel(lv->backgrounds[i], x, y, makecol16(x, y, 0));
    ASSERT_EQ(level_write("plain.vb3", lv, 0x0A), 1);
    ASSERT_EQ(level_write("packed.vb3", lv, 0x0B), 1);
    std::string plain = vbtest_read("plain.vb3"), packed = vbtest_read("packed.vb3");
    ASSERT_LT(packed.size(), plain.size() / 4);
    Level *before = level_new(16, 0x77), *in = level_new(16, 0x77);
    level_randomise(before, 99);
    level_randomise(in, 99);
    before->flags = in->flags = 0x77;
    EXPECT_EQ(MAP_read("missing.vb3", in), 0);
    EXPECT_TRUE(same_records(before, in));
    auto edit = [](std::string s, size_t at, int value, size_t len = 1) {
        return s.replace(at, len, len, (char)value);
    };
    size_t half = packed.size() / 2;
    const std::pair<std::string, const char *> damaged[] = {
        {"", "empty"},
        {plain.substr(0, 1), "truncated"},
        {plain.substr(0, plain.size() - 1), "truncated"},
        {plain + '\0', "trailing"},
        {edit(plain, 0, plain[0] & ~2), "trailing"}, // says it has no effect, yet has four bytes
        {packed.substr(0, 4), "truncated"},
        {packed.substr(0, 17), "truncated"},
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
        fs::remove("log.txt");
        in->effect = 1234;
        EXPECT_EQ(MAP_read("bad.vb3", in), 0);
        EXPECT_EQ(std::make_pair(in->effect, in->flags), std::make_pair(-1, before->flags));
        EXPECT_TRUE(same_records(before, in) && same_pixels(before, in));
        EXPECT_NE(vbtest_read("log.txt").find(d.second), std::string::npos)
            << vbtest_read("log.txt");
    }
}

TEST_F(MapFile, AWriterThatCannotFinishKeepsTheOldFile) {
    Level *lv = level_new(16);
    level_randomise(lv, 5);
    ASSERT_EQ(level_write("keep.vb3", lv, 0x08), 1);
    std::string old = vbtest_read("keep.vb3");
    // A full disk: the file size limit stops the write part way.
    struct rlimit saved, limit;
    getrlimit(RLIMIT_FSIZE, &saved);
    limit = {100000, saved.rlim_max};
    void (*old_handler)(int) = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    int full = level_write("keep.vb3", lv, 0x0A);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, old_handler);
    EXPECT_EQ(full, 0);
    EXPECT_EQ(vbtest_read("keep.vb3"), old);
    EXPECT_NE(vbtest_read("log.txt").find("not written"), std::string::npos);
    // No such directory, a directory in the way, pictures of mixed depths.
    EXPECT_EQ(level_write("nowhere/keep.vb3", lv, 0x08), 0);
    fs::create_directory("taken.vb3");
    EXPECT_EQ(level_write("taken.vb3", lv, 0x08), 0);
    EXPECT_TRUE(fs::is_directory("taken.vb3"));
    BITMAP *odd = lv->tiles[7];
    lv->tiles[7] = create_bitmap_ex(32, CELL, CELL);
    EXPECT_EQ(level_write("keep.vb3", lv, 0x08), 0);
    destroy_bitmap(lv->tiles[7]);
    lv->tiles[7] = odd;
    EXPECT_EQ(vbtest_read("keep.vb3"), old);
    // Nothing but the kept file, the log and the directory is left behind.
    int entries = 0;
    for (auto &e : fs::directory_iterator("."))
        entries += e.path().filename() != "log.txt";
    EXPECT_EQ(entries, 2);
}

// a and b show the same RGB within the coarser depth's step and the same mask pixels, counted.
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

// Values survive their own depth, colours any other (no depth recorded: 16) and either channel
// order (windowless Allegro puts blue high), so a level made by the tools shows its colours.
TEST_F(MapFile, ValuesSurviveTheirOwnDepthAndColoursAnyOtherOrAnotherChannelOrder) {
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
    const int saved[3] = {_rgb_r_shift_16, _rgb_g_shift_16, _rgb_b_shift_16};
    _rgb_r_shift_16 = 0, _rgb_g_shift_16 = 5, _rgb_b_shift_16 = 11; // the windowless order
    lv = level_new(16);
    level_randomise(lv, 5);
    putpixel(lv->backgrounds[0], 0, 0, makecol16(255, 0, 0));
    std::vector<int> rgb;
    for (int x = 0; x < 240; x++) {
        int p = getpixel(lv->backgrounds[1], x, 7);
        rgb.push_back(p == MASK_COLOR_16 ? -1 : getr16(p) << 16 | getg16(p) << 8 | getb16(p));
    }
    ASSERT_EQ(level_write("o.vb3", lv, 0x08), 1);
    bytes = vbtest_read("o.vb3");
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
