// slack.cpp -- how forgiving a room is: each jump of its route is started up to SLACK_MAX_SHIFT
// frames earlier (from where the player stood then) or later (holding what was held before it),
// and a search looks for a way on to the lever, taking every item within the declared damage.
// SPDX-License-Identifier: MIT
#include "tools/levellib/slack.h"

#include <cstring>

#include "tools/levellib/search.h"

namespace {

bool jump_letter(char c) {
    return strchr("UDabcd", c) != nullptr;
}

// What was held before a jump, without the jump: walking on or standing.
char walk_part(char c) {
    if (c == 'L' || c == 'a' || c == 'c') return 'L';
    if (c == 'R' || c == 'b' || c == 'd') return 'R';
    return '.';
}

bool on_ground(const PlayState &s) {
    return !s.partida.player.jumping && !s.partida.player.falling;
}

// Plays the jump from the state now loaded, then searches on; 1 when the lever is reached.
int goes_on(char jump, int energy, int damage, int declared, int frames_left) {
    if (partida.player.jumping || partida.player.falling) return 0;
    damage += SEARCH_frame(jump, &energy);
    if (partida.room_done || partida.game_done || damage > declared) return 0;
    PlayState from;
    SEARCH_save(&from);
    SearchGoal goal = SEARCH_goal();
    goal.max_frames = frames_left + 150;
    goal.layer_cap = 200;
    goal.damage_budget = declared - damage;
    goal.all_items = 1;
    return SEARCH_from(from, energy, goal).found;
}

} // namespace

std::vector<int> SLACK_measure(int room, const std::string &route) {
    std::vector<int> out;
    int declared = play_level.rooms[room].damage, n = (int)route.size();
    std::vector<PlayState> before(n);
    std::vector<int> energy(n), damage(n);
    SEARCH_start_room(room);
    int e = 255, d = 0;
    for (int f = 0; f < n; f++) {
        SEARCH_save(&before[f]);
        energy[f] = e;
        damage[f] = d;
        d += SEARCH_frame(route[f], &e);
    }
    for (int f = 0; f < n; f++) {
        if (!jump_letter(route[f]) || !on_ground(before[f])) continue;
        int window = 1;
        char held = f > 0 ? walk_part(route[f - 1]) : '.';
        for (int late = 1; late <= SLACK_MAX_SHIFT; late++) {
            SEARCH_load(&before[f]);
            int le = energy[f], ld = damage[f];
            for (int k = 0; k < late; k++)
                ld += SEARCH_frame(held, &le);
            if (!goes_on(route[f], le, ld, declared, n - f - late)) break;
            window++;
        }
        for (int early = 1; early <= SLACK_MAX_SHIFT && f - early >= 0; early++) {
            if (!on_ground(before[f - early])) break;
            SEARCH_load(&before[f - early]);
            if (!goes_on(route[f], energy[f - early], damage[f - early], declared, n - f + early))
                break;
            window++;
        }
        out.push_back(window);
    }
    return out;
}
