// sonidos.h -- the six sounds of play: loading them, and a count of the ones play asked for.
#pragma once

enum { SFX_ENERGY, SFX_JUMP, SFX_LEVER, SFX_FALL, SFX_HURT, SFX_LAND, SFX_COUNT };

// Loads play's six samples from resources/ (a missing one is logged and stays silent).
void SFX_load(void);
// Frees them.
void SFX_free(void);

// How many times play asked for each sound since the last SFX_reset_counts, whether or not the
// sample was loaded.
struct SFX_Counts {
    int requests[SFX_COUNT];
    int last; // the last sound asked for, -1 none
};
extern SFX_Counts SFX_counts;

// Zeroes the counts.
void SFX_reset_counts(void);
