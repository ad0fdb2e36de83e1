// search.h -- the level checker's search: plays one room through the game's frame step, trying
// key combinations frame by frame until the room's lever is touched.
#pragma once
#include <string>

// The keys held in one frame, as one letter: '.' none, 'L' left, 'R' right, 'U' high jump,
// 'D' long jump, 'a' left + high, 'b' right + high, 'c' left + long, 'd' right + long.
enum { SEARCH_INPUTS = 5 };
extern const char SEARCH_INPUT_LETTERS[SEARCH_INPUTS + 1];

// The shipped limits: 30 seconds of play per room, at most 800 states per frame (4000 when a
// room is searched again after the narrow search found nothing).
enum { SEARCH_MAX_FRAMES = 900, SEARCH_LAYER_CAP = 800, SEARCH_WIDE_LAYER_CAP = 4000 };

// Limits of one room's search.
struct SearchLimits {
    int max_frames; // give up after this many frames of play
    int layer_cap;  // most states kept per frame (the ones nearest the lever)
};

// What a room's search found.
struct SearchResult {
    int found;        // 1 when the lever was reached
    int frames;       // frames of play until the lever
    int energy;       // energy left when it was reached
    long states;      // states expanded
    std::string keys; // one input letter per frame
};

// Sets key[] for one input letter (clearing every other key). Called by the search and replays.
void SEARCH_set_keys(char letter);
// Searches room index room of the level loaded into partida, from its start with full energy.
// The level must be loaded and the pickups active. Called by the level checker.
SearchResult SEARCH_room(int room, const SearchLimits &limits);
