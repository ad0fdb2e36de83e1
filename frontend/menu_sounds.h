// menu_sounds.h -- the front end's sounds: the three interface samples and the title song.
// SPDX-License-Identifier: MIT
#pragma once

struct FSOUND_SAMPLE;
struct FMUSIC_MODULE;

// The interface sounds: leave/cancel, confirm, move the selection (null when not loaded).
extern FSOUND_SAMPLE *s_back, *s_go, *s_ting;

// Loads back.wav, go.wav and ting.wav into s_back, s_go, s_ting when effects are on (else they stay
// null).
void FRONT_load_interface_sounds(void);
// Frees the interface samples that are loaded (go, back, ting).
void FRONT_free_interface_sounds(void);
// Turns effects on (loading the interface samples) or off (freeing them) at once, in CFG_soundon.
void FRONT_set_sound(int on);
// Loads "Resources/Title.XM", sets its volume from the music volume and starts it, whatever the
// effects setting. Returns the song (null when it cannot be loaded).
FMUSIC_MODULE *FRONT_start_title_music(void);
// Plays the sample on a free channel panned to the centre, only when sound is on.
void FRONT_suena(FSOUND_SAMPLE *sample);
