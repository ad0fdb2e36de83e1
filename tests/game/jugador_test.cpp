// jugador_test.cpp -- the player: walking, walls, the two jumps, ceilings, ledges, belts, falls.
#include <gtest/gtest.h>
#include "sala.h"
#include "game/sonidos.h"
#include "shell/config.h"

static const char *FLAT[] = {
    "...............", "...............", "...............", "...............", "...............",
    "...............", "...............", "...P...........", "###############",
};
#define FLAT_ROOM FLAT[0], FLAT[1], FLAT[2], FLAT[3], FLAT[4], FLAT[5], FLAT[6], FLAT[7], FLAT[8]

TEST(Walking, TheOppositeKeyTurnsOnTheSpotAndTheNextFrameWalksTwoPixels) {
    sala_draw(1, {FLAT_ROOM});
    sala_start();
    hold({KEY_RIGHT});
    run(1);
    EXPECT_EQ(px(), 50);
    EXPECT_EQ(partida.player.frame, 24);
    hold({KEY_O}); // left
    run(1);
    EXPECT_EQ(px(), 50);
    EXPECT_EQ(partida.player.facing, 1);
    EXPECT_EQ(partida.player.frame, 24);
    run(1);
    EXPECT_EQ(px(), 48);
    EXPECT_EQ(partida.player.frame, 48);
    release_keys();
    run(3);
    EXPECT_EQ(px(), 48);
    EXPECT_EQ(py(), 112);
}

TEST(Walking, ASolidCellStopsThePlayerAtItsBorderWhileTheLegsKeepMoving) {
    sala_draw(1, {"...............", "...............", "...............", "...............",
                  "...............", "...............", "...............", "#..P.#.........",
                  "###############"});
    sala_start();
    hold({KEY_P});
    run(20);
    EXPECT_EQ(px(), 64);
    run(1);
    EXPECT_EQ(px(), 64);
    EXPECT_NE(partida.player.frame, 0) << "the walk animation runs against the wall";
    hold({KEY_LEFT});
    run(40);
    EXPECT_EQ(px(), 16);
    // The room's sides hold the player in as well.
    sala_draw(1, {FLAT_ROOM});
    sala_start();
    hold({KEY_RIGHT});
    run(200);
    EXPECT_EQ(px(), 224);
}

TEST(Walking, LedgesAreWalkedThroughSideways) {
    sala_draw(1, {"...............", "...............", "...............", "...............",
                  "...............", "...............", "...............", "...P.=.........",
                  "###############"});
    sala_start();
    hold({KEY_RIGHT});
    run(20);
    EXPECT_EQ(px(), 88);
    EXPECT_EQ(py(), 112);
}

TEST(Jump, AHighJumpRisesTwoCellsAndComesBackToTheSameFloor) {
    sala_draw(1, {FLAT_ROOM});
    sala_start();
    hold({KEY_UP});
    run(1);
    EXPECT_EQ(partida.player.jumping, 1);
    EXPECT_EQ(SFX_counts.requests[SFX_JUMP], 1);
    release_keys();
    int top = py();
    for (int i = 0; i < 32; i++) {
        run(1);
        if (py() < top) top = py();
    }
    EXPECT_EQ(top, 112 - 32);
    EXPECT_EQ(partida.player.jumping, 0) << "the jump table runs out after 32 frames";
    // One pixel a frame in the facing direction; the end of the table puts x on an even pixel
    // before that frame's sideways step.
    EXPECT_EQ(px(), 48 + 31);
    EXPECT_EQ(partida.player.y % 256, 0);
    EXPECT_GE(py(), 111);
    run(1);
    EXPECT_EQ(py(), 112);
    run(1);
    EXPECT_EQ(partida.player.falling, 0);
}

TEST(Jump, ALongJumpRisesOneCellAndCoversTwoPixelsAFrame) {
    sala_draw(1, {FLAT_ROOM});
    sala_start();
    hold({KEY_LSHIFT});
    run(1);
    release_keys();
    int top = py();
    for (int i = 0; i < 32; i++) {
        run(1);
        if (py() < top) top = py();
    }
    EXPECT_EQ(top, 112 - 16);
    EXPECT_EQ(px(), 48 + 64);
    EXPECT_EQ(partida.player.jumping, 0);
    run(2);
    EXPECT_EQ(py(), 112);
}

TEST(Jump, AJumpOffAnEdgeWithNothingBelowGoesOnAsAFourPixelFall) {
    sala_draw(1, {"...............", "...............", "...P...........", "...#...........",
                  "...............", "...............", "...............", "...............",
                  "###############"});
    sala_start(); // standing at pixel row 32
    hold({KEY_UP});
    run(1);
    release_keys();
    run(32);
    ASSERT_EQ(partida.player.jumping, 0);
    int y = py();
    EXPECT_LE(y, 32);
    run(1);
    EXPECT_EQ(py(), (y & ~3) + 4);
    for (int i = 0; i < 5; i++) {
        int before = py();
        run(1);
        EXPECT_EQ(py(), before + 4);
    }
}

TEST(Jump, ACeilingStopsTheRiseWithoutEndingTheJump) {
    sala_draw(1, {"...............", "...............", "...............", "...............",
                  "...............", "###############", "...............", "...P...........",
                  "###############"});
    sala_start();
    hold({KEY_UP});
    run(1);
    release_keys();
    int top = py();
    int frames = 0;
    bool bumped_and_still_jumping = false;
    while (partida.player.jumping && frames < 40) {
        run(1);
        frames++;
        if (py() < top) top = py();
        if (py() == 96 && partida.player.jumping) bumped_and_still_jumping = true;
    }
    EXPECT_EQ(top, 96) << "just below the ceiling cell";
    EXPECT_TRUE(bumped_and_still_jumping);
    EXPECT_LT(frames, 32);
    EXPECT_EQ(py(), 112);
}

TEST(Jump, AJumpGoesUpThroughALedgeAndLandsOnIt) {
    sala_draw(1, {"...............", "...............", "...............", "...............",
                  "...............", "...............", "..=====........", "...P...........",
                  "###############"});
    sala_start();
    hold({KEY_UP});
    run(1);
    release_keys();
    run(40);
    EXPECT_EQ(py(), 80) << "standing on the ledge";
    EXPECT_EQ(partida.player.jumping, 0);
    EXPECT_EQ(partida.player.falling, 0);
}

TEST(Jump, AJumpLandingOnTheBottomRowStandsOnTheRoomsBottomEdge) {
    // A low ceiling stops the rise, so the descent carries the box below where it started.
    sala_draw(1, {"...............", "...............", "...............", "...............",
                  "...............", "...............", "...............", "###############",
                  "...P..........."});
    sala_start();
    hold({KEY_UP});
    run(1);
    release_keys();
    int frames = 0;
    while (partida.player.jumping && frames < 40) {
        run(1);
        frames++;
    }
    EXPECT_EQ(frames, 16) << "the first landing test stands on the bottom edge";
    EXPECT_EQ(py(), 128);
    run(5);
    EXPECT_EQ(py(), 128);
    EXPECT_EQ(partida.player.falling, 0);
}

TEST(Belts, ABeltCarriesThePlayerButNotIntoAWallBesideIt) {
    sala_draw(1, {"...............", "...............", "...............", "...............",
                  "...............", "...............", "...............", "...P#..........",
                  "###>###<<######"});
    sala_start();
    run(10);
    EXPECT_EQ(px(), 48) << "the wall on the right holds the player on the belt";
    sala_draw(1, {"...............", "...............", "...............", "...............",
                  "...............", "...............", "...............", "...P...........",
                  "###>>>>########"});
    sala_start();
    run(10);
    EXPECT_EQ(px(), 58);
    sala_draw(1, {"...............", "...............", "...............", "...............",
                  "...............", "...............", "...............", "......P........",
                  "###<<<<########"});
    sala_start();
    run(10);
    EXPECT_EQ(px(), 86);
}

TEST(Falling, FourPixelsAFrameWithSoundsFromTheSixthFrameAndOnLanding) {
    sala_draw(1, {"...............", "...P...........", "...............", "...............",
                  "...............", "...............", "...............", "...............",
                  "###############"});
    sala_start(); // pixel row 16, nothing below until the floor at 128
    for (int f = 1; f <= 5; f++) {
        run(1);
        EXPECT_EQ(py(), 16 + 4 * f);
        EXPECT_EQ(partida.player.frame, 0);
    }
    EXPECT_EQ(SFX_counts.requests[SFX_FALL], 0);
    run(1);
    EXPECT_EQ(SFX_counts.requests[SFX_FALL], 1);
    EXPECT_EQ(partida.player.frame, 24);
    run(18);
    EXPECT_EQ(py(), 112);
    EXPECT_EQ(SFX_counts.requests[SFX_LAND], 0);
    EXPECT_EQ(SFX_counts.requests[SFX_FALL], 1) << "the fall sound starts once";
    run(1);
    EXPECT_EQ(SFX_counts.requests[SFX_LAND], 1);
    EXPECT_EQ(mvl[10].state, 1) << "landing kicks up dust in world 0";
    EXPECT_EQ(mvl[11].state, 1);
    run(1);
    EXPECT_EQ(SFX_counts.requests[SFX_LAND], 1);
}

TEST(Falling, WithSoundOffNothingIsAskedForAndLandingRaisesNoDust) {
    sala_draw(1, {"...............", "...P...........", "...............", "...............",
                  "...............", "...............", "...............", "...............",
                  "###############"});
    sala_start();
    CFG_soundon = 0;
    run(30);
    EXPECT_EQ(py(), 112);
    EXPECT_EQ(mvl[10].state, 0);
    for (int s = 0; s < SFX_COUNT; s++)
        EXPECT_EQ(SFX_counts.requests[s], 0);
    CFG_soundon = 1;
}

TEST(Falling, AShortDropMakesNoSound) {
    sala_draw(1, {"...............", "...............", "...............", "...............",
                  "...............", "...P...........", "...............", "...............",
                  "###############"});
    sala_start(); // 32 pixels: eight frames of fall, the sixth starts the sound
    run(4);
    EXPECT_EQ(SFX_counts.requests[SFX_FALL], 0);
    run(10);
    EXPECT_EQ(py(), 112);
    sala_draw(1, {"...............", "...............", "...............", "...............",
                  "...............", "...............", "...P...........", "...............",
                  "###############"});
    sala_start(); // 16 pixels: four frames
    run(10);
    EXPECT_EQ(py(), 112);
    EXPECT_EQ(SFX_counts.requests[SFX_FALL], 0);
    EXPECT_EQ(SFX_counts.requests[SFX_LAND], 0);
}
