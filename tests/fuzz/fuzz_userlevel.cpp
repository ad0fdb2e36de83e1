// fuzz_userlevel.cpp -- a sound level's records overwritten by input[2..], loaded as play loads a
// level, played from room input[0] for 4 s of keys from seed input[1], drawn every few frames.
// SPDX-License-Identifier: MIT
#include <errno.h>
#include <initializer_list>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <allegro.h>
#include "game/partida.h"
#include "gfx/gfx.h"
#include "level/mapimagen.h"
#include "level/sanitize.h"
#include "platform/paths.h"
#include "render/render.h"
#include "replay/replay.h"
#include "../support/sound_level.h"

enum { FRAMES = 120, DRAW_EVERY = 8, FILE_SIZE = 1 + LEVEL_IMAGE_SIZE }; // 4 s, drawn now and then

static unsigned char base[FILE_SIZE], input[FILE_SIZE]; // the sound level's file, the one played
static int frames;
static unsigned keys_state;

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    static Places nowhere = {};
    strcpy(nowhere.state, "/dev/null/nowhere"); // the log cannot be written: every load would log
    PATHS_use(&nowhere);
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(16);
    set_color_conversion(COLORCONV_TOTAL);
    GFX_init(); // the blender the translucent drawing uses
    if (!MAP_create_pictures(&play_level) || !RENDER_create_layers()) abort();
    PALETTE pal;
    RENDER_load_pictures(pal); // none are there: drawing goes without them
    static Level lv;           // base: the sound level's records, pictures left at zero
    sound_level(&lv);
    base[0] = MAP_PLAYABLE | 2 << MAP_DEPTH_SHIFT;
    memcpy(base + 1 + IMG_HEADER, &lv.header, sizeof lv.header);
    memcpy(base + 1 + IMG_ROOMS, lv.rooms, sizeof lv.rooms);
    memcpy(base + 1 + IMG_LEVERS, lv.levers, sizeof lv.levers);
    memcpy(base + 1 + IMG_ENERGY, lv.energy_items, sizeof lv.energy_items);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 2) return 0;
    memcpy(input, base, FILE_SIZE);
    memcpy(input + 1, data + 2, size - 2 < (size_t)IMG_RESERVED ? size - 2 : (size_t)IMG_RESERVED);
    PARTIDA_reset(&partida, &efectos);
    partida.sound_on = 0;
    LevelLoad load;
    if (!LEVEL_load_memory(input, FILE_SIZE, "fuzz", MAP_RECORDS, &play_level, &load))
        __builtin_trap(); // only the records changed: the reader must take it
    PARTIDA_place_pickups(&partida, &play_level);
    frames = 0;
    keys_state = data[1];
    GAME_level = 1;
    GAME_sublevel = data[0] % ROOM_COUNT + 1;
    PartidaLoop loop = {
        nullptr,
        [](const Partida *, const Efectos *, const Level *, const FrameEvents *so_far) {
            if (so_far->room_start) RENDER_start_room();
            if (frames % DRAW_EVERY == 0) RENDER_frame();
        },
        [](const FrameEvents *) { // the player stays in the room and never above full energy
            const Player &p = partida.player;
            if (p.x < 0 || p.x > PLAYER_MAX_X || p.y < 0 || p.y > PLAYER_MAX_Y || p.energy > 255)
                __builtin_trap();
            frames++;
        },
        nullptr,
        [] { return 0; }, // no retry
        [](int room) { return LEVEL_room_playable(play_level.rooms, partida.levers, room); },
        [](FrameInput *in) { // keys from the seed: walking and jumping, never leaving; then closing
            keys_state = keys_state * 1103515245u + 12345u;
            *in = REPLAY_input_of(keys_state >> 16 & (REPLAY_KEY_LEAVE - 1)); // walks and jumps
            in->close = frames >= FRAMES;
        }};
    PARTIDA_play_rooms(&partida, &efectos, &play_level, &loop);
    // Play stayed in a room of the level, and every mover on its path inside the room.
    if (partida.room < 0 || partida.room >= ROOM_COUNT) __builtin_trap();
    for (const Mover *list : {partida.enemies, partida.platforms})
        for (int i = 0; i < PLATFORM_SLOTS - 1; i++)
            if (list[i].kind != -1 && (list[i].x < 0 || list[i].x > ROOM_W - CELL ||
                                       list[i].y < 0 || list[i].y > ROOM_H - CELL))
                __builtin_trap();
    return 0;
}
