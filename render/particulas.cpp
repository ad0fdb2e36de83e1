// particulas.cpp -- drawing the ceiling drips (pool slots 0..9) and the dust and splashes (10..511)
// that the frame step moved and chose pictures for.
#include "render/particulas.h"
#include "blend/blend.h"
#include "render/render.h"

enum {
    DRIP_FACT = 128, // drips glow at half strength
    DUST_FACT = 128, // strength at age 0, minus 4 per frame of age
};

void particulas_drips(BITMAP *view) {
    for (int i = 0; i < DRIP_SLOTS; i++) {
        int n = efectos.shown[i];
        if (n >= 0 && n < 6 && sp_gotas[n])
            blend_add(sp_gotas[n], view, efectos.drip_x[i], efectos.drip_y[i], DRIP_FACT);
    }
}

void particulas_dust(BITMAP *view) {
    for (int j = FIRST_DUST; j < PARTICLES; j++) {
        int n = efectos.shown[j];
        // Drawn once more in the frame it dies; from age 32 the strength is spent.
        int fact = DUST_FACT - 4 * mvl[j].age;
        if (n >= 0 && n < 6 && sp_gotas[n] && fact > 0)
            blend_add(sp_gotas[n], view, (mvl[j].x >> 8) + 1, (mvl[j].y >> 8) + 1, fact);
    }
}
