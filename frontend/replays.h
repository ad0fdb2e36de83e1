// replays.h -- the REPLAYS screens: the lists of levels, rooms and attempts kept, a message in
// place of a replay that cannot be watched, and the lines drawn while one is watched.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>
#include <stddef.h>
#include "replay/store.h"

enum { REPLAYS_BACK = -1, REPLAYS_LINE_MAX = 40 };

// A list under a title and a grey subtitle, with up to two lines of hints (null: none) over the
// foot line, until Enter (the line chosen is returned), Escape or the close button (REPLAYS_BACK).
// *selected is the line chosen, kept by the caller; an empty list says so.
int FRONT_replay_list(BITMAP *b, const char *title, const char *subtitle, const char *hint1,
                      const char *hint2, const char (*lines)[REPLAYS_LINE_MAX], int count,
                      int *selected);
// One attempt's line: "*" for the room's best, when it started (local time), how it ended and its
// time, "*12-07 13:26 LEVER       12.34"; a damaged file says so.
void FRONT_replay_line(const ReplayListed *l, char *out, size_t size);
// What the status line shows while watching: the keys held in the frame ("<" left, ">" right,
// "^" high jump, "v" long jump, "-" not held) and the speed, "KEYS <-^- 2X".
void FRONT_replay_keys(int keys, int speed, char *out, size_t size);
// A screen of a title and up to two lines of text, until Enter, Escape or the close button.
void FRONT_replay_message(BITMAP *b, const char *title, const char *line1, const char *line2);
