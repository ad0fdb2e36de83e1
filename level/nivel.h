// nivel.h -- loading a level for play: the "maps/" path, the map reader, the in-memory pickups.
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

// Reads the level file at path into the caller's storage, makes its records safe (LEVEL_sanitize,
// one log line naming what needed fixing) and converts both pickup lists; 1 on success, 0 when the
// level cannot be read (anything but a regular file is refused unopened).
short LEVEL_load_file(const char *path, LevelHeader *header, Room rooms[ROOM_COUNT],
                      Pickup levers[PICKUP_SLOTS], Pickup energy_items[PICKUP_SLOTS],
                      BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *tiles[TILE_COUNT],
                      BITMAP *sprites[TILE_COUNT]);
// Loads a map file held in memory as LEVEL_load_file loads one from disk, with the same checks,
// into lv's header and rooms (its file pickup lists are left as stored, its pictures as they are:
// the pixels are not read); name is only used in log lines.
short LEVEL_load_memory(const unsigned char *data, size_t size, const char *name, Level *lv,
                        Pickup levers[PICKUP_SLOTS], Pickup energy_items[PICKUP_SLOTS]);
// A file pickup list into its in-memory form: room index from the map cell, active, signed cell.
void LEVEL_convert_pickups(const FilePickup from[PICKUP_SLOTS], Pickup to[PICKUP_SLOTS]);

// Reads "maps/" + name as LEVEL_load_file does; 1 on success, 0 when the level cannot be read.
short carga_fase(const char *name, LevelHeader *header, Room rooms[ROOM_COUNT],
                 Pickup levers[PICKUP_SLOTS], Pickup energy_items[PICKUP_SLOTS],
                 BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *tiles[TILE_COUNT],
                 BITMAP *sprites[TILE_COUNT]);

// Reads an old-form level from path (no directory added); 1 on success. Not called by the game.
int cargar(const char *path, LevelHeader *header, Room rooms[ROOM_COUNT],
           Pickup levers[PICKUP_SLOTS], Pickup energy_items[PICKUP_SLOTS],
           BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *tiles[TILE_COUNT],
           BITMAP *sprites[TILE_COUNT]);

// Cuts a 384x160 PCX sheet into 240 16x16 bitmaps; 0 when the picture cannot be loaded.
// Not called by the game.
int recorta_tiles(const char *path, BITMAP *tiles[TILE_COUNT]);
