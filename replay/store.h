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
// The path of the kept best finish of room (1..25) of the level id, in the player's data
// directory; 0 when it does not fit.
int REPLAY_best_path(const ReplayLevelId *id, int room, char *out, size_t size);
