// drops_test.cpp -- dripping ceiling cells: drops on a fixed beat that hurt like enemies.
#include <gtest/gtest.h>
#include "sala.h"
#include "game/sonidos.h"

// A drop hangs under its cell for half a period, falls four pixels a frame to the first solid
// cell below, splashes and forms again a period later; odd columns run half a period behind. A
// player under it loses one energy each frame the falling drop overlaps the box, one beside it
// nothing.
TEST(Drops, HangFallAndSplashOnAFixedBeatAndHurtLikeAnEnemy) {
    sala_draw(2, {{1, "###############"}, {6, ".......#......."}, {7, "....P.........."}});
    play_level.rooms[1].cells[1][4].attr |= ATTR_DRIPS;
    play_level.rooms[1].cells[1][7].attr |= ATTR_DRIPS;
    sala_start();
    ASSERT_EQ(partida.drop_count, 2);
    const Drop &even = partida.drops[0], &odd = partida.drops[1];
    EXPECT_EQ(even.x, 4 * 16 + 6);
    EXPECT_EQ(even.state, DROP_HANGING);
    EXPECT_EQ(odd.state, DROP_GONE) << "odd columns start half a period later";

    int hurts_per_period[2];
    for (int period = 0; period < 2; period++) {
        SFX_reset_counts();
        run(DROP_HANG - 1);
        EXPECT_EQ(even.state, DROP_HANGING);
        EXPECT_EQ(even.y, 32);
        EXPECT_EQ(odd.state, DROP_GONE);
        EXPECT_EQ(odd.y, period == 0 ? 32 : 96 - DROP_H) << "it landed on the cell below it";
        run(1);
        EXPECT_EQ(even.state, DROP_FALLING);
        EXPECT_EQ(even.y, 36);
        EXPECT_EQ(odd.state, DROP_HANGING);
        EXPECT_EQ(odd.y, 32);
        int frames = DROP_HANG;
        while (even.state == DROP_FALLING && frames < DROP_PERIOD) {
            run(1);
            frames++;
        }
        EXPECT_EQ(even.state, DROP_SPLASHING) << "on the floor under the player";
        EXPECT_EQ(even.y, 128 - DROP_H);
        hurts_per_period[period] = 255 - partida.player.energy;
        EXPECT_EQ(SFX_counts.requests[SFX_HURT], hurts_per_period[period]);
        run(DROP_PERIOD - frames);
        EXPECT_EQ(even.state, DROP_HANGING) << "a new drop a period later";
        EXPECT_EQ(odd.state, DROP_FALLING) << "half a period behind";
        partida.player.energy = 255;
    }
    EXPECT_EQ(hurts_per_period[0], 5);
    EXPECT_EQ(hurts_per_period[1], 5);

    partida.player.x += 16 * 256; // a column aside: under no drop
    run(2 * DROP_PERIOD);
    EXPECT_EQ(partida.player.energy, 255);
}
