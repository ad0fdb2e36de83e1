// planted_low.cpp -- two faults for the link check to find: an Allegro call in a library that must
// be headless, and a call up into the library above it (planted_high.cpp).
// SPDX-License-Identifier: MIT
#include <allegro.h>

void link_planted_above(void);

// Makes a bitmap after calling up: only its references matter.
BITMAP *link_planted_below(void) {
    link_planted_above();
    return create_bitmap(1, 1);
}
