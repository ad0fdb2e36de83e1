// levelmenu.h -- the USER LEVEL screen: the levels a player can choose, each with its rooms and
// whether its proofs play, the folder they go in, and the choice of a level and its first room.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>
#include "level/userlevels.h"

// Shows the list with the title's look until Enter on a level that can be played, Escape or the
// close button: per line the name, the rooms that can be played and VERIFIED, UNVERIFIED or
// DAMAGED; under it what that state means for the chosen level, the room play starts at (Left and
// Right pick one of its rooms), and the folder, which F opens in the desktop's file manager. Enter
// on a DAMAGED level shows why it cannot be played. *selected is the line chosen, kept between
// visits by the caller. Returns the entry to play with *start_room set to the card number of its
// first room, or -1 to go back to the title menu.
int FRONT_user_levels(BITMAP *back_buffer, PALETTE palette, const LevelList *list,
                      const char *folder, int *selected, int *start_room);

// The state word of a list line: "VERIFIED", "UNVERIFIED" or "DAMAGED".
const char *FRONT_level_state(const LevelEntry *e);
// What the state means for the level, in one line of the screen's capitals (at most size - 1
// characters): why it is damaged, which room's proof fails, or that every room's proof plays.
void FRONT_level_detail(const LevelEntry *e, char *text, int size);
// The card number of the level's next playable room from card, step +1 or -1 (staying at the
// last or first); the first playable room when card is none of them; 1 when there is none.
int FRONT_next_room(unsigned rooms, int card, int step);
