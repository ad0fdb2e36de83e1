// render.h -- the renderer: its pictures and work layers, drawing a room into the 240x144 room
// view, the shadow pass, the game frame.
#pragma once
#include "game/partida.h"

// The renderer's pictures (null when missing) and work layers.
extern BITMAP *sp_nubes1, *sp_nubes2;                         // cloud bands
extern BITMAP *sp_halo_verde, *sp_anti_halo;                  // green halo, world-4 darkness
extern BITMAP *sp_overlay_fila4, *sp_fancy_overlay;           // world-3 and room-25 overlays
extern BITMAP *sp_gotas[6];                                   // drips 0..2, dust and splashes 3..5
extern BITMAP *moco_blobs[4];                                 // slime blobs
extern BITMAP *buffer_auxiliar, *buffer_auxiliar_2;           // shadow pass layers
extern BITMAP *buffer_auxiliar_moco, *buffer_auxiliar_moco_2; // slime layers
extern BITMAP *room_view;                                     // the room as drawn, 240x144
extern int nubes1_x, nubes2_x; // cloud scroll positions, 1/256 pixel, 0..61439
extern int transparente;       // the mask colour makecol(255, 0, 255)

// Creates room_view and the work layers at the current colour depth and sets transparente; 1 on
// success, 0 when memory ran out (what was made is released).
int RENDER_create_layers(void);
// Destroys what RENDER_create_layers made (missing ones are skipped).
void RENDER_destroy_layers(void);
// Loads the pictures the renderer draws with (clouds, halo, darkness, overlays, the drip and slime
// strips cut into pieces) from resources/ into palette; a missing one is logged by name and left
// null.
void RENDER_load_pictures(RGB *palette);
// Destroys what RENDER_load_pictures loaded (missing ones are skipped).
void RENDER_release_pictures(void);
// Starts drawing a room: no slime settled yet. Called on a room's first frame, before it is drawn.
void RENDER_room_start(void);
// Draws the room being played, as the frame step has left it, into room_view: the slime layers
// from this frame's slime step, then render.
void RENDER_frame(void);
// The frame step's drawing hook for play's own records (partida, efectos, play_level: the ones
// RENDER_frame draws): on a room's first frame RENDER_room_start, then RENDER_frame.
void RENDER_frame_hook(const Partida *g, const Efectos *fx, const Level *lv,
                       const FrameEvents *so_far);
// Clears a bitmap to colour 0.
void clear(BITMAP *bmp);

// Draws room `room` into room_view with the particles the frame step left.
void render(Player player, Mover enemies[ENEMY_SLOTS], Mover platforms[PLATFORM_SLOTS],
            Room rooms[ROOM_COUNT], Pickup levers[PICKUP_SLOTS], Pickup energy_items[PICKUP_SLOTS],
            unsigned char room, BITMAP *tiles[TILE_COUNT], BITMAP *sprites[TILE_COUNT],
            BITMAP *backgrounds[BACKGROUND_COUNT], BITMAP *room_view, LevelHeader header);

// Casts the scene's shadow onto the background in room_view.
void traza_sombras(Player player, Mover enemies[ENEMY_SLOTS], Mover platforms[PLATFORM_SLOTS],
                   Room rooms[ROOM_COUNT], Pickup levers[PICKUP_SLOTS],
                   Pickup energy_items[PICKUP_SLOTS], unsigned char room, BITMAP *tiles[TILE_COUNT],
                   BITMAP *sprites[TILE_COUNT], BITMAP *backgrounds[BACKGROUND_COUNT],
                   BITMAP *room_view, LevelHeader header);

// Names the level on the status line ("LEVEL U - 3") instead of its number; nullptr goes back to
// the number.
void RENDER_set_level_name(const char *name);

// Composes the game frame (border, status lines, energy bar, room) into frame_buffer without
// presenting it; outlined selects GFX_gprintb (play) or GFX_gprint (the dialog) for the status
// lines.
void blitter_compose(BITMAP *room_view, BITMAP *frame_picture, BITMAP *frame_buffer,
                     BITMAP *bar_empty, BITMAP *bar_full, int energy, int level, int room_number,
                     int retries, int outlined);

// Composes the game frame and presents it.
void blitter(BITMAP *room_view, BITMAP *frame_picture, BITMAP *frame_buffer, BITMAP *bar_empty,
             BITMAP *bar_full, int energy, int level, int room_number, int retries);
