// bench_replay.cpp -- how long checking replays takes: the checker's route of one room, and of
// every room of both shipped levels, read from the files the build writes and played headless.
// SPDX-License-Identifier: MIT
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <memory>
#include <string>
#include <vector>
#include "level/nivel.h"
#include "replay/replay.h"

namespace {

// A level's records and its file's hash, with its rooms' replays read in.
struct Shipped {
    Level level;
    ReplayLevelId id;
    std::vector<std::unique_ptr<Replay>> rooms;
};

std::vector<std::unique_ptr<Shipped>> &shipped(void) {
    static std::vector<std::unique_ptr<Shipped>> levels;
    if (!levels.empty()) return levels;
    const char *env = getenv("VB_DATA_DIR");
    std::string data = env && *env ? env : "build/data";
    for (const char *name : {"velba1", "velba2"}) {
        std::unique_ptr<Shipped> s(new Shipped());
        std::string map = data + "/maps/" + name + ".vb3";
        LevelLoad load;
        char why[200];
        if (!LEVEL_load(map.c_str(), MAP_RECORDS, &s->level, &load) ||
            !REPLAY_level_id(map.c_str(), &s->level, &s->id, why, sizeof why))
            continue;
        for (int room = 1; room <= ROOM_COUNT; room++) {
            char path[64];
            snprintf(path, sizeof path, "/../replays/%s/room%02d.vbr", name, room);
            std::unique_ptr<Replay> r(new Replay());
            if (REPLAY_load((data + path).c_str(), r.get(), why, sizeof why))
                s->rooms.push_back(std::move(r));
        }
        levels.push_back(std::move(s));
    }
    return levels;
}

// The longest route of the first level, played and checked.
void BM_VerifyOneRoom(benchmark::State &state) {
    auto &levels = shipped();
    if (levels.empty() || levels[0]->rooms.empty()) return state.SkipWithError("no replays built");
    Shipped &s = *levels[0];
    const Replay *longest = s.rooms[0].get();
    for (auto &r : s.rooms)
        if (r->frames > longest->frames) longest = r.get();
    for (auto _ : state)
        if (REPLAY_verify(longest, &s.level, s.id.sha256).result != REPLAY_OK)
            return state.SkipWithError("the replay does not verify");
    state.counters["frames"] = longest->frames;
}
BENCHMARK(BM_VerifyOneRoom)->Unit(benchmark::kMicrosecond);

// All 50 shipped rooms.
void BM_VerifyAllShippedRooms(benchmark::State &state) {
    auto &levels = shipped();
    size_t rooms = 0;
    for (auto &s : levels)
        rooms += s->rooms.size();
    if (rooms != 2 * ROOM_COUNT) return state.SkipWithError("not every room's replay is built");
    for (auto _ : state)
        for (auto &s : levels)
            for (auto &r : s->rooms)
                if (REPLAY_verify(r.get(), &s->level, s->id.sha256).result != REPLAY_OK)
                    return state.SkipWithError("a replay does not verify");
}
BENCHMARK(BM_VerifyAllShippedRooms)->Unit(benchmark::kMillisecond);

} // namespace
