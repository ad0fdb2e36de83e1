// estado.cpp -- storage for the records of play and the game's names for their fields.
// SPDX-License-Identifier: MIT
#include "game/estado.h"

Partida partida;
int &GAME_level = partida.level;
int &GAME_sublevel = partida.sublevel;
short &flip_flop = partida.flip_flop;
int &moco_x = partida.moco_x;
int &moco_y = partida.moco_y;

Level play_level;

Efectos efectos;
Particle (&mvl)[PARTICLES] = efectos.mvl;

int signo(int v) {
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}
