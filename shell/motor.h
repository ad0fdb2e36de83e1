// motor.h -- play's window loop: one game from loading to teardown.
// SPDX-License-Identifier: MIT
#pragma once
#include <stddef.h>

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

struct PartidaLoop;
// Loads everything play needs for the level (pictures, sounds, music, the level into play_level
// with its pickups in place) and resets the play state from GAME_level/GAME_sublevel; 0 when the
// level cannot be loaded (what was made is released).
int MOTOR_open(const PlayLevel *level);
// Play's hooks for the room sequence: card, drawing, presenting, pacing, the retry dialog,
// playable rooms and the frame's inputs.
void MOTOR_hooks(PartidaLoop *loop);
// Releases what MOTOR_open made.
void MOTOR_close(void);

// The music of the level file at path into out: a player's level's is the file beside it with the
// same name and ".xm", a shipped level's (shipped) is in resources/ like the game's own.
void MOTOR_level_music(const char *path, bool shipped, char *out, size_t size);
