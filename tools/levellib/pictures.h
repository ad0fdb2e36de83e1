// pictures.h -- the level's pictures for the level compiler: art sheets or drawn stand-ins.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>

// Fills the 240 tiles, 240 sprites (16x16) and 5 backgrounds (240x144) from art_dir's tiles.pcx,
// sprites.pcx and bg0..bg4.pcx; whatever is missing is drawn in code. Returns a bit set of what
// came from files (1 tiles, 2 sprites, 4 << n background n).
int PIC_load(const char *art_dir, BITMAP *tiles[], BITMAP *sprites[], BITMAP *backgrounds[]);
