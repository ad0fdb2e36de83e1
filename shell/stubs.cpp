// stubs.cpp -- placeholder shell services until the shell lands.
#include <allegro.h>
#include <stdio.h>
#include "shell/config.h"
#include "shell/temporizadores.h"
#include "shell/cierre.h"
#include "shell/loga.h"
#include "shell/sonido.h"

int CFG_scanlines = 1, CFG_soundon = 1, CFG_bitdepth = 16, CFG_soundvol = 127, CFG_sfxvol = 127,
    CFG_samplerate = 44100;
int MENU_opt = 1;
FSOUND_SAMPLE *s_back, *s_go, *s_ting;
volatile int contador_60Hz;
volatile int close_button_pressed;
SND_Counts SND_counts;

void CFG_defaults(void) {}
int CFG_load(const char *) { return 1; }
void temporizador_60Hz(void) { contador_60Hz++; }
void instala_temporizador_60Hz(void) { install_int(temporizador_60Hz, 17); }
void TMR_rest(void) { rest(1); }
void close_button_handler(void) { close_button_pressed = -1; }
void loga(const char *m) { FILE *f = fopen("log.txt", "a"); if (f) { fprintf(f, "%s\n", m); fclose(f); } }
int FSOUND_Init(int, int, unsigned int) { return 0; }
FSOUND_SAMPLE *FSOUND_Sample_Load(int, const char *, unsigned int, int, int) { return nullptr; }
int FSOUND_PlaySound(int, FSOUND_SAMPLE *) { return -1; }
int FSOUND_SetPan(int, int) { return 0; }
int FSOUND_StopSound(int) { return 0; }
void FSOUND_SetSFXMasterVolume(int) {}
void FSOUND_Sample_Free(FSOUND_SAMPLE *) {}
void FSOUND_Close(void) {}
FMUSIC_MODULE *FMUSIC_LoadSong(const char *) { return nullptr; }
int FMUSIC_SetMasterVolume(FMUSIC_MODULE *, int) { return 0; }
int FMUSIC_PlaySong(FMUSIC_MODULE *) { return 0; }
int FMUSIC_StopSong(FMUSIC_MODULE *) { return 0; }
int FMUSIC_FreeSong(FMUSIC_MODULE *) { return 0; }
void SND_reset_counts(void) { SND_counts = SND_Counts(); }
