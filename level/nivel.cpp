// nivel.cpp -- loading a level: the map reader and the checks of its records into one Level, the
// reason when it fails, the in-memory pickups, and the game's loader names over them.
// SPDX-License-Identifier: MIT
#include "level/nivel.h"
#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include "gfx/picture.h"
#include "level/sanitize.h"
#include "platform/loga.h"
#include "util/cadena.h"

enum { PATH_CAPACITY = 99 }; // characters a CADENA holds

void LEVEL_convert_pickups(const FilePickup from[PICKUP_SLOTS], Pickup to[PICKUP_SLOTS]) {
    for (int i = 0; i < PICKUP_SLOTS; i++) {
        to[i].room = (unsigned char)(from[i].room_row * 5 + from[i].room_col);
        to[i].active = 1;
        to[i].tx = from[i].col;
        to[i].ty = from[i].row;
    }
}

// The checks of a level just read, and the reason when the read failed: the reader's own line, or
// for a file the reader says nothing about (it is missing), why it cannot be read.
static int finish(int ok, const char *path, const MapFault *fault, bool on_disk, Level *lv,
                  LevelLoad *result) {
    result->fixed = 0;
    result->why[0] = 0;
    if (ok) {
        result->fixed = LEVEL_sanitize(&lv->header, lv->rooms, lv->levers, lv->energy_items);
        return 1;
    }
    struct stat st;
    if (fault->line[0])
        snprintf(result->why, sizeof result->why, "%s", fault->line);
    else if (on_disk && stat(path, &st) != 0)
        snprintf(result->why, sizeof result->why, "map %.300s: %s", path, strerror(errno));
    else
        snprintf(result->why, sizeof result->why, "map %.300s cannot be read", path);
    return 0;
}

int LEVEL_load(const char *path, int what, Level *lv, LevelLoad *result) {
    MapFault fault;
    int ok = MAP_load(path, what, lv, &fault);
    return finish(ok, path, &fault, true, lv, result);
}

int LEVEL_load_memory(const unsigned char *data, size_t size, const char *name, int what, Level *lv,
                      LevelLoad *result) {
    MapFault fault;
    int ok = MAP_load_memory(data, size, name, what, lv, &fault);
    return finish(ok, name, &fault, false, lv, result);
}

void LEVEL_log_fixes(const char *path, int fixed) {
    if (!fixed) return;
    char what[160], line[400];
    LEVEL_fix_names(fixed, what, sizeof what);
    snprintf(line, sizeof line, "level %.200s needed fixing: %s", path, what);
    loga(line);
}

// The loader's own storage for what its callers do not keep (flags, file pickups, reserved
// records, effect number), around the callers' pictures.
static Level scratch;

static void lend_pictures(BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *tiles[TILE_COUNT],
                          BITMAP *sprites[TILE_COUNT]) {
    memcpy(scratch.backgrounds, backgrounds, sizeof scratch.backgrounds);
    memcpy(scratch.tiles, tiles, sizeof scratch.tiles);
    memcpy(scratch.sprites, sprites, sizeof scratch.sprites);
}

// Copies the records of scratch out to the caller, the pickups in their in-memory form.
static void hand_out(LevelHeader *header, Room rooms[ROOM_COUNT], Pickup levers[PICKUP_SLOTS],
                     Pickup energy_items[PICKUP_SLOTS]) {
    *header = scratch.header;
    memcpy(rooms, scratch.rooms, sizeof scratch.rooms);
    LEVEL_convert_pickups(scratch.levers, levers);
    LEVEL_convert_pickups(scratch.energy_items, energy_items);
}

short carga_fase(const char *name, LevelHeader *header, Room rooms[ROOM_COUNT],
                 Pickup levers[PICKUP_SLOTS], Pickup energy_items[PICKUP_SLOTS],
                 BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *tiles[TILE_COUNT],
                 BITMAP *sprites[TILE_COUNT]) {
    static const char dir[] = "maps/";
    if (!name || strlen(dir) + strlen(name) > PATH_CAPACITY) {
        char line[160];
        snprintf(line, sizeof line, "level name too long for the maps path: %.60s...",
                 name ? name : "(none)");
        loga(line);
        return 0;
    }
    CADENA path = concatenar_cadenas2(dir, name);
    lend_pictures(backgrounds, tiles, sprites);
    LevelLoad load;
    if (!LEVEL_load(path.caracteres, MAP_PICTURES, &scratch, &load)) return 0;
    LEVEL_log_fixes(path.caracteres, load.fixed);
    hand_out(header, rooms, levers, energy_items);
    return 1;
}

int cargar(const char *path, LevelHeader *header, Room rooms[ROOM_COUNT],
           Pickup levers[PICKUP_SLOTS], Pickup energy_items[PICKUP_SLOTS],
           BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *tiles[TILE_COUNT],
           BITMAP *sprites[TILE_COUNT]) {
    lend_pictures(backgrounds, tiles, sprites);
    if (!MAP_read_old(path, &scratch)) return 0;
    hand_out(header, rooms, levers, energy_items);
    return 1;
}

int recorta_tiles(const char *path, BITMAP *tiles[TILE_COUNT]) {
    enum { SHEET_COLS = 24, SHEET_W = SHEET_COLS * CELL, SHEET_H = 10 * CELL };
    PALETTE pal;
    BITMAP *sheet = GFX_load_picture(path, pal, nullptr);
    char line[300];
    if (!sheet) {
        snprintf(line, sizeof line, "tile sheet %s cannot be loaded", path);
        loga(line);
        return 0;
    }
    if (sheet->w < SHEET_W || sheet->h < SHEET_H) {
        snprintf(line, sizeof line, "tile sheet %s is %dx%d, smaller than %dx%d", path, sheet->w,
                 sheet->h, SHEET_W, SHEET_H);
        loga(line);
        destroy_bitmap(sheet);
        return 0;
    }
    for (int i = 0; i < TILE_COUNT; i++)
        if (tiles[i])
            blit(sheet, tiles[i], i % SHEET_COLS * CELL, i / SHEET_COLS * CELL, 0, 0, CELL, CELL);
    destroy_bitmap(sheet);
    return 1;
}
