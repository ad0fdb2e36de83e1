// fuzz_userlevel.cpp -- hostile levels through everything play does with one: each input is a
// sound level made in memory with the fuzzer's bytes written over its header, room records and
// pickup lists, so every run gets past the reader. It is loaded as play loads a level, played
// from a room the input names for a few hundred frames of random keys, and drawn every frame.
//
// Input: byte 0 the room to start in, byte 1 the keys' seed, then the bytes written over the
// level image from its first byte (header, 25 rooms, levers, energy items).
#include <errno.h>
#include <initializer_list>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <allegro.h>
#include "game/partida.h"
#include "gfx/gfx.h"
#include "level/mapimagen.h"
#include "level/sanitize.h"
#include "platform/cierre.h"
#include "platform/config.h"
#include "render/render.h"

enum { FRAMES = 300, OVERLAY = IMG_RESERVED, FILE_SIZE = 1 + LEVEL_IMAGE_SIZE };

static unsigned char *base, *input; // the sound level's file bytes, and the one being played
static int frames;
static unsigned keys_state;

static char fuzz_dir[] = "/tmp/vb-fuzz-userlevel-XXXXXX";

static void fuzz_clean(void) {
    rmdir("log.txt");
    rmdir(fuzz_dir);
}

// Every room: a floor, a start on it, a lever, an enemy and a platform on their paths, an energy
// item; an exit door in the last room. The plain form, pictures left at zero.
static void make_base(void) {
    static Level lv;
    memset(&lv.header, 0, sizeof lv.header);
    lv.header.door_room_col = lv.header.door_room_row = 4;
    lv.header.door_col = 13;
    lv.header.door_row = 6;
    for (int r = 0; r < ROOM_COUNT; r++) {
        Room *room = &lv.rooms[r];
        memset(room, 0, sizeof *room);
        room->background = (signed char)(r / 5);
        for (int row = 0; row < ROOM_ROWS; row++)
            for (int col = 0; col < ROOM_COLS; col++)
                room->cells[row][col] = Cell{(short)(row == 8 ? 24 * (r / 5) + 1 : -1), -1,
                                             (unsigned char)(row == 8 ? ATTR_SOLID : 0), 0};
        for (int i = 0; i < ENEMY_SLOTS; i++)
            room->enemies[i] = MoverEntry{0, 0, 0, 0, 0, -1};
        for (int i = 0; i < PLATFORM_SLOTS; i++)
            room->platforms[i] = MoverEntry{0, 0, 0, 0, 0, -1};
        room->enemies[0] = MoverEntry{4, 7, 9, 7, 1, 3};
        room->platforms[0] = MoverEntry{2, 5, 6, 5, 2, 13};
        room->platforms[1] = MoverEntry{8, 7, 8, 7, 0, 23};
        room->start_col = 1;
        room->start_row = 7;
        room->start_look_col = 1;
        lv.levers[r] = FilePickup{(signed char)(r % 5), (signed char)(r / 5), 13, 7};
        lv.energy_items[r] = FilePickup{(signed char)(r % 5), (signed char)(r / 5), 6, 4};
    }
    base = (unsigned char *)calloc(FILE_SIZE, 1);
    input = (unsigned char *)malloc(FILE_SIZE);
    if (!base || !input) abort();
    base[0] = MAP_PLAYABLE | 2 << MAP_DEPTH_SHIFT;
    unsigned char *img = base + 1;
    memcpy(img + IMG_HEADER, &lv.header, sizeof lv.header);
    memcpy(img + IMG_ROOMS, lv.rooms, sizeof lv.rooms);
    memcpy(img + IMG_LEVERS, lv.levers, sizeof lv.levers);
    memcpy(img + IMG_ENERGY, lv.energy_items, sizeof lv.energy_items);
}

// Works in a directory of its own where the log cannot be written (a folder holds its name): a
// fixed level is logged on every load, and play logs every room start.
extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    if (!mkdtemp(fuzz_dir) || chdir(fuzz_dir) != 0 || mkdir("log.txt", 0700) != 0) abort();
    atexit(fuzz_clean);
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(16);
    set_color_conversion(COLORCONV_TOTAL);
    GFX_init(); // the blender the translucent drawing uses
    CFG_soundon = 0;
    if (!MAP_create_pictures(&play_level) || !RENDER_create_layers()) abort();
    PALETTE pal;
    RENDER_load_pictures(pal); // none are there: drawing goes without them
    make_base();
    return 0;
}

// The inputs of the next frame, from the input's seed: walking and jumping (the retry hook says no
// after every frame), never leaving.
static FrameInput next_in;
static void next_keys(void) {
    keys_state = keys_state * 1103515245u + 12345u;
    unsigned bits = keys_state >> 16;
    next_in = FrameInput{};
    next_in.left = bits & 1;
    next_in.right = bits >> 1 & 1;
    next_in.high_jump = (bits >> 2 & 1) || (bits >> 4 & 1);
    next_in.long_jump = (bits >> 3 & 1) || (bits >> 5 & 1);
}

static void frame_input(FrameInput *in) {
    *in = next_in;
}

static void frame_done(void) {
    if (++frames >= FRAMES) close_button_pressed = 1; // ends play after this frame
    next_keys();
}

static int say_no(void) {
    return 0;
}

static int playable(int room) {
    return LEVEL_room_playable(play_level.rooms, partida.levers, room);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 2) return 0;
    memcpy(input, base, FILE_SIZE);
    size_t n = size - 2 < (size_t)OVERLAY ? size - 2 : (size_t)OVERLAY;
    memcpy(input + 1, data + 2, n);
    PARTIDA_reset();
    if (!LEVEL_load_memory(input, FILE_SIZE, "fuzz", &play_level, partida.levers,
                           partida.energy_items))
        __builtin_trap(); // only the records changed: the reader must take it
    frames = 0;
    keys_state = data[1];
    close_button_pressed = 0;
    GAME_level = 1;
    GAME_sublevel = data[0] % ROOM_COUNT + 1;
    next_in = FrameInput{};
    PartidaLoop loop = {nullptr, RENDER_frame, frame_done, nullptr, say_no, playable, frame_input};
    PARTIDA_play_rooms(&loop);
    close_button_pressed = 0;
    // Play stayed in a room of the level, and every mover on its path inside the room.
    if (partida.room < 0 || partida.room >= ROOM_COUNT) __builtin_trap();
    for (const Mover *list : {partida.enemies, partida.platforms})
        for (int i = 0; i < PLATFORM_SLOTS - 1; i++)
            if (list[i].kind != -1 && (list[i].x < 0 || list[i].x > ROOM_W - CELL ||
                                       list[i].y < 0 || list[i].y > ROOM_H - CELL))
                __builtin_trap();
    return 0;
}
