// menu_anim.h -- the title menu's animation: the scrolling picture with its glitches, and the
// arrows.
#pragma once
#include <allegro.h>

// The animation state of one visit of the title menu.
struct MenuAnim {
    int fade;             // 64 after the fade-in, counts down in the attract phase
    int leave_count;      // 1 on the frame Enter is taken at "PRESS ENTER", then grows
    int glitch;           // frames of glitching left
    short band_dx_top;    // the glitch's horizontal offsets of its two bands, pixels
    short band_dx_bottom; //
    int band_split;       // the row where the two bands meet
    int scroll_y;         // source row of the scrolling picture, 0..465
    int scroll_step;      // -1 or 1 row per frame
    int arrow_latch;      // state of the arrow key that last moved the selection
};

enum { MENU_SCROLL_TOP = 465 }; // the scrolling picture pans between rows 465 and 0

// Sets the state a visit of the menu starts with. Called by menu and tests.
void MENU_anim_reset(MenuAnim *a);
// Draws the scrolling-picture layer onto the back buffer through the 256x192 work bitmap,
// with its random glitch bands; a missing picture draws nothing. Called once per menu frame.
void MENU_capa_scroll(MenuAnim *a, BITMAP *scroll_pic, BITMAP *work, BITMAP *back_buffer);
// Moves the scrolling picture one row, turning at the top and the bottom. Called once per frame.
void MENU_scroll(MenuAnim *a);
// Moves the selection MENU_opt once per press of Up or Down, wrapping, with its sound.
// Called once per frame of the menu loop.
void MENU_flechas(MenuAnim *a);
