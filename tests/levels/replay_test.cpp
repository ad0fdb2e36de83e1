// replay_test.cpp -- the shipped levels played back: the level checker's key sequences, replayed
// through the frame step with the room drawn, reach every lever taking every energy item within
// the damage the room declares; and the level files keep the rules the rooms are built on.
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>
#include <stdlib.h>
#include <string>
#include <unistd.h>
#include <vector>
#include "game/partida.h"
#include "gfx/gfx.h"
#include "level/nivel.h"
#include "shell/config.h"
#include "support/vbtest.h"

namespace {

const char *const LEVELS[] = {"velba1", "velba2"};

// One room's keys as the checker wrote them: one letter per frame.
struct Solution {
    int number; // 1..25, as on the level card
    int frames;
    std::string keys;
};

void hold(char letter) {
    key[KEY_LEFT] = letter == 'L' || letter == 'a' || letter == 'c';
    key[KEY_RIGHT] = letter == 'R' || letter == 'b' || letter == 'd';
    key[KEY_UP] = letter == 'U' || letter == 'a' || letter == 'b';
    key[KEY_DOWN] = letter == 'D' || letter == 'c' || letter == 'd';
}

// Loads maps/LEVEL.vb3 into partida from the data directory; false (with the reason) when the
// level has not been built.
bool load_shipped_level(const std::string &level, std::string *why) {
    const char *data = getenv("VB_DATA_DIR");
    std::string file = level + ".vb3";
    if (!data || chdir(data) != 0 || access(("maps/" + file).c_str(), R_OK) != 0) {
        *why = "maps/" + file + " is not built";
        return false;
    }
    vbtest_init(16);
    set_color_conversion(COLORCONV_TOTAL);
    GFX_init();
    CFG_soundon = 0;
    transparente = makecol(255, 0, 255);
    PARTIDA_reset();
    if (!PARTIDA_create_bitmaps()) {
        *why = "no memory for the level's bitmaps";
        return false;
    }
    if (!carga_fase(file.c_str(), &partida.header, partida.rooms, partida.levers,
                    partida.energy_items, partida.backgrounds, partida.tiles, partida.sprites)) {
        *why = "maps/" + file + " cannot be read";
        return false;
    }
    return true;
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
        words >> word >> s.number >> frames >> s.keys;
        if (word != "room" || frames == "none") continue;
        s.frames = atoi(frames.c_str());
        all.push_back(s);
    }
    return all;
}

} // namespace

// Every room's lever is reached, on exactly the frame the checker found, by replaying its keys
// through the frame step with the room drawn each frame, with the slime at its earliest; every
// energy item of the room is taken on the way, and the room costs no more than it declares.
TEST(ShippedLevels, CheckersKeysReachEveryLeverWithEveryItemWithTheRoomDrawn) {
    for (const char *level : LEVELS) {
        SCOPED_TRACE(level);
        std::string why;
        const char *data = getenv("VB_DATA_DIR");
        std::string path =
            std::string(data ? data : ".") + "/../levelcheck/" + level + ".solutions";
        std::vector<Solution> solutions = read_solutions(path);
        if (!load_shipped_level(level, &why)) {
            std::cout << "skipped: " << why << "\n";
            continue;
        }
        ASSERT_EQ(access(path.c_str(), R_OK), 0) << "the level checker has not written " << path;
        PARTIDA_load_pictures();
        ASSERT_EQ(partida.draw, 1);
        ASSERT_EQ(solutions.size(), (size_t)ROOM_COUNT) << "a room has no solution";

        for (const Solution &s : solutions) {
            SCOPED_TRACE("room " + std::to_string(s.number));
            ASSERT_EQ((int)s.keys.size(), s.frames);
            int room = s.number - 1;
            for (int i = 0; i < PICKUP_SLOTS; i++)
                partida.levers[i].active = partida.energy_items[i].active = 1;
            partida.player.energy = 100; // room to take items and to lose energy without an end
            partida.game_done = 0;
            partida.slime_step = 7; // the slime at its earliest, as the checker plays it
            flip_flop = 0;
            GAME_sublevel = s.number;
            PARTIDA_start_room();
            int frame = 0;
            for (; frame < s.frames && !partida.room_done; frame++) {
                hold(s.keys[frame]);
                PARTIDA_frame();
            }
            EXPECT_EQ(frame, s.frames) << "the room ended early";
            EXPECT_TRUE(partida.room_done);
            EXPECT_EQ(GAME_sublevel, s.number + 1) << "the room's lever was not the one touched";
            EXPECT_FALSE(partida.game_done);
            int taken = 0;
            for (const Pickup &e : partida.energy_items) {
                if (e.room != room) continue;
                EXPECT_EQ(e.active, 0) << "energy item at " << e.tx << "," << e.ty << " left";
                taken++;
            }
            int damage = 100 + 25 * taken - partida.player.energy;
            EXPECT_LE(damage, partida.rooms[room].unused2[0]) << "more damage than declared";
        }
        hold('.');
        PARTIDA_release_pictures();
        PARTIDA_destroy_bitmaps();
    }
}

// The level files keep the rules their rooms are built on: one lever per room in its own room, at
// most 25 energy items inside their rooms, the door in the last room, starts on open cells, and
// movers whose paths meet their ends exactly (slot 24 standing still).
TEST(ShippedLevels, LevelFilesKeepTheRoomRules) {
    for (const char *level : LEVELS) {
        SCOPED_TRACE(level);
        std::string why;
        if (!load_shipped_level(level, &why)) {
            std::cout << "skipped: " << why << "\n";
            continue;
        }
        EXPECT_EQ(partida.header.door_room_col, 4);
        EXPECT_EQ(partida.header.door_room_row, 4);
        EXPECT_NE(partida.header.unused[0], 0) << "the level has no name";
        for (int r = 0; r < ROOM_COUNT; r++) {
            SCOPED_TRACE("room " + std::to_string(r + 1));
            const Pickup &lever = partida.levers[r];
            EXPECT_EQ(lever.room, r);
            EXPECT_TRUE(lever.tx >= 0 && lever.tx < ROOM_COLS && lever.ty >= 0 &&
                        lever.ty < ROOM_ROWS);
            const Room &room = partida.rooms[r];
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
        PARTIDA_destroy_bitmaps();
    }
}
