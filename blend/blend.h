// blend.h -- additive, subtractive and translucent drawing of a whole bitmap at 15, 16, 32 bpp.
#pragma once
#include <allegro.h>

// Adds src scaled by fact (0..255) onto dst at (x, y). Called by the menu and the renderer.
void blend_add(BITMAP *src, BITMAP *dst, int x, int y, int fact);
// Subtracts src scaled by fact from dst at (x, y). Called by the renderer (world-4 darkness).
void blend_sub(BITMAP *src, BITMAP *dst, int x, int y, int fact);
// Mixes src into dst by fact (128 half). Called by the renderer and the shadow pass.
void blend_trans(BITMAP *src, BITMAP *dst, int x, int y, int fact);
