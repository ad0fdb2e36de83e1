// gfx_state.h -- the presentation layer's module record, shared by its two source files.
#pragma once
#include <allegro.h>

struct GfxState {
    short scanlines;          // 1: darken every second window row
    BITMAP *aux;              // 512x384 composition buffer of the scanline path
    BITMAP *negra;            // 512x1 black row laid translucently over the odd rows
    unsigned char font[1024]; // 128 glyphs of 8 rows, bit 7 = leftmost column
    int font_loaded;          // 0: no font, text draws nothing
    BITMAP *dump;             // 256x192 copy of each presented frame, for window tests
    char dump_path[512];      // where that copy goes ("" when not asked for)
};
extern GfxState gfx;
