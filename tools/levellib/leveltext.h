// leveltext.h -- the level source text: reading a level's rooms, movers and pickups from text.
#pragma once
#include "level/mapfile.h"

// A level as the text describes it: its records in the level record (pictures apart).
struct LevelSource {
    Level level;
    int energy_count;
    char error[256]; // "file:line: what is wrong" after a failed read
};

// Reads the level text at path (and the files it includes) into src; 1 on success, 0 with
// src->error set on the first fault.
int LT_read(const char *path, LevelSource *src);
// Reads a player's level text as LT_read does, but the door and any room may be left out (a room
// left out is empty: no lever, so play passes it over); at least one room must be there.
int LT_read_rooms(const char *path, LevelSource *src);
