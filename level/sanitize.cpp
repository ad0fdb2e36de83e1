// sanitize.cpp -- a level's records made safe for play and drawing on load, and playable rooms.
// SPDX-License-Identifier: MIT
#include "level/sanitize.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum {
    MAP_SIDE = 5, // rooms per row and column of the map
    ENEMY_FIRST = 3,
    ENEMY_LAST = 12,
    PLATFORM_FIRST = 13,
    PLATFORM_LAST = 23, // the pushable block
};

static int in(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

static int clamp(int v, int lo, int hi) {
    return v < lo ? lo : v > hi ? hi : v;
}

// An exit door has two cells, so its upper one is never on the grid's last row.
static int door_sane(const LevelHeader *h) {
    return in(h->door_room_col, 0, MAP_SIDE - 1) && in(h->door_room_row, 0, MAP_SIDE - 1) &&
           in(h->door_col, 0, ROOM_COLS - 1) && in(h->door_row, 0, ROOM_ROWS - 2);
}

static int no_door(const LevelHeader *h) {
    return h->door_room_col == -1 && h->door_room_row == -1 && h->door_col == -1 &&
           h->door_row == -1;
}

static const FilePickup EMPTY_PICKUP = {-1, -1, -1, -1};

static int empty_pickup(const FilePickup *p) {
    return memcmp(p, &EMPTY_PICKUP, sizeof *p) == 0;
}

static int pickup_sane(const FilePickup *p) {
    return in(p->room_col, 0, MAP_SIDE - 1) && in(p->room_row, 0, MAP_SIDE - 1) &&
           in(p->col, 0, ROOM_COLS - 1) && in(p->row, 0, ROOM_ROWS - 1);
}

// Empties every pickup of the list that is off the map or the grid; 1 when one was.
static int sanitize_pickups(FilePickup list[PICKUP_SLOTS]) {
    int fixed = 0;
    for (int i = 0; i < PICKUP_SLOTS; i++)
        if (!empty_pickup(&list[i]) && !pickup_sane(&list[i])) {
            list[i] = EMPTY_PICKUP;
            fixed = 1;
        }
    return fixed;
}

// A mover that play keeps inside the room: a known kind, both ends in the room, a speed of
// 0..MOVER_MAX_SPEED, and a path each axis of which is a whole number of steps (a mover turns
// only on landing exactly on an end).
static int mover_sane(const MoverEntry *e, int first_kind, int last_kind) {
    if (!in(e->kind, first_kind, last_kind)) return 0;
    if (!in(e->x1, 0, ROOM_COLS - 1) || !in(e->x2, 0, ROOM_COLS - 1)) return 0;
    if (!in(e->y1, 0, ROOM_ROWS - 1) || !in(e->y2, 0, ROOM_ROWS - 1)) return 0;
    if (!in(e->speed, 0, MOVER_MAX_SPEED)) return 0;
    if (e->speed == 0) return 1;
    return abs(e->x2 - e->x1) * CELL % e->speed == 0 && abs(e->y2 - e->y1) * CELL % e->speed == 0;
}

// Empties the movers of a list that are not sane (-1 entries are empty already); 1 when one was.
static int sanitize_movers(MoverEntry *list, int count, int first_kind, int last_kind) {
    int fixed = 0;
    for (int i = 0; i < count; i++)
        if (list[i].kind != -1 && !mover_sane(&list[i], first_kind, last_kind)) {
            list[i] = MoverEntry{0, 0, 0, 0, 0, -1};
            fixed = 1;
        }
    return fixed;
}

// A cell's tiles outside -1..239 become -1 (the record is packed: no pointers to its fields).
static int sanitize_cell(Cell *c) {
    int fixed = 0;
    if (!in(c->back_tile, -1, TILE_COUNT - 1)) c->back_tile = -1, fixed = 1;
    if (!in(c->front_tile, -1, TILE_COUNT - 1)) c->front_tile = -1, fixed = 1;
    return fixed;
}

// 1 when the room's start cell is inside the room and not solid.
static int start_sane(const Room *r) {
    return in(r->start_col, 0, ROOM_COLS - 1) && in(r->start_row, 0, ROOM_ROWS - 1) &&
           !(r->cells[r->start_row][r->start_col].attr & ATTR_SOLID);
}

// Rooms first: a room's start decides whether its levers stay.
static int sanitize_room(Room *r, int index, FilePickup levers[PICKUP_SLOTS]) {
    int fixed = 0;
    if (!in(r->background, -1, BACKGROUND_COUNT - 1)) {
        r->background = -1;
        fixed |= FIX_BACKGROUND;
    }
    for (int row = 0; row < ROOM_ROWS; row++)
        for (int col = 0; col < ROOM_COLS; col++)
            if (sanitize_cell(&r->cells[row][col])) fixed |= FIX_TILES;
    if (sanitize_movers(r->enemies, ENEMY_SLOTS, ENEMY_FIRST, ENEMY_LAST)) fixed |= FIX_ENEMIES;
    if (sanitize_movers(r->platforms, PLATFORM_SLOTS, PLATFORM_FIRST, PLATFORM_LAST))
        fixed |= FIX_PLATFORMS;
    if (!start_sane(r)) {
        // The player always stands in the room; a room with no sane start cannot be finished.
        r->start_col = (signed char)clamp(r->start_col, 0, ROOM_COLS - 1);
        r->start_row = (signed char)clamp(r->start_row, 0, ROOM_ROWS - 1);
        for (int i = 0; i < PICKUP_SLOTS; i++)
            if (!empty_pickup(&levers[i]) &&
                levers[i].room_row * MAP_SIDE + levers[i].room_col == index)
                levers[i] = EMPTY_PICKUP;
        fixed |= FIX_START;
    }
    return fixed;
}

int LEVEL_sanitize(LevelHeader *header, Room rooms[ROOM_COUNT], FilePickup levers[PICKUP_SLOTS],
                   FilePickup energy_items[PICKUP_SLOTS]) {
    int fixed = 0;
    if (!door_sane(header) && !no_door(header)) {
        header->door_room_col = header->door_room_row = header->door_col = header->door_row = -1;
        fixed |= FIX_DOOR;
    }
    if (sanitize_pickups(levers)) fixed |= FIX_LEVERS;
    if (sanitize_pickups(energy_items)) fixed |= FIX_ENERGY;
    for (int i = 0; i < ROOM_COUNT; i++)
        fixed |= sanitize_room(&rooms[i], i, levers);
    return fixed;
}

void LEVEL_fix_names(int mask, char *out, size_t size) {
    static const char *names[] = {"exit door",  "levers", "energy items", "start cell",
                                  "background", "tiles",  "enemies",      "platforms"};
    if (size) out[0] = 0;
    for (int i = 0; i < 8; i++)
        if (mask & 1 << i) {
            size_t n = strlen(out);
            snprintf(out + n, size - n, "%s%s", n ? ", " : "", names[i]);
        }
}

int LEVEL_room_playable(const Room rooms[ROOM_COUNT], const Pickup levers[PICKUP_SLOTS], int room) {
    if (!in(room, 0, ROOM_COUNT - 1) || !start_sane(&rooms[room])) return 0;
    for (int i = 0; i < PICKUP_SLOTS; i++)
        if (levers[i].room == room && in(levers[i].tx, 0, ROOM_COLS - 1) &&
            in(levers[i].ty, 0, ROOM_ROWS - 1))
            return 1;
    return 0;
}

int LEVEL_playable_rooms(const Room rooms[ROOM_COUNT], const Pickup levers[PICKUP_SLOTS]) {
    int n = 0;
    for (int i = 0; i < ROOM_COUNT; i++)
        n += LEVEL_room_playable(rooms, levers, i);
    return n;
}
