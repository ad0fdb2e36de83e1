// bench_level.cpp -- how long reading a packed level takes, with pictures like the game's.
// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>
#include <errno.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <allegro.h>
#include "level/nivel.h"

// A level with its pictures at one depth.
static Level *bench_level_new(int depth) {
    static bool started = false;
    if (!started) {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        started = true;
    }
    set_color_depth(depth);
    Level *lv = (Level *)calloc(1, sizeof *lv);
    MAP_create_pictures(lv);
    return lv;
}

// Smooth random backgrounds (waves and gradients with a little grain), tiles with shading and
// flecks, sprites as blobs on the mask colour: about what hand-drawn pictures pack like.
static void paint(Level *lv, int depth) {
    srand(12345);
    for (int i = 0; i < BACKGROUND_COUNT; i++) {
        double fx = 0.02 + (rand() % 100) / 2000.0, fy = 0.03 + (rand() % 100) / 1500.0;
        int base = rand() % 128;
        for (int y = 0; y < 144; y++)
            for (int x = 0; x < 240; x++) {
                int r = base + (int)(60 * sin(x * fx + y * fy)) + (rand() & 7);
                int g = base / 2 + y / 2 + (int)(30 * cos(y * fx));
                int b = 200 - y + (rand() & 3);
                putpixel(lv->backgrounds[i], x, y, makecol_depth(depth, r & 255, g & 255, b & 255));
            }
    }
    for (int i = 0; i < TILE_COUNT; i++) {
        int hue = rand() % 200;
        for (int y = 0; y < CELL; y++)
            for (int x = 0; x < CELL; x++) {
                int shade = hue + x * 2 + y * 3 + ((rand() % 9 == 0) ? 40 : 0);
                putpixel(lv->tiles[i], x, y, makecol_depth(depth, shade & 255, hue, 255 - hue));
            }
        clear_to_color(lv->sprites[i], makecol_depth(depth, 255, 0, 255));
        circlefill(lv->sprites[i], 8, 8, 3 + i % 5, makecol_depth(depth, hue, 255 - hue, 90));
        putpixel(lv->sprites[i], 6, 6, makecol_depth(depth, 255, 255, 255));
    }
    for (int r = 0; r < ROOM_COUNT; r++) {
        lv->rooms[r].background = (signed char)(r % 5);
        for (int row = 0; row < ROOM_ROWS; row++)
            for (int col = 0; col < ROOM_COLS; col++) {
                Cell *c = &lv->rooms[r].cells[row][col];
                c->back_tile = (short)(rand() % 4 ? -1 : rand() % TILE_COUNT);
                c->front_tile = -1;
                c->attr = row == ROOM_ROWS - 1 ? ATTR_SOLID : 0;
            }
    }
}

// The packed level file the benchmarks read, written once at 16 bits per pixel.
static const char *level_file(long *size) {
    static char path[64] = "";
    static long bytes = 0;
    if (!path[0]) {
        Level *lv = bench_level_new(16);
        paint(lv, 16);
        snprintf(path, sizeof path, "/tmp/vbbench_%d.vb3", (int)getpid());
        lv->flags = MAP_PLAYABLE | MAP_COMPRESSED;
        lv->effect = -1;
        if (!MAP_write(path, lv)) path[0] = 0;
        struct stat st;
        bytes = path[0] && stat(path, &st) == 0 ? (long)st.st_size : 0;
        if (path[0]) atexit([] { unlink(path); });
    }
    *size = bytes;
    return path;
}

static void load_at(benchmark::State &state, int depth) {
    long bytes;
    const char *path = level_file(&bytes);
    if (!path[0]) {
        state.SkipWithError("could not write the level");
        return;
    }
    Level *lv = bench_level_new(depth);
    for (auto _ : state) {
        LevelLoad load;
        if (!LEVEL_load(path, MAP_PICTURES, lv, &load)) {
            state.SkipWithError(load.why);
            break;
        }
        benchmark::DoNotOptimize(lv->flags);
    }
    state.counters["file_bytes"] = (double)bytes;
    state.SetBytesProcessed((int64_t)state.iterations() * LEVEL_IMAGE_SIZE);
}

// Reading the packed level at the depth it was written at, as the game does.
static void BM_LoadLevel(benchmark::State &state) {
    load_at(state, 16);
}
BENCHMARK(BM_LoadLevel)->Unit(benchmark::kMillisecond);

// Reading the same level into 32-bit pictures, every value converted.
static void BM_LoadLevelAt32(benchmark::State &state) {
    load_at(state, 32);
}
BENCHMARK(BM_LoadLevelAt32)->Unit(benchmark::kMillisecond);
