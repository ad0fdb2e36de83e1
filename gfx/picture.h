// picture.h -- loading the game's PCX pictures, with a log line for a missing one.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>

enum { GFX_PICTURE_MAX = 16 << 20 }; // bytes of the largest picture file loaded

// 1 when path is a regular file of at most GFX_PICTURE_MAX bytes, or nothing at all (the loader
// then says it is missing); else 0 with a log line "<what> <path>: <why>". Nothing is opened: a
// named pipe never blocks the loader.
int GFX_picture_file(const char *path, const char *what);
// Loads a PCX picture converted to the screen's depth, filling palette; null when it cannot be
// loaded, which is logged as "<missing> <path>" unless missing is null (a file that is not a
// picture file at all is logged either way).
BITMAP *GFX_load_picture(const char *path, RGB *palette, const char *missing);
// Destroys *b when there is one and forgets it.
void GFX_destroy_picture(BITMAP **b);
