// contactos.cpp -- what touching things does: enemies, slime, drops, levers, energy items, hurting
// cells.
#include "game/interno.h"
#include "game/sonidos.h"
#include "platform/config.h"
#include "platform/sound_service.h"

// Costs the player one energy, restarting the hurt sound.
static void hurt(void) {
    if (CFG_soundon) {
        if (partida.hurt_channel != -1) FSOUND_StopSound(partida.hurt_channel);
        partida.hurt_channel = PARTIDA_play(SFX_HURT);
    }
    partida.player.energy -= 1;
}

// 1 when the player's box overlaps the 16x16 box at pixel (x, y).
static int touches(int px, int py, int x, int y) {
    return x - 15 <= px && px <= x + 15 && y - 15 <= py && py <= y + 15;
}

void CONTACTOS_check(int x, int y) {
    Player *p = &partida.player;
    int px = p->x >> 8, py = p->y >> 8;

    for (int i = 0; i < ENEMY_SLOTS; i++) {
        const Mover *e = &partida.enemies[i];
        if (e->kind != -1 && touches(px, py, e->x, e->y)) hurt();
    }

    if (partida.world == 4 && py < moco_y) hurt();

    // A drop on its way down hurts like an enemy, every frame it overlaps the box.
    for (int i = 0; i < partida.drop_count; i++) {
        const Drop *d = &partida.drops[i];
        if (d->state != DROP_FALLING && d->state != DROP_SPLASHING) continue;
        if (d->x <= px + 15 && px <= d->x + DROP_W - 1 && d->y <= py + 15 &&
            py <= d->y + DROP_H - 1)
            hurt();
    }

    for (int i = 0; i < PICKUP_SLOTS; i++) {
        Pickup *l = &partida.levers[i];
        if (l->room != partida.room || l->active != 1) continue;
        if (!touches(px, py, 16 * l->tx, 16 * l->ty)) continue;
        if (CFG_soundon) PARTIDA_play(SFX_LEVER);
        l->active = 0;
        partida.room_done = 1;
        GAME_sublevel += 1;
    }

    for (int i = 0; i < PICKUP_SLOTS; i++) {
        Pickup *e = &partida.energy_items[i];
        if (e->room != partida.room || e->active != 1) continue;
        // Taken only on a frame that finds the box's top exactly on the item's row.
        if (16 * e->tx - 15 > px || px > 16 * e->tx + 15 || 16 * e->ty != py) continue;
        if (CFG_soundon) PARTIDA_play(SFX_ENERGY);
        e->active = 0;
        if (p->energy > 230)
            p->energy = 255;
        else
            p->energy += 25;
    }

    // Only the cell under the box's top-left pixel hurts.
    if (PARTIDA_cell(y >> 12, x >> 12) & ATTR_HURTS) hurt();
}
