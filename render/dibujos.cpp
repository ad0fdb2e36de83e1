// dibujos.cpp -- the renderer's record: its pictures (light, weather, drips, slime, the frame's
// border and energy bar) and work layers, made, loaded and released.
// SPDX-License-Identifier: MIT
#include <stddef.h>
#include <stdio.h>
#include <string.h>
#include "gfx/picture.h"
#include "render/render.h"

Renderer renderer;

enum { FRAME_W = 256, FRAME_H = 192 };

void RENDER_reset(const char *label) {
    Renderer &r = renderer;
    BITMAP **held[] = {&r.sp_nubes1,       &r.sp_nubes2,         &r.sp_halo_verde,
                       &r.sp_anti_halo,    &r.sp_overlay_fila4,  &r.sp_fancy_overlay,
                       &r.frame_picture,   &r.bar_empty,         &r.bar_full,
                       &r.buffer_auxiliar, &r.buffer_auxiliar_2, &r.buffer_auxiliar_moco,
                       &r.room_view,       &r.frame_buffer,      &r.buffer_auxiliar_moco_2};
    static_assert(sizeof held + sizeof r.sp_gotas + sizeof r.moco_blobs ==
                      offsetof(Renderer, nubes1_x),
                  "every picture and layer of the record (they come first) is released");
    for (BITMAP **b : held)
        GFX_destroy_picture(b);
    for (BITMAP *&b : r.sp_gotas)
        GFX_destroy_picture(&b);
    for (BITMAP *&b : r.moco_blobs)
        GFX_destroy_picture(&b);
    memset(&renderer, 0, sizeof renderer);
    if (label) {
        renderer.has_label = true;
        snprintf(renderer.label, sizeof renderer.label, "%s", label);
    }
}

// Creates one bitmap into *slot, cleared to colour; 0 when memory ran out.
static int make(BITMAP **slot, int w, int h, int colour) {
    *slot = create_bitmap(w, h);
    if (*slot) clear_to_color(*slot, colour);
    return *slot != nullptr;
}

// Destroys the layers RENDER_create_layers makes (missing ones are skipped).
static void destroy_layers(void) {
    GFX_destroy_picture(&renderer.room_view);
    GFX_destroy_picture(&renderer.frame_buffer);
    GFX_destroy_picture(&renderer.buffer_auxiliar);
    GFX_destroy_picture(&renderer.buffer_auxiliar_2);
    GFX_destroy_picture(&renderer.buffer_auxiliar_moco);
    GFX_destroy_picture(&renderer.buffer_auxiliar_moco_2);
}

int RENDER_create_layers(void) {
    Renderer &r = renderer;
    r.transparente = makecol(255, 0, 255);
    int ok = make(&r.room_view, ROOM_W, ROOM_H, 0) && make(&r.frame_buffer, FRAME_W, FRAME_H, 0) &&
             make(&r.buffer_auxiliar, ROOM_W, ROOM_H, 0) &&
             make(&r.buffer_auxiliar_2, ROOM_W, ROOM_H, 0) &&
             make(&r.buffer_auxiliar_moco, ROOM_W, ROOM_H, r.transparente) &&
             make(&r.buffer_auxiliar_moco_2, ROOM_W, ROOM_H, r.transparente);
    if (!ok) destroy_layers();
    return ok;
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
    Renderer &r = renderer;
    r.bar_full = load("resources/ENE_Lle.pcx", palette);
    r.bar_empty = load("resources/ENE_Vac.pcx", palette);
    r.sp_nubes1 = load("resources/clouds_1.pcx", palette);
    r.sp_nubes2 = load("resources/clouds_2.pcx", palette);
    r.sp_halo_verde = load("resources/halo_verde.pcx", palette);
    r.sp_anti_halo = load("resources/anti_halo.pcx", palette);
    r.sp_overlay_fila4 = load("resources/OVERLAY-fila4.pcx", palette);
    r.sp_fancy_overlay = load("resources/fancy-overlay.pcx", palette);
    cut_strip("resources/gotas.pcx", palette, r.sp_gotas, 6, 4, 4);
    cut_strip("resources/moco.pcx", palette, r.moco_blobs, 4, 8, 8);
    r.frame_picture = load("resources/MARCO.PCX", palette); // last: the screenshot's palette
}

void clear(BITMAP *bmp) {
    clear_bitmap(bmp);
}
