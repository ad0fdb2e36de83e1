// pacing_test.cpp -- the ticks each frame waits at each game speed.
#include <gtest/gtest.h>
#include <string>
#include "platform/temporizadores.h"

// Over 300 frames each speed waits what its share of the full rate asks, to the tick, a frame
// never more than one tick off the next; a speed out of range, or a carry that makes no sense,
// paces at full speed.
TEST(Pacing, EachSpeedWaitsItsShareOfTheFullRateEvenlyAndNonsenseIsFullSpeed) {
    const int speeds[][2] = {{100, 600}, {80, 750},  {60, 1000}, {40, 1500},
                             {0, 600},   {101, 600}, {-40, 600}};
    for (const int *s : speeds) {
        int carry = 0, total = 0, least = 99, most = 0;
        std::string first;
        for (int f = 0; f < 300; f++) {
            int t = TMR_frame_ticks(s[0], &carry);
            total += t;
            least = std::min(least, t), most = std::max(most, t);
            if (f < 3) first += std::to_string(t);
        }
        EXPECT_EQ(total, s[1]) << s[0];
        EXPECT_LE(most - least, 1) << s[0];
        if (s[0] == 80) {
            EXPECT_EQ(first, "232");
        }
    }
    int carry = 12345;
    EXPECT_EQ(TMR_frame_ticks(100, &carry), 2);
    EXPECT_EQ(carry, 0);
}
