// escena.cpp -- pickups, movers and the player as both the room and its shadow draw them.
// SPDX-License-Identifier: MIT
#include "render/escena.h"

enum {
    SPR_LEVER = 192,       // pulled lever: + 24
    SPR_ENERGY = 193,      // taken energy item: + 24
    SPR_TAKEN_OFFSET = 24, // the second picture of a pickup sits one sheet row lower
    SPR_WALK1 = 24,
    SPR_WALK2 = 48,
    SPR_JUMP = 72,
    SPR_FALL = 96,
};

BITMAP *escena_pic(BITMAP *const table[TILE_COUNT], int n) {
    if (!table || n < 0 || n >= TILE_COUNT) return nullptr;
    return table[n];
}

void escena_copy16(BITMAP *pic, BITMAP *dst, int x, int y) {
    if (pic) masked_blit(pic, dst, 0, 0, x, y, CELL, CELL);
}

int escena_player_sprite(const Player &player) {
    if (player.falling) return SPR_FALL + player.frame + player.facing;
    if (player.jumping) return SPR_JUMP + player.facing;
    if (player.frame == 0 || player.frame == SPR_WALK2) return player.facing;
    if (player.frame == SPR_WALK1) return SPR_WALK1 + player.facing;
    return SPR_WALK2 + player.facing;
}

// One pickup: its active picture or the one a sheet row lower once taken.
static void draw_pickup(const Pickup &p, int sprite, BITMAP *const sprites[TILE_COUNT],
                        BITMAP *dst) {
    int n = p.active ? sprite : sprite + SPR_TAKEN_OFFSET;
    escena_copy16(escena_pic(sprites, n), dst, CELL * p.tx, CELL * p.ty);
}

void escena_pickups(const Pickup levers[PICKUP_SLOTS], const Pickup energy_items[PICKUP_SLOTS],
                    int r, BITMAP *const sprites[TILE_COUNT], BITMAP *dst) {
    for (int i = 0; i < PICKUP_SLOTS; i++) {
        if (levers && levers[i].room == r) draw_pickup(levers[i], SPR_LEVER, sprites, dst);
        if (energy_items && energy_items[i].room == r)
            draw_pickup(energy_items[i], SPR_ENERGY, sprites, dst);
    }
}

void escena_movers(const Mover enemies[ENEMY_SLOTS], const Mover platforms[PLATFORM_SLOTS],
                   BITMAP *const sprites[TILE_COUNT], BITMAP *dst) {
    for (int i = 0; enemies && i < ENEMY_SLOTS; i++) {
        const Mover &m = enemies[i];
        if (m.kind == -1) continue;
        BITMAP *pic = escena_pic(sprites, m.kind + m.frame);
        if (!pic) continue;
        if (m.dx < 0)
            draw_sprite_h_flip(dst, pic, m.x, m.y);
        else
            draw_sprite(dst, pic, m.x, m.y);
    }
    for (int i = 0; platforms && i < PLATFORM_SLOTS; i++) {
        const Mover &m = platforms[i];
        if (m.kind == -1) continue;
        BITMAP *pic = escena_pic(sprites, m.kind + m.frame);
        if (pic) draw_sprite(dst, pic, m.x, m.y);
    }
}

void escena_player(const Player &player, BITMAP *const sprites[TILE_COUNT], BITMAP *dst) {
    BITMAP *pic = escena_pic(sprites, escena_player_sprite(player));
    if (pic) draw_sprite(dst, pic, player.x >> 8, player.y >> 8);
}
