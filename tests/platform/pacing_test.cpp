// pacing_test.cpp -- the ticks each frame waits at each game speed.
// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <algorithm>
#include "platform/temporizadores.h"

// 300 frames wait each speed's share of the full rate, evenly; a bad speed or carry is full speed.
TEST(Pacing, EachSpeedWaitsItsShareOfTheFullRateEvenlyAndNonsenseIsFullSpeed) {
    const int speeds[][2] = {{100, 600}, {80, 750}, {60, 1000}, {40, 1500}, {0, 600}, {101, 600}};
    for (const int *s : speeds) {
        int carry = 0, total = 0, most = 0;
        for (int f = 0; f < 300; f++) {
            int t = TMR_frame_ticks(s[0], &carry);
            total += t, most = std::max(most, t);
        }
        EXPECT_EQ(total, s[1]) << s[0];
        EXPECT_EQ(most, (s[1] + 299) / 300) << s[0];
    }
    int carry = 12345;
    EXPECT_EQ(TMR_frame_ticks(80, &carry), 2);
}
