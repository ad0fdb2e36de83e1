// leveltext.h -- the level source text: reading a level's rooms, movers and pickups from text.
#pragma once
#include "level/mapfile.h"

// A level as the text describes it, in the map file's own records.
struct LevelSource {
    LevelHeader header;
    Room rooms[ROOM_COUNT];
    FilePickup levers[PICKUP_SLOTS];
    FilePickup energy_items[PICKUP_SLOTS];
    int energy_count;
    char error[256]; // "file:line: what is wrong" after a failed read
};

// Reads the level text at path (and the files it includes) into src; 1 on success, 0 with
// src->error set on the first fault. Called by the level compiler.
int LT_read(const char *path, LevelSource *src);
