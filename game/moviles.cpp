// moviles.cpp -- enemies and platforms on their paths, and the pushable blocks.
// SPDX-License-Identifier: MIT
#include "game/interno.h"

enum { MOVING_SLOTS = 24, BLOCK_KIND = 23, BLOCK_MAX_X = 224 };

// A runtime mover from a room entry: cells become pixels, the speed gets the path's direction.
static Mover build(const MoverEntry *e) {
    Mover m;
    m.x = m.x1 = e->x1 * 16;
    m.y = m.y1 = e->y1 * 16;
    m.x2 = e->x2 * 16;
    m.y2 = e->y2 * 16;
    m.dx = signo(e->x2 - e->x1) * e->speed;
    m.dy = signo(e->y2 - e->y1) * e->speed;
    m.kind = e->kind;
    m.frame = 0;
    return m;
}

void MOVILES_build(Step *s) {
    const Room *r = &s->lv->rooms[s->g->room];
    for (int i = 0; i < ENEMY_SLOTS; i++)
        s->g->enemies[i] = build(&r->enemies[i]);
    for (int i = 0; i < PLATFORM_SLOTS; i++)
        s->g->platforms[i] = build(&r->platforms[i]);
}

// One step along the path; each axis turns only on landing exactly on one of its ends. The
// animation steps on the frames flip_flop is 1.
static void step(Mover *m, bool animate) {
    if (m->kind == -1) return;
    if (animate) {
        m->frame += 24;
        if (m->frame >= 96) m->frame = 0;
    }
    m->x += m->dx;
    m->y += m->dy;
    if (m->x == m->x1 || m->x == m->x2) m->dx = -m->dx;
    if (m->y == m->y1 || m->y == m->y2) m->dy = -m->dy;
}

void MOVILES_move(Step *s) {
    Partida *g = s->g;
    for (int i = 0; i < ENEMY_SLOTS; i++)
        step(&g->enemies[i], g->flip_flop == 1);
    // The last platform slot is built and can be stood on, but stays where it was built.
    for (int i = 0; i < MOVING_SLOTS; i++)
        step(&g->platforms[i], g->flip_flop == 1);
}

void MOVILES_push_blocks(Step *s) {
    Player *p = &s->g->player;
    int px = p->x >> 8, py = p->y >> 8;
    for (int i = 0; i < MOVING_SLOTS; i++) {
        Mover *b = &s->g->platforms[i];
        if (b->kind != BLOCK_KIND) continue;
        // A block gives way up to 4 pixels a frame, away from the player's side; at the room's
        // sides it pushes the player back instead.
        for (int n = 0;
             n < 4 && b->x - 15 <= px && px <= b->x + 15 && b->y - 15 <= py && py <= b->y + 15;
             n++) {
            if (b->x + 7 < px) {
                if (b->x > 0) {
                    b->x -= 1;
                } else {
                    p->x += 256;
                    px += 1;
                }
            } else if (b->x <= BLOCK_MAX_X - 1) {
                b->x += 1;
            } else {
                p->x -= 256;
                px -= 1;
            }
        }
    }
}
