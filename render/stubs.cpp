// stubs.cpp -- placeholder renderer until the renderer lands.
#include "render/render.h"

int nubes1_x, nubes2_x;
void render(Player, Mover *, Mover *, Room *, Pickup *, Pickup *, unsigned char, BITMAP **, BITMAP **, BITMAP **, BITMAP *, LevelHeader) {}
void traza_sombras(Player, Mover *, Mover *, Room *, Pickup *, Pickup *, unsigned char, BITMAP **, BITMAP **, BITMAP **, BITMAP *, LevelHeader) {}
void blitter_compose(BITMAP *, BITMAP *, BITMAP *, BITMAP *, BITMAP *, int, int, int, int, int) {}
void blitter(BITMAP *, BITMAP *, BITMAP *, BITMAP *, BITMAP *, int, int, int, int) {}
