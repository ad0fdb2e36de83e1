// search.cpp -- breadth-first search over key inputs, one frame per layer, through the game's own
// headless frame step, with snapshots of the play state and a visited set of play-relevant states.
// SPDX-License-Identifier: MIT
#include "tools/levellib/search.h"
#include "game/attack.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <vector>

const char SEARCH_INPUT_LETTERS[SEARCH_INPUTS + 1] = ".LRUD";

namespace {

// The energy every searched frame runs with: nothing in one frame can take it all, and the
// items of one frame cannot fill it up, so the frame's own events say what it cost and gave.
enum { FRAME_ENERGY = 100, ITEM_ENERGY = 25, FULL_ENERGY = 255 };

uint64_t mix(uint64_t h, int64_t v) {
    h ^= (uint64_t)v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h * 0x100000001b3ULL;
}

uint64_t mover_bits(const Mover &m) {
    return (uint64_t)(uint16_t)m.x << 48 | (uint64_t)(uint16_t)m.y << 32 |
           (uint64_t)(uint16_t)m.dx << 16 | (uint16_t)m.dy;
}

// The state that decides how play goes on, energy apart: the player's motion (not its animation),
// every mover, the pickups taken and the drops' beat.
uint64_t state_key(void) {
    const Player &p = partida.player;
    uint64_t h = 1469598103934665603ULL;
    h = mix(h, p.x);
    h = mix(h, p.y);
    h = mix(h, p.jumping | p.jump_kind << 1 | p.facing << 2 | p.falling << 3);
    h = mix(h, p.jump_step);
    for (const Mover &m : partida.enemies)
        if (m.kind != -1) h = mix(h, (int64_t)mover_bits(m));
    for (const Mover &m : partida.platforms)
        if (m.kind != -1) h = mix(h, (int64_t)mover_bits(m));
    for (int i = 0; i < PICKUP_SLOTS; i++)
        h = mix(h, partida.energy_items[i].active);
    // The slime is left out: it only ever comes lower, so a state met again later is no better
    // than when it was first met, and the first meeting is the one kept.
    if (partida.drop_count) h = mix(h, partida.drop_clock);
    return h;
}

// Cells from every cell to a target cell, walking through cells that are not solid: up into a
// ledge but never down through one. It only orders the states when a frame has too many.
struct CellMap {
    int steps[ROOM_ROWS][ROOM_COLS];
    int tx, ty; // the target cell
};

void map_distances(int room, int tx, int ty, CellMap *m) {
    const Room &r = play_level.rooms[room];
    for (auto &row : m->steps)
        for (int &v : row)
            v = 1 << 20;
    m->tx = tx;
    m->ty = ty;
    if (tx < 0 || tx >= ROOM_COLS || ty < 0 || ty >= ROOM_ROWS) return;
    int queue[ROOM_ROWS * ROOM_COLS], head = 0, tail = 0;
    m->steps[ty][tx] = 0;
    queue[tail++] = ty * ROOM_COLS + tx;
    // Searched backwards: from cell (row, col) the player could have come from its neighbours.
    static const int drow[4] = {-1, 1, 0, 0}, dcol[4] = {0, 0, -1, 1};
    while (head < tail) {
        int row = queue[head] / ROOM_COLS, col = queue[head] % ROOM_COLS;
        head++;
        for (int d = 0; d < 4; d++) {
            int pr = row + drow[d], pc = col + dcol[d];
            if (pr < 0 || pr >= ROOM_ROWS || pc < 0 || pc >= ROOM_COLS) continue;
            if (r.cells[pr][pc].attr & ATTR_SOLID) continue;
            // Coming up from the cell below into a ledge cell is fine; going down from the cell
            // above into it (drow -1 means the previous cell is above) is not.
            if (drow[d] == -1 && (r.cells[row][col].attr & ATTR_LEDGE)) continue;
            if (m->steps[pr][pc] <= m->steps[row][col] + 1) continue;
            m->steps[pr][pc] = m->steps[row][col] + 1;
            queue[tail++] = pr * ROOM_COLS + pc;
        }
    }
}

// How far the player is from a target: cells to go, then pixels.
int distance(const CellMap &m) {
    int px = partida.player.x >> 8, py = partida.player.y >> 8;
    int row = std::min((py + 8) >> 4, ROOM_ROWS - 1), col = std::min((px + 8) >> 4, ROOM_COLS - 1);
    return m.steps[row][col] * 64 + (abs(16 * m.tx - px) + abs(16 * m.ty - py)) / 4;
}

// One search's fixed facts: the room, its items, the goal and the maps that order states.
struct Search {
    int room;
    SearchGoal goal;
    std::vector<int> items; // the room's energy item slots
    CellMap lever;
    std::vector<CellMap> item_maps;
};

int items_left(const Search &s) {
    int n = 0;
    for (int i : s.items)
        n += partida.energy_items[i].active == 1;
    return n;
}

// A state's rank when a frame has too many: lower is nearer the goal.
int rank_of(const Search &s, int damage) {
    int d;
    if (s.goal.item >= 0) {
        d = distance(
            s.item_maps[std::find(s.items.begin(), s.items.end(), s.goal.item) - s.items.begin()]);
    } else if (s.goal.all_items && items_left(s) > 0) {
        d = 1 << 30;
        for (size_t k = 0; k < s.items.size(); k++)
            if (partida.energy_items[s.items[k]].active == 1)
                d = std::min(d, distance(s.item_maps[k]));
        d += items_left(s) * 4096;
    } else {
        d = distance(s.lever);
    }
    return d + damage * 4;
}

// A state's place when a frame's states are cut down.
struct Ranked {
    uint64_t group; // the player's square, the blocks and the items
    int turn;       // 0 for the group's state nearest the goal, 1 for the next, ...
    int rank;       // nearness to the goal
    int seen;       // states of the group kept in earlier frames
    int index;
    bool kept;
};

uint64_t group_of(void) {
    const Player &p = partida.player;
    uint64_t h = mix(1469598103934665603ULL, (p.x >> 11) | (p.y >> 11) << 8 | p.facing << 16 |
                                                 (p.jumping | p.falling) << 17);
    for (const Mover &m : partida.platforms)
        if (m.kind == 23) h = mix(h, (m.x >> 3) | (m.y >> 3) << 8);
    for (int i = 0; i < PICKUP_SLOTS; i++)
        h = mix(h, partida.energy_items[i].active);
    return h;
}

struct Node {
    PlayState snap;
    int damage, energy;
    int history; // index into the search's trail
};

// One step of the trail: the state it came from and the input that led here.
struct Trail {
    int parent;
    char input;
};

std::string keys_of(const std::vector<Trail> &trail, int history, char last) {
    std::string keys(1, last);
    for (int h = history; h >= 0; h = trail[h].parent)
        keys.push_back(trail[h].input);
    std::reverse(keys.begin(), keys.end());
    return keys;
}

// Records damage for key; 1 when the state is new or now reached for less.
int improves(std::unordered_map<uint64_t, int> *visited, uint64_t key, int damage) {
    auto it = visited->find(key);
    if (it == visited->end()) {
        visited->emplace(key, damage);
        return 1;
    }
    if (it->second <= damage) return 0;
    it->second = damage;
    return 1;
}

// What the frame just played means for the goal: 1 reached, -1 the try is over, 0 go on.
int judge(const Search &s) {
    if (s.goal.item >= 0) {
        if (partida.energy_items[s.goal.item].active != 1) return 1;
        return partida.room_done || partida.game_done ? -1 : 0;
    }
    if (partida.room_done) {
        bool lever = GAME_sublevel == s.room + 2 && !partida.game_done;
        return lever && (!s.goal.all_items || items_left(s) == 0) ? 1 : -1;
    }
    if (partida.game_done) return -1;
    if (s.goal.known_good) {
        uint64_t rest = SEARCH_rest_key();
        if (rest && s.goal.known_good->count(rest)) return 1;
    }
    return 0;
}

// Too many states for one frame: keeps a spread of them. States are grouped by where the player
// is (8-pixel squares, facing, in the air or not), where the blocks are and which items are
// taken. Half the places go group by group, each group first giving its state nearest the goal,
// then its second, and so on, so that going back for a block or round a wall is not cut off by
// states that merely stand closer to the goal; the other half go to the groups least seen so
// far, so that the search spreads to places it has not been. The states cut are forgotten, so
// that another way may bring them back later.
void cut_layer(const Search &s, std::vector<Node> *next, std::vector<Node> *frontier,
               std::unordered_map<uint64_t, int> *visited,
               std::unordered_map<uint64_t, int> *seen) {
    std::vector<Ranked> order;
    for (int i = 0; i < (int)next->size(); i++) {
        SEARCH_load(&(*next)[i].snap);
        uint64_t g = group_of();
        auto it = seen->find(g);
        order.push_back(
            {g, 0, rank_of(s, (*next)[i].damage), it == seen->end() ? 0 : it->second, i, false});
    }
    std::sort(order.begin(), order.end(), [](const Ranked &a, const Ranked &b) {
        return a.group != b.group ? a.group < b.group
                                  : (a.rank != b.rank ? a.rank < b.rank : a.index < b.index);
    });
    for (size_t i = 1; i < order.size(); i++)
        if (order[i].group == order[i - 1].group) order[i].turn = order[i - 1].turn + 1;
    auto by_turn = [](const Ranked &a, const Ranked &b) {
        if (a.turn != b.turn) return a.turn < b.turn;
        return a.rank != b.rank ? a.rank < b.rank : a.index < b.index;
    };
    auto by_novelty = [&](const Ranked &a, const Ranked &b) {
        if (a.kept != b.kept) return a.kept;
        return a.seen != b.seen ? a.seen < b.seen : by_turn(a, b);
    };
    int cap = s.goal.layer_cap;
    std::sort(order.begin(), order.end(), by_turn);
    for (int i = 0; i < cap / 2; i++)
        order[i].kept = true;
    std::sort(order.begin(), order.end(), by_novelty);
    frontier->clear();
    for (int i = 0; i < (int)order.size(); i++) {
        const Node &n = (*next)[order[i].index];
        if (i < cap) {
            frontier->push_back(n);
            (*seen)[order[i].group]++;
            continue;
        }
        SEARCH_load(&n.snap);
        auto it = visited->find(state_key());
        if (it != visited->end() && it->second == n.damage) visited->erase(it);
    }
}

} // namespace

SearchGoal SEARCH_goal(void) {
    return SearchGoal{SEARCH_MAX_FRAMES, SEARCH_LAYER_CAP, -1, 0, -1, 0, nullptr};
}

void SEARCH_save(PlayState *s) {
    s->partida = partida;
}

void SEARCH_load(const PlayState *s) {
    partida = s->partida;
}

FrameInput SEARCH_input(char letter) {
    FrameInput in = {};
    in.left = letter == 'L' || letter == 'a' || letter == 'c';
    in.right = letter == 'R' || letter == 'b' || letter == 'd';
    in.high_jump = letter == 'U' || letter == 'a' || letter == 'b';
    in.long_jump = letter == 'D' || letter == 'c' || letter == 'd';
    return in;
}

void SEARCH_start_room(int room) {
    PARTIDA_start_attempt(&partida, &efectos, &play_level, room); // as time attack starts it
}

int SEARCH_frame(char letter, int *energy) {
    partida.player.energy = FRAME_ENERGY;
    FrameInput in = SEARCH_input(letter);
    FrameEvents ev;
    PARTIDA_frame(&partida, &efectos, &play_level, &in, &ev, nullptr);
    int taken = __builtin_popcount(ev.items_taken), lost = ev.damage;
    *energy = std::min((int)FULL_ENERGY, *energy + ITEM_ENERGY * taken) - lost;
    partida.player.energy = (short)*energy;
    if (*energy <= 0) partida.game_done = 1;
    return lost;
}

uint64_t SEARCH_rest_key(void) {
    const Player &p = partida.player;
    if (p.jumping || p.falling || p.y & 4095) return 0;
    int row = p.y >> 12, col = p.x >> 12;
    const Room &r = play_level.rooms[partida.room];
    auto standable = [&](int c) {
        return row == ROOM_ROWS - 1 ||
               (c < ROOM_COLS && (r.cells[row + 1][c].attr & (ATTR_SOLID | ATTR_LEDGE)));
    };
    if (!standable(col) && !((p.x & 4095) && standable(col + 1))) return 0; // on a platform
    uint64_t h = mix(7, p.x >> 8 | (int64_t)(p.y >> 8) << 16);
    for (const Mover &m : partida.platforms)
        if (m.kind == 23) h = mix(h, m.x | m.y << 16);
    return h;
}

SearchResult SEARCH_from(const PlayState &start, int energy, const SearchGoal &goal) {
    SearchResult res = {0, 0, 0, 0, ""};
    Search s;
    s.room = start.partida.room;
    s.goal = goal;
    SEARCH_load(&start);
    map_distances(s.room, partida.levers[s.room].tx, partida.levers[s.room].ty, &s.lever);
    for (int i = 0; i < PICKUP_SLOTS; i++) {
        const Pickup &e = partida.energy_items[i];
        if (e.room != s.room) continue;
        s.items.push_back(i);
        s.item_maps.emplace_back();
        map_distances(s.room, e.tx, e.ty, &s.item_maps.back());
    }
    if (goal.item >= 0 && std::find(s.items.begin(), s.items.end(), goal.item) == s.items.end())
        return res;

    std::vector<Trail> trail;
    std::vector<Node> frontier, next;
    std::unordered_map<uint64_t, int> seen; // states kept so far, by group
    // Least damage seen for each state: coming back to a state having lost no less than before
    // cannot lead anywhere new.
    std::unordered_map<uint64_t, int> visited;
    Node first;
    first.snap = start;
    first.damage = 0;
    first.energy = energy;
    first.history = -1;
    frontier.push_back(first);
    visited[state_key()] = 0;
    int best = goal.damage_budget >= 0 ? goal.damage_budget : 1 << 30;

    for (int frame = 1; frame <= goal.max_frames && !frontier.empty(); frame++) {
        next.clear();
        for (const Node &node : frontier) {
            int airborne = node.snap.partida.player.jumping;
            for (int in = 0; in < SEARCH_INPUTS; in++) {
                SEARCH_load(&node.snap);
                int left = node.energy;
                int damage = node.damage + SEARCH_frame(SEARCH_INPUT_LETTERS[in], &left);
                res.states++;
                // In a jump or a fall the keys are not read: one input says it all.
                if (in == 0 && !partida.player.jumping && partida.player.falling) airborne = 1;
                bool allowed = left > 0 && damage <= best;
                int verdict = allowed ? judge(s) : -1;
                if (verdict == 1 && (!res.found || damage < res.damage)) {
                    res.found = 1;
                    res.frames = frame;
                    res.damage = damage;
                    res.keys = keys_of(trail, node.history, SEARCH_INPUT_LETTERS[in]);
                    if (!goal.least_damage || damage == 0) return res;
                    best = damage - 1;
                } else if (verdict == 0 && improves(&visited, state_key(), damage)) {
                    trail.push_back({node.history, SEARCH_INPUT_LETTERS[in]});
                    Node child;
                    SEARCH_save(&child.snap);
                    child.damage = damage;
                    child.energy = left;
                    child.history = (int)trail.size() - 1;
                    next.push_back(child);
                }
                if (airborne) break;
            }
        }
        if ((int)next.size() > goal.layer_cap) {
            cut_layer(s, &next, &frontier, &visited, &seen);
        } else {
            frontier.swap(next);
        }
    }
    return res;
}
