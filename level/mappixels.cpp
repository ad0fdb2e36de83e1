// mappixels.cpp -- the level image's pictures: pixel order, recorded depth and depth conversion.
// SPDX-License-Identifier: MIT
#include "level/mapimagen.h"
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include "gfx/picture.h"
#include "util/bytes.h"

// Pixels are kept in the file in one fixed channel order, red highest and blue lowest (15 bpp:
// 0RRRRRGGGGGBBBBB, 16 bpp: RRRRRGGGGGGBBBBB, 32 bpp: 0x00RRGGBB), whatever order the machine
// that wrote them used: Allegro without a window puts blue highest, a window usually red, and a
// level made by the tools must show the same colours in the game.
struct Layout {
    int r, g, b;    // channel shifts
    int rw, gw, bw; // channel widths in bits
};

static Layout file_layout(int depth) {
    if (depth == 15) return {10, 5, 0, 5, 5, 5};
    if (depth == 16) return {11, 5, 0, 5, 6, 5};
    return {16, 8, 0, 8, 8, 8};
}

static Layout machine_layout(int depth) {
    Layout l = file_layout(depth);
    if (depth == 15) l.r = _rgb_r_shift_15, l.g = _rgb_g_shift_15, l.b = _rgb_b_shift_15;
    if (depth == 16) l.r = _rgb_r_shift_16, l.g = _rgb_g_shift_16, l.b = _rgb_b_shift_16;
    if (depth == 32) l.r = _rgb_r_shift_32, l.g = _rgb_g_shift_32, l.b = _rgb_b_shift_32;
    return l;
}

static int same_layout(int depth) {
    Layout a = file_layout(depth), b = machine_layout(depth);
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// Moves the channels of v from one order to the other at the same depth (an exact reordering;
// the top byte of a 32-bit value stays where it is).
static uint32_t reorder(uint32_t v, Layout from, Layout to) {
    uint32_t r = (v >> from.r) & ((1u << from.rw) - 1);
    uint32_t g = (v >> from.g) & ((1u << from.gw) - 1);
    uint32_t b = (v >> from.b) & ((1u << from.bw) - 1);
    uint32_t rest = from.rw == 8 ? v & 0xFF000000u : 0;
    return rest | r << to.r | g << to.g | b << to.b;
}

// The 8-bit channels of a value in the file's order.
static void file_rgb(int depth, uint32_t v, int *r, int *g, int *b) {
    Layout l = file_layout(depth);
    int rv = (int)((v >> l.r) & ((1u << l.rw) - 1)), gv = (int)((v >> l.g) & ((1u << l.gw) - 1));
    int bv = (int)((v >> l.b) & ((1u << l.bw) - 1));
    if (l.rw == 8) {
        *r = rv, *g = gv, *b = bv;
    } else {
        *r = _rgb_scale_5[rv];
        *g = l.gw == 6 ? _rgb_scale_6[gv] : _rgb_scale_5[gv];
        *b = _rgb_scale_5[bv];
    }
}

// Turns file values of one depth into picture values of another (or of the same depth in another
// channel order): through 8-bit RGB, mask colour onto mask colour.
struct DepthConv {
    int src, dst;
    int identity; // same depth, same channel order: values pass unchanged
    uint32_t src_mask, dst_mask;
    uint32_t *lut; // every 16-bit source value, when the source has 15 or 16 bits
};

static uint32_t mask_of_depth(int depth) {
    switch (depth) {
    case 8:
        return MASK_COLOR_8;
    case 15:
        return MASK_COLOR_15;
    case 16:
        return MASK_COLOR_16;
    case 24:
        return MASK_COLOR_24;
    default:
        return MASK_COLOR_32;
    }
}

static uint32_t convert_value(const DepthConv *c, uint32_t v) {
    if (v == c->src_mask) return c->dst_mask;
    if (c->src == c->dst) return reorder(v, file_layout(c->src), machine_layout(c->dst));
    int r, g, b;
    file_rgb(c->src, v, &r, &g, &b);
    uint32_t out = (uint32_t)makecol_depth(c->dst, r, g, b);
    // A visible colour must not turn into the mask colour at the lower depth and vanish:
    // it takes the nearest green step instead.
    for (int step = 1; out == c->dst_mask && step <= 128; step <<= 1)
        out = (uint32_t)makecol_depth(c->dst, r, g + step > 255 ? g - step : g + step, b);
    return out;
}

static void conv_start(DepthConv *c, int src, int dst) {
    c->src = src;
    c->dst = dst;
    c->src_mask = mask_of_depth(src);
    c->dst_mask = mask_of_depth(dst);
    c->identity = src == dst && same_layout(src);
    c->lut = nullptr;
    if (!c->identity && (src == 15 || src == 16)) {
        c->lut = (uint32_t *)malloc(65536 * sizeof *c->lut);
        if (c->lut)
            for (uint32_t v = 0; v < 65536; v++)
                c->lut[v] = convert_value(c, v);
    }
}

static inline uint32_t conv(const DepthConv *c, uint32_t v) {
    if (c->identity) return v;
    if (c->lut && v < 65536) return c->lut[v];
    return convert_value(c, v);
}

// One pixel into a picture; memory pictures of 15, 16 and 32 bits go straight to their lines.
static inline void set_px(BITMAP *bmp, int depth, int x, int y, uint32_t v) {
    if (depth == 15 || depth == 16)
        ((uint16_t *)bmp->line[y])[x] = (uint16_t)v;
    else if (depth == 32)
        ((uint32_t *)bmp->line[y])[x] = v;
    else
        putpixel(bmp, x, y, (int)v);
}

static inline uint32_t get_px(BITMAP *bmp, int depth, int x, int y) {
    if (depth == 15 || depth == 16) return ((uint16_t *)bmp->line[y])[x];
    if (depth == 32) return ((uint32_t *)bmp->line[y])[x];
    return (uint32_t)getpixel(bmp, x, y);
}

// The depth used for direct line access: 0 (go through putpixel/getpixel) for screen bitmaps.
static int access_depth(BITMAP *bmp) {
    return is_memory_bitmap(bmp) ? bitmap_color_depth(bmp) : 0;
}

int MAP_depth_of_flags(unsigned char flags) {
    switch ((flags & MAP_DEPTH_MASK) >> MAP_DEPTH_SHIFT) {
    case 1:
        return 15;
    case 3:
        return 32;
    default:
        return 16;
    }
}

int MAP_depth_bits(int depth) {
    switch (depth) {
    case 15:
        return 1 << MAP_DEPTH_SHIFT;
    case 16:
        return 2 << MAP_DEPTH_SHIFT;
    case 32:
        return 3 << MAP_DEPTH_SHIFT;
    default:
        return -1;
    }
}

static int picture_ok(const char *path, BITMAP *bmp, int w, int h, const char *what, int i) {
    if (bmp && bmp->w >= w && bmp->h >= h) return 1;
    char line[300];
    snprintf(line, sizeof line, "map %s: %s picture %d is missing or smaller than %dx%d", path,
             what, i, w, h);
    MAP_log(line);
    return 0;
}

int MAP_check_pictures(const char *path, const Level *lv) {
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        if (!picture_ok(path, lv->backgrounds[i], BG_W, BG_H, "background", i)) return 0;
    for (int i = 0; i < TILE_COUNT; i++)
        if (!picture_ok(path, lv->tiles[i], CELL, CELL, "tile", i) ||
            !picture_ok(path, lv->sprites[i], CELL, CELL, "sprite", i))
            return 0;
    return 1;
}

// Creates one cleared picture into *slot; 0 when memory ran out.
static int make(BITMAP **slot, int w, int h) {
    *slot = create_bitmap(w, h);
    if (*slot) clear_bitmap(*slot);
    return *slot != nullptr;
}

int MAP_create_pictures(Level *lv) {
    int ok = 1;
    for (int i = 0; ok && i < TILE_COUNT; i++)
        ok = make(&lv->tiles[i], CELL, CELL) && make(&lv->sprites[i], CELL, CELL);
    for (int i = 0; ok && i < BACKGROUND_COUNT; i++)
        ok = make(&lv->backgrounds[i], BG_W, BG_H);
    if (!ok) MAP_destroy_pictures(lv);
    return ok;
}

void MAP_destroy_pictures(Level *lv) {
    for (int i = 0; i < TILE_COUNT; i++) {
        GFX_destroy_picture(&lv->tiles[i]);
        GFX_destroy_picture(&lv->sprites[i]);
    }
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        GFX_destroy_picture(&lv->backgrounds[i]);
}

// Converters for one source depth, one per target depth met, started when first needed.
struct ConvSet {
    int src;
    DepthConv conv[5]; // for 8, 15, 16, 24 and 32 bits
    int started[5];
};

static const DepthConv *conv_for(ConvSet *s, int dst) {
    int k = dst == 8 ? 0 : dst == 15 ? 1 : dst == 16 ? 2 : dst == 24 ? 3 : 4;
    if (!s->started[k]) {
        conv_start(&s->conv[k], s->src, dst);
        s->started[k] = 1;
    }
    return &s->conv[k];
}

void MAP_put_pixels(const unsigned char *p, int src_depth, const Level *lv) {
    BITMAP *const *backgrounds = lv->backgrounds, *const *tiles = lv->tiles;
    BITMAP *const *sprites = lv->sprites;
    ConvSet set = {};
    set.src = src_depth;
    for (int i = 0; i < BACKGROUND_COUNT; i++) {
        BITMAP *bmp = backgrounds[i];
        int d = access_depth(bmp);
        const DepthConv *c = conv_for(&set, bitmap_color_depth(bmp));
        for (int y = 0; y < BG_H; y++)
            for (int x = 0; x < BG_W; x++, p += 4)
                set_px(bmp, d, x, y, conv(c, le32_get(p)));
    }
    for (int i = 0; i < TILE_COUNT; i++) {
        BITMAP *t = tiles[i], *s = sprites[i];
        int dt = access_depth(t), ds = access_depth(s);
        const DepthConv *ct = conv_for(&set, bitmap_color_depth(t));
        const DepthConv *cs = conv_for(&set, bitmap_color_depth(s));
        for (int y = 0; y < CELL; y++)
            for (int x = 0; x < CELL; x++, p += 8) {
                set_px(t, dt, x, y, conv(ct, le32_get(p)));
                set_px(s, ds, x, y, conv(cs, le32_get(p + 4)));
            }
    }
    for (int k = 0; k < 5; k++)
        if (set.started[k]) free(set.conv[k].lut);
}

// A picture value in the file's channel order (the writer's pictures all share one depth).
static inline uint32_t to_file(int depth, int same, uint32_t v) {
    if (same || v == mask_of_depth(depth)) return v;
    return reorder(v, machine_layout(depth), file_layout(depth));
}

void MAP_take_pixels(unsigned char *p, const Level *lv) {
    BITMAP *const *backgrounds = lv->backgrounds, *const *tiles = lv->tiles;
    BITMAP *const *sprites = lv->sprites;
    int depth = bitmap_color_depth(backgrounds[0]);
    int same = same_layout(depth);
    for (int i = 0; i < BACKGROUND_COUNT; i++) {
        BITMAP *bmp = backgrounds[i];
        int d = access_depth(bmp);
        for (int y = 0; y < BG_H; y++)
            for (int x = 0; x < BG_W; x++, p += 4)
                le32_put(p, to_file(depth, same, get_px(bmp, d, x, y)));
    }
    for (int i = 0; i < TILE_COUNT; i++) {
        BITMAP *t = tiles[i], *s = sprites[i];
        int dt = access_depth(t), ds = access_depth(s);
        for (int y = 0; y < CELL; y++)
            for (int x = 0; x < CELL; x++, p += 8) {
                le32_put(p, to_file(depth, same, get_px(t, dt, x, y)));
                le32_put(p + 4, to_file(depth, same, get_px(s, ds, x, y)));
            }
    }
}
