// present.cpp -- scales the 256x192 logical frame into the window, with or without scanlines.
//
// Each logical pixel becomes a scale x scale block. With scanlines the last row of every block
// shows the pixel as Allegro's translucent drawing of a black row at alpha 64 leaves it (the
// blender set_trans_blender(0, 0, 0, 64) selects), so the picture is the same, pixel for pixel,
// as a stretch_blit followed by one draw_trans_sprite per darkened row; only much cheaper: one
// row of blocks is made once in a small buffer and copied to the rows it fills.
#include <stdint.h>
#include <string.h>
#include "gfx/gfx.h"
#include "gfx/gfx_state.h"

enum { ROW_MAX = GFX_LOGICAL_W * GFX_MAX_SCALE };

// Allegro's 15 and 16-bit translucency with black as the source: the fields spread over 32 bits,
// (0 - d) * 8 / 32 + d in unsigned arithmetic (8 is alpha 64 as that blender counts it).
static unsigned gfx_dark1516(unsigned d, unsigned mask) {
    uint32_t y = ((d & 0xFFFF) | (d << 16)) & mask;
    uint32_t r = ((0u - y) * 8u / 32u + y) & mask;
    return (r & 0xFFFF) | (r >> 16);
}

// Allegro's 32-bit translucency with black as the source at alpha 64 (65 as it counts).
static uint32_t gfx_dark32(uint32_t d) {
    uint32_t rb = (0u - (d & 0xFF00FF)) * 65u / 256u + d;
    uint32_t g = (0u - (d & 0xFF00)) * 65u / 256u + (d & 0xFF00);
    return (rb & 0xFF00FF) | (g & 0xFF00);
}

static void gfx_make_dark16(int depth) {
    unsigned mask = depth == 15 ? 0x3E07C1F : 0x7E0F81F;
    for (unsigned v = 0; v < 65536; v++)
        gfx.dark16[v] = (unsigned short)gfx_dark1516(v, mask);
    gfx.dark_depth = depth;
}

// One logical row widened: every pixel repeated scale times.
template <class P> static void gfx_widen(const P *src, P *out, int scale) {
    switch (scale) {
    case 2:
        for (int x = 0; x < GFX_LOGICAL_W; x++)
            out[2 * x] = out[2 * x + 1] = src[x];
        break;
    case 3:
        for (int x = 0; x < GFX_LOGICAL_W; x++)
            out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = src[x];
        break;
    case 4:
        for (int x = 0; x < GFX_LOGICAL_W; x++)
            out[4 * x] = out[4 * x + 1] = out[4 * x + 2] = out[4 * x + 3] = src[x];
        break;
    default:
        for (int x = 0; x < GFX_LOGICAL_W; x++)
            for (int k = 0; k < scale; k++)
                out[scale * x + k] = src[x];
    }
}

template <class P> static void gfx_darken(const P *src, P *out) {
    for (int x = 0; x < GFX_LOGICAL_W; x++) {
        if (sizeof(P) == 2)
            out[x] = (P)gfx.dark16[src[x]];
        else
            out[x] = (P)gfx_dark32((uint32_t)src[x]);
    }
}

// Fills the picture's rows of dest: each row of blocks from two buffers, bright and dark.
template <class P>
static void gfx_scale(BITMAP *frame, BITMAP *dest, int scale, int x0, int y0, int scan) {
    static P bright[ROW_MAX], dark[ROW_MAX];
    P darkened[GFX_LOGICAL_W];
    size_t bytes = sizeof(P) * GFX_LOGICAL_W * scale;
    acquire_bitmap(dest);
    for (int y = 0; y < GFX_LOGICAL_H; y++) {
        const P *src = (const P *)frame->line[y];
        gfx_widen(src, bright, scale);
        if (scan) {
            gfx_darken(src, darkened);
            gfx_widen(darkened, dark, scale);
        }
        for (int k = 0; k < scale; k++) {
            const P *row = scan && k == scale - 1 ? dark : bright;
            uintptr_t line = bmp_write_line(dest, y0 + y * scale + k);
            memcpy((unsigned char *)line + sizeof(P) * x0, row, bytes);
        }
    }
    bmp_unwrite_line(dest);
    release_bitmap(dest);
}

void GFX_present_scaled(BITMAP *frame, BITMAP *dest, int scale, int x, int y) {
    if (scale < 1) scale = 1;
    if (scale > GFX_MAX_SCALE) scale = GFX_MAX_SCALE;
    int depth = bitmap_color_depth(dest), w = GFX_LOGICAL_W * scale, h = GFX_LOGICAL_H * scale;
    int fits = x >= 0 && y >= 0 && x + w <= dest->w && y + h <= dest->h &&
               frame->w >= GFX_LOGICAL_W && frame->h >= GFX_LOGICAL_H;
    int ours = depth == 15 || depth == 16 || depth == 32;
    if (!fits || !ours || bitmap_color_depth(frame) != depth) {
        // Nothing the game opens: Allegro clips, or converts what it can, without scanlines.
        stretch_blit(frame, dest, 0, 0, GFX_LOGICAL_W, GFX_LOGICAL_H, x, y, w, h);
        return;
    }
    int scan = gfx.scanlines && scale >= 2;
    if (scan && depth != 32 && gfx.dark_depth != depth) gfx_make_dark16(depth);
    if (depth == 32)
        gfx_scale<uint32_t>(frame, dest, scale, x, y, scan);
    else
        gfx_scale<uint16_t>(frame, dest, scale, x, y, scan);
}

void GFX_present_into(BITMAP *frame, BITMAP *dest) {
    GFX_present_scaled(frame, dest, 2, 0, 0);
}
