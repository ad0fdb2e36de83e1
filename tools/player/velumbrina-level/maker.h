// maker.h -- velumbrina-level, the players' level maker: a starter text, building a level from its
// text into the player's levels folder, and checking that every room can be finished.
#pragma once
#include "level/par.h"

// The starter level's text; every %s is the level's name. Written by `new`.
extern const char MAKER_STARTER[];

// Loads the level file at path with the game's own loader and searches every room that can be
// played with the level checker's search, printing one line per room. Returns the number of
// playable rooms whose lever could not be reached, and sets *playable (-1 when the file cannot be
// loaded: a line says why). Allegro must be started.
int MAKER_check_rooms(const char *path, int *playable, char *refused, int refused_size);

// The routes of the rooms MAKER_check_rooms last checked, and writing them as the level's par
// file at path (0 when it cannot be written: a line says why).
extern ParFile MAKER_par;
int MAKER_write_par(const char *path);
