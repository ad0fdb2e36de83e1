// bench_present.cpp -- cost of presenting one frame (doubling, with and without scanlines) and of
// drawing a line of text, per colour depth: the presentation runs every frame at 29 per second.
#include <benchmark/benchmark.h>
#include <errno.h>
#include <stdlib.h>
#include <string>
#include "gfx/gfx.h"

namespace {

struct Screens {
    BITMAP *frame, *window;
};

// A 256x192 frame with a pattern and a 512x384 window bitmap at the depth.
Screens screens(int bpp) {
    static bool started = false;
    if (!started) {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        started = true;
    }
    set_color_depth(bpp);
    GFX_init();
    Screens s = {create_bitmap(256, 192), create_bitmap(512, 384)};
    for (int y = 0; y < 192; y++)
        for (int x = 0; x < 256; x++)
            putpixel(s.frame, x, y, makecol(x, y, x ^ y));
    return s;
}

void BM_PresentScanlines(benchmark::State &state) {
    Screens s = screens((int)state.range(0));
    GFX_scanlines();
    for (auto _ : state)
        GFX_present_into(s.frame, s.window);
    destroy_bitmap(s.frame);
    destroy_bitmap(s.window);
}
BENCHMARK(BM_PresentScanlines)->Arg(15)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

void BM_PresentPlain(benchmark::State &state) {
    Screens s = screens((int)state.range(0));
    GFX_noscanlines();
    for (auto _ : state)
        GFX_present_into(s.frame, s.window);
    GFX_scanlines();
    destroy_bitmap(s.frame);
    destroy_bitmap(s.window);
}
BENCHMARK(BM_PresentPlain)->Arg(16)->Arg(32)->Unit(benchmark::kMicrosecond);

// A status line's worth of outlined text (nine passes of 32 characters).
void BM_OutlinedTextLine(benchmark::State &state) {
    Screens s = screens(16);
    const char *data = getenv("VB_DATA_DIR");
    std::string font = std::string(data ? data : "build/data") + "/resources/ATARI.8x8";
    GFX_load_font(font.c_str());
    for (auto _ : state)
        GFX_gprintb(s.frame, 0, 100, -1, "RETRY x 5     LEVEL 1 - 25  ABCD");
    destroy_bitmap(s.frame);
    destroy_bitmap(s.window);
}
BENCHMARK(BM_OutlinedTextLine)->Unit(benchmark::kMicrosecond);

} // namespace
