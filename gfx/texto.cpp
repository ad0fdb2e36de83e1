// texto.cpp -- the 8x8 bitmap font: loading it and drawing text pixel by pixel.
// SPDX-License-Identifier: MIT
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "gfx/gfx.h"
#include "gfx/gfx_state.h"
#include "platform/fileio.h"
#include "platform/loga.h"

enum { GLYPHS = 128, GLYPH_ROWS = 8, GLYPH_COLS = 7, ADVANCE = 8 };
enum { FONT_FILE_MAX = 65536 }; // a font file past this is not a font: only 1024 bytes are used

void GFX_load_font(const char *path) {
    char line[600], why[100];
    memset(gfx.font, 0, sizeof gfx.font);
    gfx.font_loaded = 0;
    FioData d;
    int result = FIO_read(path, FONT_FILE_MAX, &d);
    if (result != FIO_OK) {
        snprintf(line, sizeof line, "font %s %s: text will not be shown", path,
                 result == FIO_MISSING ? "not found"
                                       : FIO_why(result, &d, FONT_FILE_MAX, why, sizeof why));
        loga(line);
        return;
    }
    // A short file leaves its missing glyph rows blank rather than solid.
    size_t got = d.size < sizeof gfx.font ? d.size : sizeof gfx.font;
    memcpy(gfx.font, d.data, got);
    free(d.data);
    if (got < sizeof gfx.font) {
        snprintf(line, sizeof line, "font %s is short (%d of 1024 bytes)", path, (int)got);
        loga(line);
    }
    gfx.font_loaded = 1;
}

// The colour bits a pixel of the bitmap's depth has: -1 (every caller's white) then makes white
// at 15 bpp too, instead of setting the unused top bit, which the window shows as another colour.
static int colour_bits(BITMAP *bmp, int color) {
    switch (bitmap_color_depth(bmp)) {
    case 15:
        return color & 0x7FFF;
    case 16:
        return color & 0xFFFF;
    case 24:
    case 32:
        return color & 0xFFFFFF;
    default:
        return color & 0xFF;
    }
}

void GFX_gprint(BITMAP *bmp, int x, int y, int color, const char *text) {
    short px = (short)x, py = (short)y;
    color = colour_bits(bmp, color);
    size_t n = strlen(text);
    for (size_t i = 0; i < n; i++, px = (short)(px + ADVANCE)) {
        unsigned char c = (unsigned char)text[i];
        if (c >= GLYPHS) continue; // codes 128..255 have no glyph: a blank cell
        const unsigned char *glyph = gfx.font + c * GLYPH_ROWS;
        for (int r = 0; r < GLYPH_ROWS; r++) {
            unsigned char b = glyph[r];
            if (!b) continue;
            for (int k = 0; k < GLYPH_COLS; k++)
                if (b & (0x80 >> k)) putpixel(bmp, px + k, py + r, color);
        }
    }
}

void GFX_gprintb(BITMAP *bmp, int x, int y, int color, const char *text) {
    for (int dx = -1; dx <= 1; dx++)
        for (int dy = -1; dy <= 1; dy++)
            if (dx || dy) GFX_gprint(bmp, x + dx, y + dy, 0, text);
    GFX_gprint(bmp, x, y, color, text);
}

void GFX_centra(BITMAP *bmp, int y, int color, const char *text) {
    short x = (short)(128 - 4 * (int)strlen(text));
    GFX_gprint(bmp, x, y, color, text);
}
