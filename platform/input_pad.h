// input_pad.h -- the game pads' half of the input module, shared by its two files only.
// SPDX-License-Identifier: MIT
#pragma once

// Starts SDL's game-controller part and opens the pads already there; logs once when it cannot
// start or finds no pad. Returns 1 when pads can be used.
int INPUT_pad_start(void);
// Closes every pad and the game-controller part.
void INPUT_pad_stop(void);
// Takes SDL's events: pads plugged in are opened, unplugged ones closed (and noted for
// INPUT_pad_lost), button presses and sticks leaving the dead zone latched as presses of their
// actions.
void INPUT_pad_poll(void);
// 1 while a button or stick of any open pad holds the action.
int INPUT_pad_down(int action);
// Notes a press of the action, to be taken by INPUT_pressed.
void INPUT_latch(int action);
// Notes that an open pad was unplugged.
void INPUT_note_pad_lost(void);
