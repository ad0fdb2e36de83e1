// estado.h -- the records of play: the player, the movers, the play state that the frame step
// changes, the level being played, and the effects that only show.
// SPDX-License-Identifier: MIT
#pragma once
#include "level/nivel.h"
#include "util/azar.h"

enum {
    PARTICLES = 512,
    DRIP_SLOTS = 10, // mvl[0..9]
    FIRST_DUST = 10, // mvl[10..511]: dust puffs and splashes
    ROOM_W = 240,    // room view in pixels
    ROOM_H = 144,
    PLAYER_MAX_X = 57344, // 1/256 pixel: pixel 224
    PLAYER_MAX_Y = 32768, // 1/256 pixel: pixel 128
};

// The slime's front: a row of blobs SLIME_BLOB_STEP pixels apart across the room, both edges
// included.
enum { SLIME_BLOB_STEP = 4, SLIME_BLOBS = ROOM_W / SLIME_BLOB_STEP + 1 };

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

// The assists a game is played with, fixed when it starts (play sets them from the player's
// choices; the frame step reads them here, never the settings).
struct PlayRules {
    short no_damage;       // 1: hurts cost no energy
    short endless_retries; // 1: a confirmed retry does not use one up
    short speed;           // percent of the game's own frame rate play is paced at; the step
                           // runs the same either way
    short assisted;        // 1: any of the above helps: the game's times are kept apart
};

// Everything that decides how play goes on, in one record: starting a game resets it whole, and
// a tool can copy it aside and put it back to try another way. Nothing else the frame step reads
// changes how play goes on: the level is read-only and the effects only show.
struct Partida {
    Player player;
    Mover enemies[ENEMY_SLOTS], platforms[PLATFORM_SLOTS];
    Pickup levers[PICKUP_SLOTS], energy_items[PICKUP_SLOTS];
    int level;    // GAME_level: the level being played (1-based)
    int sublevel; // GAME_sublevel: the room number 1..25 (26 once the last lever is touched)
    int room;     // room index, sublevel - 1
    int world;    // room / 5
    int retries;  // 5 at the start
    int result;
    short room_done, game_done;
    short was_falling, dust_request;
    short flip_flop;              // toggles 1/0 each frame; half-rate animation steps on 1
    short slime_step;             // the slime's front moves down a row every eighth step
    int moco_x, moco_y;           // slime blob cursor and slime front row (pixels)
    Drop drops[DROP_SLOTS];       // the room's dripping cells, drop_count of them
    short drop_count, drop_clock; // drop_clock: frames since the room started, mod DROP_PERIOD
    short sound_on;               // the sound switch as the game started: with it off no sound is
                                  // asked for, and a landing raises no dust
    int room_frames;              // frames played in this room (0 until its first frame)
    PlayRules rules;              // the assists, as the game started
};
// The play state of play's window loop and of the tools that play like it.
extern Partida partida;

// The game's own names for fields of partida.
extern int &GAME_level, &GAME_sublevel;
extern short &flip_flop;
extern int &moco_x, &moco_y;

// The level being played: rooms, pickups as stored, pictures. The frame step only reads it; play's
// window loop and the tools load it.
extern Level play_level;

// The effects that only show and never change how a room plays: the particle pool, what this
// frame's drips, dust and slime leave for the renderer to draw, and the random numbers they use
// (nothing else in play is random).
struct Efectos {
    Particle mvl[PARTICLES];
    signed char shown[PARTICLES];     // the drip picture (sp_gotas index) drawn this frame, -1 none
    short drip_x[DRIP_SLOTS];         // where a drip drawn this frame is drawn (pixels)
    short drip_y[DRIP_SLOTS];         //
    unsigned char blobs[SLIME_BLOBS]; // the blob (moco_blobs index) of each step of the front
    bool slime_drawn;                 // this frame's slime step drew a front row, at slime_y
    bool slime_settled;               // and that row is kept (the front moved down)
    int slime_y;                      //
    AzarState azar;                   // the effects' random numbers
};
// The effects of partida's game.
extern Efectos efectos;
extern Particle (&mvl)[PARTICLES];

// -1, 0 or 1 for a negative, zero or positive v. Used to turn path ends into directions.
int signo(int v);
