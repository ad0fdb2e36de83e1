// suena.cpp -- the front end's interface sounds (free channel, centred) and its picture loading.
#include "frontend/suena.h"
#include <stdio.h>
#include "shell/loga.h"
#include "shell/config.h"
#include "shell/sonido.h"

// Plays the sample on a free channel panned to the centre, only when sound is on.
// Called by the title menu and the retry dialog.
void FRONT_suena(FSOUND_SAMPLE *sample) {
    if (!CFG_soundon) return;
    int channel = FSOUND_PlaySound(FSOUND_FREE, sample);
    if (channel != -1) FSOUND_SetPan(channel, 128);
}

BITMAP *FRONT_carga(const char *path, RGB *palette, int log) {
    BITMAP *pic = load_pcx(path, palette);
    if (!pic && log) {
        char line[128];
        snprintf(line, sizeof line, "missing picture %s", path);
        loga(line);
    }
    return pic;
}
