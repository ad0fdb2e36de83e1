// particulas.h -- drawing the ceiling drips and the dust and splash particles as the frame step
// left them in efectos.
#pragma once
#include <allegro.h>

// Draws the drips shown this frame, glowing at half strength. Called by render in world 3.
void particulas_drips(BITMAP *view);
// Draws the dust and splash particles shown this frame, fading with age. Called by render in
// worlds 0 and 3.
void particulas_dust(BITMAP *view);
