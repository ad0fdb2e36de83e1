// azar.cpp -- the standard library's random numbers made saveable, through initstate and setstate:
// the state lives in one of two buffers of ours, and setstate writes the position into the
// buffer it leaves and reads it from the one it takes up.
#include "util/azar.h"
#include <stdlib.h>
#include <string.h>

static AzarState buffers[2];
static int active = -1;

// Moves rand() onto our first buffer, seeded as an unseeded program's rand() starts.
static void install(void) {
    if (active >= 0) return;
    initstate(1, (char *)buffers[0].words, sizeof buffers[0].words);
    active = 0;
}

void AZAR_save(AzarState *s) {
    install();
    setstate((char *)buffers[active].words); // writes the position into the active buffer
    *s = buffers[active];
}

void AZAR_load(const AzarState *s) {
    install();
    int other = 1 - active;
    buffers[other] = *s;
    setstate((char *)buffers[other].words);
    active = other;
}
