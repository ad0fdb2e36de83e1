// stubs.cpp -- placeholder play until the game lands.
#include "game/motor.h"

int juego(char *) { return 0; }

// Placeholder play state and frame step until the game lands (the level checker links them).
#include "game/partida.h"
Partida partida;
void PARTIDA_reset(void) {}
int PARTIDA_create_bitmaps(void) { return 0; }
void PARTIDA_destroy_bitmaps(void) {}
void PARTIDA_start_room(void) {}
void PARTIDA_frame(void) {}
