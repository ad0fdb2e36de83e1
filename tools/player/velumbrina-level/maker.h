// maker.h -- velumbrina-level, the players' level maker: a starter text, building a level from its
// text into the player's levels folder, and checking that every room can be finished.
#pragma once

// The starter level's text; every %s is the level's name. Written by `new`.
extern const char MAKER_STARTER[];

// Loads the level file at path with the game's own loader and searches every room that can be
// played with the level checker's search, printing one line per room. Returns the number of
// playable rooms whose lever could not be reached, and sets *playable (-1 when the file cannot be
// loaded: a line says why). Allegro must be started.
int MAKER_check_rooms(const char *path, int *playable, char *refused, int refused_size);
