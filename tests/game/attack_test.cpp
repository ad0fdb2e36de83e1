// attack_test.cpp -- time attack's room time, its kept runs' key codes, and the ghost beside play.
// SPDX-License-Identifier: MIT
#include <string.h>
#include "game/attack.h"
#include "support/sala.h"
#include "support/vbtest.h"
#include "tools/levellib/search.h"

// Times read as seconds and hundredths at 29.4 frames a second; differences carry their sign.
TEST(AttackTime, FramesReadAsSecondsWithHundredthsAndDifferencesCarryTheirSign) {
    struct {
        int frames, sign;
        const char *text;
    } cases[] = {{0, 0, "0.00"},       {1, 0, "0.03"},       {1763, 0, "59.97"},
                 {1764, 0, "1:00.00"}, {1794, 0, "1:01.02"}, {0, 1, "+0.00"},
                 {15, 1, "+0.51"},     {-15, 1, "-0.51"},    {-1764, 1, "-1:00.00"}};
    for (const auto &c : cases) {
        char text[16];
        ATTACK_time_text(c.frames, c.sign, text, sizeof text);
        EXPECT_STREQ(text, c.text) << c.frames << " frames";
    }
}

// The checker's route letters give the same keys as the checker plays them, and nothing else does.
TEST(AttackCodes, RouteLettersGiveTheKeysTheyStandFor) {
    for (const char *c = ".LRUDabcd"; *c; c++) {
        FrameInput want = SEARCH_input(*c), got = {};
        ASSERT_TRUE(ATTACK_route_input(*c, &got)) << *c;
        EXPECT_EQ(memcmp(&want, &got, sizeof want), 0) << "letter " << *c;
    }
    FrameInput in;
    for (char bad : {'0', 'x', ' ', '\0', 'e'})
        EXPECT_FALSE(ATTACK_route_input(bad, &in)) << (int)bad;
}

// A ghost plays its own copy of the room: play's state is untouched, the ghost stops when its keys
// run out or one is not a route letter (following them to the lever: the par test of level/).
TEST(AttackGhost, AGhostPlaysItsOwnCopyNeverTouchesPlayAndStopsWithItsKeys) {
    sala_draw(1, {{7, "P.............."}});
    static Partida before;
    before = partida;
    static Ghost ghost;
    GHOST_start(&ghost, &play_level, 0, "RRRRRRR", 7);
    while (GHOST_step(&ghost, &play_level))
        ;
    EXPECT_EQ(memcmp(&before, &partida, sizeof before), 0) << "the ghost changed play";
    EXPECT_EQ(ghost.g.room_frames, 7);
    EXPECT_EQ(GHOST_step(&ghost, &play_level), 0) << "a stopped ghost went on";
    GHOST_start(&ghost, &play_level, 0, nullptr, 50);
    EXPECT_FALSE(ghost.running);
    GHOST_start(&ghost, &play_level, 0, "RRxR", 4); // a bad letter ends the ghost there
    while (GHOST_step(&ghost, &play_level))
        ;
    EXPECT_EQ(ghost.g.room_frames, 2);
}
