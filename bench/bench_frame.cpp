// bench_frame.cpp -- one game frame (room drawing and frame composition) in a busy room of each
// world at 16 bpp, without the copy to the window.
// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>
#include <string.h>
#include "render/render.h"
#include <errno.h>
#include <stdlib.h>

namespace {

// Everything a frame draws from, made once; the renderer's pictures are in its record.
struct Escena {
    Level level;
    Partida play;
};
Escena e;

// A 16x16 picture with a mask-colour corner, so masked copies do real work.
BITMAP *patterned(int w, int h, int colour) {
    BITMAP *b = create_bitmap(w, h);
    clear_to_color(b, colour);
    rectfill(b, 0, 0, w / 4, h / 4, makecol(255, 0, 255));
    return b;
}

void make_scene() {
    static bool made = false;
    if (made) return;
    made = true;
    install_allegro(SYSTEM_NONE, &errno, atexit); // memory bitmaps only, no window
    set_color_depth(16);
    set_trans_blender(0, 0, 0, 64);
    for (int i = 0; i < TILE_COUNT; i++) {
        e.level.tiles[i] = patterned(CELL, CELL, makecol(i, 255 - i, (i * 7) & 255));
        e.level.sprites[i] = patterned(CELL, CELL, makecol((i * 3) & 255, i, 128));
    }
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        e.level.backgrounds[i] = patterned(ROOM_W, ROOM_H, makecol(40, 50, 60 + i));
    Renderer &r = renderer;
    if (!RENDER_create_layers()) abort();
    r.frame_picture = patterned(256, 192, makecol(90, 60, 30));
    r.bar_empty = patterned(128, 16, makecol(30, 30, 30));
    r.bar_full = patterned(128, 16, makecol(200, 30, 30));
    r.sp_nubes1 = patterned(ROOM_W, 22, makecol(250, 250, 250));
    r.sp_nubes2 = patterned(ROOM_W, 22, makecol(230, 230, 240));
    r.sp_halo_verde = patterned(48, 48, makecol(0, 90, 0));
    r.sp_anti_halo = patterned(480, 288, makecol(120, 120, 120));
    r.sp_overlay_fila4 = patterned(ROOM_W, ROOM_H, makecol(0, 0, 50));
    r.sp_fancy_overlay = patterned(ROOM_W, ROOM_H, makecol(50, 0, 50));
    for (BITMAP *&g : r.sp_gotas)
        g = patterned(4, 4, makecol(100, 160, 255));
    rectfill(r.buffer_auxiliar_moco, 0, 0, ROOM_W - 1, 40, makecol(60, 200, 60));

    // Every room: walls round the edge, translucent bodies, glowing front tiles, crystals,
    // decorations in most cells.
    memset(&e.level.header, 0, sizeof e.level.header);
    for (int r = 0; r < ROOM_COUNT; r++) {
        Room &room = e.level.rooms[r];
        memset(&room, 0, sizeof room);
        room.background = r % 5;
        for (int w = 0; w < ROOM_ROWS; w++)
            for (int c = 0; c < ROOM_COLS; c++) {
                Cell &cell = room.cells[w][c];
                bool edge = w == 0 || w == ROOM_ROWS - 1 || c == 0 || c == ROOM_COLS - 1;
                cell.back_tile =
                    edge ? 24 * (r / 5) : ((w + c) % 3 == 0 ? 216 + (c % 18) : 7 + c % 5);
                cell.front_tile = (w + c) % 4 == 0 ? 216 + (w % 24) : ((w * c) % 7 == 0 ? 164 : -1);
                cell.attr = edge ? ATTR_SOLID : 0;
            }
    }
    e.level.header.door_room_col = 0; // the door stands in the first room of every world row 0
    e.level.header.door_room_row = 0;
    e.level.header.door_col = 2;
    e.level.header.door_row = 6;
    for (int i = 0; i < PICKUP_SLOTS; i++) {
        e.play.levers[i] = {(unsigned char)i, 0, short(i & 1), short(1 + i % 13), 2};
        e.play.energy_items[i] = {(unsigned char)i, 0, 1, short(1 + (i * 5) % 13), 5};
    }
    for (int i = 0; i < ENEMY_SLOTS; i++)
        e.play.enemies[i] = {short(10 * i),
                             short(16 + 5 * i),
                             short(i % 2 ? -1 : 1),
                             0,
                             short(3 + i % 10),
                             24,
                             0,
                             0,
                             0,
                             0};
    for (int i = 0; i < PLATFORM_SLOTS; i++)
        e.play.platforms[i] = {
            short(9 * i), short(100 - 2 * i), 1, 0, short(13 + i % 10), 48, 0, 0, 0, 0};
    e.play.player.energy = 200;
    e.play.level = 1;
    e.play.retries = 3;
}

// Shows every drip falling and about 300 dust puffs, as a busy room's frame step leaves them.
void feed_particles(int frame_no) {
    for (int i = 0; i < DRIP_SLOTS; i++) {
        efectos.shown[i] = (signed char)(i % 3);
        efectos.drip_x[i] = (short)(20 + 20 * i);
        efectos.drip_y[i] = (short)(16 + frame_no % 100);
    }
    for (int j = FIRST_DUST; j < PARTICLES; j++) {
        efectos.shown[j] = (signed char)(j < 310 ? 3 + j % 3 : -1);
        mvl[j] = {(40 + j % 160) * 256, (120 - frame_no % 60) * 256, 0, -400, j % 20, 1};
    }
}

void BM_Frame(benchmark::State &state) {
    make_scene();
    int world = state.range(0);
    e.play.room = world * 5 + (world == 4 ? 1 : 0);
    e.play.sublevel = e.play.room + 1;
    int frame_no = 0;
    for (auto _ : state) {
        state.PauseTiming();
        feed_particles(frame_no);
        e.play.player.x = (frame_no * 997) % PLAYER_MAX_X;
        e.play.player.y = (frame_no * 331) % PLAYER_MAX_Y;
        e.play.player.frame = (frame_no % 4) * 24;
        state.ResumeTiming();
        render(&e.play, &e.level);
        RENDER_compose(&e.play, 1);
        benchmark::ClobberMemory();
        frame_no++;
    }
}

} // namespace

BENCHMARK(BM_Frame)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);
