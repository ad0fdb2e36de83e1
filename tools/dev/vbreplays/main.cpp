// main.cpp -- vbreplays: writes the level checker's route for every room of a level as replay
// files, for the build: each one an attempt from the room's start that touches its lever.
//
// Usage: vbreplays LEVEL.vb3 SOLUTIONS FOLDER     writes FOLDER/roomNN.vbr, one per route
// SPDX-License-Identifier: MIT
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "game/partida.h"
#include "platform/fileio.h"
#include "replay/replay.h"
#include "tools/levellib/solutions.h"

int main(int argc, char **argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: vbreplays LEVEL.vb3 SOLUTIONS FOLDER\n");
        return 2;
    }
    PARTIDA_reset(&partida, &efectos);
    partida.sound_on = 0; // as the level checker plays
    LevelLoad load;
    if (!LEVEL_load(argv[1], MAP_RECORDS, &play_level, &load)) {
        fprintf(stderr, "vbreplays: %s cannot be loaded: %s\n", argv[1], load.why);
        return 1;
    }
    PARTIDA_place_pickups(&partida, &play_level);
    ReplayLevelId id;
    char why[200];
    std::string err;
    std::vector<Solution> routes;
    if (!REPLAY_level_id(argv[1], &play_level, &id, why, sizeof why) ||
        !SOLUTIONS_read(argv[2], &routes, &err)) {
        fprintf(stderr, "vbreplays: %s\n", err.empty() ? why : err.c_str());
        return 1;
    }
    std::unique_ptr<Replay> r(new Replay());
    for (const Solution &s : routes) {
        if (!SOLUTIONS_record(s, id, r.get())) {
            fprintf(stderr, "vbreplays: room %d: the route does not end at the lever\n", s.number);
            return 1;
        }
        unsigned char *data;
        size_t size;
        char path[4096];
        snprintf(path, sizeof path, "%s/room%02d.vbr", argv[3], s.number);
        int failed = !REPLAY_encode(r.get(), &data, &size);
        if (!failed) {
            failed = FIO_replace(path, data, size, FIO_NEW_FILE) != 0;
            free(data);
        }
        if (failed) {
            fprintf(stderr, "vbreplays: %s cannot be written\n", path);
            return 1;
        }
    }
    return 0;
}
