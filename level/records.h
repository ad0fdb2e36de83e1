// records.h -- the player's time attack records (docs/TIMEATTACK.md): for each level the rooms
// reached in play, and for each room the best time, attempts and deaths; each best's run is kept
// in a file of its own.
// SPDX-License-Identifier: MIT
#pragma once
#include <stddef.h>
#include "level/mapfile.h"

enum {
    RECORDS_VERSION = 1,
    RECORDS_LEVELS = 64,           // levels kept; a record for one more is not made
    RECORDS_KEY_MAX = 72,          // a level's key, with the zero
    RECORDS_FILE_MAX = 256 * 1024, // larger files are set aside unread
    RECORDS_RUN_MAX = 9000,        // the longest run kept (five minutes)
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
    bool no_ghost; // the player switched the best's ghost off
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

// The file of a room's best run: dir/best-KEY-NN.run with the key's '/' as '-'; 0 when it does
// not fit.
int RECORDS_run_path(const char *dir, const char *key, int room, char *out, size_t size);
// Replaces the run file at path with the codes of frames frames; 0 or the error.
int RECORDS_save_run(const char *path, const char *codes, int frames);
// Reads a run file into codes (RECORDS_RUN_MAX + 1 bytes); its frames, or 0 when there is none
// or it is damaged (why says so then).
int RECORDS_load_run(const char *path, char *codes, char *why, size_t why_size);
