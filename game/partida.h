// partida.h -- one game as the simulation runs it: a new game, starting rooms, the frame step (the
// play state, the level and the frame's input in, what happened out), and the room sequence that
// play's window loop, the tests and the level checker all play through, so there is one copy of
// the frame's logic.
// SPDX-License-Identifier: MIT
#pragma once
#include "game/estado.h"

// Clears the play state and the effects for a new game: level 1 room 1, energy 255, 5 retries,
// result 1, sound on, no assist at full speed, no pickup in place (PARTIDA_place_pickups puts the
// level's there), the effects' random numbers from the start of their sequence.
void PARTIDA_reset(Partida *g, Efectos *fx);
// Sets the assists of a new game (a speed outside 1..100 is full speed); any of them marks it
// assisted.
void PARTIDA_set_rules(Partida *g, bool no_damage, bool endless_retries, int speed);
// Puts every lever and energy item of the level in place, untaken, for a new game.
void PARTIDA_place_pickups(Partida *g, const Level *lv);
// Starts room g->sublevel (a number outside 1..25 starts room 1): room/world, drip set-up in world
// 3, movers, the dripping cells' drops, player placement, room_done 0, slime reset, the room's
// frame count at 0. The level card and the room's log lines are the room sequence's.
void PARTIDA_start_room(Partida *g, Efectos *fx, const Level *lv);

// What the player and the window ask of one frame. Play's window loop fills it from the input
// module and the close button; the level checker, tests and replays fill it directly.
struct FrameInput {
    bool left, right;          // walk or turn
    bool high_jump, long_jump; // start a jump (high wins when both are asked)
    bool leave;                // end the game after this frame (Escape)
    bool close;                // the window's close button: the game ends after this frame
};

// The six sounds of play.
enum { SFX_ENERGY, SFX_JUMP, SFX_LEVER, SFX_FALL, SFX_HURT, SFX_LAND, SFX_COUNT };

// One sound a frame asks for: start sample sfx panned to pan (0 left .. 255 right), or stop the
// one of sfx started last.
struct FrameSound {
    signed char sfx;
    bool stop;
    short pan;
};

// The most sounds one frame can ask for: a landing and a jump, every hurt (each stops the hurt
// before it), every lever and energy item.
enum {
    FRAME_SOUNDS = 3 + 2 * (ENEMY_SLOTS + 1 + DROP_SLOTS + 1) + 2 * PICKUP_SLOTS,
};
static_assert(PICKUP_SLOTS <= 32, "a pickup slot is one bit of a frame's events");

// What one frame did, in the order it happened where order matters (the sounds).
struct FrameEvents {
    bool room_start;         // the frame was its room's first
    bool room_ended;         // the room ended in this frame: a lever, leaving, energy out
    bool energy_out;         // energy fell to 0 or below: the game is over
    bool left;               // the player left (leave or close): the game is over
    int damage;              // energy lost to hurts (one each)
    unsigned items_taken;    // bit i: energy item slot i was taken
    unsigned levers_touched; // bit i: lever slot i was touched
    int sound_count;
    FrameSound sounds[FRAME_SOUNDS]; // to start or stop, in order
};

// Draws the room as the frame step has left it so far; so_far says what the frame has done up to
// the drawing (the room start among it).
typedef void (*PartidaDraw)(const Partida *g, const Efectos *fx, const Level *lv,
                            const FrameEvents *so_far);

// Runs the game steps of one frame on g and fx with the level lv and the inputs given (null: none)
// and says what happened in out: flip_flop, leaving, slime, player, movers, drops, then, when draw
// is given, the particles and draw, blocks, contacts and the end test. Reads and writes nothing
// else. Not presenting, sounding, pacing or the retry dialog.
void PARTIDA_frame(Partida *g, Efectos *fx, const Level *lv, const FrameInput *in, FrameEvents *out,
                   PartidaDraw draw);

// What the room sequence needs from its caller around the game steps; a null hook is skipped.
// Play's window loop shows the level card, draws the room, plays the frame's sounds and presents
// it, paces with the tick, asks the retry dialog when the retry key is pressed and reads the
// frame's inputs; tests and tools pass their own.
struct PartidaLoop {
    void (*card)(void);                   // the level card of the room, before its first frame
    PartidaDraw draw;                     // inside every frame step, where the room is drawn
    void (*present)(const FrameEvents *); // after every frame step, with what it did
    void (*pace)(void);                   // waits for the next frame
    int (*confirm_retry)(void);           // after every frame: nonzero restarts the room
    int (*playable)(int room);            // 0 for a room (0..24) that cannot be played
    void (*input)(FrameInput *in);        // before every frame step: its inputs (null: none)
};
// Plays rooms of lv on g and fx from g->sublevel until the game ends (the last room done, leaving,
// energy out, the close button, retries spent, never with endless retries); returns g->result. With
// a playable hook, rooms it refuses are passed over and the game ends when no room is left.
int PARTIDA_play_rooms(Partida *g, Efectos *fx, const Level *lv, const PartidaLoop *loop);
// 1 when the game was lost (energy run out, or the retries spent), not left or won; g->sublevel is
// then the room it was lost in.
int PARTIDA_lost(const Partida *g);
