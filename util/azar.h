// azar.h -- a random number generator whose whole state is one record: a copy goes on exactly as
// the original would. It gives the numbers of the standard library's rand() on glibc after
// srand(seed), so what play draws with them keeps its look.
// SPDX-License-Identifier: MIT
#pragma once
#include <stdint.h>

enum { AZAR_WORDS = 31 };

// The generator's whole state: an additive feedback register of 31 words and its two taps.
struct AzarState {
    uint32_t words[AZAR_WORDS];
    int front, rear; // the taps, indexes into words
};

// Seeds the generator as srand(seed) seeds rand(); seed 1 (or 0) gives an unseeded rand()'s
// numbers.
void AZAR_seed(AzarState *s, unsigned seed);
// The next number, 0..2147483647.
int AZAR_next(AzarState *s);
