// level_fixture.cpp -- test levels in memory: storage, pictures at one depth, random content.
#include "level_fixture.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

TestLevel *level_new(int depth, unsigned char fill) {
    vbtest_init(depth);
    TestLevel *lv = new TestLevel;
    memset((void *)lv, fill, sizeof *lv);
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        clear_to_color(lv->bg[i] = create_bitmap_ex(depth, 240, 144), 0);
    for (int i = 0; i < TILE_COUNT; i++) {
        clear_to_color(lv->tiles[i] = create_bitmap_ex(depth, CELL, CELL), 0);
        clear_to_color(lv->sprites[i] = create_bitmap_ex(depth, CELL, CELL), 0);
    }
    return lv;
}

void level_free(TestLevel *lv) {
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        destroy_bitmap(lv->bg[i]);
    for (int i = 0; i < TILE_COUNT; i++) {
        destroy_bitmap(lv->tiles[i]);
        destroy_bitmap(lv->sprites[i]);
    }
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

void level_randomise(TestLevel *lv, unsigned seed) {
    unsigned s = seed;
    unsigned char *p = (unsigned char *)lv->reserved;
    size_t records = sizeof lv->reserved + sizeof lv->header + sizeof lv->rooms +
                     sizeof lv->levers + sizeof lv->energy;
    for (size_t i = 0; i < records; i++)
        p[i] = (unsigned char)next(&s);
    lv->effect = (int)(next(&s) - 7u);
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        randomise_bitmap(lv->bg[i], &s);
    for (int i = 0; i < TILE_COUNT; i++) {
        randomise_bitmap(lv->tiles[i], &s);
        randomise_bitmap(lv->sprites[i], &s);
    }
}

int level_write(const std::string &path, const TestLevel *lv, unsigned char flags) {
    TestLevel *w = const_cast<TestLevel *>(lv);
    return grabarMapa(path.c_str(), flags, lv->reserved, lv->header, lv->rooms, lv->levers,
                      lv->energy, w->bg, w->tiles, w->sprites, lv->effect);
}

int level_read(const std::string &path, TestLevel *lv) {
    return cargarMapa(path.c_str(), &lv->flags, lv->reserved, &lv->header, lv->rooms, lv->levers,
                      lv->energy, lv->bg, lv->tiles, lv->sprites, &lv->effect);
}

bool same_records(const TestLevel *a, const TestLevel *b) {
    return !memcmp(a->reserved, b->reserved, sizeof a->reserved) &&
           !memcmp(&a->header, &b->header, sizeof a->header) &&
           !memcmp(a->rooms, b->rooms, sizeof a->rooms) &&
           !memcmp(a->levers, b->levers, sizeof a->levers) &&
           !memcmp(a->energy, b->energy, sizeof a->energy);
}

static bool same_bitmap(BITMAP *a, BITMAP *b) {
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++)
            if (getpixel(a, x, y) != getpixel(b, x, y)) return false;
    return true;
}

bool same_pixels(const TestLevel *a, const TestLevel *b) {
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        if (!same_bitmap(a->bg[i], b->bg[i])) return false;
    for (int i = 0; i < TILE_COUNT; i++)
        if (!same_bitmap(a->tiles[i], b->tiles[i]) || !same_bitmap(a->sprites[i], b->sprites[i]))
            return false;
    return true;
}
