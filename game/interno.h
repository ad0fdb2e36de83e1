// interno.h -- the pieces of a frame that the game's own files share: the records a step works on,
// cells, sounds, the steps.
// SPDX-License-Identifier: MIT
#pragma once
#include "game/partida.h"

// The jump tables: change of y (1/256 pixel) at jump steps 0..31, high jump and long jump.
extern const int incA[32];
extern const int incL[32];

// What every step works on: the play state, the effects, the level (read-only), and what the
// frame reports (null at a room start, which reports nothing).
struct Step {
    Partida *g;
    Efectos *fx;
    const Level *lv;
    FrameEvents *out;
};

// Attribute bits of cell (row, col) of the current room. Cells outside the grid are the room's
// walls, floor and ceiling: they read as solid. Every cell test of play goes through here.
int PARTIDA_cell(const Step *s, int row, int col);

// Asks for sound sfx panned to the player (pan = pixel x + 8). Callers test the sound switch.
void PARTIDA_sound(Step *s, int sfx);
// Asks for the last sound sfx started to stop.
void PARTIDA_stop_sound(Step *s, int sfx);
// The effects' next random number, 0..2147483647.
int PARTIDA_random(Step *s);

// The frame's steps, in the order the frame runs them.
void JUGADOR_update(Step *s, const FrameInput *in); // the player: walking, jumps, falls, platforms
void MOVILES_build(Step *s);                        // room start: movers from the room record
void MOVILES_move(Step *s);                         // enemies, then platform slots 0..23
void EFECTOS_particles_step(Step *s);        // drips (world 3) and dust (worlds 0 and 3) move
void MOVILES_push_blocks(Step *s);           // kind 23 platforms give way to the player
void CONTACTOS_check(Step *s, int x, int y); // contacts; x, y: the player before the blocks
void EFECTOS_drips_setup(Step *s);           // world 3 room start: drips under the ceilings
void EFECTOS_dust_spawn(Step *s);            // two puffs at the player's feet when asked for
void EFECTOS_slime_reset(Step *s);           // room start: no slime yet
void EFECTOS_slime_step(Step *s);            // world 4 toggle frames: the slime front creeps down
void EFECTOS_drops_setup(Step *s);           // room start: a drop for each dripping cell, clock 0
void EFECTOS_drops_step(Step *s); // every frame: drops hang, fall and splash on their beat
