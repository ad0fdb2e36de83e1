// render.h -- drawing a room into the 240x144 room view, the shadow pass, the game frame.
#pragma once
#include "game/estado.h"

extern int nubes1_x, nubes2_x; // cloud scroll positions, 1/256 pixel, 0..61439

// Draws room `room` into room_view and moves the particles. Called by play once per frame.
void render(Player player, Mover enemies[ENEMY_SLOTS], Mover platforms[PLATFORM_SLOTS],
            Room rooms[ROOM_COUNT], Pickup levers[PICKUP_SLOTS], Pickup energy_items[PICKUP_SLOTS],
            unsigned char room, BITMAP *tiles[TILE_COUNT], BITMAP *sprites[TILE_COUNT],
            BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *room_view, LevelHeader header);

// Casts the scene's shadow onto the background in room_view. Called by render in world 4.
void traza_sombras(Player player, Mover enemies[ENEMY_SLOTS], Mover platforms[PLATFORM_SLOTS],
                   Room rooms[ROOM_COUNT], Pickup levers[PICKUP_SLOTS],
                   Pickup energy_items[PICKUP_SLOTS], unsigned char room, BITMAP *tiles[TILE_COUNT],
                   BITMAP *sprites[TILE_COUNT], BITMAP *backgrounds[BACKGROUND_COUNT],
                   BITMAP *room_view, LevelHeader header);

// Composes the game frame (border, status lines, energy bar, room) into frame_buffer without
// presenting it; outlined selects GFX_gprintb (play) or GFX_gprint (the dialog) for the status
// lines. Called by blitter, the dialog and the frame benchmark.
void blitter_compose(BITMAP *room_view, BITMAP *frame_picture, BITMAP *frame_buffer,
                     BITMAP *bar_empty, BITMAP *bar_full, int energy, int level, int room_number,
                     int retries, int outlined);

// Composes the game frame and presents it. Called by play once per frame.
void blitter(BITMAP *room_view, BITMAP *frame_picture, BITMAP *frame_buffer, BITMAP *bar_empty,
             BITMAP *bar_full, int energy, int level, int room_number, int retries);
