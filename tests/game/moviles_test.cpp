// moviles_test.cpp -- enemies and platforms on their paths, riding them, pushing blocks.
#include "support/sala.h"

TEST(Movers, TurnOnlyWhenLandingExactlyOnAnEndOfThePath) {
    sala_draw(1, {{7, "P.............."}});
    sala_enemy(0, 3, 2, 6, 2, 2, 3); // 48 -> 96, two pixels a frame
    sala_enemy(1, 3, 4, 4, 4, 3, 4); // 48 -> 64 at three pixels: never exactly on 64
    sala_enemy(2, 1, 1, 3, 3, 1, 5); // diagonal
    const Mover *a = &partida.enemies[0];
    run(24);
    EXPECT_EQ(a->x, 96);
    EXPECT_EQ(a->dx, -2);
    run(24);
    EXPECT_EQ(a->x, 48);
    EXPECT_EQ(a->dx, 2);
    EXPECT_EQ(partida.enemies[1].x, 48 + 48 * 3) << "overshoots its end and goes on";
    EXPECT_EQ(partida.enemies[2].x, partida.enemies[2].y);
}

TEST(Movers, PlatformsCarryThePlayerSidewaysAndUpAndDown) {
    sala_draw(1, {{4, "..P............"}});
    sala_platform(0, 2, 5, 8, 5, 1, 14);
    for (int f = 0; f < 200; f++) {
        run(1);
        ASSERT_EQ(px(), partida.platforms[0].x) << "frame " << f;
        ASSERT_EQ(py(), 64);
    }
    sala_draw(1, {{5, "...P..........."}});
    sala_platform(0, 3, 6, 3, 2, 1, 15);
    for (int f = 0; f < 150; f++) {
        run(1);
        ASSERT_EQ(py(), partida.platforms[0].y - 16) << "frame " << f;
    }
}

// The last platform slot never moves and carries nobody; a platform at the room's side does not
// carry the player past the wall beyond the last column.
TEST(Movers, TheLastSlotStandsStillAndTheRoomsSidesHoldThePlayer) {
    sala_draw(1, {{4, "..P............"}});
    sala_platform(24, 2, 5, 6, 1, 2, 13); // a diagonal path it never follows
    sala_platform(23, 8, 5, 8, 1, 2, 13);
    run(10);
    EXPECT_EQ(partida.platforms[24].x, 32);
    EXPECT_EQ(partida.platforms[24].y, 80);
    EXPECT_EQ(partida.platforms[23].y, 60);
    EXPECT_EQ(py(), 64) << "standing on it, not hovering over it";
    EXPECT_EQ(px(), 32);
    sala_draw(1, {{4, ".............P."}});
    sala_platform(0, 13, 5, 14, 5, 2, 14);
    run(8);
    EXPECT_EQ(px(), 222);
}

// A block is pushed to either stop and then pushes back, four pixels a frame at most.
TEST(Blocks, ABlockIsPushedToEitherStopAndThenPushesBack) {
    const struct {
        const char *row;
        int block_col, key, frames, block_x, player_x;
    } pushes[] = {{".....P.........", 2, KEY_LEFT, 60, 0, 16},
                  {".........P.....", 12, KEY_RIGHT, 60, 224, 208},
                  {"...P...........", 3, 0, 1, 52, 48}}; // starts on the player
    for (auto &p : pushes) {
        sala_draw(1, {{7, p.row}});
        sala_platform(0, p.block_col, 7, p.block_col, 7, 0, 23);
        if (p.key) hold({p.key});
        run(p.frames);
        EXPECT_EQ(partida.platforms[0].x, p.block_x) << p.row;
        EXPECT_EQ(px(), p.player_x) << p.row;
    }
}
