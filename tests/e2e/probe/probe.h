// probe.h -- what the screenshot probe's commands share: where the picture sits, text as drawn.
// SPDX-License-Identifier: MIT
#pragma once
#include "gfx/gfx.h"
#include "image.h"

// Where the game puts its 256x192 picture in a window (or full screen) the size of the shot, as
// the window module places it; scale 0 when the shot is smaller than the picture.
GfxMode PROBE_layout(const Image &shot);
// Loads the game's font: VB_FONT, else $VB_DATA_DIR/resources/ATARI.8x8.
void PROBE_load_font(void);
// The text drawn white on black with the game's font, every pixel a scale x scale block.
Image PROBE_text(const char *text, int scale);
// 0 when the shot shows the text at full white (the menu's selected entry) at logical row row
// (any row when row < 0), printing its logical "X Y"; 1 when it does not, 2 when the text has no
// ink.
int PROBE_lit(const Image &shot, const char *text, int row);
