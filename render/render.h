// render.h -- the renderer: its record (pictures, work layers, the room view, the game frame, the
// cloud scroll, the level's label), drawing a room into the 240x144 room view, the shadow pass,
// composing the game frame with its status line.
// SPDX-License-Identifier: MIT
#pragma once
#include <stddef.h>
#include "game/partida.h"

// Everything the renderer owns, its pictures and layers first. Pictures are null when missing;
// RENDER_reset releases them all.
struct Renderer {
    BITMAP *sp_nubes1, *sp_nubes2;                         // cloud bands
    BITMAP *sp_halo_verde, *sp_anti_halo;                  // green halo, world-4 darkness
    BITMAP *sp_overlay_fila4, *sp_fancy_overlay;           // world-3 and room-25 overlays
    BITMAP *sp_gotas[6];                                   // drips 0..2, dust and splashes 3..5
    BITMAP *moco_blobs[4];                                 // slime blobs
    BITMAP *frame_picture;                                 // the game frame's border, 256x192
    BITMAP *bar_empty, *bar_full;                          // the energy bar, 128x16
    BITMAP *buffer_auxiliar, *buffer_auxiliar_2;           // shadow pass layers
    BITMAP *buffer_auxiliar_moco, *buffer_auxiliar_moco_2; // slime layers: now, settled
    BITMAP *room_view;                                     // the room as drawn, 240x144
    BITMAP *frame_buffer;                                  // the game frame, 256x192
    int nubes1_x, nubes2_x; // cloud scroll positions, 1/256 pixel, 0..61439
    int transparente;       // the mask colour makecol(255, 0, 255)
    bool has_label;         // the status line and the card name the level by label, not number
    char label[9];          // at most 8 characters
    bool show_timer;        // the status line shows the room's time
    char status[24];        // the first status line in place of the retries, when not empty
};
extern Renderer renderer;

// Releases everything the renderer holds and starts its record afresh: no pictures or layers,
// the clouds at their start, the level named by label (at most 8 characters kept) or, for
// nullptr, by number.
void RENDER_reset(const char *label);
// Creates room_view, the game frame and the work layers at the current colour depth and sets
// transparente; 1 on success, 0 when memory ran out (what was made is released).
int RENDER_create_layers(void);
// Loads the pictures the renderer draws with (the energy bar, clouds, halo, darkness, overlays,
// the drip and slime strips cut into pieces, the frame's border) from resources/ into palette; a
// missing one is logged by name and left null.
void RENDER_load_pictures(RGB *palette);
// A room starts: the slime layers are cleared and the clouds start over.
void RENDER_start_room(void);
// Draws the room being played into room_view: the slime layers from this frame's slime step, then
// render.
void RENDER_draw(const Partida *play, const Level *level);
// RENDER_draw of the play state and the level being played; the frame step's drawing hook.
void RENDER_frame(void);
// The frame step's drawing hook: on a room's first frame RENDER_start_room, then RENDER_draw of
// the records it is given.
void RENDER_frame_hook(const Partida *g, const Efectos *fx, const Level *lv,
                       const FrameEvents *so_far);
// Clears a bitmap to colour 0.
void clear(BITMAP *bmp);

// Draws room play->room into room_view with the particles the frame step left.
void render(const Partida *play, const Level *level);
// Casts the scene's shadow onto the background in room_view.
void traza_sombras(const Partida *play, const Level *level);

// Writes the level line into text: "LEVEL %i - %i" with the level and room numbers, or
// "LEVEL %.8s - %i" with the level's label.
void RENDER_level_line(const Partida *play, char *text, size_t size);
// The room's time after frames frames at 29.4 frames a second, as "SECONDS.HUNDREDTHS".
void RENDER_room_time(int frames, char *text, size_t size);
// Draws the mark of an assisted game, a small framed "A" 10x10 pixels, with its top-left at (x, y).
void RENDER_assist_mark(BITMAP *b, int x, int y);
// Composes the game frame into frame_buffer without presenting it: border, status lines (the
// assist mark, retries; level or label and room; the room's time when show_timer), energy bar,
// room_view; outlined selects GFX_gprintb (play) or
// GFX_gprint (the retry dialog) for the status lines. Returns frame_buffer, null when there is
// none.
BITMAP *RENDER_compose(const Partida *play, int outlined);
// Draws player p (a ghost's) over room_view with lv's sprites, mixed into the room by fact (0..255,
// 128 half): the room shows through it. Its mask pixels are left alone.
void RENDER_ghost(const Player *p, const Level *lv, int fact);
// Composes the game frame and presents it.
void blitter(const Partida *play);
