// particulas_test.cpp -- drips falling, splashing and hanging again; dust rising, fading, freed.
#include "support/sala.h"
#include "game/interno.h"

static int live_dust() {
    int n = 0;
    for (int j = FIRST_DUST; j < PARTICLES; j++)
        n += mvl[j].state != 0;
    return n;
}

TEST_F(Mundo, DripWaitsFallsSplashesOnASolidCellAndHangsAgain) {
    rooms[15].cells[3][3].attr = ATTR_SOLID;
    mvl[0] = {50, 16, 0, 0, 0, 2};
    frame(15);
    frame(15);
    EXPECT_EQ(mvl[0].y, 16); // still waiting
    EXPECT_EQ(mvl[0].state, 0);
    frame(15);
    EXPECT_EQ(mvl[0].y, 20);
    EXPECT_GT(getg16(at(50, 20)), 0); // the falling drip glows
    for (int i = 0; i < 6; i++)
        frame(15);
    EXPECT_EQ(mvl[0].y, 44);
    EXPECT_EQ(live_dust(), 0);
    frame(15); // reaches y 48, the top of the solid cell
    EXPECT_EQ(live_dust(), 8);
    for (int j = FIRST_DUST; j < FIRST_DUST + 8; j++) {
        const Particle &p = mvl[j];
        EXPECT_EQ(p.age, 1); // splashed and moved once in the same frame
        EXPECT_GE(p.vy, -511 + 32);
        EXPECT_LE(p.vy, -256 + 32);
        EXPECT_GE(p.vx, -256);
        EXPECT_LE(p.vx, 255);
        EXPECT_EQ(p.x, 50 * 256 + p.vx);
        EXPECT_EQ(p.y, 47 * 256 + p.vy);
    }
    // Hanging again: a column of the room, under a ceiling or at the top, waiting 0..31 frames.
    EXPECT_GE(mvl[0].x, 0);
    EXPECT_LT(mvl[0].x, ROOM_W);
    EXPECT_EQ(mvl[0].y % 16, 0);
    EXPECT_LE(mvl[0].state, 31);
    if (mvl[0].x / 16 == 3) {
        EXPECT_TRUE(mvl[0].y == 0 || mvl[0].y == 64);
    } else {
        EXPECT_EQ(mvl[0].y, 0);
    }
}

TEST_F(Mundo, DripsUnderARoomWithOnlyAFloorHangAtTheTopOrBelowTheViewAndSplashUnseen) {
    for (int c = 0; c < ROOM_COLS; c++)
        rooms[17].cells[8][c].attr = ATTR_SOLID;
    for (int i = 0; i < DRIP_SLOTS; i++)
        mvl[i] = {8 + 20 * i, 144, 0, 0, 0, 0};
    for (int i = 0; i < 3; i++)
        frame(17);
    for (int i = 0; i < DRIP_SLOTS; i++)
        EXPECT_EQ(mvl[i].y, 156); // not yet a whole cell down
    int splashes = 0;
    for (int n = 0; n < 400; n++) {
        frame(17);
        for (int i = 0; i < DRIP_SLOTS; i++) {
            const Particle &d = mvl[i];
            ASSERT_LE(d.y, 160);
            if (d.state > 0) {
                ASSERT_TRUE(d.y == 0 || d.y == 144) << d.y;
                splashes++;
            }
        }
        // Splashes below the view are freed at once.
        if (n < 1) {
            EXPECT_EQ(live_dust(), 0);
        }
    }
    EXPECT_GT(splashes, 0);
}

TEST_F(Mundo, SplashWithFewerThanEightFreeSlotsFillsWhatIsFreeAndTheDripStillHangsAgain) {
    for (int j = FIRST_DUST; j < PARTICLES - 3; j++)
        mvl[j] = {100 * 256, 70 * 256, 0, -160, 0, 1};
    mvl[0] = {120, 128, 0, 0, 0, 0}; // lands on the bottom edge of the view after four frames
    for (int i = 0; i < 4; i++)
        frame(18);
    EXPECT_EQ(live_dust(), PARTICLES - FIRST_DUST);
    for (int j = PARTICLES - 3; j < PARTICLES; j++) {
        EXPECT_EQ(mvl[j].age, 1);
        EXPECT_EQ(mvl[j].x, 120 * 256 + mvl[j].vx);
    }
    EXPECT_EQ(mvl[0].y, 0); // nothing solid anywhere: back at the top
    EXPECT_LE(mvl[0].state, 31);
}

TEST_F(Mundo, DustFadesAsItAgesIsFreedAtSixtyFourOrOffTheViewAndStandsStillElsewhere) {
    mvl[10] = {100 * 256, 100 * 256, 0, -1024, 0, 1};
    mvl[14] = {30 * 256, 30 * 256, 0, -1024, 0, 0}; // a free slot neither moves nor shows
    for (int i = 0; i < 63; i++)
        frame(0);
    EXPECT_EQ(mvl[14].y, 30 * 256);
    EXPECT_EQ(mvl[14].age, 0);
    EXPECT_EQ(mvl[10].state, 1);
    EXPECT_EQ(mvl[10].age, 63);
    frame(3);
    EXPECT_EQ(mvl[10].state, 0);
    EXPECT_EQ(mvl[10].y, 100 * 256 + 1024); // up and back down under gravity

    mvl[11] = {239 * 256 + 200, 50 * 256, 256, -32, 0, 1};
    mvl[12] = {20 * 256, 10, 0, -300, 0, 1};
    frame(15);
    EXPECT_EQ(mvl[11].state, 0);
    EXPECT_EQ(mvl[12].state, 0);

    // Worlds 1, 2 and 4 neither move nor age it.
    mvl[13] = {50 * 256, 50 * 256, 0, 0, 5, 1};
    for (int r : {5, 10, 20})
        frame(r);
    EXPECT_EQ(mvl[13].age, 5);
    EXPECT_EQ(mvl[13].y, 50 * 256);

    // Strength falls with age: fresh, older, spent (the view is black again each frame).
    int seen[3];
    const int ages[] = {0, 20, 31};
    for (int k = 0; k < 3; k++) {
        for (int j = FIRST_DUST; j < PARTICLES; j++)
            mvl[j].state = 0;
        mvl[20] = {60 * 256, 60 * 256, 0, -32, ages[k], 1};
        frame(0);
        seen[k] = getg16(at(61, 61));
    }
    EXPECT_GT(seen[0], seen[1]);
    EXPECT_GT(seen[1], 0);
    EXPECT_EQ(seen[2], 0);
}
