// particulas.cpp -- drawing the ceiling drips (pool slots 0..9) and the dust and splashes (10..511)
// that the frame step moved and chose pictures for, and the hazard drops of dripping cells.
// SPDX-License-Identifier: MIT
#include "render/particulas.h"
#include "blend/blend.h"
#include "render/render.h"

enum {
    DRIP_FACT = 128,   // drips glow at half strength
    DUST_FACT = 128,   // strength at age 0, minus 4 per frame of age
    DRIP_PICTURES = 3, // sp_gotas 0..2
};

void particulas_drips(BITMAP *view) {
    for (int i = 0; i < DRIP_SLOTS; i++) {
        int n = efectos.shown[i];
        if (n >= 0 && n < 6 && renderer.sp_gotas[n])
            blend_add(renderer.sp_gotas[n], view, efectos.drip_x[i], efectos.drip_y[i], DRIP_FACT);
    }
}

void particulas_dust(BITMAP *view) {
    for (int j = FIRST_DUST; j < PARTICLES; j++) {
        int n = efectos.shown[j];
        // Drawn once more in the frame it dies; from age 32 the strength is spent.
        int fact = DUST_FACT - 4 * mvl[j].age;
        if (n >= 0 && n < 6 && renderer.sp_gotas[n] && fact > 0)
            blend_add(renderer.sp_gotas[n], view, (mvl[j].x >> 8) + 1, (mvl[j].y >> 8) + 1, fact);
    }
}

// The drop's shape: a dark rim (so it reads on the bright sky too) round a pale body, lit with the
// drip pictures; len is its height in pixels.
static void draw_drop(BITMAP *view, int x, int y, int len, int lit) {
    rectfill(view, x - 1, y - 1, x + DROP_W, y + len, makecol(16, 32, 72));
    rectfill(view, x, y, x + DROP_W - 1, y + len - 1, makecol(120, 170, 230));
    for (int k = 0; k < len; k += DRIP_PICTURES + 1) {
        BITMAP *pic = renderer.sp_gotas[(k / 4 + lit) % DRIP_PICTURES];
        if (pic) blend_add(pic, view, x, y + k, 255);
    }
}

void particulas_drops(const Partida *play, BITMAP *view) {
    for (int i = 0; i < play->drop_count && i < DROP_SLOTS; i++) {
        const Drop &d = play->drops[i];
        switch (d.state) {
        case DROP_HANGING: {
            // It swells over the first half of its hang, then trembles until it lets go.
            int age = (play->drop_clock + d.phase) % DROP_PERIOD;
            int len =
                2 + (DROP_H - 2) * (age < DROP_HANG / 2 ? age : DROP_HANG / 2) / (DROP_HANG / 2);
            int shake = age >= DROP_HANG - 8 && age % 2;
            draw_drop(view, d.x + shake, d.top, len, 0);
            break;
        }
        case DROP_FALLING:
            vline(view, d.x + 1, d.y - 2 * DROP_FALL, d.y - 1, makecol(60, 90, 140)); // its trail
            draw_drop(view, d.x, d.y, DROP_H, 1);
            break;
        case DROP_SPLASHING:
            hline(view, d.x - 3, d.bottom - 1, d.x + DROP_W + 2, makecol(120, 170, 230));
            break;
        default:
            break;
        }
    }
}
