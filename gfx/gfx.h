// gfx.h -- the window (2X, 3X, 4X or full screen), presenting the 256x192 logical screen in it,
// and 8x8 font text.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>
#include <stdint.h>

// Sets the translucency blender (0,0,0, alpha 64) and creates the copy of the last frame.
void GFX_init(void);
// Presents with the last window row of every logical row darkened from now on.
void GFX_scanlines(void);
// Presents without scanlines from now on.
void GFX_noscanlines(void);
// Shows the top-left 256x192 of frame in the window at its scale.
void GFX_blitall(BITMAP *frame);
// Shows a picture made for the 2X window (512x384, the splash) at the window's scale, without
// scanlines.
void GFX_blitpicture(BITMAP *picture);
// Scales the top-left 256x192 of frame into dest with its top-left at (x, y): every pixel a
// scale x scale block whose last row is darkened when scanlines are on, exactly as Allegro's
// stretch_blit and draw_trans_sprite of a black row would. GFX_blitall uses it with the
// screen, tests and benchmarks with memory bitmaps.
void GFX_present_scaled(BITMAP *frame, BITMAP *dest, int scale, int x, int y);
// Makes the tables that turn 15 or 16-bit pixels into a 32-bit window's, from Allegro's own
// conversion; from then on GFX_present_scaled presents such frames into 32-bit bitmaps. Returns 0,
// or -1 for another depth (or a conversion the tables cannot hold).
int GFX_convert_from(int depth);
// A 15 or 16-bit pixel value as the 32-bit window shows it (after GFX_convert_from).
uint32_t GFX_to32(uint32_t v, int depth);
// GFX_present_scaled at scale 2 into the top-left 512x384 of dest.
void GFX_present_into(BITMAP *frame, BITMAP *dest);
// Shows the last presented frame or picture again (after the window changed).
void GFX_show_last(void);

// A window for a size: scale and where the picture sits, and whether it covers the desktop.
struct GfxMode {
    int w, h;  // the window, pixels
    int scale; // window pixels per logical pixel
    int x, y;  // the picture's top-left corner in the window
    int full;  // 1: the window is the desktop's size
};
// The window for a configured size (2, 3 or 4; 0 full screen) on a desktop of desk_w x desk_h (0 x
// 0 when unknown): a size that does not fit falls to the largest that does; full screen takes the
// largest whole scale, centred.
GfxMode GFX_pick_mode(int size, int desk_w, int desk_h);
// The window size of a first start on a desktop of desk_w x desk_h (0 x 0 when unknown): the
// largest (2, 3 or 4) whose window fits in about 80% of the desktop; 2 when none does.
int GFX_first_window_size(int desk_w, int desk_h);
// Opens the game's window at a size (2, 3, 4 or 0 for full screen), with the game's title, window
// class and icon, falling back to a smaller one with a log line when it cannot be had; remembers
// 2..4 as the size Alt+Enter comes back to. Returns 0, or -1 when no window at all could be opened.
int GFX_open_window(int size);
// GFX_open_window for a window already open; when none can be had, logs it and asks the program to
// leave as the close button does. With no window open there is nothing to change. Returns 0 or -1.
int GFX_reopen_window(int size);
// Loads the window's icon (a picture, magenta transparent) for every window opened from then on, at
// its own size and twice it; a missing picture is logged and the window goes without.
void GFX_load_icon(const char *path);
// Milliseconds since a window was last opened: opening one takes the keyboard focus away from the
// window before it for a moment.
long GFX_ms_since_window_opened(void);
// The window in use as a size: 0 full screen, else its scale (2X fallbacks and F11 or Alt+Enter
// included); -1 with no window open.
int GFX_window_in_use(void);
// 0 when the X server says another window has the keyboard focus, else 1.
int GFX_window_has_focus(void);
// Carries out a pending Alt+Enter or F11: full screen or back to the window size, showing the last
// frame again.
void GFX_service(void);
// Fills the font from the 1024-byte file; a missing file is logged and text draws nothing.
void GFX_load_font(const char *path);
// Draws text with its first cell's top-left at (x, y).
void GFX_gprint(BITMAP *bmp, int x, int y, int color, const char *text);
// Draws text with a one-pixel black outline.
void GFX_gprintb(BITMAP *bmp, int x, int y, int color, const char *text);
// Draws text centred on the 256-pixel logical width at row y.
void GFX_centra(BITMAP *bmp, int y, int color, const char *text);
