// interno.h -- the pieces of a frame that the game's own files share: cells, sounds, steps.
#pragma once
#include "game/partida.h"

// The jump tables: change of y (1/256 pixel) at jump steps 0..31, high jump and long jump.
extern int incA[32];
extern int incL[32];

// Attribute bits of cell (row, col) of the current room. Cells outside the grid are the room's
// walls, floor and ceiling: they read as solid. Every cell test of play goes through here.
int PARTIDA_cell(int row, int col);

// Plays one of play's samples panned to the player (pan = pixel x + 8) and counts the request;
// returns the channel or -1. Nothing is played from a missing sample. Callers test the sound
// switch.
int PARTIDA_play(int sfx);

// The frame's steps, in the order the frame runs them.
void JUGADOR_update(const FrameInput *in); // the player: walking, jumps, falls, platforms, belts
void MOVILES_build(void);                  // room start: enemies and platforms from the room record
void MOVILES_move(void);                   // enemies, then platform slots 0..23
void EFECTOS_particles_step(void);         // drips (world 3) and dust (worlds 0 and 3) move
void MOVILES_push_blocks(void);            // kind 23 platforms give way to the player
void CONTACTOS_check(int x, int y); // contacts; x, y: the player's position before the blocks
void EFECTOS_drips_setup(void);     // world 3 room start: drips under the ceilings, dust cleared
void EFECTOS_dust_spawn(void);      // two puffs at the player's feet when asked for
void EFECTOS_slime_reset(void);     // room start: no slime yet
void EFECTOS_slime_step(void);      // world 4 toggle frames: the slime front creeps down
void EFECTOS_drops_setup(void);     // room start: a drop for each dripping cell, clock at 0
void EFECTOS_drops_step(void);      // every frame: drops hang, fall and splash on their beat
