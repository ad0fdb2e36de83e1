// azar.cpp -- the random number generator: glibc's additive feedback generator (degree 31, taps
// three apart), seeded by the Lehmer sequence and run 310 steps before its first number.
// SPDX-License-Identifier: MIT
#include "util/azar.h"

enum { TAP_SEPARATION = 3, WARM_UP = 10 * AZAR_WORDS };

void AZAR_seed(AzarState *s, unsigned seed) {
    int32_t word = seed ? (int32_t)seed : 1;
    s->words[0] = (uint32_t)word;
    for (int i = 1; i < AZAR_WORDS; i++) {
        // word = 16807 * word % 2147483647, without overflowing 31 bits
        int32_t hi = word / 127773, lo = word % 127773;
        word = 16807 * lo - 2836 * hi;
        if (word < 0) word += 2147483647;
        s->words[i] = (uint32_t)word;
    }
    s->front = TAP_SEPARATION;
    s->rear = 0;
    for (int i = 0; i < WARM_UP; i++)
        AZAR_next(s);
}

int AZAR_next(AzarState *s) {
    uint32_t v = s->words[s->front] += s->words[s->rear];
    s->front = (s->front + 1) % AZAR_WORDS;
    s->rear = (s->rear + 1) % AZAR_WORDS;
    return (int)(v >> 1);
}
