// records.h -- the player's time attack records (docs/TIMEATTACK.md): for each level the rooms
// reached in play, and for each room the best time, attempts and deaths (the best's replay is kept
// with the other replays, replay/store.h).
// SPDX-License-Identifier: MIT
#pragma once
#include <stddef.h>
#include "level/mapfile.h"

enum {
    RECORDS_VERSION = 1,
    RECORDS_LEVELS = 64,           // levels kept; a record for one more is not made
    RECORDS_KEY_MAX = 72,          // a level's key, with the zero
    RECORDS_FILE_MAX = 256 * 1024, // larger files are set aside unread
    RECORDS_COUNT_MAX = 999999999, // counts stop there
};

// One room: its best time in frames (0: none yet), tries started, and tries that ran out of energy.
struct RoomRecord {
    int best, attempts, deaths;
};

// One level, by its key (RECORDS_key): the rooms reached in play (bit i: room index i) and its
// rooms' records.
struct LevelRecord {
    char key[RECORDS_KEY_MAX];
    unsigned reached;
    RoomRecord rooms[ROOM_COUNT];
};

struct Records {
    bool ghost_off; // an older file's "ghost off": the switch now lives in OPTIONS
    int count;
    LevelRecord levels[RECORDS_LEVELS];
};

// How loading the records file ended.
enum {
    RECORDS_LOADED,    // read, or there was none: the records start empty
    RECORDS_SET_ASIDE, // damaged: renamed to NAME.damaged (or .damaged2 ..), records start empty
    RECORDS_KEPT,      // damaged or of a later version and left where it is: never saved over
};

void RECORDS_reset(Records *r);
// The key of the level file at path: its folder's name and its own ("maps/velba1.vb3"), with any
// character that is not printable ASCII or is a blank as '_'.
void RECORDS_key(const char *path, char *out, size_t size);
// The level's record; with create, a new empty one when there is none (null when the records are
// full). Null otherwise.
LevelRecord *RECORDS_level(Records *r, const char *key, int create);

// Reads the text of a records file; 1, or 0 with why set and r cleared.
int RECORDS_parse(const char *text, size_t size, Records *r, char *why, size_t why_size);
// Writes r as a records file's text into out; the length, or 0 when it does not fit.
size_t RECORDS_format(const Records *r, char *out, size_t size);
// Reads the records file at path into r (see the results above); what happened is logged.
int RECORDS_load(const char *path, Records *r);
// Replaces the records file at path with r, whole; 0 or the error (errno's value).
int RECORDS_save(const char *path, const Records *r);
