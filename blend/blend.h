// blend.h -- additive, subtractive and translucent drawing of a whole bitmap at 15, 16, 32 bpp.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>

// Adds src scaled by fact (0..255) onto dst at (x, y).
void blend_add(BITMAP *src, BITMAP *dst, int x, int y, int fact);
// Subtracts src scaled by fact from dst at (x, y).
void blend_sub(BITMAP *src, BITMAP *dst, int x, int y, int fact);
// Mixes src into dst by fact (128 half).
void blend_trans(BITMAP *src, BITMAP *dst, int x, int y, int fact);

// Which pixel arithmetic the three operations use: chosen once from the processor, or forced.
enum { BLEND_AUTO, BLEND_PLAIN, BLEND_MMX, BLEND_SSE };
// Forces a variant (BLEND_AUTO returns to the processor's choice).
void blend_force_variant(int v);
// Returns the variant the next blend will use (a forced one this processor lacks gives PLAIN).
int blend_variant(void);
