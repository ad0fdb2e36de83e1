// moviles_test.cpp -- enemies and platforms on their paths, riding them, pushing blocks.
#include <gtest/gtest.h>
#include "sala.h"

#define EMPTY_ROW "..............."

TEST(Movers, TurnOnlyWhenLandingExactlyOnAnEndOfThePath) {
    sala_draw(1, {EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW,
                  "P..............", "###############"});
    sala_enemy(0, 3, 2, 6, 2, 2, 3); // 48 -> 96, two pixels a frame
    sala_enemy(1, 3, 4, 4, 4, 3, 4); // 48 -> 64 at three pixels: never exactly on 64
    sala_enemy(2, 1, 1, 3, 3, 1, 5); // diagonal
    sala_enemy(3, 8, 1, 8, 1, 0, 6); // still
    sala_start();
    const Mover *a = &partida.enemies[0], *b = &partida.enemies[1], *d = &partida.enemies[2];
    run(23);
    EXPECT_EQ(a->x, 94);
    run(1);
    EXPECT_EQ(a->x, 96);
    EXPECT_EQ(a->dx, -2);
    run(1);
    EXPECT_EQ(a->x, 94);
    run(23);
    EXPECT_EQ(a->x, 48);
    EXPECT_EQ(a->dx, 2);
    EXPECT_EQ(b->x, 48 + 48 * 3) << "overshoots its end and goes on";
    EXPECT_EQ(d->x - 16, d->y - 16) << "one pixel on each axis";
    EXPECT_EQ(partida.enemies[3].x, 128);
    EXPECT_EQ(partida.enemies[4].kind, -1);
    EXPECT_EQ(a->frame % 24, 0);
}

TEST(Movers, TheLastPlatformSlotStaysWhereItWasBuiltAndCarriesThePlayer) {
    sala_draw(1, {EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, "..P............", EMPTY_ROW,
                  EMPTY_ROW, EMPTY_ROW, "###############"});
    sala_platform(24, 2, 5, 2, 1, 2, 13);
    sala_platform(23, 8, 5, 8, 1, 2, 13);
    sala_start();
    run(10);
    EXPECT_EQ(partida.platforms[24].x, 32);
    EXPECT_EQ(partida.platforms[24].y, 80);
    EXPECT_EQ(partida.platforms[23].y, 60);
    EXPECT_EQ(py(), 64) << "standing on the platform in slot 24, not hovering over it";
    EXPECT_EQ(partida.player.falling, 0);
    // A sideways path in slot 24 does not carry the player either.
    sala_draw(1, {EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, "..P............", EMPTY_ROW,
                  EMPTY_ROW, EMPTY_ROW, "###############"});
    sala_platform(24, 2, 5, 8, 5, 2, 13);
    sala_start();
    run(10);
    EXPECT_EQ(partida.platforms[24].x, 32);
    EXPECT_EQ(px(), 32);
    EXPECT_EQ(py(), 64);
}

TEST(Movers, AHorizontalPlatformCarriesThePlayerBothWays) {
    sala_draw(1, {EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, "..P............", EMPTY_ROW,
                  EMPTY_ROW, EMPTY_ROW, "###############"});
    sala_platform(0, 2, 5, 8, 5, 1, 14);
    sala_start();
    for (int f = 0; f < 200; f++) {
        run(1);
        ASSERT_EQ(px(), partida.platforms[0].x) << "frame " << f;
        ASSERT_EQ(py(), 64);
    }
}

TEST(Movers, AVerticalPlatformLiftsAndLowersThePlayer) {
    sala_draw(1, {EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, "...P...........",
                  EMPTY_ROW, EMPTY_ROW, "###############"});
    sala_platform(0, 3, 6, 3, 2, 1, 15);
    sala_start();
    int top = py();
    for (int f = 0; f < 150; f++) {
        run(1);
        ASSERT_EQ(py(), partida.platforms[0].y - 16) << "frame " << f;
        if (py() < top) top = py();
    }
    EXPECT_EQ(top, 16);
}

TEST(Movers, APlatformAtTheRoomsSideDoesNotCarryThePlayerThroughTheWall) {
    sala_draw(1, {EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, ".P.............", EMPTY_ROW,
                  EMPTY_ROW, EMPTY_ROW, "###############"});
    sala_platform(0, 1, 5, 0, 5, 2, 14);
    sala_start();
    run(8);
    EXPECT_EQ(px(), 0);
    EXPECT_EQ(py(), 64);
    sala_draw(1, {EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, ".............P.", EMPTY_ROW,
                  EMPTY_ROW, EMPTY_ROW, "###############"});
    sala_platform(0, 13, 5, 14, 5, 2, 14);
    sala_start();
    for (int f = 0; f < 8; f++) {
        run(1);
        ASSERT_LE(px(), 224);
    }
    EXPECT_EQ(px(), 222) << "the wall beyond the last column holds the player back";
}

TEST(Blocks, ABlockIsPushedToEitherStopAndThenPushesBack) {
    sala_draw(1, {EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW,
                  ".....P.........", "###############"});
    sala_platform(0, 2, 7, 2, 7, 0, 23);
    sala_start();
    hold({KEY_LEFT});
    run(3);
    EXPECT_EQ(partida.platforms[0].x, 32);
    run(60);
    EXPECT_EQ(partida.platforms[0].x, 0);
    EXPECT_EQ(px(), 16);

    sala_draw(1, {EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW,
                  ".........P.....", "###############"});
    sala_platform(0, 12, 7, 12, 7, 0, 23);
    sala_start();
    hold({KEY_RIGHT});
    run(60);
    EXPECT_EQ(partida.platforms[0].x, 224);
    EXPECT_EQ(px(), 208);
}

TEST(Blocks, ABlockGivesWayAtMostFourPixelsAFrame) {
    sala_draw(1, {EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW, EMPTY_ROW,
                  "...P...........", "###############"});
    sala_platform(0, 3, 7, 3, 7, 0, 23); // the block starts on the player
    sala_start();
    run(1);
    EXPECT_EQ(partida.platforms[0].x, 52) << "the player is left of its middle";
}
