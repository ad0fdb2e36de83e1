// search.h -- the level checker's search: breadth-first over key inputs, one frame per layer,
// through the game's own frame step, from a room's start or from any saved play state.
// SPDX-License-Identifier: MIT
#pragma once
#include <cstdint>
#include <string>
#include <unordered_set>
#include "game/partida.h"

// The keys held in one frame, as one letter: '.' none, 'L' left, 'R' right, 'U' high jump,
// 'D' long jump, 'a' left + high, 'b' right + high, 'c' left + long, 'd' right + long. The search
// tries the first five (a direction and a jump in one frame is a walk step and a jump a frame
// apart); traces, solution files and the stuck search may use all nine.
enum { SEARCH_INPUTS = 5 };
extern const char SEARCH_INPUT_LETTERS[SEARCH_INPUTS + 1];

// The shipped limits: 30 seconds of play per room, at most 800 states per frame (4000 when a
// room is searched again after the narrow search found nothing).
enum { SEARCH_MAX_FRAMES = 900, SEARCH_LAYER_CAP = 800, SEARCH_WIDE_LAYER_CAP = 4000 };

// Everything a frame step reads or changes that decides how play goes on: the play state (the
// effects that only show are left out: they never change how a room plays).
struct PlayState {
    Partida partida;
};

// What a search looks for and what it allows on the way.
struct SearchGoal {
    int max_frames;
    int layer_cap;     // most states kept per frame (a spread of them, nearest the goal first)
    int damage_budget; // most energy that may be lost; -1: any, as long as some energy is left
    int all_items;     // 1: every energy item of the room must be taken before the lever
    int item;          // an energy item slot: success is taking it (touching the lever ends the
                       // try); -1: success is the lever
    int least_damage;  // 1: search on after the first route for the one that loses least energy
    // Resting places (see SEARCH_rest_key) already known to lead to the lever: reaching one
    // counts as success. Null: none.
    const std::unordered_set<uint64_t> *known_good;
};

// A goal with every field at its plain value: the lever, any damage, the shipped limits.
SearchGoal SEARCH_goal(void);

// What a search found.
struct SearchResult {
    int found;        // 1 when the goal was reached
    int frames;       // frames of play until then
    int damage;       // energy lost on the way (items given back not counted)
    long states;      // frame steps run
    std::string keys; // one input letter per frame
};

// Copies the play state out of the game's records, and back in.
void SEARCH_save(PlayState *s);
void SEARCH_load(const PlayState *s);

// The frame's inputs for one input letter.
FrameInput SEARCH_input(char letter);

// Starts room (index 0..24) of the level loaded into partida as play would, with every lever and
// energy item in place, full energy, and the slime's beat at its earliest (the worst a player can
// meet: the front's first step in the first frame).
void SEARCH_start_room(int room);

// Plays one frame with the keys of letter. *energy is the player's energy, kept by the caller: the
// frame runs with energy the game cannot run out of or fill up, so that what it costs is exact.
// Returns the energy lost in the frame (items given back not counted).
int SEARCH_frame(char letter, int *energy);

// A key for a resting player (on a cell, neither jumping nor falling) and the blocks: the same
// key means the same place to carry on from, whatever the enemies and platforms are doing. 0 when
// the player is not resting.
uint64_t SEARCH_rest_key(void);

// Searches for goal from the play state start (energy: the player's energy there). The room must be
// the one start is in.
SearchResult SEARCH_from(const PlayState &start, int energy, const SearchGoal &goal);
