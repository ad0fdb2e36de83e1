// sombras.cpp -- the shadow pass of the dark world: the scene, magnified around the player,
// laid as a half-strength black silhouette over the background.
// SPDX-License-Identifier: MIT
#include "render/render.h"
#include "render/escena.h"
#include "blend/blend.h"
#include <stdint.h>

enum {
    WINDOW_W = 208, // the part of the scene magnified to the whole view
    WINDOW_H = 112,
    WINDOW_MAX = 32,  // 240 - 208 and 144 - 112: the window's origin stays inside the scene
    ORIGIN_DIV_X = 7, // the origin follows the player at 1/7 across, 1/4 down
    ORIGIN_DIV_Y = 4,
    SHADOW_FACT = 128,
};

static int clamp_origin(int v) {
    return v < 0 ? 0 : (v > WINDOW_MAX ? WINDOW_MAX : v);
}

// Every tile of a layer, drawn plainly (translucent and glowing tiles cast solid shadows).
static void draw_layer_plain(const Room &room, bool front, BITMAP *const tiles[TILE_COUNT],
                             BITMAP *dst) {
    for (int w = 0; w < ROOM_ROWS; w++)
        for (int c = 0; c < ROOM_COLS; c++) {
            const Cell &cell = room.cells[w][c];
            escena_copy16(escena_pic(tiles, front ? cell.front_tile : cell.back_tile), dst,
                          CELL * c, CELL * w);
        }
}

// dst becomes black wherever src is not the mask colour and the mask colour elsewhere: the same
// picture a lit draw at full level toward black gives, without depending on the blender.
static void silhouette(BITMAP *src, BITMAP *dst) {
    int mask = bitmap_mask_color(src);
    int depth = bitmap_color_depth(src);
    for (int y = 0; y < ROOM_H; y++) {
        if (depth == 15 || depth == 16) {
            const uint16_t *s = (const uint16_t *)src->line[y];
            uint16_t *d = (uint16_t *)dst->line[y];
            for (int x = 0; x < ROOM_W; x++)
                d[x] = s[x] == mask ? (uint16_t)mask : 0;
        } else if (depth == 32) {
            const uint32_t *s = (const uint32_t *)src->line[y];
            uint32_t *d = (uint32_t *)dst->line[y];
            for (int x = 0; x < ROOM_W; x++)
                d[x] = s[x] == (uint32_t)mask ? (uint32_t)mask : 0;
        } else {
            for (int x = 0; x < ROOM_W; x++)
                putpixel(dst, x, y, getpixel(src, x, y) == mask ? mask : 0);
        }
    }
}

void traza_sombras(const Partida *play, const Level *level) {
    BITMAP *scene = renderer.buffer_auxiliar, *big = renderer.buffer_auxiliar_2;
    BITMAP *view = renderer.room_view;
    if (!view || !play || !level || play->room < 0 || play->room >= ROOM_COUNT || !scene || !big)
        return;
    if (scene->w < ROOM_W || scene->h < ROOM_H || big->w < ROOM_W || big->h < ROOM_H) return;
    if (!is_memory_bitmap(scene) || !is_memory_bitmap(big)) return;
    if (bitmap_color_depth(scene) != bitmap_color_depth(big)) return;
    const Room &r = level->rooms[play->room];
    const Player &player = play->player;
    int mask = bitmap_mask_color(scene);

    clear_to_color(scene, mask);
    draw_layer_plain(r, false, level->tiles, scene);
    escena_pickups(play->levers, play->energy_items, play->room, level->sprites, scene);
    escena_movers(play->enemies, play->platforms, level->sprites, scene);
    escena_player(player, level->sprites, scene);
    draw_layer_plain(r, true, level->tiles, scene);

    int ox = clamp_origin((player.x >> 8) / ORIGIN_DIV_X);
    int oy = clamp_origin((player.y >> 8) / ORIGIN_DIV_Y);
    stretch_blit(scene, big, ox, oy, WINDOW_W, WINDOW_H, 0, 0, ROOM_W, ROOM_H);
    silhouette(big, scene);
    blend_trans(scene, view, 0, 0, SHADOW_FACT);
}
