// render.cpp -- draws one frame of the current room into the 240x144 room view, layer by layer.
// SPDX-License-Identifier: MIT
#include "render/render.h"
#include "game/partida.h"
#include "render/escena.h"
#include "render/particulas.h"
#include "blend/blend.h"

enum {
    WORLD_DUST = 0,         // dust only
    WORLD_SKY = 1,          // sky and clouds
    WORLD_DRIPS = 3,        // drips, dust, full-room glow
    WORLD_DARK = 4,         // shadows, slime, darkness
    FANCY_COLUMN = 4,       // the last room of the dark world has an overlay instead of darkness
    SKY_SPLIT = 52,         // first row of the white horizon band
    SKY_BOTTOM = 100,       // last row of the horizon band
    CLOUD_H = 22,           // height of a cloud band
    CLOUD_UPPER_Y = 16,     // row of the upper band
    CLOUD_LOWER_Y = 30,     // row of the lower band
    CLOUD_UPPER_STEP = 64,  // 1/256 pixel per frame: a quarter pixel
    CLOUD_LOWER_STEP = 32,  // an eighth of a pixel
    CLOUD_WRAP = 61439,     // 240 pixels in 1/256 pixel, less one
    TILE_TRANSLUCENT = 216, // back layer: translucent body; front layer: glows
    TILE_OVERLAY_OFFSET = 6,
    TILE_HALO = 164,
    SPR_DOOR_TOP = 2,
    SPR_DOOR_BOTTOM = 26,
    GLOW_FACT = 64,
    HALO_FACT = 64,
    OVERLAY_FACT = 128,
    SLIME_FACT = 128,
    FANCY_FACT = 64,
    DARK_FACT = 128,
};

// One cloud band scrolled left by pos (1/256 pixel), wrapping every 240 pixels.
static void draw_cloud_band(BITMAP *band, BITMAP *view, int pos, int row) {
    if (!band) return;
    int c = pos >> 8;
    masked_blit(band, view, c, 0, 0, row, ROOM_W - c, CLOUD_H);
    if (c > 0) masked_blit(band, view, 0, 0, ROOM_W - c, row, c, CLOUD_H);
}

// Advances a scroll position by step, back to 0 past the band's width.
static int scroll(int pos, int step) {
    pos += step;
    return pos > CLOUD_WRAP ? 0 : pos;
}

// The sky of world 1: blue above, white horizon, two cloud bands; the clouds then move on.
static void draw_sky(BITMAP *view) {
    Renderer &r = renderer;
    if (r.nubes1_x < 0 || r.nubes1_x > CLOUD_WRAP) r.nubes1_x = 0;
    if (r.nubes2_x < 0 || r.nubes2_x > CLOUD_WRAP) r.nubes2_x = 0;
    rectfill(view, 0, 0, ROOM_W - 1, SKY_SPLIT - 1, makecol(116, 116, 212));
    rectfill(view, 0, SKY_SPLIT, ROOM_W - 1, SKY_BOTTOM, makecol(255, 255, 255));
    draw_cloud_band(r.sp_nubes2, view, r.nubes1_x, CLOUD_UPPER_Y);
    draw_cloud_band(r.sp_nubes1, view, r.nubes2_x, CLOUD_LOWER_Y);
    r.nubes1_x = scroll(r.nubes1_x, CLOUD_UPPER_STEP);
    r.nubes2_x = scroll(r.nubes2_x, CLOUD_LOWER_STEP);
}

// The room's background picture; a room without one (or naming no picture) is black.
static void draw_background(const Room &room, BITMAP *const backgrounds[BACKGROUND_COUNT],
                            BITMAP *view) {
    int bg = room.background;
    BITMAP *pic = (backgrounds && bg >= 0 && bg < BACKGROUND_COUNT) ? backgrounds[bg] : nullptr;
    if (pic)
        masked_blit(pic, view, 0, 0, 0, 0, ROOM_W, ROOM_H);
    else
        rectfill(view, 0, 0, ROOM_W - 1, ROOM_H - 1, 0);
}

// Back-layer tiles: plain, or translucent bodies under their opaque overlay tile.
static void draw_back_layer(const Room &room, BITMAP *const tiles[TILE_COUNT], BITMAP *view) {
    for (int w = 0; w < ROOM_ROWS; w++)
        for (int c = 0; c < ROOM_COLS; c++) {
            int t = room.cells[w][c].back_tile;
            BITMAP *pic = escena_pic(tiles, t);
            if (!pic) continue;
            if (t < TILE_TRANSLUCENT) {
                escena_copy16(pic, view, CELL * c, CELL * w);
                continue;
            }
            draw_trans_sprite(view, pic, CELL * c, CELL * w);
            // The last six bodies would name an overlay past the table: they go without.
            escena_copy16(escena_pic(tiles, t + TILE_OVERLAY_OFFSET), view, CELL * c, CELL * w);
        }
}

// Front-layer tiles: plain, or glowing additively from 216 on.
static void draw_front_layer(const Room &room, BITMAP *const tiles[TILE_COUNT], BITMAP *view) {
    for (int w = 0; w < ROOM_ROWS; w++)
        for (int c = 0; c < ROOM_COLS; c++) {
            int t = room.cells[w][c].front_tile;
            BITMAP *pic = escena_pic(tiles, t);
            if (!pic) continue;
            if (t < TILE_TRANSLUCENT)
                escena_copy16(pic, view, CELL * c, CELL * w);
            else
                blend_add(pic, view, CELL * c, CELL * w, GLOW_FACT);
        }
}

// A green halo centred on every cell holding the crystal tile in either layer.
static void draw_halos(const Room &room, BITMAP *view) {
    BITMAP *halo = renderer.sp_halo_verde;
    if (!halo) return;
    for (int w = 0; w < ROOM_ROWS; w++)
        for (int c = 0; c < ROOM_COLS; c++) {
            const Cell &cell = room.cells[w][c];
            if (cell.back_tile == TILE_HALO || cell.front_tile == TILE_HALO)
                blend_add(halo, view, CELL * c - CELL, CELL * w - CELL, HALO_FACT);
        }
}

// The exit door's two halves, in the door's room only.
static void draw_door(const LevelHeader &header, int world, int column,
                      BITMAP *const sprites[TILE_COUNT], BITMAP *view) {
    if (header.door_room_col != column || header.door_room_row != world) return;
    int x = CELL * header.door_col, y = CELL * header.door_row;
    escena_copy16(escena_pic(sprites, SPR_DOOR_TOP), view, x, y);
    escena_copy16(escena_pic(sprites, SPR_DOOR_BOTTOM), view, x, y + CELL);
}

// Room-wide light: the glow of world 3; the slime and the darkness (or the overlay of the last
// room) of world 4.
static void draw_overlays(int world, int column, int px, int py, BITMAP *view) {
    const Renderer &r = renderer;
    if (world == WORLD_DRIPS && r.sp_overlay_fila4)
        blend_add(r.sp_overlay_fila4, view, 0, 0, OVERLAY_FACT);
    if (world != WORLD_DARK) return;
    if (r.buffer_auxiliar_moco) blend_trans(r.buffer_auxiliar_moco, view, 0, 0, SLIME_FACT);
    if (column == FANCY_COLUMN) {
        if (r.sp_fancy_overlay) blend_add(r.sp_fancy_overlay, view, 0, 0, FANCY_FACT);
    } else if (r.sp_anti_halo) {
        // The darkness picture's point (240, 144) sits on the player's top-left corner.
        blend_sub(r.sp_anti_halo, view, px - ROOM_W, py - ROOM_H, DARK_FACT);
    }
}

void render(const Partida *play, const Level *level) {
    BITMAP *view = renderer.room_view;
    if (!view || !play || !level || play->room < 0 || play->room >= ROOM_COUNT) return;
    int room = play->room, world = room / 5, column = room % 5;
    const Room &r = level->rooms[room];
    const Player &player = play->player;
    int px = player.x >> 8, py = player.y >> 8;

    if (world == WORLD_SKY) draw_sky(view);
    draw_background(r, level->backgrounds, view);
    if (world == WORLD_DARK) traza_sombras(play, level);
    draw_back_layer(r, level->tiles, view);
    if (world == WORLD_DRIPS) particulas_drips(view);
    if (world == WORLD_DUST || world == WORLD_DRIPS) particulas_dust(view);
    draw_door(level->header, world, column, level->sprites, view);
    escena_pickups(play->levers, play->energy_items, room, level->sprites, view);
    escena_movers(play->enemies, play->platforms, level->sprites, view);
    escena_player(player, level->sprites, view);
    particulas_drops(play, view);
    draw_front_layer(r, level->tiles, view);
    draw_halos(r, view);
    draw_overlays(world, column, px, py, view);
}

void RENDER_start_room(void) {
    // Nothing of the room before shows: a room's frames depend on the room alone, so a replay of
    // it is drawn as it was played.
    if (renderer.buffer_auxiliar_moco_2)
        clear_to_color(renderer.buffer_auxiliar_moco_2, renderer.transparente);
    if (renderer.buffer_auxiliar_moco)
        clear_to_color(renderer.buffer_auxiliar_moco, renderer.transparente);
    renderer.nubes1_x = renderer.nubes2_x = 0;
}

// The slime layers: on a frame whose slime step drew a front row, the settled slime is laid down
// again, the row's blobs are drawn over it, and when the front moved down the result is kept as
// the settled slime (cleared when a room starts).
static void slime_layers(void) {
    BITMAP *now = renderer.buffer_auxiliar_moco, *settled = renderer.buffer_auxiliar_moco_2;
    if (!efectos.slime_drawn) return;
    if (now && settled) blit(settled, now, 0, 0, 0, 0, ROOM_W, ROOM_H);
    for (int i = 0; i < SLIME_BLOBS; i++) {
        BITMAP *blob = renderer.moco_blobs[efectos.blobs[i] & 3];
        if (blob && now) draw_sprite(now, blob, SLIME_BLOB_STEP * i - 4, efectos.slime_y - 4);
    }
    if (efectos.slime_settled && now && settled) blit(now, settled, 0, 0, 0, 0, ROOM_W, ROOM_H);
}

void RENDER_draw(const Partida *play, const Level *level) {
    slime_layers();
    render(play, level);
}

void RENDER_frame(void) {
    RENDER_draw(&partida, &play_level);
}

void RENDER_frame_hook(const Partida *g, const Efectos *, const Level *lv,
                       const FrameEvents *so_far) {
    if (so_far->room_start) RENDER_start_room();
    RENDER_draw(g, lv);
}
