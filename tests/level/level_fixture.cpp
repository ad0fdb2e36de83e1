// level_fixture.cpp -- test levels in memory: made at one depth, randomised, written, compared.
// SPDX-License-Identifier: MIT
#include "level_fixture.h"
#include <stddef.h>
#include <string.h>
#include <vector>

static std::vector<Level *> made;

Level *level_new(int depth, unsigned char fill) {
    vbtest_init(depth);
    Level *lv = new Level;
    memset((void *)lv, fill, sizeof *lv);
    EXPECT_EQ(MAP_create_pictures(lv), 1);
    made.push_back(lv);
    return lv;
}

void LevelTest::TearDown() {
    for (Level *lv : made) {
        MAP_destroy_pictures(lv);
        delete lv;
    }
    made.clear();
    ScratchDir::TearDown();
}

BITMAP *level_picture(const Level *lv, int i) {
    if (i < BACKGROUND_COUNT) return lv->backgrounds[i];
    i -= BACKGROUND_COUNT;
    return i < TILE_COUNT ? lv->tiles[i] : lv->sprites[i - TILE_COUNT];
}

// The records from the header to the reserved ones lie one after the other in the level record.
static unsigned char *records(const Level *lv, size_t *size) {
    *size = offsetof(Level, reserved) + sizeof lv->reserved - offsetof(Level, header);
    return (unsigned char *)&lv->header;
}

void level_randomise(Level *lv, unsigned seed) {
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) ^ (seed << 13);
    };
    size_t n;
    unsigned char *p = records(lv, &n);
    for (size_t i = 0; i < n; i++)
        p[i] = (unsigned char)next();
    lv->effect = (int)(next() - 7u);
    for (int i = 0; i < LEVEL_PICTURES; i++) {
        BITMAP *b = level_picture(lv, i);
        int depth = bitmap_color_depth(b);
        unsigned keep = depth == 15 ? 0x7FFF : depth == 16 ? 0xFFFF : 0xFFFFFFFF;
        for (int y = 0; y < b->h; y++)
            for (int x = 0; x < b->w; x++) {
                unsigned v = next();
                putpixel(b, x, y, v % 13 == 0 ? bitmap_mask_color(b) : (int)(v & keep));
            }
    }
}

int level_write(const std::string &path, Level *lv, unsigned char flags) {
    lv->flags = flags;
    return MAP_write(path.c_str(), lv);
}

bool same_records(const Level *a, const Level *b) {
    size_t n;
    const unsigned char *ra = records(a, &n);
    return !memcmp(ra, records(b, &n), n);
}

bool same_pixels(const Level *a, const Level *b) {
    for (int i = 0; i < LEVEL_PICTURES; i++) {
        BITMAP *pa = level_picture(a, i), *pb = level_picture(b, i);
        for (int y = 0; y < pa->h; y++)
            for (int x = 0; x < pa->w; x++)
                if (getpixel(pa, x, y) != getpixel(pb, x, y)) return false;
    }
    return true;
}
