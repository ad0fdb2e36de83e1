// leveltext.h -- the level source text: reading a level's rooms, movers and pickups from text.
// SPDX-License-Identifier: MIT
#pragma once
#include "level/mapfile.h"

enum { LT_SOURCE_MAX = 1 << 20 }; // bytes of a level text file read at most

// A level as the text describes it: its records in the level record (pictures apart).
struct LevelSource {
    Level level;
    int energy_count;
    char error[512]; // "file:line: what is wrong" after a failed read
};

// Reads the level text at path (and the files it includes) into src; 1 on success, 0 with
// src->error set on the first fault: a line of the text, or a file that is not a regular file of at
// most LT_SOURCE_MAX bytes (never waited on). Control bytes in the message are escaped.
int LT_read(const char *path, LevelSource *src);
// Reads a player's level text as LT_read does, but the door and any room may be left out (a room
// left out is empty: no lever, so play passes it over); at least one room must be there. It
// includes only files of the text's own folder, by their plain names, never through a link, and its
// errors never show words of an included file.
int LT_read_rooms(const char *path, LevelSource *src);
