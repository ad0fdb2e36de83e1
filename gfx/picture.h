// picture.h -- loading the game's PCX pictures, with a log line for a missing one.
#pragma once
#include <allegro.h>

// Loads a PCX picture converted to the screen's depth, filling palette; null when it cannot be
// loaded, which is logged as "<missing> <path>" unless missing is null.
BITMAP *GFX_load_picture(const char *path, RGB *palette, const char *missing);
// Destroys *b when there is one and forgets it.
void GFX_destroy_picture(BITMAP **b);
