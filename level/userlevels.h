// userlevels.h -- the levels a player can choose beside the game's own: the *.vb3 files of the
// game's maps/ folder (other than its own level) and of the player's levels/ folder, each with its
// name and how many of its rooms can be played. The game never writes into either folder.
// SPDX-License-Identifier: MIT
#pragma once
#include <stdbool.h>
#include <stddef.h>

enum {
    LEVEL_LIST_MAX = 500, // files listed at most: the first by file name; the rest are counted
    LEVEL_NAME_MAX = 48,  // characters of a name kept, and the zero
    LEVEL_PATH_MAX = 320,
    LEVEL_WHY_MAX = 160, // characters of the reason a level is DAMAGED or UNVERIFIED, and the zero
};

// Whether a level's proofs (a clear replay of each room, kept beside it) play to each lever on
// this version of the game.
enum LevelProof {
    PROOF_NONE,     // no proofs (a level made before they were, or shared without them)
    PROOF_VERIFIED, // every playable room's proof plays to its lever
    PROOF_FAILS,    // a room's proof is missing, damaged or no longer reaches the lever
};

// One level file of the list.
struct LevelEntry {
    char path[LEVEL_PATH_MAX]; // the file, as the game opens it ("levels/NAME.vb3")
    char name[LEVEL_NAME_MAX]; // the name its text gave it (printable ASCII), else the file's
    int playable;              // rooms with a lever and a sane start
    unsigned rooms;            // bit i: room index i is one of them (the card's room i + 1)
    bool damaged;              // the map reader refused the file: it cannot be played
    char why[LEVEL_WHY_MAX];   // why it is damaged, or why its proof fails, without its path
    int proof;                 // LevelProof: set by whoever checks the proofs (PROOF_NONE here)
    int proof_room;            // PROOF_FAILS: the card number of the first room that fails
    bool shipped;              // it came with the game (maps/)
    bool name_shared;          // another entry has the same name: show the file's too
};

// The list: shipped levels first, then the player's, each part sorted by name; and what the
// player should hear about what is not on it.
struct LevelList {
    LevelEntry entries[LEVEL_LIST_MAX];
    int count;
    int skipped;  // *.vb3 entries that are not regular files (folders, pipes, devices), unopened
    int dropped;  // level files past LEVEL_LIST_MAX, the last ones by file name
    int read_err; // errno of a folder that is there but could not be read, else 0
    char unread[LEVEL_PATH_MAX]; // that folder
};

// The game's own level, never listed.
extern const char LEVEL_OWN_FILE[];

// Fills the list from the *.vb3 files of maps_dir (all but LEVEL_OWN_FILE) and levels_dir (either
// may be missing), reading each with the game's map reader and checks. Anything that is not a
// regular file is skipped without being opened; a folder that cannot be read, skipped entries and
// files past the limit are counted, and logged. Returns the count.
int LEVELS_scan(LevelList *list, const char *maps_dir, const char *levels_dir);
// The reason the loader gave (LevelLoad.why) without the "map PATH: " it starts with, in
// printable ASCII, into out.
void LEVELS_reason(const char *why, const char *path, char *out, size_t size);
// The entry's file name without its folder ("mylevel.vb3").
const char *LEVELS_file(const LevelEntry *e);
