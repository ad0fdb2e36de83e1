// check.cpp -- the level checker's verdicts, room by room, and its report: the fastest route, a
// route taking every energy item within the declared damage, the least damage, unreachable
// items, and the stuck search.
// SPDX-License-Identifier: MIT
#include "tools/levellib/check.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "tools/levellib/search.h"
#include "tools/levellib/stuck.h"

namespace {
enum { FULL = 255 };
} // namespace

SearchResult LEVELCHECK_search(const PlayState &start, SearchGoal goal, long *states) {
    SearchResult r = SEARCH_from(start, FULL, goal);
    *states += r.states;
    if (r.found) return r;
    goal.layer_cap = SEARCH_WIDE_LAYER_CAP;
    r = SEARCH_from(start, FULL, goal);
    *states += r.states;
    return r;
}

namespace {

std::string damage_words(int damage) {
    return damage == 0 ? "no damage" : std::to_string(damage) + " damage";
}

std::string items_words(int items) {
    if (items == 1) return "the energy item";
    if (items == 2) return "both energy items";
    return "all " + std::to_string(items) + " energy items";
}

// Why no route takes every item within the declared damage, when the least damage is not the
// reason: the items that cannot be had, or that they cannot all be had on one way to the lever.
void explain_items(const PlayState &start, RoomCheck *c) {
    int before = (int)c->faults.size();
    for (int i = 0; i < PICKUP_SLOTS; i++) {
        const Pickup &e = partida.energy_items[i];
        if (e.room != c->number - 1) continue;
        SearchGoal goal = SEARCH_goal();
        goal.item = i;
        goal.damage_budget = c->declared;
        if (LEVELCHECK_search(start, goal, &c->states).found) continue;
        goal.damage_budget = -1;
        char text[160];
        if (LEVELCHECK_search(start, goal, &c->states).found)
            snprintf(text, sizeof text, "energy item at %d,%d cannot be reached %s", e.tx, e.ty,
                     c->declared ? ("within " + damage_words(c->declared)).c_str()
                                 : "without damage");
        else
            snprintf(text, sizeof text, "energy item at %d,%d cannot be reached", e.tx, e.ty);
        c->faults.push_back(text);
    }
    if ((int)c->faults.size() == before)
        c->faults.push_back(
            "cannot take " + items_words(c->items) + " and still reach the lever " +
            (c->declared ? "within " + damage_words(c->declared) : "without damage"));
}

// One room's line of figures (none for a room whose lever cannot be reached), then its faults.
void print_room(FILE *out, const RoomCheck &c) {
    if (c.reached) {
        fprintf(out, "room %d: fastest %d frames, %s", c.number, c.fastest,
                damage_words(c.fastest_damage).c_str());
        if (c.items == 0)
            fprintf(out, "; no energy items");
        else if (c.full)
            fprintf(out, "; taking %s: %d frames, %s", items_words(c.items).c_str(), c.full_frames,
                    damage_words(c.full_damage).c_str());
        fprintf(out, "; least damage ");
        if (c.least_damage >= 0)
            fprintf(out, "%d", c.least_damage);
        else
            fprintf(out, "unknown");
        fprintf(out, ", declares %d; stuck search: %d places%s\n", c.declared, c.stuck_places,
                c.stuck_capped ? " (stopped at its limit)" : "");
    }
    for (const std::string &f : c.faults)
        fprintf(out, "room %d: %s\n", c.number, f.c_str());
}

} // namespace

RoomCheck LEVELCHECK_room(int room) {
    auto t0 = std::chrono::steady_clock::now();
    RoomCheck c = {};
    c.number = room + 1;
    c.declared = play_level.rooms[room].damage;
    c.least_damage = -1;
    for (const Pickup &e : partida.energy_items)
        c.items += e.room == room;
    SEARCH_start_room(room);
    PlayState start;
    SEARCH_save(&start);

    SearchResult fastest = LEVELCHECK_search(start, SEARCH_goal(), &c.states);
    if (!fastest.found) {
        c.faults.push_back("the lever cannot be reached (searched " +
                           std::to_string(SEARCH_MAX_FRAMES) + " frames)");
        c.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        return c;
    }
    c.reached = 1;
    c.fastest = fastest.frames;
    c.fastest_damage = fastest.damage;
    c.keys = c.fastest_keys = fastest.keys;

    SearchResult full = fastest;
    if (c.items > 0 || fastest.damage > c.declared) {
        SearchGoal goal = SEARCH_goal();
        goal.all_items = 1;
        goal.damage_budget = c.declared;
        full = LEVELCHECK_search(start, goal, &c.states);
    }
    if (full.found && full.frames < c.fastest) { // the search for the first missed it
        c.fastest = full.frames;
        c.fastest_damage = full.damage;
        c.fastest_keys = full.keys;
    }
    if (full.found) {
        c.full = 1;
        c.full_frames = full.frames;
        c.full_damage = full.damage;
        c.keys = c.full_keys = full.keys;
    }

    int best_known = std::min(fastest.damage, full.found ? full.damage : FULL);
    if (best_known == 0) {
        c.least_damage = 0;
    } else {
        SearchGoal goal = SEARCH_goal();
        goal.least_damage = 1;
        goal.damage_budget = best_known - 1;
        SearchResult least = LEVELCHECK_search(start, goal, &c.states);
        c.least_damage = least.found ? least.damage : best_known;
    }
    if (c.least_damage > c.declared) {
        c.faults.push_back("needs " + std::to_string(c.least_damage) + " damage, declares " +
                           std::to_string(c.declared));
    } else if (!full.found) {
        explain_items(start, &c);
    }

    StuckResult stuck = STUCK_search(room, c.keys);
    c.states += stuck.states;
    c.stuck_places = stuck.places;
    c.stuck_capped = stuck.capped;
    if (!stuck.stuck.empty()) c.faults.push_back("can get stuck: " + stuck.stuck);
    c.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    return c;
}

int LEVELCHECK_level(FILE *report, FILE *solutions, int only_room, const char *level_name,
                     std::vector<RoomCheck> *checks) {
    fprintf(report,
            "levelcheck: %s\n"
            "Each room is played from its start with full energy through the game's own frame\n"
            "step, for at most %d frames (30 s): the fastest route to the lever; a route taking\n"
            "every energy item without more damage than the room declares; the least damage.\n"
            "Stuck search: from the start and every %dth frame of that route, each key and\n"
            "key pair held for up to %d frames, let go every %d frames; from each resting place\n"
            "this leaves (at most %d a room) the lever must still be reachable.\n",
            level_name, SEARCH_MAX_FRAMES, STUCK_ROUTE_STEP, STUCK_HOLD_FRAMES, STUCK_SAMPLE,
            STUCK_MAX_PLACES);
    if (solutions)
        fprintf(solutions,
                "# Key sequences that reach each room's lever from its start with full energy, "
                "taking\n# every energy item within the declared damage. One letter per frame: . "
                "none,\n# L left, R right, U high jump, D long jump, a/b left/right + high jump, "
                "c/d left/right\n# + long jump. Rooms are numbered as on the level card.\n");
    auto t0 = std::chrono::steady_clock::now();
    int checked = 0, passed = 0, frames = 0;
    std::string failing;
    for (int room = 0; room < ROOM_COUNT; room++) {
        if (only_room >= 0 && room != only_room) continue;
        RoomCheck c = LEVELCHECK_room(room);
        checked++;
        if (c.faults.empty()) {
            passed++;
        } else {
            failing += (failing.empty() ? "" : ", ") + std::to_string(c.number);
        }
        frames += c.full ? c.full_frames : c.fastest;
        print_room(report, c);
        fflush(report);
        if (solutions) {
            if (c.reached)
                fprintf(solutions, "room %d %d %s\n", c.number, (int)c.keys.size(), c.keys.c_str());
            else
                fprintf(solutions, "room %d none\n", c.number);
        }
        fprintf(stderr, "levelcheck: room %d: %ld states in %.2f s\n", c.number, c.states,
                c.seconds);
        if (checks) checks->push_back(c);
    }
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    fprintf(stderr, "levelcheck: searched in %.1f s\n", secs);
    fprintf(report, "%d/%d rooms pass (routes: %d frames)%s%s\n", passed, checked, frames,
            failing.empty() ? "" : "; failing: ", failing.c_str());
    return checked;
}

void LEVELCHECK_par_add(ParFile *par, const RoomCheck &c) {
    if (c.number < 1 || c.number > ROOM_COUNT) return;
    const std::string *keys[2] = {&c.fastest_keys, &c.full_keys};
    for (int kind = PAR_FASTEST; kind <= PAR_FULL; kind++) {
        ParRoute *r = &par->routes[c.number - 1][kind];
        size_t n = c.reached ? keys[kind]->size() : 0;
        if (n > PAR_MAX_FRAMES) n = 0; // longer than a par file keeps: no route
        memcpy(r->keys, keys[kind]->data(), n);
        r->keys[n] = 0;
        r->frames = (int)n;
    }
}
