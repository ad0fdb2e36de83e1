// controls.h -- the CONTROLS screen of the options: play's actions with their keys, binding a new
// key to one, and today's keys back.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>

struct MenuScene;

// The screen's lines, in their order: play's seven actions, then DEFAULTS and BACK.
enum { CONTROLS_ACTIONS = 7, CONTROLS_DEFAULTS, CONTROLS_BACK, CONTROLS_LINES = CONTROLS_BACK };
enum { CONTROLS_TEXT_MAX = 32 }; // characters across the screen

// The screen, in the options' look (their scene, drawn on back_buffer), until Escape, BACK or the
// close button. Enter on an action waits for the next key and binds it (Escape cancels); DEFAULTS
// brings today's keys back. The arrows, Enter and Escape (and a pad) work here whatever is bound.
void CONTROLS_screen(MenuScene *scene, BITMAP *back_buffer);
// A line as the screen shows it: the action and its keys, "PRESS A KEY" while waiting for one
// (waiting: 1), or DEFAULTS and BACK.
void CONTROLS_line(int line, int waiting, char *text, int size);
// One frame of the screen as it stands, presented (the selected line lit).
void CONTROLS_frame(MenuScene *scene, BITMAP *back_buffer);
// What binding code to action moved, for the line under the box: "O WAS LEFT'S: LEFT NOW HAS
// RIGHT" when code was the action owner's (owner: its action before, -1 none) and given went there
// in its place; "" when no other action lost a key.
void CONTROLS_moved_text(int action, int code, int owner, int given, char *text, int size);
