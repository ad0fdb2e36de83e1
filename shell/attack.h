// attack.h -- TIME ATTACK: the level and room chosen, the room played alone against its best, its
// par and a ghost, the records kept; and play's note of the rooms a player reaches.
#pragma once
#include <allegro.h>
#include "platform/sound_service.h"

// The TIME ATTACK screens and the rooms played from them, until Escape takes the player back to
// the title menu. The title song plays on the screens, the level's music in play.
void ATTACK_screen(BITMAP *back_buffer, FMUSIC_MODULE *title_song);

// Play reached room (0..24) of the level file at path: it opens in TIME ATTACK. Kept in the
// records file at once.
void ATTACK_reached(const char *path, int room);
