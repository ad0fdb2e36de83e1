// fuzz_mapfile.cpp -- any bytes fed to the map reader as a map file: refused or read, never harm.
#include <errno.h>
#include <stdint.h>
#include <stdlib.h>
#include <allegro.h>
#include "level/mapimagen.h"

// The reader's destination, made once: a level's records and pictures at 16 bits per pixel.
static struct {
    unsigned char flags;
    ReservedRecord reserved[7];
    LevelHeader header;
    Room rooms[ROOM_COUNT];
    FilePickup levers[PICKUP_SLOTS], energy[PICKUP_SLOTS];
    BITMAP *bg[BACKGROUND_COUNT], *tiles[TILE_COUNT], *sprites[TILE_COUNT];
    int effect;
} fz;

static int lines; // lines the reader has logged for the current input

static void count_line(const char *) {
    lines++;
}

static void start(void) {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(16);
    for (int i = 0; i < BACKGROUND_COUNT; i++)
        fz.bg[i] = create_bitmap(240, 144);
    for (int i = 0; i < TILE_COUNT; i++) {
        fz.tiles[i] = create_bitmap(CELL, CELL);
        fz.sprites[i] = create_bitmap(CELL, CELL);
    }
    MAP_set_log(count_line); // most inputs are refused: the log would grow by megabytes a minute
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static bool started = false;
    if (!started) {
        start();
        started = true;
    }
    lines = 0;
    int ok = cargarMapaMemoria(data, size, "fuzz", &fz.flags, fz.reserved, &fz.header, fz.rooms,
                               fz.levers, fz.energy, fz.bg, fz.tiles, fz.sprites, &fz.effect);
    if (!ok && (fz.effect != -1 || lines == 0))
        __builtin_trap(); // a refusal says why and leaves no effect number behind
    return 0;
}
