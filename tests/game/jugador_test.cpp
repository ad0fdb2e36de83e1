// jugador_test.cpp -- the player walking, jumping and falling; movers, riding them, pushing blocks.
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

// Walking two pixels a frame, stopped by walls, not by ledges, on belts; dust while slots are free.
TEST(Walking, TurnsWalksStopsAtWallsPassesLedgesRidesBeltsAndKicksUpDust) {
    sala_draw(1, {{7, "#..P.#...=....."}});
    hold({KEY_O});
    run(1);
    EXPECT_EQ(vals(px(), partida.player.facing), vals(48, 1)) << "a turn takes a frame";
    run(1);
    EXPECT_EQ(px(), 46);
    run(40);
    EXPECT_EQ(px(), 16);
    EXPECT_NE(partida.player.frame, 0) << "the legs keep moving against the wall";
    hold({KEY_P});
    run(1 + 40);
    EXPECT_EQ(px(), 64);
    // Through a ledge to the room's side, then carried by belts.
    const char *rows[] = {"...P.=.........", "...P#..........", "...P...........",
                          "......P........"};
    const char *floors[] = {"###############", "###>###########", "###>>>>########",
                            "###<<<<########"};
    const int frames[] = {200, 10, 10, 10}, after[] = {224, 48, 58, 86};
    for (int i = 0; i < 4; i++) {
        sala_draw(1, {{7, rows[i]}, {8, floors[i]}});
        if (i == 0) hold({KEY_RIGHT});
        run(frames[i]);
        EXPECT_EQ(vals(px(), py()), vals(after[i], 112)) << rows[i] << " on " << floors[i];
    }
    sala_draw(1, {{7, "...P..........."}});
    for (int i = FIRST_DUST; i < PARTICLES - 1; i++)
        mvl[i].state = 1;
    hold({KEY_RIGHT});
    run(1);
    const Particle *d = &mvl[PARTICLES - 1];
    EXPECT_EQ(vals(d->state, d->x - partida.player.x, d->y - partida.player.y),
              vals(1, 2048, 4096));
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
        int frames = jump(keys[k], &top);
        EXPECT_EQ(vals(frames, SFX_counts.requests[SFX_JUMP], top), vals(32, 1, 112 - rise[k]));
        EXPECT_EQ(vals(px(), partida.player.y % 256), vals(48 + 32 * speed[k] - (k == 0), 0))
            << "x and y made even, y whole, at the last step";
        run(2);
        EXPECT_EQ(vals(py(), partida.player.falling), vals(112, 0));
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
    hold({KEY_UP}), run(1), hold({}), run(8);
    EXPECT_EQ(vals(py(), partida.player.jumping), vals(96, 1)) << "just below the ceiling";
    int frames = jump(0, &top);
    EXPECT_EQ(vals(top, py()), vals(96, 112));
    EXPECT_LT(8 + frames, 32) << "the longer descent lands through the landing test";
    for (int ledge : {1, 0}) { // landed on a ledge two rows up; the bottom edge under row 8
        if (ledge)
            sala_draw(1, {{6, "..=====........"}, {7, "...P..........."}});
        else
            sala_draw(1, {{7, "###############"}, {8, "...P..........."}});
        EXPECT_EQ(jump(KEY_UP, &top), 16);
        run(5);
        EXPECT_EQ(vals(py(), partida.player.falling), vals(ledge ? 80 : 128, 0));
    }
    sala_draw(1, {{1, "...P..........."}});
    const int &falls = SFX_counts.requests[SFX_FALL], &lands = SFX_counts.requests[SFX_LAND];
    run(5);
    EXPECT_EQ(vals(py(), partida.player.frame, falls), vals(36, 0, 0));
    run(1);
    EXPECT_EQ(vals(partida.player.frame, falls), vals(24, 1));
    run(18);
    EXPECT_EQ(vals(py(), lands), vals(112, 0));
    run(2);
    EXPECT_EQ(vals(falls, lands), vals(1, 1)) << "the fall started once";
    EXPECT_EQ(mvl[FIRST_DUST].state + mvl[FIRST_DUST + 1].state, 2) << "landing raises dust";
    sala_draw(1, {{1, "...P..........."}});
    partida.sound_on = 0;
    run(30);
    partida.sound_on = 1;
    EXPECT_EQ(vals(py(), mvl[FIRST_DUST].state, SFX_counts.last), vals(112, 0, -1))
        << "no landing dust, no sound with sound off";
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
    EXPECT_EQ(vals(a->x, a->dx), vals(96, -2));
    run(24);
    EXPECT_EQ(vals(a->x, a->dx), vals(48, 2));
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
    sala_draw(1, {{4, "..P............"}});
    sala_platform(0, 2, 5, 8, 5, 1, 14);
    for (int f = 0; f < 200; f++) {
        run(1);
        ASSERT_EQ(vals(px(), py()), vals(partida.platforms[0].x, 64)) << "frame " << f;
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
        EXPECT_EQ(vals(partida.platforms[0].x, px()), vals(p.block_x, p.player_x)) << p.row;
    }
}
