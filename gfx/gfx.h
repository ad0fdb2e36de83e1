// gfx.h -- presenting the 256x192 logical screen doubled in the window, and 8x8 font text.
#pragma once
#include <allegro.h>

// Sets the translucency blender (0,0,0, alpha 64) and creates the scanline work bitmaps.
// Called by main after the graphics mode is set (and by tests after set_color_depth).
void GFX_init(void);
// Presents with darkened odd rows from now on. Called by main from the configuration.
void GFX_scanlines(void);
// Presents without scanlines from now on. Called by main from the configuration.
void GFX_noscanlines(void);
// Shows the top-left 256x192 of frame doubled in the window. Called by every screen.
void GFX_blitall(BITMAP *frame);
// Doubles the top-left 256x192 of frame into the 512x384 dest, with scanlines when they are on;
// GFX_blitall uses it with the screen, tests with a memory bitmap.
void GFX_present_into(BITMAP *frame, BITMAP *dest);
// Fills the font from the 1024-byte file; a missing file is logged and text draws nothing.
// Called by main at start-up.
void GFX_load_font(const char *path);
// Draws text with its first cell's top-left at (x, y). Called by every screen with text.
void GFX_gprint(BITMAP *bmp, int x, int y, int color, const char *text);
// Draws text with a one-pixel black outline. Called by the status line.
void GFX_gprintb(BITMAP *bmp, int x, int y, int color, const char *text);
// Draws text centred on the 256-pixel logical width at row y. Called by cards and menus.
void GFX_centra(BITMAP *bmp, int y, int color, const char *text);
