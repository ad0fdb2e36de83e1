// sound_level.h -- a level that needs no fixing, for the level tests and the hostile-level fuzz
// target (header only: the fuzz targets link nothing but the game's library).
// SPDX-License-Identifier: MIT
#pragma once
#include <string.h>
#include "level/mapfile.h"

// Every room: a floor of its world's tile, a start on it, a lever, a walking enemy, a platform
// and a block on their paths, an energy item; an exit door in the last room. Pictures untouched.
inline void sound_level(Level *lv) {
    memset(&lv->header, 0, sizeof lv->header);
    lv->header.door_room_col = lv->header.door_room_row = 4;
    lv->header.door_col = 13;
    lv->header.door_row = 6;
    for (int r = 0; r < ROOM_COUNT; r++) {
        Room *room = &lv->rooms[r];
        memset(room, 0, sizeof *room);
        room->background = (signed char)(r / 5);
        for (int row = 0; row < ROOM_ROWS; row++)
            for (int col = 0; col < ROOM_COLS; col++)
                room->cells[row][col] = Cell{(short)(row == 8 ? 24 * (r / 5) + 1 : -1), -1,
                                             (unsigned char)(row == 8 ? ATTR_SOLID : 0), 0};
        for (MoverEntry &e : room->enemies)
            e = MoverEntry{0, 0, 0, 0, 0, -1};
        for (MoverEntry &e : room->platforms)
            e = MoverEntry{0, 0, 0, 0, 0, -1};
        room->enemies[0] = MoverEntry{4, 7, 9, 7, 1, 3};
        room->platforms[0] = MoverEntry{2, 5, 6, 5, 2, 13};
        room->platforms[1] = MoverEntry{8, 7, 8, 7, 0, 23};
        room->start_col = room->start_look_col = 1;
        room->start_row = 7;
        lv->levers[r] = FilePickup{(signed char)(r % 5), (signed char)(r / 5), 13, 7};
        lv->energy_items[r] = FilePickup{(signed char)(r % 5), (signed char)(r / 5), 6, 4};
    }
}
