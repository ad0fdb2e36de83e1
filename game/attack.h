// attack.h -- time attack's part of the simulation: a room started on its own as the level checker
// starts it, the room's time, and the ghost of the checker's route, a second play state stepped
// with the route's keys beside play and never touching it.
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

// The keys of a route letter of the level checker (".LRUDabcd"); 0 for any other character.
int ATTACK_route_input(char letter, FrameInput *in);

// A ghost: its own play state and effects, stepped with a route's keys (one letter a frame) from
// the start of its room. It stops when its keys run out or its room ends; finished_at is then the
// frame its room ended on the lever (0: it did not).
struct Ghost {
    Partida g;
    Efectos fx;
    const char *keys; // the route's letters, not owned
    int frames;       // how many keys
    int room;
    bool running;
    int finished_at;
};

// Starts a ghost in room (0..24) of lv with the checker's route letters keys; a null or empty route
// starts no ghost.
void GHOST_start(Ghost *ghost, const Level *lv, int room, const char *keys, int frames);
// Steps the ghost one frame (nothing once it has stopped); 1 while it runs.
int GHOST_step(Ghost *ghost, const Level *lv);
