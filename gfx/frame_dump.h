// frame_dump.h -- the window tests' hook: the last presented frames kept in memory, written out
// only when a test asks (see docs/WINDOW_TESTS.md).
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>

enum {
    FRAMEDUMP_RING = 64,   // frames kept in memory
    FRAMEDUMP_FILES = 192, // frame files kept on disk; older ones are removed as new ones come
};

// Turns the hook on when dir names a folder: from then on every presented frame is copied into
// memory, and SIGUSR1 asks for the kept frames to be written into dir. Off (the default, dir
// null or empty) it costs nothing. Returns 0, or -1 when dir is unusable (logged).
int FRAMEDUMP_start(const char *dir);
// Keeps a copy of a presented 256x192 frame and gives it the next number (from 1).
void FRAMEDUMP_keep(BITMAP *frame);
// Tags the next kept frame with a number of the game's own (a room's frame count), written beside
// it as NNNNNNNN.txt; the frames after it go untagged until the next call.
void FRAMEDUMP_note(long note);
// When a test asked: writes each kept frame not written yet as dir/NNNNNNNN.bmp (its number, its
// tag as NNNNNNNN.txt), then dir/latest ("ANSWERS NUMBER": how many requests were answered, the
// last frame's number).
void FRAMEDUMP_serve(void);
// Releases the kept frames and turns the hook off.
void FRAMEDUMP_stop(void);
