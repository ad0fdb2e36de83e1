// attack.h -- time attack's part of the simulation: a room started on its own as the level checker
// starts it, the room's time, runs kept as one key code a frame, and the ghost, a second play
// state stepped with a run's keys beside play and never touching it.
// SPDX-License-Identifier: MIT
#pragma once
#include <stddef.h>
#include "game/partida.h"

// Starts room (0..24) of lv on its own, as a time attack try and as the level checker start it:
// every lever and energy item in place, full energy, 5 retries, the slime's first step in the
// first frame; the rest of g as it was.
void PARTIDA_start_attempt(Partida *g, Efectos *fx, const Level *lv, int room);

// Writes a room's time of frames (29.4 frames a second) as seconds with hundredths: "12.34",
// "1:02.34" from a minute on; with sign, a difference: "+0.34", "-1:02.34".
void ATTACK_time_text(int frames, int sign, char *out, size_t size);

// A frame's keys as one character of a kept run: a hex digit of left 1, right 2, high jump 4,
// long jump 8.
char ATTACK_input_code(const FrameInput *in);
// The keys of a character of a kept run; 0 for any other character.
int ATTACK_code_input(char code, FrameInput *in);
// The keys of a route letter of the level checker (".LRUDabcd"); 0 for any other character.
int ATTACK_route_input(char letter, FrameInput *in);

// A ghost: its own play state and effects, stepped with keys (one character a frame) from the
// start of its room. It stops when its keys run out or its room ends; finished_at is then the
// frame its room ended on the lever (0: it did not).
struct Ghost {
    Partida g;
    Efectos fx;
    const char *keys; // not owned
    int frames;       // how many keys
    int room;
    bool route; // keys are the checker's route letters, not a kept run's codes
    bool running;
    int finished_at;
};

// Starts a ghost in room (0..24) of lv with the keys (route: the checker's letters, else a kept
// run's codes); a null or empty run starts no ghost.
void GHOST_start(Ghost *ghost, const Level *lv, int room, const char *keys, int frames, bool route);
// Steps the ghost one frame (nothing once it has stopped); 1 while it runs.
int GHOST_step(Ghost *ghost, const Level *lv);
