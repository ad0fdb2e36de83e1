// suena.h -- playing an interface sound the front end's way: free channel, centred.
#pragma once

struct FSOUND_SAMPLE;

// Plays the sample on a free channel panned to the centre, only when sound is on.
// Called by the title menu and the retry dialog.
void FRONT_suena(FSOUND_SAMPLE *sample);
