// sonidos.cpp -- the six sounds of play: loading, playing them panned to the player, counting.
#include "game/sonidos.h"
#include <string.h>
#include "game/interno.h"
#include "platform/sound_service.h"

// The samples, in the order of SFX_ENERGY..SFX_LAND (null when sound is off or a file is missing).
static FSOUND_SAMPLE *samples[SFX_COUNT];
static const char *const files[SFX_COUNT] = {"resources/energia.wav", "resources/salto.wav",
                                             "resources/palanca.wav", "resources/caer.wav",
                                             "resources/enemigo.wav", "resources/suelo.wav"};

SFX_Counts SFX_counts;

void SFX_reset_counts(void) {
    memset(&SFX_counts, 0, sizeof SFX_counts);
    SFX_counts.last = -1;
}

void SFX_load(void) {
    for (int i = 0; i < SFX_COUNT; i++)
        samples[i] = FSOUND_Sample_Load(FSOUND_FREE, files[i], FSOUND_2D | FSOUND_LOOP_OFF, 0, 0);
}

void SFX_free(void) {
    for (FSOUND_SAMPLE *&s : samples) {
        if (s) FSOUND_Sample_Free(s);
        s = nullptr;
    }
}

int PARTIDA_play(int sfx) {
    if (sfx < 0 || sfx >= SFX_COUNT) return -1;
    SFX_counts.requests[sfx]++;
    SFX_counts.last = sfx;
    if (!samples[sfx]) return -1;
    int ch = FSOUND_PlaySound(FSOUND_FREE, samples[sfx]);
    if (ch != -1) FSOUND_SetPan(ch, (partida.player.x >> 8) + 8);
    return ch;
}
