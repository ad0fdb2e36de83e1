// check.h -- the level checker's verdicts: each room of a loaded level searched for its fastest
// route, a route that takes every energy item within the damage the room declares, its least
// damage, and ways to get it stuck; and the report a level maker reads.
// SPDX-License-Identifier: MIT
#pragma once
#include <cstdio>
#include <string>
#include <vector>
#include "level/par.h"
#include "tools/levellib/search.h"

// What the checker found in one room. Rooms are named by their number on the level card (1..25).
struct RoomCheck {
    int number;                  // 1..25
    int declared;                // damage the room declares (the level text's "damage N")
    int items;                   // energy items in the room
    int reached;                 // 1 when the lever can be reached at all
    int fastest, fastest_damage; // frames of the fastest route and what it costs
    int full;                    // 1 when a route takes every item within the declared damage
    int full_frames, full_damage;
    int least_damage; // least energy any route to the lever loses; -1 when not found
    std::string keys; // the route written to the solutions: the full one when there is one
    std::string fastest_keys, full_keys; // the fastest route, and the full one (empty: none)
    int stuck_places;                    // resting places the stuck search searched from
    int stuck_capped;                    // 1 when it stopped at its limit
    std::vector<std::string> faults;     // what is wrong, in plain words, without the room's name
    long states;
    double seconds;
};

// Searches for goal from start with full energy, then, when that found nothing, again with
// SEARCH_WIDE_LAYER_CAP states a frame; the frame steps of both are added to *states.
SearchResult LEVELCHECK_search(const PlayState &start, SearchGoal goal, long *states);

// Checks room index room (0..24) of the level loaded into partida (levers and items in place).
RoomCheck LEVELCHECK_room(int room);

// Checks every room of the level loaded into partida (or only room index only_room when it is
// 0..24), writing the report to report, the routes to solutions (when not null) and the time of
// each room to standard error; returns the rooms checked, and their verdicts in *checks. The level
// passes when no room has a fault. The caller loads the level as levelcheck's main does: Allegro
// without a window, the level's pictures (MAP_create_pictures), LEVEL_load and its pickups placed
// (PARTIDA_place_pickups), sound off, and a working directory where play may write its log.
int LEVELCHECK_level(FILE *report, FILE *solutions, int only_room, const char *level_name,
                     std::vector<RoomCheck> *checks);

// Puts the routes of c into the par of its room (a room that cannot be reached gets none).
void LEVELCHECK_par_add(ParFile *par, const RoomCheck &c);
