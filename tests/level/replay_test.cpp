// replay_test.cpp -- the level checker's solutions for the shipped levels, played back.
#include <fstream>
#include <sstream>
#include <stdlib.h>
#include <string>
#include <unistd.h>
#include "game/partida.h"
#include "render/render.h"
#include "support/vbtest.h"
#include "tools/levellib/search.h"

// Every room's keys, replayed with the room drawn and the slime at its earliest, reach its lever
// on the checker's frame taking every item within the declared damage, with no allocation.
TEST(ShippedLevels, CheckersKeysReachEveryLeverWithEveryItemWithTheRoomDrawnAndNoAllocation) {
    for (const char *level : {"velba1", "velba2"}) {
        SCOPED_TRACE(level);
        std::string why;
        std::string path = vbtest_data() + "/../levelcheck/" + level + ".solutions";
        ASSERT_EQ(access(path.c_str(), R_OK), 0) << "the level checker has not written " << path;
        ASSERT_TRUE(vbtest_load_shipped_level((std::string(level) + ".vb3").c_str(), &why)) << why;
        std::ifstream in(path); // "room NUMBER FRAMES KEYS" lines, FRAMES "none" for no solution
        int solved = 0;
        for (std::string line; std::getline(in, line);) {
            std::string word, count, keys;
            int number = -1;
            std::istringstream(line) >> word >> number >> count >> keys;
            if (word != "room" || count == "none") continue;
            solved++;
            SCOPED_TRACE("room " + std::to_string(number));
            int frames = atoi(count.c_str()), room = number - 1;
            ASSERT_EQ((int)keys.size(), frames);
            SEARCH_start_room(room);     // every item in place, the slime at its earliest
            partida.player.energy = 100; // room to take items and to lose energy without an end
            int frame = 0;
            vbtest_allocations = 0;
            vbtest_counting = vbtest_can_count;
            for (; frame < frames && !partida.room_done; frame++) {
                FrameInput in = SEARCH_input(keys[frame]);
                PARTIDA_frame(&partida, &efectos, &play_level, &in, nullptr, RENDER_frame_hook);
            }
            vbtest_counting = false;
            EXPECT_EQ(vbtest_allocations, 0) << "a frame of play or drawing allocated";
            EXPECT_EQ(frame, frames) << "the room ended early";
            EXPECT_TRUE(partida.room_done);
            EXPECT_EQ(GAME_sublevel, number + 1) << "the room's lever was not the one touched";
            EXPECT_FALSE(partida.game_done);
            int taken = 0;
            for (const Pickup &e : partida.energy_items) {
                if (e.room != room) continue;
                EXPECT_EQ(e.active, 0) << "energy item at " << e.tx << "," << e.ty << " left";
                taken++;
            }
            int damage = 100 + 25 * taken - partida.player.energy;
            EXPECT_LE(damage, play_level.rooms[room].damage) << "more damage than declared";
        }
        EXPECT_EQ(solved, ROOM_COUNT) << "a room has no solution";
        vbtest_unload_level();
    }
}
