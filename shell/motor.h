// motor.h -- play's window loop: one game from loading to teardown.
#pragma once

// What play needs to know about the level it plays.
struct PlayLevel {
    const char *path;           // the level file
    const char *music;          // its music
    const char *music_fallback; // played when music is missing (nullptr: none)
    const char *name;           // shown on cards and the status line instead of the level's
                                // number, with no password (nullptr: number and password)
};

// Plays the level from GAME_level/GAME_sublevel, passing over rooms that cannot be played; returns
// 0 when the level cannot be loaded, else 1.
int MOTOR_play(const PlayLevel *level);

// Plays the level file of maps/ (name changed in place: cut at its first blank, lower-cased) from
// GAME_level/GAME_sublevel with its music from resources/; returns as MOTOR_play.
int juego(char *level_file);

// Asks play to pause, or to go on when it is paused; a no-op outside play.
void MOTOR_toggle_pause(void);
