// jugador_test.cpp -- the player walking, jumping and falling; movers and riding them.
// SPDX-License-Identifier: MIT
#include <string.h>
#include <algorithm>
#include <vector>
#include "support/sala.h"

// The values as ints, to compare several in one check.
template <class... T> static std::vector<int> vals(T... v) {
    return {(int)v...};
}

// Holds key k (0: none) a frame; the frames until the jump ends (40 at most), *top its highest row.
static int jump(int k, int *top) {
    if (k) hold({k}), run(1), hold({});
    int frames = 0;
    for (*top = py(); partida.player.jumping && frames < 40; frames++) {
        run(1);
        *top = std::min(*top, py());
    }
    return frames;
}

// A turn takes a frame, walls stop the walk and ledges do not; no dust without a free slot. (Belts,
// blocks and the common moves: the shipped rooms' routes, played in level/par_test.cpp.)
TEST(Walking, TurnsTakeAFrameWallsStopTheWalkLedgesDoNotAndDustNeedsAFreeSlot) {
    sala_draw(1, {{7, "#..P..........."}});
    hold({KEY_O});
    run(1);
    EXPECT_EQ(vals(px(), partida.player.facing), vals(48, 1)) << "a turn takes a frame";
    run(41);
    EXPECT_EQ(px(), 16);
    EXPECT_NE(partida.player.frame, 0) << "the legs keep moving against the wall";
    sala_draw(1, {{7, "...P.=........."}});
    hold({KEY_RIGHT});
    run(200);
    EXPECT_EQ(vals(px(), py()), vals(224, 112)) << "through a ledge to the room's side";
    sala_draw(1, {{7, "...P..........."}}); // (dust that lands with the player: the jump test)
    for (int i = FIRST_DUST; i < PARTICLES; i++)
        mvl[i].state = 1;
    Particle full[PARTICLES];
    memcpy(full, mvl, sizeof full);
    hold({KEY_RIGHT});
    run(2);
    EXPECT_EQ(memcmp(full, mvl, sizeof full), 0) << "nothing spawns with every slot live";
}

// A jump takes 32 frames, sounds, and goes on as a fall on the 4-pixel grid where it ends in the
// air; falls sound from their sixth frame and landing raises dust.
TEST(Jump, AJumpTakes32FramesAndGoesOnAsAFallThatSoundsAndRaisesDust) {
    sala_draw(1, {{7, "...P..........."}});
    int top, frames = jump(KEY_UP, &top);
    EXPECT_EQ(vals(frames, SFX_counts.requests[SFX_JUMP], top), vals(32, 1, 80));
    EXPECT_EQ(vals(px(), partida.player.y % 256), vals(79, 0)) << "y whole at the last step";
    run(2);
    EXPECT_EQ(vals(py(), partida.player.falling), vals(112, 0));
    sala_draw(1, {{2, "...P..........."}, {3, "...#..........."}});
    jump(KEY_UP, &top);
    int y = py();
    EXPECT_LE(y, 32) << "the rise reached the top rows";
    run(6);
    EXPECT_EQ(py(), (y & ~3) + 24);
    sala_draw(1, {{1, "...P..........."}});
    const int &falls = SFX_counts.requests[SFX_FALL], &lands = SFX_counts.requests[SFX_LAND];
    run(5);
    EXPECT_EQ(vals(py(), partida.player.frame, falls), vals(36, 0, 0));
    run(1);
    EXPECT_EQ(vals(partida.player.frame, falls), vals(24, 1));
    run(20);
    EXPECT_EQ(vals(py(), falls, lands), vals(112, 1, 1)) << "the fall started once";
    EXPECT_EQ(mvl[FIRST_DUST].state + mvl[FIRST_DUST + 1].state, 2) << "landing raises dust";
}

// Movers turn only exactly on their ends; the last platform slot stands still; platforms carry the
// player, not past the room's side.
TEST(Movers, TurnOnExactEndsTheLastSlotStandsStillAndPlatformsCarryNotPastTheSide) {
    sala_draw(1, {{7, "P.............."}});
    sala_enemy(0, 3, 2, 6, 2, 2, 3); // 48 -> 96, two pixels a frame
    sala_enemy(1, 3, 4, 4, 4, 3, 4); // 48 -> 64 at three pixels: never exactly on 64
    sala_enemy(2, 1, 1, 3, 3, 1, 5); // diagonal
    run(24);
    EXPECT_EQ(vals(partida.enemies[0].x, partida.enemies[0].dx), vals(96, -2));
    run(24);
    EXPECT_EQ(vals(partida.enemies[0].x, partida.enemies[0].dx), vals(48, 2));
    EXPECT_EQ(partida.enemies[1].x, 48 + 48 * 3) << "overshoots its end and goes on";
    EXPECT_EQ(partida.enemies[2].x, partida.enemies[2].y);
    sala_draw(1, {{4, "..P............"}});
    sala_platform(24, 2, 5, 6, 1, 2, 13); // a diagonal path it never follows
    sala_platform(23, 8, 5, 8, 1, 2, 13);
    run(10);
    EXPECT_EQ(vals(partida.platforms[24].x, partida.platforms[24].y, partida.platforms[23].y),
              vals(32, 80, 60));
    EXPECT_EQ(vals(px(), py()), vals(32, 64)) << "standing on it, not above";
    sala_draw(1, {{4, ".............P."}});
    sala_platform(0, 13, 5, 14, 5, 2, 14);
    run(8);
    EXPECT_EQ(px(), 222);
}
