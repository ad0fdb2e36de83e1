// stuck.cpp -- the stuck search: plays keys held the way a new player holds them from points
// along a room's route, lets go, and searches for the lever from each place that leaves; a place
// from which no search reaches the lever is a room that can get stuck.
// SPDX-License-Identifier: MIT
#include "tools/levellib/stuck.h"

#include <cstdio>
#include <unordered_set>
#include <vector>

#include "tools/levellib/search.h"

namespace {

const char HOLDS[] = "LRUDabcd";

const char *hold_name(char letter) {
    switch (letter) {
    case 'L':
        return "Left";
    case 'R':
        return "Right";
    case 'U':
        return "high jump";
    case 'D':
        return "long jump";
    case 'a':
        return "Left and high jump";
    case 'b':
        return "Right and high jump";
    case 'c':
        return "Left and long jump";
    default:
        return "Right and long jump";
    }
}

// Frames of letting go before a player that is still in the air or on a platform is given up.
enum { SETTLE_FRAMES = 60, FULL = 255 };

// Lets go of every key until the player rests on a cell; the rest key, or 0.
uint64_t settle(long *states) {
    int energy = FULL;
    for (int f = 0; f < SETTLE_FRAMES; f++) {
        uint64_t k = SEARCH_rest_key();
        if (k || partida.room_done || partida.game_done) return partida.room_done ? 0 : k;
        SEARCH_frame('.', &energy);
        ++*states;
    }
    return 0;
}

// Adds the resting places of keys, played from start, to good.
void mark_good(const PlayState &start, const std::string &keys, std::unordered_set<uint64_t> *good,
               long *states) {
    SEARCH_load(&start);
    int energy = FULL;
    for (char c : keys) {
        uint64_t k = SEARCH_rest_key();
        if (k) good->insert(k);
        SEARCH_frame(c, &energy);
        ++*states;
    }
}

// Where the player and the blocks are, for the report: "the player at 4,7 and the block at 9,7
// (it starts at 3,7)".
std::string describe_place(const PlayState &start) {
    char text[160];
    snprintf(text, sizeof text, "leaves the player at %d,%d", (partida.player.x >> 8) / 16,
             (partida.player.y >> 8) / 16);
    std::string out = text;
    for (int i = 0; i < PLATFORM_SLOTS; i++) {
        const Mover &now = partida.platforms[i], &then = start.partida.platforms[i];
        if (now.kind != 23 || now.x == then.x) continue;
        snprintf(text, sizeof text, " and the block at %d,%d (it starts at %d,%d)",
                 (now.x + 8) / 16, now.y / 16, then.x / 16, then.y / 16);
        out += text;
    }
    return out;
}

} // namespace

StuckResult STUCK_search(int room, const std::string &route) {
    StuckResult res = {0, 0, 0, ""};
    SEARCH_start_room(room);
    PlayState start;
    SEARCH_save(&start);

    // Every resting place of the route leads to the lever; so does every place a search from a
    // place later finds its way from.
    std::unordered_set<uint64_t> good, tried;
    std::vector<std::pair<int, PlayState>> points = {{0, start}};
    int energy = FULL;
    for (size_t f = 0; f < route.size() && !partida.room_done; f++) {
        uint64_t k = SEARCH_rest_key();
        if (k) good.insert(k);
        if (f > 0 && f % STUCK_ROUTE_STEP == 0) {
            points.push_back({(int)f, PlayState()});
            SEARCH_save(&points.back().second);
        }
        SEARCH_frame(route[f], &energy);
        res.states++;
    }

    SearchGoal narrow = SEARCH_goal();
    narrow.max_frames = 600;
    narrow.layer_cap = 300;
    narrow.known_good = &good;
    SearchGoal wide = narrow;
    wide.max_frames = SEARCH_MAX_FRAMES;
    wide.layer_cap = SEARCH_WIDE_LAYER_CAP / 2;

    for (const auto &point : points)
        for (const char *h = HOLDS; *h; h++) {
            SEARCH_load(&point.second);
            int held_energy = FULL;
            for (int held = 1; held <= STUCK_HOLD_FRAMES; held++) {
                SEARCH_frame(*h, &held_energy);
                res.states++;
                if (partida.room_done || partida.game_done) break; // the lever, or out of energy
                if (held % STUCK_SAMPLE) continue;
                PlayState holding;
                SEARCH_save(&holding);
                uint64_t k = settle(&res.states);
                if (!k || good.count(k) || !tried.insert(k).second) {
                    SEARCH_load(&holding);
                    continue;
                }
                if (res.places == STUCK_MAX_PLACES) {
                    res.capped = 1;
                    return res;
                }
                res.places++;
                PlayState place;
                SEARCH_save(&place);
                SearchResult r = SEARCH_from(place, FULL, narrow);
                if (!r.found) r = SEARCH_from(place, FULL, wide);
                res.states += r.states;
                if (!r.found) {
                    SEARCH_load(&place);
                    char text[160];
                    if (point.first == 0)
                        snprintf(text, sizeof text, "holding %s %d frames from the start ",
                                 hold_name(*h), held);
                    else
                        snprintf(text, sizeof text,
                                 "after %d frames of the route, holding %s %d frames ", point.first,
                                 hold_name(*h), held);
                    res.stuck =
                        text + describe_place(start) + ", from where the lever cannot be reached";
                    return res;
                }
                mark_good(place, r.keys, &good, &res.states);
                SEARCH_load(&holding);
            }
        }
    return res;
}
