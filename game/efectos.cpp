// efectos.cpp -- the room effects: ceiling drips that fall and splash, dust puffs, the creeping
// slime, and the hazard drops of dripping cells. Every rule of the particles is here; the renderer
// only draws what they leave in efectos and partida.
// SPDX-License-Identifier: MIT
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
static void hang(Step *s, Particle *d) {
    d->x = PARTIDA_random(s) % ROOM_W;
    int row = PARTIDA_random(s) % ROOM_ROWS;
    while (row > 0 && !(PARTIDA_cell(s, row, d->x / CELL) & ATTR_SOLID))
        row--;
    if (row != 0) row++;
    d->y = row * CELL;
    d->state = PARTIDA_random(s) & DRIP_WAIT_MASK;
}

// The lowest free dust slot, or -1.
static int free_dust_slot(const Efectos *fx) {
    for (int i = FIRST_DUST; i < PARTICLES; i++)
        if (fx->mvl[i].state == 0) return i;
    return -1;
}

// Starts a dust particle at (x, y), 1/256 pixel, rising with a random speed.
static void puff(Step *s, int x, int y) {
    int i = free_dust_slot(s->fx);
    if (i < 0) return;
    Particle *d = &s->fx->mvl[i];
    d->state = 1;
    d->age = 0;
    d->x = x;
    d->y = y;
    d->vy = -((PARTIDA_random(s) & 255) + 256);
    d->vx = (PARTIDA_random(s) & 511) - 256;
}

// Splashes at pixel (x, y): dust particles from just above it, while free slots last.
static void splash(Step *s, int x, int y) {
    for (int n = 0; n < SPLASH_PIECES; n++)
        puff(s, x * 256, (y - 1) * 256);
}

void EFECTOS_drips_setup(Step *s) {
    for (int i = 0; i < DRIP_SLOTS; i++)
        hang(s, &s->fx->mvl[i]);
    for (int i = FIRST_DUST; i < PARTICLES; i++)
        s->fx->mvl[i].state = 0;
}

void EFECTOS_dust_spawn(Step *s) {
    Partida *g = s->g;
    if (!g->dust_request) return;
    g->dust_request = 0;
    if (g->world != 0 && g->world != 3) return;
    for (int n = 0; n < 2; n++) // at the middle of the feet
        puff(s, g->player.x + 2048, g->player.y + 4096);
}

// Whether the cell under pixel (x, y) stops a drip; outside the room nothing does.
static bool drip_stops(const Step *s, int x, int y) {
    if (x < 0 || x >= ROOM_W || y < 0 || y >= ROOM_H) return false;
    return PARTIDA_cell(s, y / CELL, x / CELL) & ATTR_SOLID;
}

// The drips: waits count down; a falling drip is shown and moves down; one that reaches a solid
// cell or the floor of the view splashes into dust and hangs again.
static void drips_step(Step *s) {
    Efectos *fx = s->fx;
    for (int i = 0; i < DRIP_SLOTS; i++) {
        Particle *d = &fx->mvl[i];
        if (d->state > 0) {
            d->state--;
            continue;
        }
        d->y += DRIP_FALL;
        fx->shown[i] = (signed char)(PARTIDA_random(s) % DRIP_PICTURES);
        fx->drip_x[i] = (short)(d->x - 1);
        fx->drip_y[i] = (short)(d->y - 1);
        bool lands = d->y % CELL == 0 && (d->y >= ROOM_H || drip_stops(s, d->x, d->y));
        if (lands || d->y >= DRIP_LOST_Y) {
            splash(s, d->x, d->y);
            hang(s, d);
        }
    }
}

// The dust: live particles rise and fall back, age, and are freed at the end of their life or off
// the view; each is shown once more in the frame it dies.
static void dust_step(Step *s) {
    Efectos *fx = s->fx;
    for (int j = FIRST_DUST; j < PARTICLES; j++) {
        Particle *p = &fx->mvl[j];
        if (p->state == 0) continue;
        p->vy += DUST_GRAVITY;
        p->x += p->vx;
        p->y += p->vy;
        p->age++;
        int x = p->x >> 8, y = p->y >> 8;
        if (x < 0 || x >= ROOM_W || y < 0 || y >= ROOM_H || p->age >= DUST_LIFE) p->state = 0;
        fx->shown[j] = (signed char)(DUST_PICTURE + PARTIDA_random(s) % 3);
    }
}

void EFECTOS_particles_step(Step *s) {
    for (signed char &shown : s->fx->shown)
        shown = -1;
    if (s->g->world == 3) drips_step(s);
    if (s->g->world == 0 || s->g->world == 3) dust_step(s);
}

void EFECTOS_slime_reset(Step *s) {
    s->g->moco_x = 0;
    s->g->moco_y = 0;
}

void EFECTOS_slime_step(Step *s) {
    // The front: a row of random overlapping blobs centred on moco_y, chosen here so that a game
    // plays the same whether or not it is drawn.
    Partida *g = s->g;
    Efectos *fx = s->fx;
    fx->slime_drawn = true;
    fx->slime_y = g->moco_y;
    int i = 0;
    for (g->moco_x = 0; g->moco_x <= ROOM_W; g->moco_x += SLIME_BLOB_STEP)
        fx->blobs[i++] = (unsigned char)(PARTIDA_random(s) & 3);
    g->slime_step = (g->slime_step + 1) & 7;
    fx->slime_settled = g->slime_step == 0;
    if (fx->slime_settled) g->moco_y += 1;
}

void EFECTOS_drops_setup(Step *s) {
    Partida *g = s->g;
    g->drop_count = 0;
    g->drop_clock = 0;
    for (int row = 0; row < ROOM_ROWS; row++)
        for (int col = 0; col < ROOM_COLS; col++) {
            if (!(PARTIDA_cell(s, row, col) & ATTR_DRIPS) || g->drop_count == DROP_SLOTS) continue;
            Drop *d = &g->drops[g->drop_count++];
            d->x = (short)(col * CELL + (CELL - DROP_W) / 2);
            d->top = d->y = (short)((row + 1) * CELL);
            int below = row + 1;
            while (below < ROOM_ROWS && !(PARTIDA_cell(s, below, col) & ATTR_SOLID))
                below++;
            d->bottom = (short)(below * CELL);
            d->phase = (short)(col % 2 * (DROP_PERIOD / 2));
            // Odd columns form their first drop half a period after the room starts.
            d->state = d->phase == 0 ? DROP_HANGING : DROP_GONE;
        }
}

void EFECTOS_drops_step(Step *s) {
    Partida *g = s->g;
    g->drop_clock = (short)((g->drop_clock + 1) % DROP_PERIOD);
    for (int i = 0; i < g->drop_count; i++) {
        Drop *d = &g->drops[i];
        int t = (g->drop_clock + d->phase) % DROP_PERIOD;
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
                if (g->world == 0 || g->world == 3) splash(s, d->x + DROP_W / 2, d->bottom);
            }
        }
    }
}
