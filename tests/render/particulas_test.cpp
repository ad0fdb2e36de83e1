// particulas_test.cpp -- drips falling, splashing and hanging again; dust rising, fading, freed.
// SPDX-License-Identifier: MIT
#include <algorithm>
#include <tuple>
#include "support/sala.h"

// Drips fall glowing, splash eight puffs where they land and hang again; dust falls back, fades
// with age and is freed at 64 or off the view (worlds 1, 2 and 4 neither move nor age it).
TEST_F(Mundo, DripsFallAndSplashDustFadesAndBothAreFreed) {
    auto live_dust = [] {
        return std::count_if(mvl + FIRST_DUST, mvl + PARTICLES,
                             [](Particle &p) { return p.state; });
    };
    rooms[15].cells[3][3].attr = ATTR_SOLID;
    mvl[0] = {50, 16, 0, 0, 0, 2};
    for (int y : {16, 16, 20}) { // waiting two frames, then falling
        frame(15);
        EXPECT_EQ(mvl[0].y, y);
    }
    EXPECT_GT(getg16(at(50, 20)), 0); // the falling drip glows
    for (int i = 0; i < 6; i++)
        frame(15);
    EXPECT_EQ(std::make_tuple(mvl[0].y, live_dust()), std::make_tuple(44, 0));
    frame(15); // reaches y 48, the top of the solid cell
    EXPECT_EQ(live_dust(), 8);
    for (int j = FIRST_DUST; j < FIRST_DUST + 8; j++) {
        const Particle &p = mvl[j];
        EXPECT_EQ(p.age, 1); // splashed and moved once in the same frame
        EXPECT_TRUE(p.vy >= -511 + 32 && p.vy <= -256 + 32 && p.vx >= -256 && p.vx <= 255);
        EXPECT_EQ(std::make_tuple(p.x, p.y), std::make_tuple(50 * 256 + p.vx, 47 * 256 + p.vy));
    }
    EXPECT_TRUE(mvl[0].x >= 0 && mvl[0].x < ROOM_W && mvl[0].state <= 31);
    EXPECT_TRUE(mvl[0].y == 0 || (mvl[0].x / 16 == 3 && mvl[0].y == 64)) << mvl[0].y;

    for (int j = FIRST_DUST; j < PARTICLES; j++)
        mvl[j] = {100 * 256, 70 * 256, 0, -160, 0, j < PARTICLES - 3};
    mvl[0] = {120, 128, 0, 0, 0, 0}; // lands on the bottom edge of the view after four frames
    for (int i = 0; i < 4; i++)
        frame(18);
    EXPECT_EQ(live_dust(), PARTICLES - FIRST_DUST);
    for (int j = PARTICLES - 3; j < PARTICLES; j++)
        EXPECT_EQ(mvl[j].x, 120 * 256 + mvl[j].vx);
    EXPECT_TRUE(mvl[0].y == 0 && mvl[0].state <= 31) << "nothing solid anywhere: back at the top";

    mvl[10] = {100 * 256, 100 * 256, 0, -1024, 0, 1};
    mvl[11] = {239 * 256 + 200, 50 * 256, 256, -32, 0, 1};
    mvl[12] = {20 * 256, 10, 0, -300, 0, 1};
    mvl[13] = {50 * 256, 50 * 256, 0, 0, 5, 1};
    for (int r : {5, 10, 20})
        frame(r);
    EXPECT_EQ(std::make_tuple(mvl[13].age, mvl[13].y), std::make_tuple(5, 50 * 256));
    frame(0);
    EXPECT_EQ(mvl[11].state + mvl[12].state, 0);
    for (int i = 0; i < 62; i++)
        frame(0);
    EXPECT_EQ(mvl[10].age, 63);
    frame(3);
    EXPECT_EQ(std::make_tuple(mvl[10].state, mvl[10].y), std::make_tuple(0, 100 * 256 + 1024));

    int seen[3]; // the view is black again each frame
    for (int k = 0; k < 3; k++) {
        for (int j = FIRST_DUST; j < PARTICLES; j++)
            mvl[j].state = 0;
        mvl[20] = {60 * 256, 60 * 256, 0, -32, k == 0 ? 0 : k == 1 ? 20 : 31, 1};
        frame(0);
        seen[k] = getg16(at(61, 61));
    }
    EXPECT_TRUE(seen[0] > seen[1] && seen[1] > 0 && seen[2] == 0)
        << seen[0] << " " << seen[1] << " " << seen[2];
}
