// particulas_test.cpp -- drips falling, splashing and hanging again; dust rising, fading, freed.
// SPDX-License-Identifier: MIT
#include <algorithm>
#include <tuple>
#include "support/sala.h"

// Drips fall, splash and hang again; dust fades and is freed at 64 or off the view (worlds 0, 3).
TEST_F(Mundo, DripsFallAndSplashDustFadesAndBothAreFreed) {
    rooms[15].cells[3][3].attr = ATTR_SOLID;
    mvl[0] = {50, 16, 0, 0, 0, 2};
    for (int i = 0; i < 3; i++) // waiting two frames, then falling
        frame(15);
    EXPECT_GT(getg16(at(50, 20)), 0); // the falling drip glows
    for (int i = 0; i < 7; i++)       // reaches y 48, the top of the solid cell
        frame(15);
    EXPECT_EQ(std::count_if(mvl + FIRST_DUST, mvl + PARTICLES, [](Particle &p) { return p.state; }),
              8);
    for (int j = FIRST_DUST; j < FIRST_DUST + 8; j++) {
        const Particle &p = mvl[j];
        EXPECT_EQ(p.age, 1); // splashed and moved once in the same frame
        EXPECT_TRUE(efectos.shown[j] >= 3 && efectos.shown[j] <= 5) << "one of the dust pictures";
        EXPECT_TRUE(p.vy >= -511 + 32 && p.vy <= -256 + 32 && p.vx >= -256 && p.vx <= 255);
        EXPECT_EQ(std::make_tuple(p.x, p.y), std::make_tuple(50 * 256 + p.vx, 47 * 256 + p.vy));
    }

    mvl[0] = {120, 128, 0, 0, 0, 0}; // lands on the bottom edge of the view after four frames
    for (int i = 0; i < 4; i++)
        frame(18);
    EXPECT_TRUE(mvl[0].y == 0 && mvl[0].state <= 31) << "landed; nothing solid: hangs at the top";

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
