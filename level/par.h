// par.h -- a level's par file (NAME.par beside NAME.vb3): for each room the level checker's
// fastest route to the lever and its route that takes every energy item, as keys, one a frame.
// Written by the level checker and the level maker, read by time attack; see docs/TIMEATTACK.md.
// SPDX-License-Identifier: MIT
#pragma once
#include <stddef.h>
#include "level/mapfile.h"

enum {
    PAR_VERSION = 1,
    PAR_MAX_FRAMES = 4000,     // longest route kept (the checker searches at most 900 frames)
    PAR_FILE_MAX = 256 * 1024, // larger files are refused unread
    PAR_FASTEST = 0,
    PAR_FULL = 1 // the two routes of a room
};

// The route letters, one a frame, as the checker writes them: nothing held, left, right, high
// jump, long jump, then the jumps with left or right (a, b: high left, right; c, d: long).
extern const char PAR_ROUTE_LETTERS[10];

// One route: frames 0 when the room has none; keys holds one input letter a frame (".LRUDabcd",
// as the checker writes them) and a zero after the last.
struct ParRoute {
    int frames;
    char keys[PAR_MAX_FRAMES + 1];
};

// What a par file holds: two routes for each room (index 0..24).
struct ParFile {
    ParRoute routes[ROOM_COUNT][2]; // [room][PAR_FASTEST or PAR_FULL]
};

// How reading a par file ended.
enum { PAR_OK, PAR_MISSING, PAR_DAMAGED };

// Clears par: no route in any room.
void PAR_reset(ParFile *par);
// Is letter one of the route letters?
int PAR_key_valid(char letter);
// Reads the bytes of a par file into par. PAR_OK, or PAR_DAMAGED with why (a short text) and par
// cleared: a file with anything wrong is refused whole.
int PAR_parse(const char *text, size_t size, ParFile *par, char *why, size_t why_size);
// Writes par as a file's text into out (at most size bytes with the zero); returns the length,
// or 0 when it does not fit.
size_t PAR_format(const ParFile *par, char *out, size_t size);
// Reads the par file at path into par; PAR_MISSING when there is none, PAR_DAMAGED when it cannot
// be read or is refused (why says so; par cleared either way unless PAR_OK).
int PAR_load(const char *path, ParFile *par, char *why, size_t why_size);
// Replaces the par file at path with par, whole; 0 or the error (errno's value).
int PAR_save(const char *path, const ParFile *par);
// The par file's path for the level file at level_path: its ".vb3" (or whatever follows the last
// dot of the name) replaced by ".par"; 0 when it does not fit in size.
int PAR_path(const char *level_path, char *out, size_t size);
// The par of room (0..24): its fastest route's frames, 0 when it has none.
int PAR_room(const ParFile *par, int room);
