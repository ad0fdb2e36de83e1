// search.cpp -- breadth-first search over key inputs, one frame per layer, through the game's own
// headless frame step, with snapshots of the play state and a visited set of play-relevant states.
#include "tools/levelcheck/search.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "game/partida.h"
#include "util/azar.h"

const char SEARCH_INPUT_LETTERS[SEARCH_INPUTS + 1] = ".LRUD";

namespace {

// Everything a frame step reads or changes: the play state and the random generator (the effects
// that only show are left out).
struct Snapshot {
    Partida partida;
    AzarState azar;
};

void save(Snapshot *s) {
    s->partida = partida;
    AZAR_save(&s->azar);
}

void load(const Snapshot *s) {
    partida = s->partida;
    AZAR_load(&s->azar);
}

uint64_t mix(uint64_t h, int64_t v) {
    h ^= (uint64_t)v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h * 0x100000001b3ULL;
}

// The state that decides how play goes on, energy apart: the player's motion (not its animation),
// every mover and the pickups taken.
uint64_t state_key(void) {
    const Player &p = partida.player;
    uint64_t h = 1469598103934665603ULL;
    h = mix(h, p.x);
    h = mix(h, p.y);
    h = mix(h, p.jumping | p.jump_kind << 1 | p.facing << 2 | p.falling << 3);
    h = mix(h, p.jump_step);
    for (const Mover &m : partida.enemies)
        if (m.kind != -1)
            h = mix(h, (int64_t)m.x << 48 | (int64_t)(m.y & 0xffff) << 32 |
                           (int64_t)(m.dx & 0xffff) << 16 | (m.dy & 0xffff));
    for (const Mover &m : partida.platforms)
        if (m.kind != -1)
            h = mix(h, (int64_t)m.x << 48 | (int64_t)(m.y & 0xffff) << 32 |
                           (int64_t)(m.dx & 0xffff) << 16 | (m.dy & 0xffff));
    for (int i = 0; i < PICKUP_SLOTS; i++)
        h = mix(h, partida.energy_items[i].active);
    if (partida.world == 4) {
        h = mix(h, moco_y);
        h = mix(h, partida.slime_step << 1 | flip_flop);
    }
    return h;
}

struct Node {
    Snapshot snap;
    int history; // index into the search's trail
};

// One step of the trail: the state it came from and the input that led here.
struct Trail {
    int parent;
    char input;
};

// Cells from every cell to the lever's cell, walking through cells that are not solid: up into a
// ledge but never down through one. It only orders the states when a frame has too many.
struct CellMap {
    int steps[ROOM_ROWS][ROOM_COLS];
};

void map_lever_distances(int room, CellMap *m) {
    const Room &r = play_level.rooms[room];
    for (auto &row : m->steps)
        for (int &v : row)
            v = 1 << 20;
    int queue[ROOM_ROWS * ROOM_COLS], head = 0, tail = 0;
    for (const Pickup &l : partida.levers)
        if (l.room == room && l.tx >= 0 && l.tx < ROOM_COLS && l.ty >= 0 && l.ty < ROOM_ROWS) {
            m->steps[l.ty][l.tx] = 0;
            queue[tail++] = l.ty * ROOM_COLS + l.tx;
        }
    // Searched backwards: from cell (row, col) the player could have come from its neighbours.
    static const int drow[4] = {-1, 1, 0, 0}, dcol[4] = {0, 0, -1, 1};
    while (head < tail) {
        int row = queue[head] / ROOM_COLS, col = queue[head] % ROOM_COLS;
        head++;
        for (int d = 0; d < 4; d++) {
            int pr = row + drow[d], pc = col + dcol[d];
            if (pr < 0 || pr >= ROOM_ROWS || pc < 0 || pc >= ROOM_COLS) continue;
            unsigned char attr = r.cells[pr][pc].attr;
            if (attr & ATTR_SOLID) continue;
            // Coming up from the cell below into a ledge cell is fine; going down from the cell
            // above into it (drow -1 means the previous cell is above) is not.
            if (drow[d] == -1 && (r.cells[row][col].attr & ATTR_LEDGE)) continue;
            if (m->steps[pr][pc] <= m->steps[row][col] + 1) continue;
            m->steps[pr][pc] = m->steps[row][col] + 1;
            queue[tail++] = pr * ROOM_COLS + pc;
        }
    }
}

// How far the player is from the lever, for ordering: cells to go, then pixels.
int lever_rank(int room, const CellMap &m) {
    int px = partida.player.x >> 8, py = partida.player.y >> 8;
    int steps = m.steps[(py + 8) >> 4 < ROOM_ROWS ? (py + 8) >> 4 : ROOM_ROWS - 1]
                       [(px + 8) >> 4 < ROOM_COLS ? (px + 8) >> 4 : ROOM_COLS - 1];
    int pixels = 1 << 20;
    for (const Pickup &l : partida.levers)
        if (l.room == room && l.active)
            pixels = std::min(pixels, abs(16 * l.tx - px) + abs(16 * l.ty - py));
    return steps * 64 + pixels / 4 - partida.player.energy / 16;
}

// A state's place when a frame's states are cut down.
struct Ranked {
    uint64_t group; // first the player's square and the blocks; then the turn within the group
    int rank;       // distance to the lever
    int index;
    bool operator<(const Ranked &o) const {
        if (group != o.group) return group < o.group;
        if (rank != o.rank) return rank < o.rank;
        return index < o.index;
    }
};

uint64_t group_of(void) {
    const Player &p = partida.player;
    uint64_t h = mix(1469598103934665603ULL, (p.x >> 11) | (p.y >> 11) << 8 | p.facing << 16 |
                                                 (p.jumping | p.falling) << 17);
    for (const Mover &m : partida.platforms)
        if (m.kind == 23) h = mix(h, (m.x >> 3) | (m.y >> 3) << 8);
    return h;
}

// Records energy for key; 1 when the state is new or now reached with more energy.
int improves(std::unordered_map<uint64_t, short> *visited, uint64_t key, short energy) {
    auto it = visited->find(key);
    if (it == visited->end()) {
        visited->emplace(key, energy);
        return 1;
    }
    if (it->second >= energy) return 0;
    it->second = energy;
    return 1;
}

} // namespace

void SEARCH_set_keys(char letter) {
    for (int i = 0; i < KEY_MAX; i++)
        key[i] = 0;
    switch (letter) {
    case 'L':
        key[KEY_LEFT] = 1;
        break;
    case 'R':
        key[KEY_RIGHT] = 1;
        break;
    case 'U':
        key[KEY_UP] = 1;
        break;
    case 'D':
        key[KEY_DOWN] = 1;
        break;
    case 'a':
        key[KEY_LEFT] = key[KEY_UP] = 1;
        break;
    case 'b':
        key[KEY_RIGHT] = key[KEY_UP] = 1;
        break;
    case 'c':
        key[KEY_LEFT] = key[KEY_DOWN] = 1;
        break;
    case 'd':
        key[KEY_RIGHT] = key[KEY_DOWN] = 1;
        break;
    default:
        break;
    }
}

SearchResult SEARCH_room(int room, const SearchLimits &limits) {
    SearchResult res = {0, 0, 0, 0, ""};
    GAME_sublevel = room + 1;
    partida.player.energy = 255;
    partida.game_done = 0;
    partida.retries = 5;
    PARTIDA_start_room();

    std::vector<Trail> trail;
    std::vector<Node> frontier, next;
    std::vector<Ranked> order; // when a layer is cut
    // Best energy seen for each state: coming back to a state with no more energy than before
    // cannot lead anywhere new, since frames only ever take energy away or give it back.
    std::unordered_map<uint64_t, short> visited;
    CellMap cells;
    map_lever_distances(room, &cells);
    Node start;
    save(&start.snap);
    start.history = -1;
    frontier.push_back(start);
    visited[state_key()] = partida.player.energy;

    for (int frame = 1; frame <= limits.max_frames && !frontier.empty(); frame++) {
        next.clear();
        for (const Node &node : frontier) {
            int airborne = node.snap.partida.player.jumping;
            for (int in = 0; in < SEARCH_INPUTS; in++) {
                load(&node.snap);
                SEARCH_set_keys(SEARCH_INPUT_LETTERS[in]);
                PARTIDA_frame(nullptr);
                res.states++;
                // In a jump or a fall the keys are not read: one input says it all.
                if (in == 0 && !partida.player.jumping && partida.player.falling) airborne = 1;
                if (partida.room_done && GAME_sublevel == room + 2 && partida.player.energy > 0) {
                    res.found = 1;
                    res.frames = frame;
                    res.energy = partida.player.energy;
                    std::string keys(1, SEARCH_INPUT_LETTERS[in]);
                    for (int h = node.history; h >= 0; h = trail[h].parent)
                        keys.push_back(trail[h].input);
                    std::reverse(keys.begin(), keys.end());
                    res.keys = keys;
                    return res;
                }
                if (!partida.room_done && !partida.game_done && partida.player.energy > 0 &&
                    improves(&visited, state_key(), partida.player.energy)) {
                    trail.push_back({node.history, SEARCH_INPUT_LETTERS[in]});
                    Node child;
                    save(&child.snap);
                    child.history = (int)trail.size() - 1;
                    next.push_back(child);
                }
                if (airborne) break;
            }
        }
        if ((int)next.size() > limits.layer_cap) {
            // Too many states for one frame: keep a spread of them. States are grouped by where
            // the player is (8-pixel squares, facing, in the air or not) and where the blocks
            // are; every group first gives its state nearest the lever, then its second, and so
            // on, so that going back for a block or round a wall is not cut off by states that
            // merely stand closer to the lever.
            order.clear();
            for (int i = 0; i < (int)next.size(); i++) {
                load(&next[i].snap);
                order.push_back({group_of(), lever_rank(room, cells), i});
            }
            std::sort(order.begin(), order.end());
            for (size_t i = 0, turn = 0; i < order.size(); i++) {
                turn = i > 0 && order[i].group == order[i - 1].group ? turn + 1 : 0;
                order[i].group = turn;
            }
            std::sort(order.begin(), order.end());
            frontier.clear();
            for (int i = 0; i < limits.layer_cap; i++)
                frontier.push_back(next[order[i].index]);
        } else {
            frontier.swap(next);
        }
    }
    return res;
}
