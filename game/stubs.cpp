// stubs.cpp -- placeholder play until the game lands.
#include "game/motor.h"

int juego(char *) { return 0; }
