// partida.h -- one game as the simulation runs it: resetting the play state, starting rooms, the
// headless frame step, and the room sequence that play's window loop, the tests and the level
// checker all play through, so there is one copy of the frame's logic.
#pragma once
#include "game/estado.h"

// Clears the play state and the effects: no game, level 1 room 1, energy 255, 5 retries, result 1,
// sound channels -1.
void PARTIDA_reset(void);
// Starts room GAME_sublevel (a number outside 1..25 starts room 1): room/world, drip set-up in
// world 3, movers, the dripping cells' drops, player placement, room_done 0, slime reset. The level
// card and the room's log lines are the room sequence's.
void PARTIDA_start_room(void);
// What the player asks of one frame. Play's window loop fills it from the input module; the level
// checker and tests fill it directly.
struct FrameInput {
    bool left, right;          // walk or turn
    bool high_jump, long_jump; // start a jump (high wins when both are asked)
    bool leave;                // end the game after this frame
};

// Runs the game steps of one frame with the inputs given (null: none): flip_flop, leaving, slime,
// player, movers, drops, then, when draw is given, the particles and draw (it draws the room as it
// now is), blocks, contacts and the end test. Not presenting, pacing or the retry dialog.
void PARTIDA_frame(const FrameInput *in, void (*draw)(void));

// What the room sequence needs from its caller around the game steps; a null hook is skipped.
// Play's window loop shows the level card, draws the room, presents it, paces with the tick, asks
// the retry dialog when the retry key is pressed and reads the frame's inputs; tests and tools
// pass their own.
struct PartidaLoop {
    void (*card)(void);            // the level card of room GAME_sublevel, before its first frame
    void (*draw)(void);            // inside every frame step, where the room is drawn
    void (*present)(void);         // after every frame step
    void (*pace)(void);            // waits for the next frame
    int (*confirm_retry)(void);    // after every frame: nonzero restarts the room
    int (*playable)(int room);     // 0 for a room (0..24) that cannot be played: it is passed over
    void (*input)(FrameInput *in); // before every frame step: its inputs (null: none)
};
// Plays rooms from GAME_sublevel until the game ends (the last room done, Escape, energy out, the
// close button, retries spent); returns partida.result. With a playable hook, rooms it refuses are
// passed over and the game ends when no room is left.
int PARTIDA_play_rooms(const PartidaLoop *loop);
