// partida.h -- the state of one game and the headless frame step that juego, the tests and the
// level checker all play through, so there is one copy of the frame's logic.
#pragma once
#include "game/estado.h"

struct FSOUND_SAMPLE;

// Everything one game owns apart from the shared globals of estado.h.
struct Partida {
    // The level, filled by carga_fase.
    LevelHeader header;
    Room rooms[ROOM_COUNT];
    Pickup levers[PICKUP_SLOTS], energy_items[PICKUP_SLOTS];
    BITMAP *tiles[TILE_COUNT], *sprites[TILE_COUNT], *backgrounds[BACKGROUND_COUNT];
    BITMAP *room_view; // 240x144, drawn by render

    // The game.
    Player player;
    Mover enemies[ENEMY_SLOTS], platforms[PLATFORM_SLOTS];
    int room;    // room index, GAME_sublevel - 1
    int world;   // room / 5
    int retries; // 5 at the start
    int result;
    short room_done, game_done;
    short was_falling, dust_request, slime_step;
    int hurt_channel, fall_channel; // -1 none
    Drop drops[DROP_SLOTS];         // the room's dripping cells, drop_count of them
    short drop_count, drop_clock;   // drop_clock: frames since the room started, mod DROP_PERIOD

    // Play's six samples (null when sound is off or a file is missing).
    FSOUND_SAMPLE *snd_energy, *snd_jump, *snd_lever, *snd_fall, *snd_hurt, *snd_land;

    short draw; // 1: the frame step calls render (juego, tests); 0: skip it (the level checker)
};
extern Partida partida;

// Clears the game state (no level, no bitmaps, energy 255, 5 retries, draw 1, channels -1).
// Called by juego and tests.
void PARTIDA_reset(void);
// Creates room_view, the level's 240+240+5 bitmaps and the four work layers of the renderer and
// the slime; 1 on success, 0 when memory ran out (what was made is released). Called by juego,
// tests and the level checker.
int PARTIDA_create_bitmaps(void);
// Destroys what PARTIDA_create_bitmaps made (null entries are skipped).
void PARTIDA_destroy_bitmaps(void);
// Loads the pictures the renderer and the slime draw with (clouds, halo, darkness, overlays, the
// drip and slime strips cut into pieces) from resources/; a missing one is logged by name and left
// null. Called by juego, the level checker and tests.
void PARTIDA_load_pictures(void);
// Destroys what PARTIDA_load_pictures loaded (missing ones are skipped).
void PARTIDA_release_pictures(void);
// Starts room GAME_sublevel (a number outside 1..25 starts room 1): room/world, drip set-up in
// world 3, movers, player placement, room_done 0, slime reset, the dripping cells' drops. The level
// card and the room's log lines are juego's. Called at every room start.
void PARTIDA_start_room(void);
// Runs the game steps of one frame with the keys in key[]: flip_flop, Escape, slime, player,
// movers, drops, render (when draw), blocks, contacts, the end test and the screenshot key (only
// with a screen). Not presenting, pacing or the retry dialog. Called by juego, tests, the level
// checker.
void PARTIDA_frame(void);

// What the level loop needs from its caller around the game steps; a null hook is skipped.
// juego shows the level card, presents with blitter, paces with the tick and asks yes_no; tests
// and tools pass their own.
struct PartidaLoop {
    void (*card)(void);         // the level card of room GAME_sublevel, before its first frame
    void (*present)(void);      // after every frame step
    void (*pace)(void);         // waits for the next frame
    int (*confirm_retry)(void); // KEY_R held after a frame: nonzero restarts the room
};
// Plays rooms from GAME_sublevel until the game ends (room 25 done, Escape, energy out, the close
// button, retries spent); returns partida.result. Called by juego and tests.
int PARTIDA_play_rooms(const PartidaLoop *loop);
