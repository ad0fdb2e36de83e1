// escena.h -- drawing pieces shared by the room renderer and the shadow pass.
// SPDX-License-Identifier: MIT
#pragma once
#include "game/estado.h"

// Picture n of a tile or sprite table, or null when n lies outside the table or the entry is
// missing. Every tile and sprite number the renderer uses goes through here.
BITMAP *escena_pic(BITMAP *const table[TILE_COUNT], int n);

// Copies a 16x16 picture onto dst at (x, y), skipping mask pixels; a null picture draws nothing.
void escena_copy16(BITMAP *pic, BITMAP *dst, int x, int y);

// The sprite number of the player for its state: falling, jumping or one of three ground frames.
int escena_player_sprite(const Player &player);

// Levers and energy items standing in room r, taken or not.
void escena_pickups(const Pickup levers[PICKUP_SLOTS], const Pickup energy_items[PICKUP_SLOTS],
                    int r, BITMAP *const sprites[TILE_COUNT], BITMAP *dst);

// Enemies (mirrored when moving left) and platforms (never mirrored).
void escena_movers(const Mover enemies[ENEMY_SLOTS], const Mover platforms[PLATFORM_SLOTS],
                   BITMAP *const sprites[TILE_COUNT], BITMAP *dst);

// The player's sprite at its pixel position.
void escena_player(const Player &player, BITMAP *const sprites[TILE_COUNT], BITMAP *dst);
