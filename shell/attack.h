// attack.h -- TIME ATTACK: the level and room chosen, the room played alone against its best, its
// par and a ghost, the records kept; and play's note of the rooms a player reaches.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>
#include "game/partida.h"
#include "platform/sound_service.h"

// The TIME ATTACK screens and the rooms played from them, until Escape takes the player back to
// the title menu. The title song plays on the screens, the level's music in play.
void ATTACK_screen(BITMAP *back_buffer, FMUSIC_MODULE *title_song);

// Play reached room (0..24) of the level file at path: it opens in TIME ATTACK. Kept in the
// records file at once.
void ATTACK_reached(const char *path, int room);

// Play's SHOW ME, in TIME ATTACK and in the level played through: the level file play has opened
// (its par file read for the routes); a new room (the ghost gone); once a frame with play's room
// index, before the step (the SHOW ME key starts the fastest route's ghost from the room's start,
// then the route taking every item, then none; the ghost steps); the frame step's drawing hook
// (the room, then the ghost over it, where it is or where its run ended); over the composed
// frame, the ghost's note for a while.
void ATTACK_play_started(const char *path);
void ATTACK_play_room_started(void);
void ATTACK_play_input(int room);
void ATTACK_draw(const Partida *g, const Efectos *fx, const Level *lv, const FrameEvents *so_far);
void ATTACK_overlay(BITMAP *frame);
// The retry dialog's SHOW ME: the route's ghost starts with the next frame of play.
void ATTACK_play_ask_show_me(void);
