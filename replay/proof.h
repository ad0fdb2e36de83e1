// proof.h -- a level's proofs: for every room that can be played, a replay of a clear and the
// room's par, kept in a file beside the level (NAME.proof beside NAME.vb3, docs/LEVELS.md), and
// the check that each of them still plays to its room's lever.
// SPDX-License-Identifier: MIT
#pragma once
#include <stddef.h>
#include "level/userlevels.h"
#include "replay/replay.h"

enum {
    PROOF_FORMAT = 1,                 // the proof file format this game writes
    PROOF_FILE_MAX = 8 * 1024 * 1024, // bytes of a proof file read at most
};

// One room's proof as its file keeps it: the room (1..25, as the card numbers it), its par in
// frames, and the replay file's bytes (REPLAY_encode).
struct ProofRoom {
    int room;
    int par;
    const unsigned char *replay;
    size_t size;
};

// The proof file of a level file: the same path with ".proof" for its ".vb3" (or added).
void PROOF_path(const char *level_path, char *out, size_t size);
// The file's bytes for n rooms' proofs, in a new buffer (free with free()); 0 when out of memory or
// a room is out of range or twice.
int PROOF_encode(const ProofRoom *rooms, int n, unsigned char **data, size_t *size);
// Reads a proof file's bytes, every field checked: the rooms' replays point into data. 0 with the
// reason in why when it is refused.
int PROOF_decode(const unsigned char *data, size_t size, ProofRoom rooms[ROOM_COUNT], int *n,
                 char *why, size_t why_size);
// 1 when the replay, played headless from its room's start on lv, touches the room's lever; else
// 0 with what happened instead in why ("energy ran out at frame 120").
int PROOF_plays(const Replay *r, const Level *lv, char *why, size_t why_size);
// Checks the proofs of the listed level e (not damaged) whose records are loaded in lv: sets
// e->proof, and for PROOF_FAILS the first failing room's card number and why.
void PROOF_check_entry(LevelEntry *e, const Level *lv);
// Checks every level of the list that is not damaged (loading its records again), and logs how
// long it took.
void PROOF_check_list(LevelList *list);
