// menu_intro.h -- the two splash screens and the title menu.
#pragma once
#include <allegro.h>

extern int MENU_opt; // the title menu's entry 1..4, kept between visits

// Shows the two splash screens, each until an action key. Called by main at start-up.
void intro(BITMAP *back_buffer, PALETTE palette);
// The title screen; returns the chosen entry 1..4 (also left in MENU_opt). Called by main.
int menu(short first_visit, BITMAP *back_buffer, PALETTE palette);
