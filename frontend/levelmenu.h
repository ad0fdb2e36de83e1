// levelmenu.h -- the USER LEVEL screen: the levels a player can choose, and the choice.
#pragma once
#include <allegro.h>
#include "level/userlevels.h"

// Shows the list (name and playable rooms, or DAMAGED, per line; scrolling when it is longer than
// the screen) until Enter on a level that can be played, Escape or the close button. With no levels
// it says so and shows folder, where they go. *selected is the line chosen, kept between visits by
// the caller. Returns the entry to play, or -1 to go back to the title menu.
int FRONT_user_levels(BITMAP *back_buffer, const LevelList *list, const char *folder,
                      int *selected);
