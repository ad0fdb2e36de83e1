// estado.cpp -- storage for the shared records and globals of play.
#include "game/estado.h"

Particle mvl[PARTICLES];
short flip_flop;
int GAME_level = 1;
int GAME_sublevel = 1;
int transparente;
int moco_x, moco_y;

BITMAP *sp_nubes1, *sp_nubes2;
BITMAP *sp_halo_verde, *sp_anti_halo;
BITMAP *sp_overlay_fila4, *sp_fancy_overlay;
BITMAP *sp_gotas[6];
BITMAP *moco_blobs[4];
BITMAP *buffer_auxiliar, *buffer_auxiliar_2;
BITMAP *buffer_auxiliar_moco, *buffer_auxiliar_moco_2;

int signo(int v) {
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

void clear(BITMAP *bmp) {
    clear_bitmap(bmp);
}
