// level_fixture.cpp -- test levels in memory: the level record with pictures at one depth, random
// content, files written and read.
#include "level_fixture.h"
#include <stddef.h>
#include <string.h>

// The records from the header to the reserved ones lie one after the other in the level record.
static unsigned char *records(const Level *lv, size_t *size) {
    *size = offsetof(Level, reserved) + sizeof lv->reserved - offsetof(Level, header);
    return (unsigned char *)&lv->header;
}

Level *level_new(int depth, unsigned char fill) {
    vbtest_init(depth);
    Level *lv = new Level;
    memset((void *)lv, fill, sizeof *lv);
    EXPECT_EQ(MAP_create_pictures(lv), 1);
    return lv;
}

void level_free(Level *lv) {
    MAP_destroy_pictures(lv);
    delete lv;
}

static unsigned next(unsigned *s) {
    *s = *s * 1103515245u + 12345u;
    return (*s >> 8) ^ (*s << 13);
}

static void randomise_bitmap(BITMAP *b, unsigned *s) {
    int depth = bitmap_color_depth(b);
    unsigned keep = depth == 15 ? 0x7FFF : depth == 16 ? 0xFFFF : 0xFFFFFFFF;
    for (int y = 0; y < b->h; y++)
        for (int x = 0; x < b->w; x++) {
            unsigned v = next(s);
            putpixel(b, x, y, v % 13 == 0 ? bitmap_mask_color(b) : (int)(v & keep));
        }
}

void level_randomise(Level *lv, unsigned seed) {
    unsigned s = seed;
    size_t n;
    unsigned char *p = records(lv, &n);
    for (size_t i = 0; i < n; i++)
        p[i] = (unsigned char)next(&s);
    lv->effect = (int)(next(&s) - 7u);
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        randomise_bitmap(lv->backgrounds[i], &s);
    for (int i = 0; i < TILE_COUNT; i++) {
        randomise_bitmap(lv->tiles[i], &s);
        randomise_bitmap(lv->sprites[i], &s);
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

static bool same_bitmap(BITMAP *a, BITMAP *b) {
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++)
            if (getpixel(a, x, y) != getpixel(b, x, y)) return false;
    return true;
}

bool same_pixels(const Level *a, const Level *b) {
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        if (!same_bitmap(a->backgrounds[i], b->backgrounds[i])) return false;
    for (int i = 0; i < TILE_COUNT; i++)
        if (!same_bitmap(a->tiles[i], b->tiles[i]) || !same_bitmap(a->sprites[i], b->sprites[i]))
            return false;
    return true;
}
