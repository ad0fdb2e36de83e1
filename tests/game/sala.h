// sala.h -- test rooms drawn as text, and holding keys, for the play tests.
#pragma once
#include <initializer_list>
#include "game/interno.h"

// Legend of a room drawn as rows of 15 characters, given as {row, text}; rows not given are empty
// except row 8, a solid floor unless given:
//   .  empty           #  solid           =  ledge          ^  hurting (not solid)
//   >  belt right      <  belt left (both solid)            P  the player's start (empty)
// The player starts facing right. Movers and pickups are added with the helpers below before
// sala_start().
struct Fila {
    int row;
    const char *text;
};
void sala_draw(int room_number, std::initializer_list<Fila> rows);
// Puts a mover entry (cells, speed, kind) into enemy or platform slot `slot` of the drawn room.
void sala_enemy(int slot, int x1, int y1, int x2, int y2, int speed, int kind);
void sala_platform(int slot, int x1, int y1, int x2, int y2, int speed, int kind);
// Puts lever or energy item `slot` at cell (col, row) of room index `room`.
void sala_lever(int slot, int room, int col, int row);
void sala_energy(int slot, int room, int col, int row);
// Starts the drawn room (GAME_sublevel = its number) with no keys held and sound on.
void sala_start(void);

// Releases every key, then holds the given ones (play's default keys and Escape) for run().
void hold(std::initializer_list<int> keys);
void release_keys(void);
// Runs n frames through the headless frame step.
void run(int n);

// The player's pixel position.
inline int px(void) {
    return partida.player.x >> 8;
}
inline int py(void) {
    return partida.player.y >> 8;
}
