// vbtest.h -- helpers shared by the unit tests: a windowless Allegro at a chosen depth.
#pragma once
#include <allegro.h>

// Starts Allegro without a window (once per process) and sets the colour depth for new bitmaps.
void vbtest_init(int depth);
