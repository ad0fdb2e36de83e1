// jugador_test.cpp -- the player walking, jumping and falling; movers, riding them, pushing blocks.
// SPDX-License-Identifier: MIT
#include <string.h>
#include <algorithm>
#include "support/sala.h"

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

// Walking two pixels a frame, stopped by walls, not by ledges, on belts; dust while slots are free.
TEST(Walking, TurnsWalksStopsAtWallsPassesLedgesRidesBeltsAndKicksUpDust) {
    sala_draw(1, {{7, "#..P.#...=....."}});
    hold({KEY_O});
    run(1);
    EXPECT_EQ(px(), 48) << "a turn takes a frame";
    EXPECT_EQ(partida.player.facing, 1);
    run(1);
    EXPECT_EQ(px(), 46);
    run(40);
    EXPECT_EQ(px(), 16);
    EXPECT_NE(partida.player.frame, 0) << "the legs keep moving against the wall";
    hold({KEY_P});
    run(1 + 40);
    EXPECT_EQ(px(), 64);
    sala_draw(1, {{7, "...P.=........."}});
    hold({KEY_RIGHT});
    run(200);
    EXPECT_EQ(px(), 224) << "through the ledge to the room's side";
    EXPECT_EQ(py(), 112);
    const char *floors[] = {"###>###########", "###>>>>########", "###<<<<########"};
    const char *rows[] = {"...P#..........", "...P...........", "......P........"};
    const int after[] = {48, 58, 86};
    for (int i = 0; i < 3; i++) {
        sala_draw(1, {{7, rows[i]}, {8, floors[i]}});
        run(10);
        EXPECT_EQ(px(), after[i]) << floors[i];
    }

    sala_draw(1, {{7, "...P..........."}});
    for (int i = FIRST_DUST; i < PARTICLES - 1; i++)
        mvl[i].state = 1;
    hold({KEY_RIGHT});
    run(1);
    const Particle *d = &mvl[PARTICLES - 1];
    EXPECT_EQ(d->state, 1);
    EXPECT_EQ(d->x, partida.player.x + 2048);
    EXPECT_EQ(d->y, partida.player.y + 4096);
    EXPECT_TRUE(d->vy <= -256 && d->vy >= -511 && d->vx >= -256 && d->vx <= 255);
    Particle full[PARTICLES];
    memcpy(full, mvl, sizeof full);
    run(1);
    EXPECT_EQ(memcmp(full, mvl, sizeof full), 0) << "nothing spawns with every slot live";
}

// Both jumps take 32 frames and go on as falls on the 4-pixel grid; ceilings stop the rise, ledges
// and the bottom edge hold the landing; falls sound from their sixth frame and raise dust.
TEST(Jump, HighAndLongJumpsCeilingsLedgesTheBottomEdgeAndFalls) {
    const int keys[] = {KEY_UP, KEY_LSHIFT}, rise[] = {32, 16}, speed[] = {1, 2};
    for (int k = 0; k < 2; k++) {
        sala_draw(1, {{7, "...P..........."}});
        int top;
        EXPECT_EQ(jump(keys[k], &top), 32);
        EXPECT_EQ(SFX_counts.requests[SFX_JUMP], 1);
        EXPECT_EQ(top, 112 - rise[k]);
        EXPECT_EQ(px(), 48 + 32 * speed[k] - (k == 0)) << "x is made even before the last step";
        EXPECT_EQ(partida.player.y % 256, 0);
        run(2);
        EXPECT_EQ(py(), 112);
        EXPECT_EQ(partida.player.falling, 0);
    }
    sala_draw(1, {{2, "...P..........."}, {3, "...#..........."}});
    int top;
    jump(KEY_UP, &top);
    int y = py();
    EXPECT_LE(y, 32);
    run(1);
    EXPECT_EQ(py(), (y & ~3) + 4);
    run(5);
    EXPECT_EQ(py(), (y & ~3) + 24);

    sala_draw(1, {{5, "###############"}, {7, "...P..........."}});
    hold({KEY_UP});
    run(1);
    hold({});
    run(8);
    EXPECT_EQ(py(), 96) << "just below the ceiling";
    EXPECT_EQ(partida.player.jumping, 1);
    int frames = jump(0, &top);
    EXPECT_EQ(top, 96);
    EXPECT_LT(8 + frames, 32) << "the longer descent lands through the landing test";
    EXPECT_EQ(py(), 112);

    for (int ledge : {1, 0}) { // landed on a ledge two rows up; the bottom edge under row 8
        if (ledge)
            sala_draw(1, {{6, "..=====........"}, {7, "...P..........."}});
        else
            sala_draw(1, {{7, "###############"}, {8, "...P..........."}});
        EXPECT_EQ(jump(KEY_UP, &top), 16);
        run(5);
        EXPECT_EQ(py(), ledge ? 80 : 128);
        EXPECT_EQ(partida.player.falling, 0);
    }

    sala_draw(1, {{1, "...P..........."}});
    run(5);
    EXPECT_EQ(py(), 36);
    EXPECT_EQ(partida.player.frame, 0);
    EXPECT_EQ(SFX_counts.requests[SFX_FALL], 0);
    run(1);
    EXPECT_EQ(SFX_counts.requests[SFX_FALL], 1);
    EXPECT_EQ(partida.player.frame, 24);
    run(18);
    EXPECT_EQ(py(), 112);
    EXPECT_EQ(SFX_counts.requests[SFX_LAND], 0);
    run(2);
    EXPECT_EQ(SFX_counts.requests[SFX_FALL], 1) << "started once";
    EXPECT_EQ(SFX_counts.requests[SFX_LAND], 1);
    EXPECT_EQ(mvl[FIRST_DUST].state + mvl[FIRST_DUST + 1].state, 2) << "landing raises dust";

    sala_draw(1, {{1, "...P..........."}});
    partida.sound_on = 0;
    run(30);
    partida.sound_on = 1;
    EXPECT_EQ(py(), 112);
    EXPECT_EQ(mvl[FIRST_DUST].state, 0) << "no landing dust with sound off";
    EXPECT_EQ(SFX_counts.last, -1);
}

// Movers turn only exactly on their ends; the last platform slot stands still; platforms carry the
// player, not past the room's side; a block is pushed to either stop and then pushes back.
TEST(Movers, TurnOnExactEndsTheLastSlotStandsStillPlatformsCarryAndBlocksArePushed) {
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
