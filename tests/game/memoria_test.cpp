// memoria_test.cpp -- play allocates nothing per frame: malloc is counted while busy rooms run.
#include <stddef.h>
#include <gtest/gtest.h>
#include "sala.h"
#include "support/vbtest.h"

#if defined(__SANITIZE_ADDRESS__)
#define COUNTING_MALLOC 0 // the sanitizer owns malloc
#else
#define COUNTING_MALLOC 1
#endif

static bool counting;
static long allocations;

#if COUNTING_MALLOC
// This program's malloc, calloc and realloc count calls while `counting` is set and hand the work
// to the C library's own allocator (operator new goes through malloc).
extern "C" void *__libc_malloc(size_t);
extern "C" void *__libc_calloc(size_t, size_t);
extern "C" void *__libc_realloc(void *, size_t);
extern "C" void *malloc(size_t n) {
    if (counting) allocations++;
    return __libc_malloc(n);
}
extern "C" void *calloc(size_t n, size_t size) {
    if (counting) allocations++;
    return __libc_calloc(n, size);
}
extern "C" void *realloc(void *p, size_t n) {
    if (counting) allocations++;
    return __libc_realloc(p, n);
}
#endif

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
    if (!COUNTING_MALLOC) GTEST_SKIP() << "malloc is not ours to count in this build";
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
        allocations = 0;
        counting = true;
        for (int f = 0; f < 1000; f++) {
            int phase = (f / 23) % 5;
            key[KEY_RIGHT] = phase == 0 || phase == 1;
            key[KEY_LEFT] = phase == 3;
            key[KEY_UP] = phase == 1 && f % 7 == 0;
            key[KEY_DOWN] = phase == 4 && f % 9 == 0;
            partida.player.energy = 255; // keep the game going
            PARTIDA_frame();
        }
        counting = false;
        release_keys();
        EXPECT_EQ(allocations, 0) << "world " << world;
        PARTIDA_destroy_bitmaps();
        for (int i = 0; i < 6; i++)
            destroy_bitmap(sp_gotas[i]), sp_gotas[i] = nullptr;
        for (int i = 0; i < 4; i++)
            destroy_bitmap(moco_blobs[i]), moco_blobs[i] = nullptr;
    }
}

TEST(Memory, TheCounterSeesAnAllocation) {
    if (!COUNTING_MALLOC) GTEST_SKIP() << "malloc is not ours to count in this build";
    vbtest_init(16);
    allocations = 0;
    counting = true;
    BITMAP *b = create_bitmap(8, 8);
    counting = false;
    EXPECT_GT(allocations, 0);
    destroy_bitmap(b);
}
