// maker.h -- velumbrina-level, the players' level maker: a starter text, building a level from its
// text into the player's levels folder, checking that every room can be finished, and watching a
// text to check it again on every save.
// SPDX-License-Identifier: MIT
#pragma once
#include <vector>
#include "tools/levellib/check.h"
#include "level/par.h"

// The starter level's text; every %s is the level's name. Written by `new`.
extern const char MAKER_STARTER[];

// Loads the level file at path with the game's own loader and searches every room that can be
// played with the level checker's search, printing one line per room (numbered as the level card
// numbers it) and its notes: stuck places, items out of reach. Returns the number of playable rooms
// whose lever could not be reached, and sets *playable (-1 when the file cannot be loaded: a line
// says why); the card numbers of those rooms go into refused, every room's verdict into *checks
// when it is given. Allegro must be started.
int MAKER_check_rooms(const char *path, int *playable, char *refused, int refused_size,
                      std::vector<RoomCheck> *checks = nullptr);

// Watches the file at path (from the root): calls build(path) now and again each time the file is
// saved (its time, size or identity changes), until build returns false (status 2) or an ending
// signal comes (the signal's own handlers clean up). Polls a few times a second.
int MAKER_watch(const char *path, bool (*build)(const char *path));

// Writes the proofs of the level file at level (loaded into play_level by MAKER_check_rooms) to
// out: for every room of checks that can be finished its checker's route as a replay, or the
// replay of one of the authors' files for its room; each with the room's par (its fastest known
// frames) and each played again first. Returns 0, after saying why, when an author's replay cannot
// be a proof or the file cannot be written.
int MAKER_write_proofs(const char *level, const std::vector<RoomCheck> &checks,
                       const std::vector<std::string> &authors, const char *out);

// The routes of the rooms MAKER_check_rooms last checked, and writing them as the level's par
// file at path (0 when it cannot be written: a line says why).
extern ParFile MAKER_par;
int MAKER_write_par(const char *path);
