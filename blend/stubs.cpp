// stubs.cpp -- placeholder blending until the blend operations land.
#include "blend/blend.h"

void blend_add(BITMAP *, BITMAP *, int, int, int) {}
void blend_sub(BITMAP *, BITMAP *, int, int, int) {}
void blend_trans(BITMAP *, BITMAP *, int, int, int) {}
