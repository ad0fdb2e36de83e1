// store.h -- where the game keeps replays: PATHS_user_dir()/replays/LEVEL-HASH/, the best finish of
// each room for good and its latest attempts (docs/REPLAYS.md says how the files are named).
// SPDX-License-Identifier: MIT
#pragma once
#include "replay/replay.h"

enum { REPLAY_KEEP_LATEST = 20 }; // attempts kept per room, besides its best finish

// The folder of a level's replays, relative to the player's data directory:
// "replays/velba1-0123456789ab" (the level file's name and the start of its SHA-256).
void REPLAY_level_folder(const ReplayLevelId *id, char *out, size_t size);
// Keeps the finished attempt r: as its room's latest (the oldest beyond REPLAY_KEEP_LATEST
// removed) and, when it is the room's fastest lever so far, as its best. Every write is whole or
// not at all; a failure (a full disk, a read-only folder) costs the replay only and is logged, as
// is an attempt too long to keep. Returns 1 when the attempt was kept. Called when an attempt ends.
int REPLAY_keep(const Replay *r);

enum {
    REPLAY_SHELF_MAX = 64,                         // levels listed at most
    REPLAY_ROOM_LIST_MAX = REPLAY_KEEP_LATEST + 1, // a room's best and latest attempts
    REPLAY_PATH_MAX = 512,
};

// A level with replays kept: its folder, its identity as a replay there records it (a folder
// whose files cannot be read is named by the folder), and bit r - 1 set for each room r that has
// replays.
struct ReplayShelf {
    char folder[REPLAY_PATH_MAX];
    ReplayLevelId level;
    unsigned rooms;
};
// A replay kept for a room: its file, whether it is the room's best, and what it holds; a file
// that cannot be read is listed as damaged, with why.
struct ReplayListed {
    char path[REPLAY_PATH_MAX + 64];
    bool best;
    bool damaged;
    char why[96];
    int64_t recorded;
    int ending, frames;
};
// The levels with replays in the player's data directory, sorted by name; returns how many (at
// most max).
int REPLAY_list_levels(ReplayShelf *out, int max);
// Room room's replays on the shelf: its best first, then its attempts, newest first; returns how
// many (at most max).
int REPLAY_list_room(const ReplayShelf *s, int room, ReplayListed *out, int max);

// Where the level a replay was made for is: the file of the name it records in one of the
// folders, with its SHA-256. REPLAY_LEVEL_FOUND puts its path in path; REPLAY_LEVEL_CHANGED: a
// file of that name is there but not the same level; REPLAY_LEVEL_MISSING: none (or the name is
// not a plain file name).
enum { REPLAY_LEVEL_FOUND, REPLAY_LEVEL_CHANGED, REPLAY_LEVEL_MISSING };
int REPLAY_find_level(const ReplayLevelId *id, const char *const *folders, int count, char *path,
                      size_t size);
// Reads the kept best finish of room (1..25) of the level lv, whose file is id, into r, for its
// ghost: 1 when it is a lever finish of that room made for that file (its SHA-256) that plays
// back the same; else 0, with why naming the file and the fault, or empty when there is none yet.
int REPLAY_load_best(const ReplayLevelId *id, const Level *lv, int room, Replay *r, char *why,
                     size_t why_size);
