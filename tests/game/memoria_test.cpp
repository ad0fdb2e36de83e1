// memoria_test.cpp -- play allocates nothing per frame: malloc is counted while busy rooms run.
#include <stddef.h>
#include <gtest/gtest.h>
#include "sala.h"
#include "support/vbtest.h"

#include "support/allocs.h"

// A room with every kind of cell, all movers busy, a block, pickups, drips and dust.
static void busy_room(int number) {
    sala_draw(number, {{0, "###############"},
                       {1, "..=....#....==."},
                       {2, "...>>>...<<<..."},
                       {4, "..^...=====...."},
                       {5, "....#.....#...."},
                       {6, "..............#"},
                       {7, ".P....^........"},
                       {8, "###>>>####<<<##"}});
    for (int i = 0; i < ENEMY_SLOTS; i++)
        sala_enemy(i, i % 15, 1 + i % 7, 14 - i % 15, 1 + (i + 3) % 7, 1 + i % 3, 3 + i % 10);
    for (int i = 0; i < PLATFORM_SLOTS - 1; i++)
        sala_platform(i, i % 15, 2 + i % 6, (i + 5) % 15, 2 + i % 6, 1 + i % 2, 13 + i % 10);
    sala_platform(24, 7, 3, 7, 3, 0, 13);
    for (int i = 0; i < PICKUP_SLOTS; i++)
        sala_energy(i, number - 1, i % 15, 1 + i % 7);
}

TEST(Memory, NothingIsAllocatedPerFrameInABusyRoomOfEachWorld) {
    if (!vbtest_can_count_allocations())
        GTEST_SKIP() << "malloc is not ours to count in this build";
    vbtest_init(16);
    for (int world = 0; world < 5; world++) {
        busy_room(world * 5 + 1 + world % 5);
        ASSERT_EQ(PARTIDA_create_bitmaps(), 1);
        for (int i = 0; i < 6; i++)
            sp_gotas[i] = create_bitmap(4, 4);
        for (int i = 0; i < 4; i++) {
            moco_blobs[i] = create_bitmap(8, 8);
            clear_to_color(moco_blobs[i], makecol(40, 200, 40));
        }
        partida.draw = 1;
        sala_start();
        ASSERT_EQ(partida.world, world);
        vbtest_count_allocations(true);
        for (int f = 0; f < 1000; f++) {
            int phase = (f / 23) % 5;
            key[KEY_RIGHT] = phase == 0 || phase == 1;
            key[KEY_LEFT] = phase == 3;
            key[KEY_UP] = phase == 1 && f % 7 == 0;
            key[KEY_DOWN] = phase == 4 && f % 9 == 0;
            partida.player.energy = 255; // keep the game going
            PARTIDA_frame();
        }
        vbtest_count_allocations(false);
        release_keys();
        EXPECT_EQ(vbtest_allocations(), 0) << "world " << world;
        PARTIDA_destroy_bitmaps();
        for (int i = 0; i < 6; i++)
            destroy_bitmap(sp_gotas[i]), sp_gotas[i] = nullptr;
        for (int i = 0; i < 4; i++)
            destroy_bitmap(moco_blobs[i]), moco_blobs[i] = nullptr;
    }
}

TEST(Memory, TheCounterSeesAnAllocation) {
    if (!vbtest_can_count_allocations())
        GTEST_SKIP() << "malloc is not ours to count in this build";
    vbtest_init(16);
    vbtest_count_allocations(true);
    BITMAP *b = create_bitmap(8, 8);
    vbtest_count_allocations(false);
    EXPECT_GT(vbtest_allocations(), 0);
    destroy_bitmap(b);
}
