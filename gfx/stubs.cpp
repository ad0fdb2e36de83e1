// stubs.cpp -- placeholder presentation until the presentation layer lands.
#include "gfx/gfx.h"
#include "gfx/key.h"

void GFX_init(void) {}
void GFX_scanlines(void) {}
void GFX_noscanlines(void) {}
void GFX_blitall(BITMAP *frame) { stretch_blit(frame, screen, 0, 0, 256, 192, 0, 0, 512, 384); }
void GFX_present_into(BITMAP *frame, BITMAP *dest) { stretch_blit(frame, dest, 0, 0, 256, 192, 0, 0, 512, 384); }
void GFX_load_font(const char *) {}
void GFX_gprint(BITMAP *, int, int, int, const char *) {}
void GFX_gprintb(BITMAP *, int, int, int, const char *) {}
void GFX_centra(BITMAP *, int, int, const char *) {}
void KEY_wait_action_key(void) {}
