// arranque.h -- the shell's sounds: the three interface samples and the title song.
#pragma once

struct FMUSIC_MODULE;

// Loads back.wav, go.wav and ting.wav into s_back, s_go, s_ting when effects are on (else
// they stay null). Called by main at start-up.
void SHELL_load_interface_sounds(void);
// Frees the interface samples loaded at start-up (go, back, ting). Called by main at shut-down.
void SHELL_free_interface_sounds(void);
// Loads "Resources/Title.XM", sets its volume from the music volume and starts it, whatever
// the effects setting. Returns the song (null when it cannot be loaded). Called by main.
FMUSIC_MODULE *SHELL_start_title_music(void);
