// contactos.cpp -- what touching things does: enemies, slime, drops, levers, energy items, hurting
// cells.
// SPDX-License-Identifier: MIT
#include "game/interno.h"

// Costs the player one energy (none with no damage), restarting the hurt sound.
static void hurt(Step *s) {
    if (s->g->sound_on) {
        PARTIDA_stop_sound(s, SFX_HURT);
        PARTIDA_sound(s, SFX_HURT);
    }
    if (s->g->rules.no_damage) return;
    s->g->player.energy -= 1;
    s->out->damage++;
}

// 1 when the player's box overlaps the 16x16 box at pixel (x, y).
static int touches(int px, int py, int x, int y) {
    return x - 15 <= px && px <= x + 15 && y - 15 <= py && py <= y + 15;
}

void CONTACTOS_check(Step *s, int x, int y) {
    Partida *g = s->g;
    Player *p = &g->player;
    int px = p->x >> 8, py = p->y >> 8;

    for (int i = 0; i < ENEMY_SLOTS; i++) {
        const Mover *e = &g->enemies[i];
        if (e->kind != -1 && touches(px, py, e->x, e->y)) hurt(s);
    }

    if (g->world == 4 && py < g->moco_y) hurt(s);

    // A drop on its way down hurts like an enemy, every frame it overlaps the box.
    for (int i = 0; i < g->drop_count; i++) {
        const Drop *d = &g->drops[i];
        if (d->state != DROP_FALLING && d->state != DROP_SPLASHING) continue;
        if (d->x <= px + 15 && px <= d->x + DROP_W - 1 && d->y <= py + 15 &&
            py <= d->y + DROP_H - 1)
            hurt(s);
    }

    for (int i = 0; i < PICKUP_SLOTS; i++) {
        Pickup *l = &g->levers[i];
        if (l->room != g->room || l->active != 1) continue;
        if (!touches(px, py, 16 * l->tx, 16 * l->ty)) continue;
        if (g->sound_on) PARTIDA_sound(s, SFX_LEVER);
        l->active = 0;
        g->room_done = 1;
        g->sublevel += 1;
        s->out->levers_touched |= 1u << i;
    }

    for (int i = 0; i < PICKUP_SLOTS; i++) {
        Pickup *e = &g->energy_items[i];
        if (e->room != g->room || e->active != 1) continue;
        // Taken only on a frame that finds the box's top exactly on the item's row.
        if (16 * e->tx - 15 > px || px > 16 * e->tx + 15 || 16 * e->ty != py) continue;
        if (g->sound_on) PARTIDA_sound(s, SFX_ENERGY);
        e->active = 0;
        s->out->items_taken |= 1u << i;
        if (p->energy > 230)
            p->energy = 255;
        else
            p->energy += 25;
    }

    // Only the cell under the box's top-left pixel hurts.
    if (PARTIDA_cell(s, y >> 12, x >> 12) & ATTR_HURTS) hurt(s);
}
