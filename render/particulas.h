// particulas.h -- drawing the ceiling drips and the dust and splash particles as the frame step
// left them in efectos, and the hazard drops of dripping cells.
// SPDX-License-Identifier: MIT
#pragma once
#include "game/estado.h"

// Draws the drips shown this frame, glowing at half strength.
void particulas_drips(BITMAP *view);
// Draws the dust and splash particles shown this frame, fading with age.
void particulas_dust(BITMAP *view);
// Draws the hazard drops of the room's dripping cells as the frame step left them: hanging ones
// growing under their cell (shaking in their last frames), falling ones, a splash where one lands.
void particulas_drops(const Partida *play, BITMAP *view);
