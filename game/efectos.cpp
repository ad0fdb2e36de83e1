// efectos.cpp -- the room effects: ceiling drips that fall and splash, dust puffs, the creeping
// slime, and the hazard drops of dripping cells. Every rule of the particles is here; the renderer
// only draws what they leave in efectos and partida.
#include <stdlib.h>
#include "game/interno.h"

enum {
    DRIP_FALL = 4,       // pixels per frame
    DRIP_PICTURES = 3,   // sp_gotas 0..2
    SPLASH_PIECES = 8,   // dust slots one splash takes
    DRIP_WAIT_MASK = 31, // frames a drip waits before it falls: 0..31
    DRIP_LOST_Y = 160,   // a drip this far down has left the room whatever its row alignment
    DUST_PICTURE = 3,    // sp_gotas 3..5
    DUST_GRAVITY = 32,   // 1/256 pixel per frame, per frame
    DUST_LIFE = 64,      // frames
};

// Hangs a drip: a random column, just under the lowest solid cell at or above a random row (or at
// the room's top edge), with a random wait before it falls.
static void hang(Particle *d) {
    d->x = rand() % ROOM_W;
    int row = rand() % ROOM_ROWS;
    while (row > 0 && !(PARTIDA_cell(row, d->x / CELL) & ATTR_SOLID))
        row--;
    if (row != 0) row++;
    d->y = row * CELL;
    d->state = rand() & DRIP_WAIT_MASK;
}

// The lowest free dust slot, or -1.
static int free_dust_slot(void) {
    for (int i = FIRST_DUST; i < PARTICLES; i++)
        if (mvl[i].state == 0) return i;
    return -1;
}

// Starts a dust particle at (x, y), 1/256 pixel, rising with a random speed.
static void puff(int x, int y) {
    int i = free_dust_slot();
    if (i < 0) return;
    Particle *d = &mvl[i];
    d->state = 1;
    d->age = 0;
    d->x = x;
    d->y = y;
    d->vy = -((rand() & 255) + 256);
    d->vx = (rand() & 511) - 256;
}

// Splashes at pixel (x, y): dust particles from just above it, while free slots last.
static void splash(int x, int y) {
    for (int n = 0; n < SPLASH_PIECES; n++)
        puff(x * 256, (y - 1) * 256);
}

void EFECTOS_drips_setup(void) {
    for (int i = 0; i < DRIP_SLOTS; i++)
        hang(&mvl[i]);
    for (int i = FIRST_DUST; i < PARTICLES; i++)
        mvl[i].state = 0;
}

void EFECTOS_dust_spawn(void) {
    if (!partida.dust_request) return;
    partida.dust_request = 0;
    if (partida.world != 0 && partida.world != 3) return;
    for (int n = 0; n < 2; n++) // at the middle of the feet
        puff(partida.player.x + 2048, partida.player.y + 4096);
}

// Whether the cell under pixel (x, y) stops a drip; outside the room nothing does.
static bool drip_stops(int x, int y) {
    if (x < 0 || x >= ROOM_W || y < 0 || y >= ROOM_H) return false;
    return PARTIDA_cell(y / CELL, x / CELL) & ATTR_SOLID;
}

// The drips: waits count down; a falling drip is shown and moves down; one that reaches a solid
// cell or the floor of the view splashes into dust and hangs again.
static void drips_step(void) {
    for (int i = 0; i < DRIP_SLOTS; i++) {
        Particle *d = &mvl[i];
        if (d->state > 0) {
            d->state--;
            continue;
        }
        d->y += DRIP_FALL;
        efectos.shown[i] = (signed char)(rand() % DRIP_PICTURES);
        efectos.drip_x[i] = (short)(d->x - 1);
        efectos.drip_y[i] = (short)(d->y - 1);
        bool lands = d->y % CELL == 0 && (d->y >= ROOM_H || drip_stops(d->x, d->y));
        if (lands || d->y >= DRIP_LOST_Y) {
            splash(d->x, d->y);
            hang(d);
        }
    }
}

// The dust: live particles rise and fall back, age, and are freed at the end of their life or off
// the view; each is shown once more in the frame it dies.
static void dust_step(void) {
    for (int j = FIRST_DUST; j < PARTICLES; j++) {
        Particle *p = &mvl[j];
        if (p->state == 0) continue;
        p->vy += DUST_GRAVITY;
        p->x += p->vx;
        p->y += p->vy;
        p->age++;
        int x = p->x >> 8, y = p->y >> 8;
        if (x < 0 || x >= ROOM_W || y < 0 || y >= ROOM_H || p->age >= DUST_LIFE) p->state = 0;
        efectos.shown[j] = (signed char)(DUST_PICTURE + rand() % 3);
    }
}

void EFECTOS_particles_step(void) {
    for (signed char &s : efectos.shown)
        s = -1;
    if (partida.world == 3) drips_step();
    if (partida.world == 0 || partida.world == 3) dust_step();
}

void EFECTOS_slime_reset(void) {
    moco_x = 0;
    moco_y = 0;
}

void EFECTOS_slime_step(void) {
    // The front: a row of random overlapping blobs centred on moco_y, chosen here so that a game
    // plays the same whether or not it is drawn.
    efectos.slime_drawn = true;
    efectos.slime_y = moco_y;
    int i = 0;
    for (moco_x = 0; moco_x <= ROOM_W; moco_x += SLIME_BLOB_STEP)
        efectos.blobs[i++] = (unsigned char)(rand() & 3);
    partida.slime_step = (partida.slime_step + 1) & 7;
    efectos.slime_settled = partida.slime_step == 0;
    if (efectos.slime_settled) moco_y += 1;
}

void EFECTOS_drops_setup(void) {
    partida.drop_count = 0;
    partida.drop_clock = 0;
    for (int row = 0; row < ROOM_ROWS; row++)
        for (int col = 0; col < ROOM_COLS; col++) {
            if (!(PARTIDA_cell(row, col) & ATTR_DRIPS) || partida.drop_count == DROP_SLOTS)
                continue;
            Drop *d = &partida.drops[partida.drop_count++];
            d->x = (short)(col * CELL + (CELL - DROP_W) / 2);
            d->top = d->y = (short)((row + 1) * CELL);
            int below = row + 1;
            while (below < ROOM_ROWS && !(PARTIDA_cell(below, col) & ATTR_SOLID))
                below++;
            d->bottom = (short)(below * CELL);
            d->phase = (short)(col % 2 * (DROP_PERIOD / 2));
            // Odd columns form their first drop half a period after the room starts.
            d->state = d->phase == 0 ? DROP_HANGING : DROP_GONE;
        }
}

void EFECTOS_drops_step(void) {
    partida.drop_clock = (short)((partida.drop_clock + 1) % DROP_PERIOD);
    for (int i = 0; i < partida.drop_count; i++) {
        Drop *d = &partida.drops[i];
        int t = (partida.drop_clock + d->phase) % DROP_PERIOD;
        if (t == 0) {
            d->state = DROP_HANGING;
            d->y = d->top;
        } else if (d->state == DROP_SPLASHING) {
            d->state = DROP_GONE;
        } else if (t >= DROP_HANG && (d->state == DROP_HANGING || d->state == DROP_FALLING)) {
            d->state = DROP_FALLING;
            d->y = (short)(d->y + DROP_FALL);
            if (d->y + DROP_H >= d->bottom) {
                d->y = (short)(d->bottom - DROP_H);
                d->state = DROP_SPLASHING;
                // In the worlds that show dust, the landing throws some up.
                if (partida.world == 0 || partida.world == 3) splash(d->x + DROP_W / 2, d->bottom);
            }
        }
    }
}
