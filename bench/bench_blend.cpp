// bench_blend.cpp -- speed of our blend operations per variant, beside Allegro's own blenders.
#include <benchmark/benchmark.h>
#include <errno.h>
#include <stdlib.h>
#include <string>
#include "blend/blend.h"

namespace {

enum { VIEW_W = 240, VIEW_H = 144, FACT = 100 };

// A room-sized source with about a quarter mask-colour pixels, and a destination, per depth.
struct Pictures {
    BITMAP *src, *dst;
};

Pictures pictures(int bpp) {
    static Pictures made[33];
    static bool started = false;
    if (!started) {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        started = true;
    }
    Pictures &p = made[bpp];
    if (!p.src) {
        set_color_depth(bpp);
        p.src = create_bitmap_ex(bpp, VIEW_W, VIEW_H);
        p.dst = create_bitmap_ex(bpp, VIEW_W, VIEW_H);
        unsigned seed = 7;
        for (int y = 0; y < VIEW_H; y++)
            for (int x = 0; x < VIEW_W; x++) {
                seed = seed * 1103515245u + 12345u;
                int r = (seed >> 8) & 255, g = (seed >> 16) & 255, b = (x * 3 + y) & 255;
                bool masked = ((seed >> 24) & 3) == 0;
                putpixel(p.src, x, y,
                         masked ? bitmap_mask_color(p.src) : makecol_depth(bpp, r, g, b));
                putpixel(p.dst, x, y, makecol_depth(bpp, b, r, g));
            }
    }
    return p;
}

typedef void (*BlendOp)(BITMAP *, BITMAP *, int, int, int);

void run_ours(benchmark::State &state, BlendOp op, int bpp, int variant) {
    Pictures p = pictures(bpp);
    blend_force_variant(variant);
    if (blend_variant() != variant) {
        state.SkipWithError("this processor lacks the variant");
        return;
    }
    for (auto _ : state) {
        op(p.src, p.dst, 0, 0, FACT);
        benchmark::ClobberMemory();
    }
    blend_force_variant(BLEND_AUTO);
    state.SetItemsProcessed(state.iterations() * VIEW_W * VIEW_H);
}

void run_allegro(benchmark::State &state, int op, int bpp) {
    Pictures p = pictures(bpp);
    set_color_depth(bpp);
    if (op == 0) set_add_blender(0, 0, 0, FACT);
    if (op == 1) set_difference_blender(0, 0, 0, FACT);
    if (op == 2) set_trans_blender(0, 0, 0, FACT);
    for (auto _ : state) {
        draw_trans_sprite(p.dst, p.src, 0, 0);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * VIEW_W * VIEW_H);
}

const int registered = [] {
    const char *ops[3] = {"add", "sub", "trans"};
    const BlendOp fns[3] = {blend_add, blend_sub, blend_trans};
    const char *variants[3] = {"plain", "mmx", "sse"};
    const int ids[3] = {BLEND_PLAIN, BLEND_MMX, BLEND_SSE};
    for (int op = 0; op < 3; op++)
        for (int bpp : {15, 16, 32}) {
            std::string tail = std::string(ops[op]) + "/" + std::to_string(bpp);
            for (int v = 0; v < 3; v++)
                benchmark::RegisterBenchmark(("BM_Blend/" + tail + "/" + variants[v]).c_str(),
                                             run_ours, fns[op], bpp, ids[v]);
            benchmark::RegisterBenchmark(("BM_AllegroBlend/" + tail).c_str(), run_allegro, op, bpp);
        }
    return 0;
}();

} // namespace
