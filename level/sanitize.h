// sanitize.h -- a level's records made safe for play and drawing on load: every field they read is
// checked or clamped here, in one place, and which rooms can be played.
// SPDX-License-Identifier: MIT
#pragma once
#include <stddef.h>
#include "level/nivel.h"

// What LEVEL_sanitize had to fix, one bit per kind of field.
enum {
    FIX_DOOR = 1,
    FIX_LEVERS = 2,
    FIX_ENERGY = 4,
    FIX_START = 8,
    FIX_BACKGROUND = 16,
    FIX_TILES = 32,
    FIX_ENEMIES = 64,
    FIX_PLATFORMS = 128,
};

// The fastest a mover may go, in pixels per frame: a cell a frame.
enum { MOVER_MAX_SPEED = 16 };

// Makes the records safe: an exit door outside the map or the room is removed; a pickup outside the
// map or the grid is emptied; a start cell outside the room is clamped into it, and a room whose
// start was outside or on a solid cell loses its levers (it cannot be played); backgrounds outside
// -1..4 and tiles outside -1..239 become -1 (none); a mover with an unknown kind, an end outside
// the room, a negative or absurd speed, or a path that is not a whole number of steps (it would
// leave the room) is emptied. Returns the FIX_ bits of what was changed, 0 for a sound level, which
// is left exactly as it was.
int LEVEL_sanitize(LevelHeader *header, Room rooms[ROOM_COUNT], FilePickup levers[PICKUP_SLOTS],
                   FilePickup energy_items[PICKUP_SLOTS]);
// Writes the names of the fixes in mask ("start cell, tiles"), for log lines.
void LEVEL_fix_names(int mask, char *out, size_t size);
// 1 when room (0..24) can be played: a lever in it, on its grid, and a sane start.
int LEVEL_room_playable(const Room rooms[ROOM_COUNT], const Pickup levers[PICKUP_SLOTS], int room);
// How many of the level's rooms can be played.
int LEVEL_playable_rooms(const Room rooms[ROOM_COUNT], const Pickup levers[PICKUP_SLOTS]);
