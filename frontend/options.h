// options.h -- the OPTIONS screen: window size, scanlines, colour depth, music and effect volumes,
// sound on or off, time attack's ghost, and the CONTROLS and ASSIST screens; each change takes
// effect at once where that is safe. SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>

struct FMUSIC_MODULE;
struct MenuScene;

// The screen's lines, in their order; a new line goes before OPTION_BACK (and into the table of
// options.cpp).
enum {
    OPTION_WINDOW = 1,
    OPTION_SCANLINES,
    OPTION_COLOURS,
    OPTION_MUSIC,
    OPTION_EFFECTS,
    OPTION_SOUND,
    OPTION_GHOST,
    OPTION_CONTROLS,
    OPTION_ASSIST,
    OPTION_BACK,
    OPTION_LINES = OPTION_BACK
};

// The screen, until Escape, BACK or the close button; the title music plays on and MUSIC sets its
// volume; Enter on CONTROLS or ASSIST opens that screen. Returns 1 when a configuration value, a
// key binding or an assist changed (the caller saves the file), else 0.
int OPTIONS_screen(BITMAP *back_buffer, PALETTE palette, FMUSIC_MODULE *title_song);
// Changes a line's value one step (-1 Left, +1 Right or Enter), in range, and applies it at once;
// returns 0 for a line with no value (CONTROLS, ASSIST, BACK).
int OPTIONS_change(int line, int step);
// A line as the screen shows it: label and value, and its bar 0..127 (-1: none).
void OPTIONS_line(int line, char *text, int size, int *bar);
// 1 while the chosen colour depth differs from the one the game runs at: it applies at the next
// start.
int OPTIONS_depth_pending(void);
// One frame of the screen with a line selected (lit), presented. Called every frame by the screen.
void OPTIONS_frame(MenuScene *scene, BITMAP *back_buffer, int selected);
