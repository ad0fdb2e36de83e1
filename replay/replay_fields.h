// replay_fields.h -- the replay's own shared pieces: the table of the play state's fields a room
// start is recorded with (by name, so that a field added later leaves older files readable), and
// how a frame ended an attempt.
// SPDX-License-Identifier: MIT
#pragma once
#include "replay/replay.h"

enum {
    REPLAY_LEVEL_FILE_MAX = 16 * 1024 * 1024
}; // bytes of a level file read: far more than one holds

// The fields of the table: how many, each one's name and the values a file may give it.
int REPLAY_field_count(void);
const char *REPLAY_field_name(int i);
int REPLAY_field_min(int i);
int REPLAY_field_max(int i);
// The index of the field called name (n bytes), -1 when the game has no such field.
int REPLAY_field_find(const char *name, size_t n);
// Field i of g, and setting it.
int REPLAY_field_get(const Partida *g, int i);
void REPLAY_field_set(Partida *g, int i, int value);

// How the frame whose input was in and whose events are ev ended the attempt, or
// REPLAY_UNFINISHED.
int REPLAY_ending_of(const FrameInput *in, const FrameEvents *ev);
