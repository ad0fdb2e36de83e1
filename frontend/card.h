// card.h -- the cards around play: the level card before a room (with the password and, before the
// first room of a game, how to play), the GAME OVER card, and the pause drawn over the frame; all
// show the player's own keys.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>

enum {
    CARD_KEY_LINES = 7, // walking either way, both jumps, pause, retry, leaving
    CARD_LEVEL_Y = 88,  // the level line, on the level card and the GAME OVER card
    CARD_PASSWORD_Y = 100,
    CARD_GAME_OVER_Y = 72,
    CARD_PAUSED_Y = 92,  // PAUSED, then how to go on or leave under it
    CARD_KEYS_Y = 112,   // the keys' column heads, then one line per action
    CARD_KEY_SPACING = 9 // rows from one line of keys to the next
};

// One line of the keys (0: the column heads "KEYS" and "PAD", 1..CARD_KEY_LINES an action with
// its keys as bound and its pad buttons), 32 characters: the 256-pixel width.
void CARD_keys_line(int line, char *text, int size);
// How the pause is left, in the bound keys: "ENTER TO GO ON, ESC TO LEAVE" (shorter when the pause
// key's name is long).
void CARD_pause_hint(char *text, int size);
// The level card on a cleared b: the level line, the password labelled PASSWORD (null: none), the
// keys when how_to_play, and the key that shows the checker's route (SHOW ME).
void CARD_draw_level(BITMAP *b, const char *level_line, const char *password, int how_to_play);
// The GAME OVER card on a cleared b: the room reached and its password (null: none), and the key
// that goes on.
void CARD_draw_game_over(BITMAP *b, const char *level_line, const char *password);
// The pause over a frame: a darkened band with PAUSED, how to go on or leave, and the keys.
void CARD_draw_pause(BITMAP *frame);
