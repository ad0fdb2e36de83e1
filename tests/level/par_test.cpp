// par_test.cpp -- the par file beside each shipped level, against the level checker's search and
// played as time attack's ghosts.
// SPDX-License-Identifier: MIT
#include <string>
#include "game/attack.h"
#include "level/par.h"
#include "support/vbtest.h"
#include "tools/levellib/check.h"
#include "tools/levellib/search.h"

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
            // The search again (not under the sanitizer: minutes); a faster full route is par.
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
                GHOST_start(&ghost, &play_level, room, r.keys, r.frames);
                while (GHOST_step(&ghost, &play_level))
                    ;
                EXPECT_EQ(ghost.finished_at, r.frames)
                    << (kind ? "every item" : "fastest") << " stopped at " << ghost.g.room_frames;
            }
        }
        vbtest_unload_level();
    }
}
