// suena.h -- the front end's interface sounds (free channel, centred) and its picture loading.
#pragma once

#include <allegro.h>

struct FSOUND_SAMPLE;

// Plays the sample on a free channel panned to the centre, only when sound is on.
// Called by the title menu and the retry dialog.
void FRONT_suena(FSOUND_SAMPLE *sample);

// Loads a PCX picture; a missing one is logged by name when log is set (the screen then goes
// without it). Called by the intro, the title menu and the retry dialog.
BITMAP *FRONT_carga(const char *path, RGB *palette, int log);
