// nivel.h -- loading a level: one road from a map file to one Level record made safe for play, with
// the reason when it fails; the in-memory pickups; the game's loader names as wrappers.
// SPDX-License-Identifier: MIT
#pragma once
#include <stddef.h>
#include "level/mapfile.h"

// A lever or energy item in memory: its room index, whether it is still there, and its cell.
struct Pickup {
    unsigned char room; // map row * 5 + map column
    unsigned char unused;
    short active; // 1 until taken
    short tx, ty; // cell column and row
};
static_assert(sizeof(Pickup) == 8, "pickup entry is 8 bytes");

// What loading a level found: what its checks made safe, or why it could not be loaded.
struct LevelLoad {
    int fixed;     // FIX_ bits (level/sanitize.h) of what was changed; 0 for a sound level
    char why[400]; // why the level could not be loaded, "" when it was
};

// Loads the level file at path into lv, the one way a level comes from disk: the map reader
// (MAP_RECORDS or MAP_PICTURES, as MAP_load) and the checks that make its records safe for play
// (LEVEL_sanitize). 1 on success; 0 with the reason in result->why and lv left as it was but for
// its effect number. The checks' fixes are for the caller to tell.
int LEVEL_load(const char *path, int what, Level *lv, LevelLoad *result);
// Loads a map file held in memory exactly as LEVEL_load loads one from disk; name stands for the
// file in the reason and the log.
int LEVEL_load_memory(const unsigned char *data, size_t size, const char *name, int what, Level *lv,
                      LevelLoad *result);
// Writes the log line that names what the checks fixed ("level PATH needed fixing: start cell");
// none for a sound level.
void LEVEL_log_fixes(const char *path, int fixed);
// A file pickup list into its in-memory form: room index from the map cell, active, signed cell.
void LEVEL_convert_pickups(const FilePickup from[PICKUP_SLOTS], Pickup to[PICKUP_SLOTS]);

// Loads "maps/" + name as LEVEL_load does into the caller's storage, the pickups in their in-memory
// form; 1 on success, 0 when the level cannot be read (the storage is left as it was).
short carga_fase(const char *name, LevelHeader *header, Room rooms[ROOM_COUNT],
                 Pickup levers[PICKUP_SLOTS], Pickup energy_items[PICKUP_SLOTS],
                 BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *tiles[TILE_COUNT],
                 BITMAP *sprites[TILE_COUNT]);

// Reads an old-form level from path (no directory added) into the caller's storage, unchecked;
// 1 on success. Not called by the game.
int cargar(const char *path, LevelHeader *header, Room rooms[ROOM_COUNT],
           Pickup levers[PICKUP_SLOTS], Pickup energy_items[PICKUP_SLOTS],
           BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *tiles[TILE_COUNT],
           BITMAP *sprites[TILE_COUNT]);

// Cuts a 384x160 PCX sheet into 240 16x16 bitmaps; 0 when the picture cannot be loaded.
// Not called by the game.
int recorta_tiles(const char *path, BITMAP *tiles[TILE_COUNT]);
