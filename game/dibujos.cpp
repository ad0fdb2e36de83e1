// dibujos.cpp -- the pictures play draws the room's light, weather and slime with: loading them
// from resources/ and releasing them.
#include <stdio.h>
#include "game/interno.h"
#include "platform/loga.h"

BITMAP *PARTIDA_picture(const char *name) {
    BITMAP *b = load_pcx(name, partida_palette);
    if (!b) {
        char line[160];
        snprintf(line, sizeof line, "No se pudo cargar %s", name);
        loga(line);
    }
    return b;
}

// Cuts a strip picture into n pictures of w x h from its top row; missing strip, missing pieces.
static void cut_strip(const char *name, BITMAP **pieces, int n, int w, int h) {
    BITMAP *strip = PARTIDA_picture(name);
    for (int i = 0; i < n; i++) {
        pieces[i] = strip ? create_bitmap(w, h) : nullptr;
        if (pieces[i]) blit(strip, pieces[i], w * i, 0, 0, 0, w, h);
    }
    if (strip) destroy_bitmap(strip);
}

void PARTIDA_load_pictures(void) {
    sp_nubes1 = PARTIDA_picture("resources/clouds_1.pcx");
    sp_nubes2 = PARTIDA_picture("resources/clouds_2.pcx");
    sp_halo_verde = PARTIDA_picture("resources/halo_verde.pcx");
    sp_anti_halo = PARTIDA_picture("resources/anti_halo.pcx");
    sp_overlay_fila4 = PARTIDA_picture("resources/OVERLAY-fila4.pcx");
    sp_fancy_overlay = PARTIDA_picture("resources/fancy-overlay.pcx");
    cut_strip("resources/gotas.pcx", sp_gotas, 6, 4, 4);
    cut_strip("resources/moco.pcx", moco_blobs, 4, 8, 8);
}

static void destroy(BITMAP **b) {
    if (*b) destroy_bitmap(*b);
    *b = nullptr;
}

void PARTIDA_release_pictures(void) {
    destroy(&sp_nubes1);
    destroy(&sp_nubes2);
    destroy(&sp_overlay_fila4);
    destroy(&sp_anti_halo);
    destroy(&sp_fancy_overlay);
    for (int i = 0; i < 6; i++)
        destroy(&sp_gotas[i]);
    for (int i = 0; i < 4; i++)
        destroy(&moco_blobs[i]);
    destroy(&sp_halo_verde);
}
