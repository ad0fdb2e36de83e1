// nivel.h -- loading a level for play: the "maps/" path, the map reader, the in-memory pickups.
#pragma once
#include "level/mapfile.h"

// A lever or energy item in memory: its room index, whether it is still there, and its cell.
struct Pickup {
    unsigned char room; // map row * 5 + map column
    unsigned char unused;
    short active; // 1 until taken
    short tx, ty; // cell column and row
};
static_assert(sizeof(Pickup) == 8, "pickup entry is 8 bytes");

// Reads "maps/" + name into the caller's storage and converts both pickup lists; 1 on success,
// 0 when the level cannot be read. Called by juego and the level checker.
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
