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
// Reads the kept best finish of room (1..25) of the level lv, whose file is id, into r, for its
// ghost: 1 when it is a lever finish of that room made for that file (its SHA-256) that plays
// back the same; else 0, with why naming the file and the fault, or empty when there is none yet.
int REPLAY_load_best(const ReplayLevelId *id, const Level *lv, int room, Replay *r, char *why,
                     size_t why_size);
