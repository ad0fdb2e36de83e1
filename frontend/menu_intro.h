// menu_intro.h -- the two splash screens and the title menu.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>

// The title menu's entries, in their order on the screen.
enum {
    MENU_PLAY = 1,
    MENU_PASSWORD,
    MENU_USER_LEVEL,
    MENU_OPTIONS,
    MENU_TIME_ATTACK,
    MENU_REPLAYS,
    MENU_EXIT
};
enum { MENU_ENTRIES = MENU_EXIT };

extern int MENU_opt; // the title menu's entry 1..7, kept between visits

struct MenuScene;

// The title screen's frames as they are drawn, without waiting or presenting: step i of the
// fade-in (0..MENU_fade_steps(scene) - 1), a frame of "PRESS ENTER", a frame of the menu with
// MENU_opt selected.
int MENU_fade_steps(const MenuScene *s);
void MENU_fade_frame(MenuScene *s, BITMAP *back_buffer, int i);
void MENU_attract_frame(MenuScene *s, BITMAP *back_buffer);
void MENU_menu_frame(MenuScene *s, BITMAP *back_buffer);

// Shows the two splash screens, each until an action key.
void intro(BITMAP *back_buffer, PALETTE palette);
// The title screen; returns the chosen entry 1..7 (also left in MENU_opt).
int menu(short first_visit, BITMAP *back_buffer, PALETTE palette);
