// play_sounds.h -- the six sounds of play: loading them, and starting and stopping what each frame
// asks for.
// SPDX-License-Identifier: MIT
#pragma once
#include "game/partida.h"

// Loads play's six samples from resources/ (a missing one is logged and stays silent) and forgets
// the channels of any game before.
void SFX_load(void);
// Frees them.
void SFX_free(void);
// Plays the frame's sounds in order when sound is on: a start plays its sample on a free channel
// panned as asked; a stop ends the channel its sound was last started on.
void SFX_play_frame(const FrameEvents *ev);
