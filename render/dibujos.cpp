// dibujos.cpp -- the renderer's pictures (light, weather, drips, slime) and work layers: loading,
// creating and releasing them.
#include "gfx/picture.h"
#include "render/render.h"

BITMAP *sp_nubes1, *sp_nubes2;
BITMAP *sp_halo_verde, *sp_anti_halo;
BITMAP *sp_overlay_fila4, *sp_fancy_overlay;
BITMAP *sp_gotas[6];
BITMAP *moco_blobs[4];
BITMAP *buffer_auxiliar, *buffer_auxiliar_2;
BITMAP *buffer_auxiliar_moco, *buffer_auxiliar_moco_2;
BITMAP *room_view;
int nubes1_x, nubes2_x;
int transparente;

// Creates one bitmap into *slot, cleared to colour; 0 when memory ran out.
static int make(BITMAP **slot, int colour) {
    *slot = create_bitmap(ROOM_W, ROOM_H);
    if (*slot) clear_to_color(*slot, colour);
    return *slot != nullptr;
}

int RENDER_create_layers(void) {
    transparente = makecol(255, 0, 255);
    int ok = make(&room_view, 0) && make(&buffer_auxiliar, 0) && make(&buffer_auxiliar_2, 0) &&
             make(&buffer_auxiliar_moco, transparente) &&
             make(&buffer_auxiliar_moco_2, transparente);
    if (!ok) RENDER_destroy_layers();
    return ok;
}

void RENDER_destroy_layers(void) {
    GFX_destroy_picture(&room_view);
    GFX_destroy_picture(&buffer_auxiliar);
    GFX_destroy_picture(&buffer_auxiliar_2);
    GFX_destroy_picture(&buffer_auxiliar_moco);
    GFX_destroy_picture(&buffer_auxiliar_moco_2);
}

// One of play's pictures; a missing one is logged by name and left null.
static BITMAP *load(const char *name, RGB *palette) {
    return GFX_load_picture(name, palette, "No se pudo cargar");
}

// Cuts a strip picture into n pictures of w x h from its top row; missing strip, missing pieces.
static void cut_strip(const char *name, RGB *palette, BITMAP **pieces, int n, int w, int h) {
    BITMAP *strip = load(name, palette);
    for (int i = 0; i < n; i++) {
        pieces[i] = strip ? create_bitmap(w, h) : nullptr;
        if (pieces[i]) blit(strip, pieces[i], w * i, 0, 0, 0, w, h);
    }
    if (strip) destroy_bitmap(strip);
}

void RENDER_load_pictures(RGB *palette) {
    sp_nubes1 = load("resources/clouds_1.pcx", palette);
    sp_nubes2 = load("resources/clouds_2.pcx", palette);
    sp_halo_verde = load("resources/halo_verde.pcx", palette);
    sp_anti_halo = load("resources/anti_halo.pcx", palette);
    sp_overlay_fila4 = load("resources/OVERLAY-fila4.pcx", palette);
    sp_fancy_overlay = load("resources/fancy-overlay.pcx", palette);
    cut_strip("resources/gotas.pcx", palette, sp_gotas, 6, 4, 4);
    cut_strip("resources/moco.pcx", palette, moco_blobs, 4, 8, 8);
}

void RENDER_release_pictures(void) {
    GFX_destroy_picture(&sp_nubes1);
    GFX_destroy_picture(&sp_nubes2);
    GFX_destroy_picture(&sp_overlay_fila4);
    GFX_destroy_picture(&sp_anti_halo);
    GFX_destroy_picture(&sp_fancy_overlay);
    for (int i = 0; i < 6; i++)
        GFX_destroy_picture(&sp_gotas[i]);
    for (int i = 0; i < 4; i++)
        GFX_destroy_picture(&moco_blobs[i]);
    GFX_destroy_picture(&sp_halo_verde);
}

void clear(BITMAP *bmp) {
    clear_bitmap(bmp);
}
