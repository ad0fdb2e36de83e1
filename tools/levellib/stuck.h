// stuck.h -- the level checker's stuck search: ordinary play (keys held for a while, then let go)
// from points along a room's route, and a search for the lever from every place it leaves.
// SPDX-License-Identifier: MIT
#pragma once
#include <string>

// How far the stuck search goes: from the room's start and every STUCK_ROUTE_STEP-th frame of the
// route, each of the eight key combinations held for up to STUCK_HOLD_FRAMES frames, let go every
// STUCK_SAMPLE frames; at most STUCK_MAX_PLACES places are searched from.
enum { STUCK_ROUTE_STEP = 30, STUCK_HOLD_FRAMES = 90, STUCK_SAMPLE = 6, STUCK_MAX_PLACES = 160 };

// What the stuck search did in one room.
struct StuckResult {
    int places;        // resting places searched from
    int capped;        // 1 when STUCK_MAX_PLACES was reached before every hold was tried
    long states;       // frame steps run
    std::string stuck; // how to get the room stuck, in plain words; empty when nothing was found
};

// Tries to get room (index 0..24) of the loaded level stuck, playing from points along route (input
// letters reaching the lever from the start).
StuckResult STUCK_search(int room, const std::string &route);
