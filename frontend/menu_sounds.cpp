// menu_sounds.cpp -- the front end's sounds: the three interface samples and the title song.
// SPDX-License-Identifier: MIT
#include "frontend/menu_sounds.h"
#include "platform/config.h"
#include "platform/sound_service.h"

FSOUND_SAMPLE *s_back, *s_go, *s_ting;

static FSOUND_SAMPLE *load(const char *name) {
    return FSOUND_Sample_Load(FSOUND_FREE, name, FSOUND_LOOP_OFF | FSOUND_2D, 0, 0);
}

void FRONT_load_interface_sounds(void) {
    if (!CFG_soundon) return;
    s_back = load("resources/back.wav");
    s_go = load("resources/go.wav");
    s_ting = load("resources/ting.wav");
}

void FRONT_free_interface_sounds(void) {
    FSOUND_Sample_Free(s_go); // what is not loaded is null
    FSOUND_Sample_Free(s_back);
    FSOUND_Sample_Free(s_ting);
    s_go = s_back = s_ting = nullptr;
}

void FRONT_set_sound(int on) {
    if (!on == !CFG_soundon) return;
    FRONT_free_interface_sounds();
    CFG_soundon = on;
    FRONT_load_interface_sounds();
}

FMUSIC_MODULE *FRONT_start_title_music(void) {
    FMUSIC_MODULE *song = FMUSIC_LoadSong("Resources/Title.XM");
    FMUSIC_SetMasterVolume(song, CFG_volume(CFG_soundvol));
    FMUSIC_PlaySong(song);
    return song;
}

void FRONT_suena(FSOUND_SAMPLE *sample) {
    if (!CFG_soundon) return;
    int channel = FSOUND_PlaySound(FSOUND_FREE, sample);
    if (channel != -1) FSOUND_SetPan(channel, 128);
}
