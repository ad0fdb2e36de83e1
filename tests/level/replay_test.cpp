// replay_test.cpp -- the level checker's solutions for the shipped levels, played back.
// SPDX-License-Identifier: MIT
#include <string>
#include <unistd.h>
#include "game/attack.h"
#include <vector>
#include "game/partida.h"
#include "level/par.h"
#include "render/render.h"
#include "support/vbtest.h"
#include "tools/levellib/check.h"
#include "tools/levellib/search.h"
#include "tools/levellib/solutions.h"

// Every room's keys, replayed with the room drawn and the slime at its earliest, reach its lever
// on the checker's frame taking every item within the declared damage, with no allocation.
TEST(ShippedLevels, CheckersKeysReachEveryLeverWithEveryItemWithTheRoomDrawnAndNoAllocation) {
    for (const char *level : {"velba1", "velba2"}) {
        SCOPED_TRACE(level);
        std::string why;
        std::vector<Solution> routes;
        ASSERT_TRUE(
            SOLUTIONS_read(vbtest_data() + "/../levelcheck/" + level + ".solutions", &routes, &why))
            << why << " (the level checker writes it)";
        ASSERT_TRUE(vbtest_load_shipped_level((std::string(level) + ".vb3").c_str(), &why)) << why;
        for (const Solution &s : routes) {
            SCOPED_TRACE("room " + std::to_string(s.number));
            const std::string &keys = s.keys;
            int frames = (int)keys.size(), number = s.number, room = number - 1;
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
        EXPECT_EQ(routes.size(), (size_t)ROOM_COUNT) << "a room has no solution";
        vbtest_unload_level();
    }
}

// The par file beside each shipped level holds, for every room, the checker's fastest frames;
// played as a ghost from the room's start as time attack starts it, its fastest route touches the
// lever on exactly that frame and its route taking every item on its own last frame.
TEST(ShippedLevels, ParIsTheCheckersFastestAndItsRouteGhostsReachTheLeverAtPar) {
    static ParFile par;
    static Ghost ghost;
    for (const char *level : {"velba1", "velba2"}) {
        SCOPED_TRACE(level);
        std::string why, path = vbtest_data() + "/maps/" + level + ".par";
        char reason[160] = "";
        ASSERT_EQ(PAR_load(path.c_str(), &par, reason, sizeof reason), PAR_OK) << path << reason;
        ASSERT_TRUE(vbtest_load_shipped_level((std::string(level) + ".vb3").c_str(), &why)) << why;
        for (int room = 0; room < ROOM_COUNT; room++) {
            SCOPED_TRACE("room " + std::to_string(room + 1));
            int frames = PAR_room(&par, room);
            ASSERT_GT(frames, 0) << "a shipped room has no par";
            // The search again (half a minute in all; left to the plain build, the sanitizer's
            // run would take minutes): the checker keeps the route taking every item as the
            // fastest when that is faster.
            if (vbtest_can_count) {
                SEARCH_start_room(room);
                PlayState start;
                SEARCH_save(&start);
                long states = 0;
                SearchResult fastest = LEVELCHECK_search(start, SEARCH_goal(), &states);
                EXPECT_TRUE(fastest.found);
                int full = par.routes[room][PAR_FULL].frames;
                EXPECT_EQ(frames, full > 0 && full < fastest.frames ? full : fastest.frames);
            }
            for (int kind : {PAR_FASTEST, PAR_FULL}) {
                const ParRoute &r = par.routes[room][kind];
                if (kind == PAR_FULL && r.frames == 0) continue;
                GHOST_start(&ghost, &play_level, room, r.keys, r.frames, true);
                while (GHOST_step(&ghost, &play_level))
                    ;
                EXPECT_EQ(ghost.finished_at, r.frames)
                    << (kind ? "every item" : "fastest") << " stopped at " << ghost.g.room_frames
                    << " in room " << ghost.g.sublevel << " energy " << ghost.g.player.energy;
            }
        }
        vbtest_unload_level();
    }
}
