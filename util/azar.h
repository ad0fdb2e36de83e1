// azar.h -- the standard library's random numbers made saveable: rand() goes on as before, on a
// state of ours that a tool can copy aside and put back (the level checker tries many ways on
// from one moment of play).
#pragma once
#include <stdint.h>

// The generator's whole state: 31 words and the position in them.
struct AzarState {
    int32_t words[32];
};

// Copies the generator's state into s. The first call also moves rand() onto our state, from the
// start of its sequence.
void AZAR_save(AzarState *s);
// Puts a state saved by AZAR_save back: rand() then goes on from there.
void AZAR_load(const AzarState *s);
