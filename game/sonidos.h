// sonidos.h -- the six sounds of play and a count of the ones play asked for (read by tests).
#pragma once

enum { SFX_ENERGY, SFX_JUMP, SFX_LEVER, SFX_FALL, SFX_HURT, SFX_LAND, SFX_COUNT };

// How many times play asked for each sound since the last SFX_reset_counts, whether or not the
// sample was loaded.
struct SFX_Counts {
    int requests[SFX_COUNT];
    int last; // the last sound asked for, -1 none
};
extern SFX_Counts SFX_counts;

// Zeroes the counts. Called by PARTIDA_reset and tests.
void SFX_reset_counts(void);
