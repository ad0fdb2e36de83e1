// bench_partida.cpp -- the headless frame step (no drawing) that the level checker plays through,
// in a busy room of each world.
// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>
#include <string.h>
#include "game/partida.h"

namespace {

// A room with every mover slot in use, a block, belts, ledges and hurting cells.
void busy_room(int number) {
    PARTIDA_reset(&partida, &efectos);
    GAME_level = 1;
    GAME_sublevel = number;
    Room *r = &play_level.rooms[number - 1];
    memset(r, 0, sizeof *r);
    for (int row = 0; row < ROOM_ROWS; row++)
        for (int col = 0; col < ROOM_COLS; col++) {
            unsigned char a = 0;
            if (row == 8 || (row == 5 && col % 4 == 0)) a = ATTR_SOLID;
            if (row == 8 && col > 9) a |= ATTR_BELT_LEFT;
            if (row == 3 && col > 5 && col < 11) a = ATTR_LEDGE;
            if (row == 7 && col == 12) a = ATTR_HURTS;
            r->cells[row][col] = Cell{-1, -1, a, 0};
        }
    for (int i = 0; i < ENEMY_SLOTS; i++)
        r->enemies[i] = MoverEntry{(signed char)(i % 15),      (signed char)(1 + i % 7),
                                   (signed char)(14 - i % 15), (signed char)(1 + (i + 3) % 7),
                                   (signed char)(1 + i % 3),   (signed char)(3 + i % 10)};
    for (int i = 0; i < PLATFORM_SLOTS; i++)
        r->platforms[i] = MoverEntry{(signed char)(i % 15),
                                     (signed char)(2 + i % 6),
                                     (signed char)((i + 5) % 15),
                                     (signed char)(2 + i % 6),
                                     1,
                                     (signed char)(i == 3 ? 23 : 13 + i % 10)};
    r->start_col = 1;
    r->start_row = 7;
    for (int i = 0; i < PICKUP_SLOTS; i++)
        partida.levers[i].room = 255;
    PARTIDA_start_room(&partida, &efectos, &play_level);
}

void BM_PartidaFrameHeadless(benchmark::State &state) {
    busy_room((int)state.range(0) * 5 + 1);
    int f = 0;
    for (auto _ : state) {
        FrameInput in = {};
        in.right = (f / 40) % 2 == 0;
        in.left = (f / 40) % 2 == 1;
        in.high_jump = f % 50 == 0;
        partida.player.energy = 255;
        FrameEvents ev;
        PARTIDA_frame(&partida, &efectos, &play_level, &in, &ev, nullptr);
        f++;
    }
    state.SetLabel("world " + std::to_string(state.range(0)));
}
BENCHMARK(BM_PartidaFrameHeadless)->DenseRange(0, 4);

} // namespace
