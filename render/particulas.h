// particulas.h -- motion and drawing of the ceiling drips, the dust and splash particles, and the
// drawing of the hazard drops.
#pragma once
#include "game/estado.h"

// Moves the ten drips one frame: waits count down, falling drips are drawn, a drip that reaches
// a solid cell or the floor of the view splashes into dust slots and hangs again under a ceiling.
// Called by render in world 3.
void particulas_drips(const Room &room, BITMAP *view);

// Moves, ages, frees and draws the live dust and splash particles. Called by render in worlds
// 0 and 3.
void particulas_dust(BITMAP *view);

// Draws the hazard drops of dripping cells: hanging ones growing under their cell (shaking in their
// last frames), falling ones, and a splash where one lands (as dust particles in the worlds that
// move them); clock is the drops' beat (drop_clock). Called by render in every world, over the
// player.
void particulas_drops(const Drop *drops, int count, int clock, int world, BITMAP *view);

// Frees every dust and splash slot. Called by tests that start from a clean pool.
void particulas_reset(void);
