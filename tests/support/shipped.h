// shipped.h -- the shipped levels with the level checker's routes, and replays as file bytes, for
// the replay, proof and flashing tests (header only: the support library links no tool code).
// SPDX-License-Identifier: MIT
#pragma once
#include <stdlib.h>
#include <string>
#include <vector>
#include "replay/replay.h"
#include "support/vbtest.h"
#include "tools/levellib/solutions.h"

// The replay as a file holds it ("" when it cannot be written).
inline std::string replay_bytes(const Replay &r) {
    unsigned char *data;
    size_t size;
    if (!REPLAY_encode(&r, &data, &size)) return "";
    std::string s((const char *)data, size);
    free(data);
    return s;
}

// Loads shipped level NAME (maps/NAME.vb3) for play as vbtest_load_shipped_level does, with the
// level checker's routes for it and, when id is given, its file's identity; false with the reason.
inline bool load_shipped_routes(const char *name, std::vector<Solution> *routes, std::string *why,
                                ReplayLevelId *id = nullptr) {
    std::string file = std::string(name) + ".vb3";
    if (!vbtest_load_shipped_level(file.c_str(), why)) return false;
    char msg[200];
    if (id && !REPLAY_level_id(("maps/" + file).c_str(), &play_level, id, msg, sizeof msg)) {
        *why = msg;
        return false;
    }
    return SOLUTIONS_read(vbtest_data() + "/../levelcheck/" + name + ".solutions", routes, why);
}
