// bench_blend.cpp -- speed of our blend operations per variant, beside Allegro's own blenders.
// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>
#include <algorithm>
#include <errno.h>
#include <stdlib.h>
#include <string>
#include <vector>
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
        // A light blob like the renderer's: an ellipse of colour shading toward its rim, mask
        // colour outside it (about a quarter of the pixels).
        for (int y = 0; y < VIEW_H; y++)
            for (int x = 0; x < VIEW_W; x++) {
                double ex = (x - VIEW_W / 2 + 0.5) / (VIEW_W / 2 * 0.977);
                double ey = (y - VIEW_H / 2 + 0.5) / (VIEW_H / 2 * 0.977);
                double r2 = ex * ex + ey * ey;
                int level = (int)(255 * (1 - r2));
                putpixel(p.src, x, y,
                         r2 > 1 ? bitmap_mask_color(p.src)
                                : makecol_depth(bpp, level, level * 3 / 4, (x * 2 + y) & 255));
                putpixel(p.dst, x, y, makecol_depth(bpp, (x * 3) & 255, (y * 5) & 255, 96));
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

// The fastest repetition: on a shared machine the least disturbed run is the truest.
double fastest(const std::vector<double> &v) {
    return *std::min_element(v.begin(), v.end());
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
                                             run_ours, fns[op], bpp, ids[v])
                    ->ComputeStatistics("min", fastest);
            benchmark::RegisterBenchmark(("BM_AllegroBlend/" + tail).c_str(), run_allegro, op, bpp)
                ->ComputeStatistics("min", fastest);
        }
    return 0;
}();

} // namespace
