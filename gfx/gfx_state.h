// gfx_state.h -- the presentation layer's module record, shared by its source files.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>
#include <stdint.h>

struct GfxState {
    short scanlines;           // 1: darken the last window row of every logical row
    int scale;                 // window pixels per logical pixel (2 until a window opens)
    int x, y;                  // where the picture sits in the window (full screen centres it)
    int full;                  // 1: the window covers the desktop
    int window_size;           // the window size (2, 3 or 4) Alt+Enter and F11 come back to
    volatile int switch_asked; // set by the keyboard on Alt+Enter or F11, taken by GFX_service
    BITMAP *last;              // 256x192 copy of the last presented frame, shown after a switch
    BITMAP *last_picture;      // copy of the last window-size picture (the splash), or null
    int last_is_picture;       // 1: the window shows last_picture
    int to32_depth;            // 15 or 16 once the tables below are made, else 0
    uint32_t to32_r[32];       // a 15 or 16-bit pixel's red field -> the 32-bit window's
    uint32_t to32_g[64];       // green field (6 bits at 16 bpp, 5 at 15)
    uint32_t to32_b[32];       // blue field
    unsigned char font[1024];  // 128 glyphs of 8 rows, bit 7 = leftmost column
    int font_loaded;           // 0: no font, text draws nothing
    long *icon;                // the window's icon as _NET_WM_ICON wants it, or null
    int icon_longs;            // its length: each size's width, height and ARGB pixels
};
extern GfxState gfx;

// The fallback and limits of the window sizes.
enum { GFX_LOGICAL_W = 256, GFX_LOGICAL_H = 192, GFX_MAX_SCALE = 16 };
