// menu_intro.h -- the two splash screens and the title menu.
#pragma once
#include <allegro.h>

// The title menu's entries, in their order on the screen.
enum { MENU_PLAY = 1, MENU_PASSWORD, MENU_USER_LEVEL, MENU_OPTIONS, MENU_TIME_ATTACK, MENU_EXIT };
enum { MENU_ENTRIES = MENU_EXIT };

extern int MENU_opt; // the title menu's entry 1..6, kept between visits

// Shows the two splash screens, each until an action key.
void intro(BITMAP *back_buffer, PALETTE palette);
// The title screen; returns the chosen entry 1..6 (also left in MENU_opt).
int menu(short first_visit, BITMAP *back_buffer, PALETTE palette);
