// present.cpp -- scales the 256x192 logical frame into the window, with or without scanlines.
//
// Each logical pixel becomes a scale x scale block. With scanlines the last row of every block
// shows the pixel as Allegro's translucent drawing of a black row at alpha 64 leaves it (the
// blender set_trans_blender(0, 0, 0, 64) selects), so the picture is the same, pixel for pixel,
// as a stretch_blit followed by one draw_trans_sprite per darkened row; only much cheaper: one
// row of blocks is made once in a small buffer and copied to the rows it fills.
//
// A 15 or 16-bit game on a 32-bit desktop gets a 32-bit window: Allegro's X11 driver would
// otherwise convert every window pixel of every frame. The conversion is Allegro's own (the one
// its driver uses, platform/x11_port.h), run once over every pixel value into a
// small table per colour field and applied to the 256 pixels of a logical row before they are
// widened, so the window shows the same colours.
// SPDX-License-Identifier: MIT
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <allegro.h>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include "gfx/gfx.h"
#include "gfx/gfx_state.h"
#include "platform/x11_port.h"

enum { ROW_MAX = GFX_LOGICAL_W * GFX_MAX_SCALE, STREAM_BYTES = 1 << 20 };

// Allegro's 15 and 16-bit translucency with black as the source: the fields spread over 32 bits,
// (0 - d) * 8 / 32 + d in unsigned arithmetic (8 is alpha 64 as that blender counts it).
static inline uint32_t gfx_dark1516(uint32_t d, uint32_t mask) {
    uint32_t y = ((d & 0xFFFF) | (d << 16)) & mask;
    uint32_t r = ((0u - y) * 8u / 32u + y) & mask;
    return (r & 0xFFFF) | (r >> 16);
}

// Allegro's 32-bit translucency with black as the source at alpha 64 (65 as it counts).
static inline uint32_t gfx_dark32(uint32_t d) {
    uint32_t rb = (0u - (d & 0xFF00FF)) * 65u / 256u + d;
    uint32_t g = (0u - (d & 0xFF00)) * 65u / 256u + (d & 0xFF00);
    return (rb & 0xFF00FF) | (g & 0xFF00);
}

uint32_t GFX_to32(uint32_t v, int depth) {
    int red = depth == 15 ? 10 : 11, green = depth == 15 ? 31 : 63;
    return gfx.to32_r[(v >> red) & 31] | gfx.to32_g[(v >> 5) & green] | gfx.to32_b[v & 31];
}

// Copies a row of blocks into the window. Streaming stores for a big window when the row allows
// them: the window is written, never read, and too big to stay in the cache, so this saves
// reading every line in before it is overwritten. Callers end with gfx_copy_done.
static void gfx_copy_row(unsigned char *dst, const void *src, size_t bytes, int stream) {
#ifdef __SSE2__
    if (stream && ((uintptr_t)dst & 15) == 0 && (bytes & 63) == 0) {
        const __m128i *s = (const __m128i *)src;
        __m128i *d = (__m128i *)dst;
        for (size_t i = 0; i < bytes / 16; i += 4) {
            _mm_stream_si128(d + i, _mm_loadu_si128(s + i));
            _mm_stream_si128(d + i + 1, _mm_loadu_si128(s + i + 1));
            _mm_stream_si128(d + i + 2, _mm_loadu_si128(s + i + 2));
            _mm_stream_si128(d + i + 3, _mm_loadu_si128(s + i + 3));
        }
        return;
    }
#else
    (void)stream;
#endif
    memcpy(dst, src, bytes);
}

static void gfx_copy_done(void) {
#ifdef __SSE2__
    _mm_sfence(); // the streamed rows are in memory before anyone reads the window
#endif
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

// One logical row in the window's pixels: darkened for a scanline row, converted when the
// window is 32-bit and the game is not.
template <class S, class D> static void gfx_logical_row(const S *src, D *out, int dark, int depth) {
    uint32_t mask = depth == 15 ? 0x3E07C1F : 0x7E0F81F;
    for (int x = 0; x < GFX_LOGICAL_W; x++) {
        uint32_t v = src[x];
        if (dark) v = sizeof(S) == 2 ? gfx_dark1516(v, mask) : gfx_dark32(v);
        out[x] = (D)(sizeof(S) == sizeof(D) ? v : GFX_to32(v, depth));
    }
}

// Fills the picture's rows of dest: each row of blocks from two buffers, bright and dark.
template <class S, class D>
static void gfx_scale(BITMAP *frame, BITMAP *dest, int scale, int x0, int y0, int scan) {
    int depth = bitmap_color_depth(frame);
    static D bright[ROW_MAX], dark[ROW_MAX];
    D row[GFX_LOGICAL_W];
    size_t bytes = sizeof(D) * GFX_LOGICAL_W * scale;
    int stream = bytes * GFX_LOGICAL_H * scale > STREAM_BYTES;
    acquire_bitmap(dest);
    // The window's rows go to the X server in one go at the end, not one by one as written.
    int batched = PORT_hold_updates(dest);
    for (int y = 0; y < GFX_LOGICAL_H; y++) {
        const S *src = (const S *)frame->line[y];
        if (sizeof(S) == sizeof(D)) {
            gfx_widen((const D *)src, bright, scale);
        } else {
            gfx_logical_row(src, row, 0, depth);
            gfx_widen(row, bright, scale);
        }
        if (scan) {
            gfx_logical_row(src, row, 1, depth);
            gfx_widen(row, dark, scale);
        }
        for (int k = 0; k < scale; k++) {
            const D *line = scan && k == scale - 1 ? dark : bright;
            uintptr_t addr = bmp_write_line(dest, y0 + y * scale + k);
            gfx_copy_row((unsigned char *)addr + sizeof(D) * x0, line, bytes, stream);
        }
    }
    gfx_copy_done();
    bmp_unwrite_line(dest);
    if (batched) PORT_send_updates(x0, y0, GFX_LOGICAL_W * scale, GFX_LOGICAL_H * scale);
    release_bitmap(dest);
}

int GFX_convert_from(int depth) {
    if (depth != 15 && depth != 16) return -1;
    if (gfx.to32_depth == depth) return 0;
    gfx.to32_depth = 0;
    uint32_t *out = (uint32_t *)malloc(65536 * sizeof(uint32_t));
    int ok = out && PORT_every_pixel_to32(depth, out) == 0;
    if (ok) {
        // Each field converts on its own: three small tables, checked against every value.
        int red = depth == 15 ? 10 : 11, greens = depth == 15 ? 32 : 64;
        for (int c = 0; c < 32; c++) {
            gfx.to32_r[c] = out[c << red];
            gfx.to32_b[c] = out[c];
        }
        for (int c = 0; c < greens; c++)
            gfx.to32_g[c] = out[c << 5];
        unsigned values = depth == 15 ? 32768 : 65536;
        for (unsigned v = 0; v < values && ok; v++)
            ok = GFX_to32(v, depth) == out[v];
    }
    free(out);
    if (!ok) return -1;
    gfx.to32_depth = depth;
    return 0;
}

void GFX_present_scaled(BITMAP *frame, BITMAP *dest, int scale, int x, int y) {
    if (scale < 1) scale = 1;
    if (scale > GFX_MAX_SCALE) scale = GFX_MAX_SCALE;
    int from = bitmap_color_depth(frame), to = bitmap_color_depth(dest);
    int w = GFX_LOGICAL_W * scale, h = GFX_LOGICAL_H * scale;
    int fits = x >= 0 && y >= 0 && x + w <= dest->w && y + h <= dest->h &&
               frame->w >= GFX_LOGICAL_W && frame->h >= GFX_LOGICAL_H;
    int same = from == to && (to == 15 || to == 16 || to == 32);
    int converted = from != to && to == 32 && gfx.to32_depth == from;
    if (!fits || (!same && !converted)) {
        // Nothing the game opens: Allegro clips, or converts what it can, without scanlines.
        stretch_blit(frame, dest, 0, 0, GFX_LOGICAL_W, GFX_LOGICAL_H, x, y, w, h);
        return;
    }
    int scan = gfx.scanlines && scale >= 2;
    if (from == 32)
        gfx_scale<uint32_t, uint32_t>(frame, dest, scale, x, y, scan);
    else if (to == 32)
        gfx_scale<uint16_t, uint32_t>(frame, dest, scale, x, y, scan);
    else
        gfx_scale<uint16_t, uint16_t>(frame, dest, scale, x, y, scan);
}

void GFX_present_into(BITMAP *frame, BITMAP *dest) {
    GFX_present_scaled(frame, dest, 2, 0, 0);
}
