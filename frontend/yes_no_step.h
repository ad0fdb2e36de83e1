// yes_no_step.h -- one pass of the retry dialog, apart from its loop, so tests can drive it.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>

// The dialog's choice: "Yes" is the left button, "No" (preselected) the right one.
struct YesNoChoice {
    short choice; // 1 "Yes", 0 "No"
    short done;   // 1 once Enter was seen (or the window is closing)
};

// The dialog's three pictures; any of them may be null when its file is missing.
struct YesNoPictures {
    BITMAP *panel, *button_lit, *button_unlit;
};

// Reads the arrows and Enter (or a pad's) once, held or pressed since the last pass, and moves the
// selection, with its sound.
void yes_no_teclas(YesNoChoice *d);
// Draws the panel, the question, the two buttons and their labels into frame_buffer, skipping any
// missing picture.
void yes_no_dibuja(const YesNoChoice *d, const YesNoPictures *p, BITMAP *frame_buffer);
