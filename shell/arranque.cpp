// arranque.cpp -- the shell's sounds: the three interface samples and the title song.
#include "shell/arranque.h"
#include "shell/config.h"
#include "shell/sonido.h"

static FSOUND_SAMPLE *arr_load(const char *name) {
    return FSOUND_Sample_Load(FSOUND_FREE, name, FSOUND_LOOP_OFF | FSOUND_2D, 0, 0);
}

void SHELL_load_interface_sounds(void) {
    if (!CFG_soundon) return;
    s_back = arr_load("resources/back.wav");
    s_go = arr_load("resources/go.wav");
    s_ting = arr_load("resources/ting.wav");
}

void SHELL_free_interface_sounds(void) {
    if (!CFG_soundon) return;
    FSOUND_Sample_Free(s_go);
    FSOUND_Sample_Free(s_back);
    FSOUND_Sample_Free(s_ting);
    s_go = s_back = s_ting = nullptr;
}

FMUSIC_MODULE *SHELL_start_title_music(void) {
    FMUSIC_MODULE *song = FMUSIC_LoadSong("Resources/Title.XM");
    FMUSIC_SetMasterVolume(song, CFG_soundvol * 2);
    FMUSIC_PlaySong(song);
    return song;
}
