// motor.h -- play's window loop: one game from loading to teardown.
#pragma once

// Plays the level file (name changed in place: cut at its first blank, lower-cased) from
// GAME_level/GAME_sublevel; returns 0 when the level cannot be loaded, else 1. Called by the shell.
int juego(char *level_file);
