// gfx.cpp -- presents the 256x192 logical screen in the window, with optional scanlines.
// SPDX-License-Identifier: MIT
#include "gfx/gfx.h"
#include <stdio.h>
#include <stdint.h>
#include "gfx/frame_dump.h"
#include "gfx/gfx_state.h"
#include "gfx/picture.h"

GfxState gfx = {1, 2, 0, 0, 0, 2, 0, nullptr, nullptr, 0, 0, {0}, {0}, {0}, {0}, 0, nullptr, 0};

void GFX_init(void) {
    set_trans_blender(0, 0, 0, 64);
    // Called again (at another colour depth), it replaces the work bitmaps.
    GFX_destroy_picture(&gfx.last);
    GFX_destroy_picture(&gfx.last_picture);
    gfx.last_is_picture = 0;
    gfx.last = create_bitmap(GFX_LOGICAL_W, GFX_LOGICAL_H);
    if (gfx.last)
        clear_bitmap(gfx.last);
    else
        fprintf(stderr, "Velumbrina: out of memory for the screen\n");
}

void GFX_scanlines(void) {
    gfx.scanlines = 1;
}

void GFX_noscanlines(void) {
    gfx.scanlines = 0;
}

// The splash picture, made for the 2X window, at the window's scale; without scanlines. A 32-bit
// window over a 15 or 16-bit game gets it through the same conversion as the frames.
static void gfx_show_picture(BITMAP *p) {
    BITMAP *shown = p;
    int from = bitmap_color_depth(p);
    if (from != bitmap_color_depth(screen) && gfx.to32_depth == from) {
        shown = create_bitmap_ex(32, p->w, p->h);
        if (!shown) return;
        for (int y = 0; y < p->h; y++)
            for (int x = 0; x < p->w; x++)
                ((uint32_t *)shown->line[y])[x] = GFX_to32(((uint16_t *)p->line[y])[x], from);
    }
    if (gfx.scale == 2 && !gfx.x && !gfx.y)
        blit(shown, screen, 0, 0, 0, 0, p->w, p->h);
    else
        stretch_blit(shown, screen, 0, 0, p->w, p->h, gfx.x, gfx.y, GFX_LOGICAL_W * gfx.scale,
                     GFX_LOGICAL_H * gfx.scale);
    if (shown != p) destroy_bitmap(shown);
}

void GFX_show_last(void) {
    if (!screen) return;
    if (gfx.last_is_picture && gfx.last_picture)
        gfx_show_picture(gfx.last_picture);
    else if (gfx.last)
        GFX_present_scaled(gfx.last, screen, gfx.scale, gfx.x, gfx.y);
}

void GFX_blitall(BITMAP *frame) {
    GFX_service();
    BITMAP *shown = frame;
    if (gfx.last) { // kept to be shown again after a change of window, and for the window tests
        blit(frame, gfx.last, 0, 0, 0, 0, GFX_LOGICAL_W, GFX_LOGICAL_H);
        shown = gfx.last;
        FRAMEDUMP_keep(gfx.last);
    }
    gfx.last_is_picture = 0;
    if (screen) GFX_present_scaled(shown, screen, gfx.scale, gfx.x, gfx.y);
}

void GFX_blitpicture(BITMAP *picture) {
    GFX_service();
    if (!gfx.last_picture || gfx.last_picture->w != picture->w ||
        gfx.last_picture->h != picture->h) {
        GFX_destroy_picture(&gfx.last_picture);
        gfx.last_picture = create_bitmap(picture->w, picture->h);
    }
    if (gfx.last_picture) blit(picture, gfx.last_picture, 0, 0, 0, 0, picture->w, picture->h);
    gfx.last_is_picture = gfx.last_picture != nullptr;
    if (screen) gfx_show_picture(picture);
}
