// bench_present.cpp -- cost of presenting one frame (2X, 3X, 4X, with and without scanlines) and
// of drawing a line of text, per colour depth: the presentation runs every frame, 29 a second.
// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>
#include <errno.h>
#include <stdlib.h>
#include <string>
#include "gfx/gfx.h"

namespace {

struct Screens {
    BITMAP *frame, *window;
};

// A 256x192 frame with a pattern and a window bitmap of the scale at the depth.
Screens screens(int bpp, int scale = 2) {
    static bool started = false;
    if (!started) {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        started = true;
    }
    set_color_depth(bpp);
    GFX_init();
    Screens s = {create_bitmap(256, 192), create_bitmap(256 * scale, 192 * scale)};
    for (int y = 0; y < 192; y++)
        for (int x = 0; x < 256; x++)
            putpixel(s.frame, x, y, makecol(x, y, x ^ y));
    return s;
}

void release(Screens &s) {
    destroy_bitmap(s.frame);
    destroy_bitmap(s.window);
    GFX_scanlines();
}

// BM_Present/<scale>/<depth>/<scanlines>: the game's presentation into a memory window.
void BM_Present(benchmark::State &state) {
    int scale = (int)state.range(0);
    Screens s = screens((int)state.range(1), scale);
    state.range(2) ? GFX_scanlines() : GFX_noscanlines();
    for (auto _ : state)
        GFX_present_scaled(s.frame, s.window, scale, 0, 0);
    release(s);
}
BENCHMARK(BM_Present)
    ->ArgsProduct({{2, 3, 4}, {15, 16, 32}, {1}})
    ->ArgsProduct({{2, 4}, {16, 32}, {0}})
    ->Unit(benchmark::kMicrosecond);

// The same picture the way Allegro draws it (the presentation before it was rewritten): a
// stretch_blit and one draw_trans_sprite of a black row per darkened row.
void BM_AllegroPresent(benchmark::State &state) {
    int scale = (int)state.range(0);
    Screens s = screens((int)state.range(1), scale);
    BITMAP *black = create_bitmap(256 * scale, 1);
    clear_bitmap(black);
    for (auto _ : state) {
        stretch_blit(s.frame, s.window, 0, 0, 256, 192, 0, 0, 256 * scale, 192 * scale);
        for (int y = scale - 1; y < 192 * scale; y += scale)
            draw_trans_sprite(s.window, black, 0, y);
    }
    destroy_bitmap(black);
    release(s);
}
BENCHMARK(BM_AllegroPresent)->ArgsProduct({{2, 3, 4}, {15, 16, 32}})->Unit(benchmark::kMicrosecond);

// A status line's worth of outlined text (nine passes of 32 characters).
void BM_OutlinedTextLine(benchmark::State &state) {
    Screens s = screens(16);
    const char *data = getenv("VB_DATA_DIR");
    std::string font = std::string(data ? data : "build/data") + "/resources/ATARI.8x8";
    GFX_load_font(font.c_str());
    for (auto _ : state)
        GFX_gprintb(s.frame, 0, 100, -1, "RETRY x 5     LEVEL 1 - 25  ABCD");
    release(s);
}
BENCHMARK(BM_OutlinedTextLine)->Unit(benchmark::kMicrosecond);

} // namespace
