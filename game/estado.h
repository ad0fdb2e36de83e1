// estado.h -- the records and globals of play that the renderer, the dialog and the shell share.
#pragma once
#include <allegro.h>
#include "level/mapfile.h"
#include "level/nivel.h"

enum {
    PARTICLES = 512,
    DRIP_SLOTS = 10, // mvl[0..9]
    FIRST_DUST = 10, // mvl[10..511]: dust puffs and splashes
    ROOM_W = 240,    // room view in pixels
    ROOM_H = 144,
    PLAYER_MAX_X = 57344, // 1/256 pixel: pixel 224
    PLAYER_MAX_Y = 32768, // 1/256 pixel: pixel 128
};

// A cell attribute bit beside those of mapfile.h: a ceiling cell that drips hazard drops.
enum { ATTR_DRIPS = 0x20 };

// Dripping ceilings: every DROP_PERIOD frames a drop forms under a dripping cell, hangs for
// DROP_HANG frames, then falls DROP_FALL pixels a frame to the first solid cell or the room's
// floor and splashes. Cells in odd columns run half a period behind those in even columns.
enum {
    DROP_SLOTS = 16,  // dripping cells per room; more are ignored
    DROP_PERIOD = 64, // frames
    DROP_HANG = 32,   // frames a drop hangs before it falls
    DROP_FALL = 4,    // pixels per frame
    DROP_W = 4,       // the drop's box in pixels
    DROP_H = 6,
};
enum { DROP_HANGING, DROP_FALLING, DROP_SPLASHING, DROP_GONE };

// One dripping cell's drop, in pixels: x its left edge, y its top; it forms at top and splashes
// on reaching bottom (the top of the first solid cell below, or the room's floor).
struct Drop {
    short x, y, top, bottom;
    short phase; // 0 or DROP_PERIOD / 2
    short state; // DROP_HANGING .. DROP_GONE; DROP_SPLASHING only in the frame it lands
};

// The player: position in 1/256 pixel, animation and movement state, energy.
struct Player {
    int x, y;
    short frame;     // 0, 24, 48, 72
    short falling;   // 1 in free fall
    short jumping;   // 1 while a jump runs
    short jump_step; // 0..32 into the jump table
    short fall_time; // frames falling, up to 5
    short jump_kind; // 0 high jump (incA), 1 long jump (incL)
    short facing;    // 0 right, 1 left
    short energy;    // 0..255
};

// An enemy or platform: pixel box, speed, kind (-1 empty, 23 pushable block), path ends in pixels.
struct Mover {
    short x, y, dx, dy, kind, frame, x1, y1, x2, y2;
};

// A particle: drips (slots 0..9) in pixels, dust and splashes (10..511) in 1/256 pixel.
struct Particle {
    int x, y, vx, vy, age, state;
};

extern Particle mvl[PARTICLES];
extern short flip_flop;    // toggles 1/0 each frame; half-rate animation steps on 1
extern int GAME_level;     // current level (1-based)
extern int GAME_sublevel;  // current room number 1..25
extern int transparente;   // the mask colour makecol(255, 0, 255)
extern int moco_x, moco_y; // slime blob cursor and slime front row (pixels)

// Pictures and work layers that play creates and the renderer draws with (null when missing).
extern BITMAP *sp_nubes1, *sp_nubes2;                         // cloud bands
extern BITMAP *sp_halo_verde, *sp_anti_halo;                  // green halo, world-4 darkness
extern BITMAP *sp_overlay_fila4, *sp_fancy_overlay;           // world-3 and room-25 overlays
extern BITMAP *sp_gotas[6];                                   // drips 0..2, dust and splashes 3..5
extern BITMAP *moco_blobs[4];                                 // slime blobs
extern BITMAP *buffer_auxiliar, *buffer_auxiliar_2;           // shadow pass layers
extern BITMAP *buffer_auxiliar_moco, *buffer_auxiliar_moco_2; // slime layers

// -1, 0 or 1 for a negative, zero or positive v. Used to turn path ends into directions.
int signo(int v);
// Clears a bitmap to colour 0.
void clear(BITMAP *bmp);
