// suena.cpp -- playing an interface sound the front end's way: free channel, centred.
#include "frontend/suena.h"
#include "shell/config.h"
#include "shell/sonido.h"

// Plays the sample on a free channel panned to the centre, only when sound is on.
// Called by the title menu and the retry dialog.
void FRONT_suena(FSOUND_SAMPLE *sample) {
    if (!CFG_soundon) return;
    int channel = FSOUND_PlaySound(FSOUND_FREE, sample);
    if (channel != -1) FSOUND_SetPan(channel, 128);
}
