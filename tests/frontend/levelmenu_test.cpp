// levelmenu_test.cpp -- the USER LEVEL screen's words for a level's state; the room to start at.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <string.h>
#include "frontend/levelmenu.h"

// Left and Right step through the playable rooms, stopping at either end. A DAMAGED level or a
// failing proof says why in one line of capitals that fits (the state words: userlevels.sh).
TEST(UserLevels, StartRoomStepsThroughPlayableRoomsOnlyAndTheStateSaysWhy) {
    unsigned rooms = 1u << 2 | 1u << 5 | 1u << 24; // cards 3, 6 and 25
    // From, step, to: none chosen yet or a room that cannot be played gives the first.
    const int steps[][3] = {{0, 1, 3},   {3, 1, 6},  {6, 1, 25}, {25, 1, 25},
                            {25, -1, 6}, {3, -1, 3}, {4, 1, 3}};
    for (auto &s : steps)
        EXPECT_EQ(FRONT_next_room(rooms, s[0], s[1]), s[2]) << s[0] << " step " << s[1];
    EXPECT_EQ(FRONT_next_room(0, 1, 1), 1) << "no room can be played";

    LevelEntry e = {};
    char line[28];
    e.playable = 3;
    FRONT_level_detail(&e, line, sizeof line);
    EXPECT_STREQ(line, "NO PROOFS WITH IT");
    e.proof = PROOF_FAILS;
    e.proof_room = 2;
    strcpy(e.why, "proof fails: no lever in its 93 frames");
    FRONT_level_detail(&e, line, sizeof line);
    EXPECT_STREQ(line, "ROOM 2: PROOF FAILS: NO LEV");
    e.damaged = true;
    strcpy(e.why, "packed level is truncated (5000 bytes, 9000 expected)");
    EXPECT_STREQ(FRONT_level_state(&e), "DAMAGED");
    FRONT_level_detail(&e, line, sizeof line);
    EXPECT_STREQ(line, "PACKED LEVEL IS TRUNCATED ") << "short: without the sizes";
}
