// particulas.cpp -- the ceiling drips (pool slots 0..9), the dust and splashes (10..511), and the
// hazard drops of dripping cells.
#include "render/particulas.h"
#include "blend/blend.h"
#include <stdlib.h>

enum {
    DRIP_FALL = 4,       // pixels per frame
    DRIP_FACT = 128,     // drips glow at half strength
    DRIP_PICTURES = 3,   // sp_gotas 0..2
    SPLASH_PIECES = 8,   // dust slots one splash takes
    DRIP_WAIT_MASK = 31, // frames a respawned drip waits: 0..31
    DRIP_LOST_Y = 160,   // a drip this far down has left the room whatever its row alignment
    DUST_PICTURE = 3,    // sp_gotas 3..5
    DUST_GRAVITY = 32,   // 1/256 pixel per frame, per frame
    DUST_LIFE = 64,      // frames
    DUST_FACT = 128,     // strength at age 0, minus 4 per frame of age
};

// Whether the cell under pixel (x, y) is solid; outside the room nothing is.
static bool solid_at(const Room &room, int x, int y) {
    if (x < 0 || x >= ROOM_W || y < 0 || y >= ROOM_H) return false;
    return room.cells[y / CELL][x / CELL].attr & ATTR_SOLID;
}

// Sends up to eight splash particles from the drip's landing point into free dust slots.
static void splash(const Particle &drip) {
    int j = FIRST_DUST;
    for (int n = 0; n < SPLASH_PIECES; n++) {
        while (j < PARTICLES && mvl[j].state != 0)
            j++;
        if (j == PARTICLES) return;
        Particle &p = mvl[j];
        p.state = 1;
        p.age = 0;
        p.x = drip.x * 256;
        p.y = (drip.y - 1) * 256;
        p.vy = -(256 + (rand() & 255));
        p.vx = (rand() & 511) - 256;
    }
}

// Hangs the drip again: a random column, just under the lowest solid cell at or above a random
// row (or at the top edge), with a new wait.
static void respawn(const Room &room, Particle &drip) {
    drip.x = rand() % ROOM_W;
    int row = rand() % ROOM_ROWS;
    while (row > 0 && !solid_at(room, drip.x, row * CELL))
        row--;
    if (row != 0) row++;
    drip.y = row * CELL;
    drip.state = rand() & DRIP_WAIT_MASK;
}

void particulas_drips(const Room &room, BITMAP *view) {
    for (int i = 0; i < DRIP_SLOTS; i++) {
        Particle &d = mvl[i];
        if (d.state > 0) {
            d.state--;
            continue;
        }
        d.y += DRIP_FALL;
        BITMAP *pic = sp_gotas[rand() % DRIP_PICTURES];
        if (pic) blend_add(pic, view, d.x - 1, d.y - 1, DRIP_FACT);
        bool lands = d.y % CELL == 0 && (d.y >= ROOM_H || solid_at(room, d.x, d.y));
        if (lands || d.y >= DRIP_LOST_Y) {
            splash(d);
            respawn(room, d);
        }
    }
}

void particulas_dust(BITMAP *view) {
    for (int j = FIRST_DUST; j < PARTICLES; j++) {
        Particle &p = mvl[j];
        if (p.state == 0) continue;
        p.vy += DUST_GRAVITY;
        p.x += p.vx;
        p.y += p.vy;
        p.age++;
        int x = p.x >> 8, y = p.y >> 8;
        if (x < 0 || x >= ROOM_W || y < 0 || y >= ROOM_H || p.age >= DUST_LIFE) p.state = 0;
        // Drawn once more in the frame it dies; from age 32 the strength is spent.
        BITMAP *pic = sp_gotas[DUST_PICTURE + rand() % 3];
        int fact = DUST_FACT - 4 * p.age;
        if (pic && fact > 0) blend_add(pic, view, x + 1, y + 1, fact);
    }
}

// The drop's shape: a dark rim (so it reads on the bright sky too) round a pale body, lit with the
// drip pictures; len is its height in pixels.
static void draw_drop(BITMAP *view, int x, int y, int len, int lit) {
    rectfill(view, x - 1, y - 1, x + DROP_W, y + len, makecol(16, 32, 72));
    rectfill(view, x, y, x + DROP_W - 1, y + len - 1, makecol(120, 170, 230));
    for (int k = 0; k < len; k += DRIP_PICTURES + 1) {
        BITMAP *pic = sp_gotas[(k / 4 + lit) % DRIP_PICTURES];
        if (pic) blend_add(pic, view, x, y + k, 255);
    }
}

void particulas_drops(const Drop *drops, int count, int clock, int world, BITMAP *view) {
    for (int i = 0; i < count && i < DROP_SLOTS; i++) {
        const Drop &d = drops[i];
        switch (d.state) {
        case DROP_HANGING: {
            // It swells over the first half of its hang, then trembles until it lets go.
            int age = (clock + d.phase) % DROP_PERIOD;
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
            if (world == 0 || world == 3) {
                Particle p = {};
                p.x = d.x + DROP_W / 2;
                p.y = d.bottom;
                splash(p);
            }
            hline(view, d.x - 3, d.bottom - 1, d.x + DROP_W + 2, makecol(120, 170, 230));
            break;
        default:
            break;
        }
    }
}

void particulas_reset(void) {
    for (int j = FIRST_DUST; j < PARTICLES; j++)
        mvl[j].state = 0;
}
