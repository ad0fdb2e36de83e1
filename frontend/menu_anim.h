// menu_anim.h -- the look the title menu shares with the options screen: the title picture, the
// scrolling picture with its glitches, the faint box, and the arrows.
// SPDX-License-Identifier: MIT
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
    bool calm;            // reduced flashing: no glitches, a steady title, a slower fade-in
};

enum { MENU_SCROLL_TOP = 465 }; // the scrolling picture pans between rows 465 and 0
// The translucency of faint drawing (out of 256): the title menu's faint text, and the dim lines
// of a framed box, which must stay readable on it (at least 4.5:1 in contrast).
enum { MENU_FAINT_ALPHA = 64, MENU_DIM_ALPHA = 128 };

// Sets the state a visit of the menu starts with, calm when the player asked for reduced
// flashing.
void MENU_anim_reset(MenuAnim *a);
// Draws the scrolling-picture layer onto the back buffer through the 256x192 work bitmap,
// with its random glitch bands (none when calm); a missing picture draws nothing. Called once per
// menu frame.
void MENU_capa_scroll(MenuAnim *a, BITMAP *scroll_pic, BITMAP *work, BITMAP *back_buffer);
// Moves the scrolling picture one row, turning at the top and the bottom. Called once per frame.
void MENU_scroll(MenuAnim *a);
// Moves a selection 1..count once per press of Up or Down (or a pad's d-pad or stick), wrapping,
// with its sound; holding one does not repeat, and while one is held the other does nothing.
void MENU_arrows(int *selected, int count);

// The pictures behind a title-style screen (any may be null: that layer is left out) and its
// animation.
struct MenuScene {
    BITMAP *title, *scroll_pic, *work;
    MenuAnim anim;
};
// Loads the title and scrolling pictures and makes the work bitmap; a missing picture is logged by
// name.
void MENU_scene_load(MenuScene *s, RGB *palette);
// Releases what MENU_scene_load made.
void MENU_scene_free(MenuScene *s);
// Clears the back buffer and adds the title picture at the strength given (0..255).
void MENU_background(BITMAP *title, BITMAP *back_buffer, int strength);
// The title picture's strength for one frame: flickering between 192 and 255, steady when calm.
int MENU_title_strength(const MenuAnim *a);
// MENU_frame without waiting or presenting: the frame drawn on back_buffer, the scroll moved on.
void MENU_compose(MenuScene *s, BITMAP *back_buffer, int x0, int y0, int x1, int y1, int framed,
                  void (*draw)(BITMAP *back_buffer, int bright));
// One frame of a title-style screen, presented: the flickering title, a faint box (x0, y0)-(x1,
// y1) with draw(back_buffer, 0) drawn faint in it and the scrolling picture over them (framed: the
// scrolling picture first, then a dark box of its own with the title's double frame and the lines
// dimmed but readable), then draw(back_buffer, 1) at full strength (the selection). Paced by two
// vsyncs; nothing is presented once the window is closing. Called once per frame by the title menu
// and the options screen.
void MENU_frame(MenuScene *s, BITMAP *back_buffer, int x0, int y0, int x1, int y1, int framed,
                void (*draw)(BITMAP *back_buffer, int bright));
