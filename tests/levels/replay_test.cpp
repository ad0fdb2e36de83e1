// replay_test.cpp -- the shipped level played back: the level checker's key sequences, replayed
// through the frame step with the room drawn, reach every lever; and the level file itself keeps
// the rules the rooms are built on.
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>
#include <stdlib.h>
#include <string>
#include <unistd.h>
#include <vector>
#include "game/partida.h"
#include "render/render.h"
#include "gfx/gfx.h"
#include "level/nivel.h"
#include "platform/config.h"
#include "support/vbtest.h"

namespace {

// One room's keys as the checker wrote them: one letter per frame.
struct Solution {
    int room;
    int frames;
    std::string keys;
};

void hold(char letter) {
    key[KEY_LEFT] = letter == 'L' || letter == 'a' || letter == 'c';
    key[KEY_RIGHT] = letter == 'R' || letter == 'b' || letter == 'd';
    key[KEY_UP] = letter == 'U' || letter == 'a' || letter == 'b';
    key[KEY_DOWN] = letter == 'D' || letter == 'c' || letter == 'd';
}

// Reads the checker's solutions beside the data directory (build/levelcheck).
std::vector<Solution> read_solutions(const std::string &path) {
    std::vector<Solution> all;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string word, frames;
        Solution s = {-1, 0, ""};
        words >> word >> s.room >> frames >> s.keys;
        if (word != "room" || frames == "none") continue;
        s.frames = atoi(frames.c_str());
        all.push_back(s);
    }
    return all;
}

} // namespace

// Every room's lever is reached, on exactly the frame the checker found, by replaying its keys
// through the frame step with the room drawn each frame, starting from full energy.
TEST(ShippedLevel, CheckersKeysReachEveryLeverWithTheRoomDrawn) {
    std::string why;
    const char *data = getenv("VB_DATA_DIR");
    std::string solutions_path = std::string(data ? data : ".") + "/../levelcheck/velba1.solutions";
    std::vector<Solution> solutions = read_solutions(solutions_path);
    if (access(solutions_path.c_str(), R_OK) != 0)
        GTEST_SKIP() << "the level checker has not written " << solutions_path;
    ASSERT_TRUE(vbtest_load_shipped_level("velba1.vb3", &why)) << why;
    ASSERT_EQ(solutions.size(), (size_t)ROOM_COUNT) << "a room has no solution";

    for (const Solution &s : solutions) {
        SCOPED_TRACE("room " + std::to_string(s.room));
        ASSERT_EQ((int)s.keys.size(), s.frames);
        for (Pickup &p : partida.levers)
            p.active = 1;
        partida.player.energy = 255;
        partida.game_done = 0;
        GAME_sublevel = s.room + 1;
        PARTIDA_start_room();
        int frame = 0;
        for (; frame < s.frames && !partida.room_done; frame++) {
            hold(s.keys[frame]);
            PARTIDA_frame(RENDER_frame);
        }
        EXPECT_EQ(frame, s.frames) << "the room ended early";
        EXPECT_TRUE(partida.room_done);
        EXPECT_EQ(GAME_sublevel, s.room + 2) << "the room's lever was not the one touched";
        EXPECT_FALSE(partida.game_done);
        EXPECT_GT(partida.player.energy, 0);
        EXPECT_EQ(partida.levers[s.room].active, 0);
    }
    hold('.');
    vbtest_unload_level();
}

// The level file keeps the rules its rooms are built on: one lever per room in its own room, at
// most 25 energy items inside their rooms, the door in the last room, starts on open cells, and
// movers whose paths meet their ends exactly (slot 24 standing still).
TEST(ShippedLevel, LevelFileKeepsTheRoomRules) {
    std::string why;
    ASSERT_TRUE(vbtest_load_shipped_level("velba1.vb3", &why)) << why;
    EXPECT_EQ(play_level.header.door_room_col, 4);
    EXPECT_EQ(play_level.header.door_room_row, 4);
    for (int r = 0; r < ROOM_COUNT; r++) {
        SCOPED_TRACE("room " + std::to_string(r));
        const Pickup &lever = partida.levers[r];
        EXPECT_EQ(lever.room, r);
        EXPECT_TRUE(lever.tx >= 0 && lever.tx < ROOM_COLS && lever.ty >= 0 && lever.ty < ROOM_ROWS);
        const Room &room = play_level.rooms[r];
        EXPECT_EQ(room.background, r / 5);
        EXPECT_FALSE(room.cells[room.start_row][room.start_col].attr & ATTR_SOLID);
        auto check = [](const MoverEntry &m, bool still) {
            if (m.kind == -1) return;
            int moves = m.speed != 0 && (m.x1 != m.x2 || m.y1 != m.y2);
            if (still) {
                EXPECT_FALSE(moves) << "platform slot 24 never moves";
            }
            if (!moves) return;
            EXPECT_GT(m.speed, 0);
            EXPECT_EQ(abs(m.x2 - m.x1) * CELL % m.speed, 0);
            EXPECT_EQ(abs(m.y2 - m.y1) * CELL % m.speed, 0);
        };
        for (const MoverEntry &e : room.enemies)
            check(e, false);
        for (int i = 0; i < PLATFORM_SLOTS; i++)
            check(room.platforms[i], i == PLATFORM_SLOTS - 1);
    }
    int energy_items = 0;
    for (const Pickup &p : partida.energy_items) {
        if (p.room >= ROOM_COUNT) continue; // an empty slot names no room
        energy_items++;
        EXPECT_TRUE(p.tx >= 0 && p.tx < ROOM_COLS && p.ty >= 0 && p.ty < ROOM_ROWS);
    }
    EXPECT_GE(energy_items, 5);
    vbtest_unload_level();
}
