// assist.h -- the ASSIST screen of the options: game speed, no damage, endless retries, reduced
// flashing and the room's timer.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>

struct MenuScene;

// The screen's lines, in their order.
enum {
    ASSIST_SPEED = 1,
    ASSIST_NO_DAMAGE,
    ASSIST_RETRIES,
    ASSIST_FLASHING,
    ASSIST_TIMER,
    ASSIST_BACK,
    ASSIST_LINES = ASSIST_BACK
};

// The screen, in the options' look (their scene, drawn on back_buffer), until Escape, BACK or the
// close button. Left and Right change the selected line, Enter too (BACK: leaves). The choices
// are saved with the options when the OPTIONS screen is left.
void ASSIST_screen(MenuScene *scene, BITMAP *back_buffer);
// Changes a line's value one step (-1 back, +1 on), wrapping; returns 0 for BACK.
int ASSIST_change(int line, int step);
// A line as the screen shows it: label and value.
void ASSIST_line(int line, char *text, int size);
