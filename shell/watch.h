// watch.h -- REPLAYS: choosing a kept room attempt and watching it drawn as it was played.
// SPDX-License-Identifier: MIT
#pragma once
#include <allegro.h>
#include "platform/sound_service.h"

// The REPLAYS screens and the attempts watched from them, until Escape takes the player back to
// the title menu. The title song plays on the lists, the level's music while watching.
void WATCH_screen(BITMAP *back_buffer, FMUSIC_MODULE *title_song);
