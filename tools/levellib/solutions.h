// solutions.h -- the level checker's solutions file read back, and a solution played from its
// room's start as the checker plays it, recorded as a replay.
// SPDX-License-Identifier: MIT
#pragma once
#include <string>
#include <vector>
#include "replay/replay.h"

// One room's route: its number on the level card and one input letter per frame (search.h).
struct Solution {
    int number;
    std::string keys;
};

// Reads the "room NUMBER FRAMES KEYS" lines of a solutions file (rooms with no route, "none", are
// left out); false with *why when the file cannot be read or a line does not add up.
bool SOLUTIONS_read(const std::string &path, std::vector<Solution> *out, std::string *why);

// Plays s from its room's start in the level loaded into play_level and partida, as the checker
// does (SEARCH_start_room), recording it into r as an attempt on the level id; true when the keys
// end the room at its lever on their last frame.
bool SOLUTIONS_record(const Solution &s, const ReplayLevelId &id, Replay *r);
