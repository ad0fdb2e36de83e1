// gfx.cpp -- presents the 256x192 logical screen doubled in the window, with optional scanlines.
#include "gfx/gfx.h"
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "gfx/gfx_state.h"

GfxState gfx = {1, nullptr, nullptr, {0}, 0, nullptr, {0}};

enum { LOGICAL_W = 256, LOGICAL_H = 192, WINDOW_W = 512, WINDOW_H = 384 };

void GFX_init(void) {
    set_trans_blender(0, 0, 0, 64);
    // A second call (tests at another colour depth) replaces the work bitmaps.
    if (gfx.negra) destroy_bitmap(gfx.negra);
    if (gfx.aux) destroy_bitmap(gfx.aux);
    if (gfx.dump) destroy_bitmap(gfx.dump);
    gfx.negra = create_bitmap(WINDOW_W, 1);
    gfx.aux = create_bitmap(WINDOW_W, WINDOW_H);
    if (gfx.negra) clear_bitmap(gfx.negra);
    if (!gfx.negra || !gfx.aux) fprintf(stderr, "Velumbrina: out of memory for the screen\n");
    // Window tests ask for a copy of every presented frame to compare with the window.
    gfx.dump = nullptr;
    gfx.dump_path[0] = 0;
    const char *dump = getenv("VB_DUMP_FRAME");
    if (dump && *dump && strlen(dump) < sizeof gfx.dump_path - 16) {
        snprintf(gfx.dump_path, sizeof gfx.dump_path, "%s", dump);
        gfx.dump = create_bitmap(LOGICAL_W, LOGICAL_H);
    }
}

void GFX_scanlines(void) {
    gfx.scanlines = 1;
}

void GFX_noscanlines(void) {
    gfx.scanlines = 0;
}

void GFX_present_into(BITMAP *frame, BITMAP *dest) {
    stretch_blit(frame, dest, 0, 0, LOGICAL_W, LOGICAL_H, 0, 0, WINDOW_W, WINDOW_H);
    if (!gfx.scanlines || !gfx.negra) return;
    for (int y = 1; y < WINDOW_H; y += 2)
        draw_trans_sprite(dest, gfx.negra, 0, y);
}

// Saves the logical frame for the window tests; written aside and renamed, so a reader never
// sees half a file.
static void gfx_dump_frame(BITMAP *frame) {
    char part[sizeof gfx.dump_path + 16];
    const char *ext = strrchr(gfx.dump_path, '.');
    snprintf(part, sizeof part, "%s.part%s", gfx.dump_path, ext ? ext : ".bmp");
    blit(frame, gfx.dump, 0, 0, 0, 0, LOGICAL_W, LOGICAL_H);
    if (save_bitmap(part, gfx.dump, nullptr) == 0) rename(part, gfx.dump_path);
}

void GFX_blitall(BITMAP *frame) {
    if (gfx.dump) gfx_dump_frame(frame);
    if (!gfx.scanlines || !gfx.aux) {
        stretch_blit(frame, screen, 0, 0, LOGICAL_W, LOGICAL_H, 0, 0, WINDOW_W, WINDOW_H);
        return;
    }
    GFX_present_into(frame, gfx.aux);
    blit(gfx.aux, screen, 0, 0, 0, 0, WINDOW_W, WINDOW_H);
}
