// solutions.cpp -- the level checker's solutions file read back, and a solution recorded as a
// replay.
// SPDX-License-Identifier: MIT
#include "tools/levellib/solutions.h"
#include <fstream>
#include <sstream>
#include "tools/levellib/search.h"

bool SOLUTIONS_read(const std::string &path, std::vector<Solution> *out, std::string *why) {
    std::ifstream in(path);
    if (!in) {
        *why = path + " cannot be read";
        return false;
    }
    out->clear();
    for (std::string line; std::getline(in, line);) {
        std::string word, count, keys;
        int number = -1;
        std::istringstream(line) >> word >> number >> count >> keys;
        if (word != "room" || count == "none") continue;
        if (number < 1 || number > ROOM_COUNT || std::to_string(keys.size()) != count) {
            *why = path + ": a line does not add up: " + line.substr(0, 60);
            return false;
        }
        out->push_back({number, keys});
    }
    return true;
}

bool SOLUTIONS_record(const Solution &s, const ReplayLevelId &id, Replay *r) {
    SEARCH_start_room(s.number - 1);
    // No dust of the rooms played before: played headless it never settles.
    for (int i = FIRST_DUST; i < PARTICLES; i++)
        efectos.mvl[i].state = 0;
    REPLAY_record_start(r, &partida, &efectos, &id, 0);
    int ended = 0;
    for (size_t i = 0; i < s.keys.size() && !ended; i++) {
        FrameInput in = SEARCH_input(s.keys[i]);
        FrameEvents ev;
        PARTIDA_frame(&partida, &efectos, &play_level, &in, &ev, nullptr);
        ended = REPLAY_record_frame(r, &in, &partida, &ev);
    }
    return ended && r->ending == REPLAY_LEVER && r->frames == (int)s.keys.size();
}
