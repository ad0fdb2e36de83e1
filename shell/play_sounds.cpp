// play_sounds.cpp -- the six sounds of play on the sound service: their samples and the channel
// each was last started on, so that a frame can stop it.
// SPDX-License-Identifier: MIT
#include "shell/play_sounds.h"
#include "platform/config.h"
#include "platform/sound_service.h"

static const char *const files[SFX_COUNT] = {"resources/energia.wav", "resources/salto.wav",
                                             "resources/palanca.wav", "resources/caer.wav",
                                             "resources/enemigo.wav", "resources/suelo.wav"};

// The samples in the order of SFX_ENERGY..SFX_LAND (null when not loaded), and the channel each
// was last started on (-1 none).
static struct {
    FSOUND_SAMPLE *samples[SFX_COUNT];
    int channels[SFX_COUNT];
} sfx;

void SFX_load(void) {
    for (int i = 0; i < SFX_COUNT; i++) {
        sfx.samples[i] =
            FSOUND_Sample_Load(FSOUND_FREE, files[i], FSOUND_2D | FSOUND_LOOP_OFF, 0, 0);
        sfx.channels[i] = -1;
    }
}

void SFX_free(void) {
    for (FSOUND_SAMPLE *&s : sfx.samples) {
        if (s) FSOUND_Sample_Free(s);
        s = nullptr;
    }
}

void SFX_play_frame(const FrameEvents *ev) {
    if (!CFG_soundon) return;
    for (int i = 0; i < ev->sound_count && i < FRAME_SOUNDS; i++) {
        const FrameSound *f = &ev->sounds[i];
        if (f->sfx < 0 || f->sfx >= SFX_COUNT) continue;
        int *channel = &sfx.channels[f->sfx];
        if (f->stop) {
            if (*channel != -1) FSOUND_StopSound(*channel);
            *channel = -1;
            continue;
        }
        FSOUND_SAMPLE *sample = sfx.samples[f->sfx];
        *channel = sample ? FSOUND_PlaySound(FSOUND_FREE, sample) : -1;
        if (*channel != -1) FSOUND_SetPan(*channel, f->pan);
    }
}
